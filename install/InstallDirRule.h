#pragma once
// Which typed entries the install procedure accepts as its directory.
#include <cstddef>
#include <string>

namespace vlt {

// The longest path, in UTF-16 code units, that the calls an install makes
// take without the "\\?\" prefix: MAX_PATH (260) less its terminating NUL.
// CreateDirectory keeps room for an 8.3 name as well: 248 less the NUL.
inline constexpr std::size_t kMaxFilePathLength = 259;
inline constexpr std::size_t kMaxDirectoryPathLength = 247;

// True for an absolute path (a drive path "C:\..." or a share path
// "\\server\share\...") that the install can use as typed. Refused:
// - a relative path: it would install relative to whatever the current
//   directory happens to be and register paths that point nowhere;
// - a volume root ("D:\", "\\server\share"): the product's folder would be
//   the whole volume, which no removal may empty or remove;
// - a part that ends in a blank or a dot ("C:\Tools\VelTori ", "..."):
//   Windows strips those when it creates the folder, but not from the paths
//   that pass through it, so every file, value and shortcut would name a
//   folder that does not exist;
// - a folder too long for the calls that write into it: the folder itself
//   for CreateDirectory, and the longest file name the install writes there
//   for the file, profile and shortcut calls (MAX_PATH). Past those limits
//   the calls fail, or write somewhere else (Wine's profile functions then
//   wrote config.vlt's sections to files with garbage names elsewhere).
// Empty parts (a doubled backslash, also at the end) are no parts.
bool IsAcceptableInstallDir(const std::string& typed);

}  // namespace vlt
