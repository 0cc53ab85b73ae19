#pragma once
// Choosing a parent folder for the install directory.
#include <optional>
#include <string>

#include "platform/Shell.h"

namespace vlt {

// Shows the shell's folder browser rooted at the special folder `rootCsidl`
// (csidl:: numbers) with `title`. Returns the chosen folder's path ending in
// exactly one backslash, or nullopt when nothing was chosen: the user
// cancelled, the choice has no file-system path, or the root folder could not
// be found (then no browser is shown).
std::optional<std::string> BrowseForFolder(Shell& shell, int rootCsidl, const std::string& title);

// The install directory proposed for a chosen parent folder: the folder
// without its trailing backslash, then "\VelTori Advanced"
// ("D:\" gives "D:\VelTori Advanced").
std::string InstallDirFromBrowse(const std::string& chosenFolder);

}  // namespace vlt
