#pragma once
// The names of what an installation puts on the machine: the files in the
// install directory, the start-menu group and the shortcuts, and the product
// web site. Shared by the install and the uninstall side.
#include <array>
#include <string_view>

namespace vlt::product {

// Files in the install directory.
inline constexpr char kExeFile[] = "veltori.exe";         // payload entry 0
inline constexpr char kHelpFile[] = "veltori.hlp";        // payload entry 1
inline constexpr char kHelpContentsFile[] = "veltori.cnt";  // payload entry 2
inline constexpr char kUninstallerFile[] = "vltsetup.exe";  // copy of the setup program
inline constexpr char kConfigFile[] = "config.vlt";
// The help viewer's own files beside the help file, made when it is opened.
inline constexpr char kHelpSearchFile[] = "veltori.FTG";
inline constexpr char kHelpIndexFile[] = "veltori.FTS";
inline constexpr char kHelpStateFile[] = "veltori.GID";
// Every help file, in the order the removal deletes them.
inline constexpr std::array<std::string_view, 5> kHelpFiles = {
    kHelpContentsFile, kHelpFile, kHelpSearchFile, kHelpIndexFile, kHelpStateFile};

// The product's stored entries begin with these names...
inline constexpr char kTextEntryPrefix[] = "VelToriTextEintrag";
inline constexpr char kPictureEntryPrefix[] = "VelToriBildEintrag";
// ...and the removal deletes them by these masks, spelled as the product
// always has (names compare without regard to case): of the text entries
// only the ".txt" ones. The others stay, and so does any other file whose
// name begins with a prefix above.
inline constexpr char kTextEntriesRemovalMask[] = "VeltoriTextEintrag*.txt";
inline constexpr char kPictureEntriesRemovalMask[] = "VeltoriBildEintrag*.*";

// The install directory's own name, proposed below a folder chosen in the
// folder browser.
inline constexpr char kInstallFolderName[] = "VelTori Advanced";

// The start-menu group folder below the Programs folder, and the shortcut
// names that are the same in every language.
inline constexpr char kStartMenuGroup[] = "VelTori Advanced";
inline constexpr char kHomepageLink[] = "Veltori Advanced Homepage.lnk";
inline constexpr char kDesktopLink[] = "Veltori Advanced.lnk";
inline constexpr char kLinkExtension[] = ".lnk";

// The product web site, set at build time.
inline constexpr char kWebSite[] = VELTORI_WEBSITE;

}  // namespace vlt::product
