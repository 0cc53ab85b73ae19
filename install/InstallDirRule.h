#pragma once
// Which typed entries the install procedure accepts as its directory.
#include <string>

namespace vlt {

// True for an absolute path (a drive path "C:\..." or a share path
// "\\server\share\...") that the install can use as typed. Refused:
// - a relative path: it would install relative to whatever the current
//   directory happens to be and register paths that point nowhere;
// - a volume root ("D:\", "\\server\share"): the product's folder would be
//   the whole volume, which no removal may empty or remove;
// - a part that ends in a blank or a dot ("C:\Tools\VelTori ", "..."):
//   Windows strips those when it creates the folder, but not from the paths
//   that pass through it, so every file, value and shortcut would name a
//   folder that does not exist.
// Empty parts (a doubled backslash, also at the end) are no parts.
bool IsAcceptableInstallDir(const std::string& typed);

}  // namespace vlt
