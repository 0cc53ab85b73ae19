#pragma once
// Names of what an installation leaves on the machine, as the uninstaller
// looks for and removes them. The install directory holds the product files;
// the start-menu group and the desktop shortcut lie in the user's shell folders.
#include <array>
#include <string_view>

#include "install/ProductFiles.h"

namespace vlt::uninstall_names {

inline constexpr std::string_view kProductExe = product::kExeFile;
inline constexpr std::string_view kConfigFile = product::kConfigFile;
inline constexpr std::string_view kUninstallerExe = product::kUninstallerFile;

// The help files: the two installed ones and the three that the help viewer
// builds beside them. Presence is tested in this order...
inline constexpr std::array<std::string_view, 5> kHelpFilesToTest = {
    product::kHelpFile, product::kHelpContentsFile, product::kHelpSearchFile,
    product::kHelpIndexFile, product::kHelpStateFile};
// ...and they are deleted in this one.
inline constexpr std::array<std::string_view, 5> kHelpFilesToDelete = {
    product::kHelpContentsFile, product::kHelpFile, product::kHelpSearchFile,
    product::kHelpIndexFile, product::kHelpStateFile};

// The product's stored entries. The page offers the text entries for any
// extension, but the removal deletes only the ".txt" ones; the others are
// kept by the other-files item as well, since their names carry a kept prefix.
inline constexpr std::string_view kTextEntriesPresenceMask = "VelToriTextEintrag*.*";
inline constexpr std::string_view kPictureEntriesPresenceMask = "VelToriBildEintrag*.*";
inline constexpr std::string_view kTextEntriesRemovalMask = "VeltoriTextEintrag*.txt";
inline constexpr std::string_view kPictureEntriesRemovalMask = "VeltoriBildEintrag*.*";

inline constexpr std::string_view kEveryFileMask = "*.*";

// In the programs folder of the start menu.
inline constexpr std::string_view kStartMenuGroup = product::kStartMenuGroup;
// In the desktop folder.
inline constexpr std::string_view kDesktopShortcut = product::kDesktopLink;

}  // namespace vlt::uninstall_names
