#pragma once
// What the uninstaller finds installed: the tests behind the uninstall page's
// checklist, run once when the page is created.
#include <span>
#include <string>
#include <string_view>

#include "install/VelToriRegistry.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "uninstall/OursByContent.h"

namespace vlt {

class TDateiSammlung;

// File-name prefixes that the other-files item never touches, in the order
// they are tested: the product's own files, the uninstaller, the stored
// entries (any extension), the help files, and every name beginning with a
// dot ("." and ".." among them).
std::span<const std::string_view> KeepPrefixes();

// True when `name` begins with one of `prefixes`, ASCII letters compared
// without regard to case. A prefix longer than the name never matches.
bool StartsWithAny(std::string_view name, std::span<const std::string_view> prefixes);

// True when a search for `directory` + `mask` (directory ending with "\",
// mask appended unchanged) returns an entry, file or subdirectory, whose name
// begins with none of `prefixes`. False when nothing matches.
bool HasOtherFiles(FileSystem& fs, const std::string& directory, const std::string& mask,
                   std::span<const std::string_view> prefixes);

// The install directory: the folder of the running program, without a
// trailing backslash.
std::string InstallDirectoryOf(const std::string& exePath);

// True when `folder` is a junction or a directory symbolic link ("" is not).
bool IsLinkedFolder(FileSystem& fs, const std::string& folder);

// Where a shortcut (or the start-menu group) leads: into the install
// directory (by identity); to a program elsewhere that is there, or that
// cannot be told; or only to programs that are gone (stale), which any copy
// may clear. Missing: no such shortcut.
enum class LinkPlace { Missing, Here, Elsewhere, Stale };

// Where the tests look, and what the machine says of the installation.
struct PresenceQuery {
  std::string exePath;         // the running program; its folder is the install directory
  std::string desktopFolder;   // the user's desktop (CSIDL_DESKTOP), "" when unknown
  std::string programsFolder;  // the start menu's programs folder (CSIDL_PROGRAMS), "" when unknown
  // The machine's Run key holds the product's value, or its uninstall entry
  // exists, each opened with full access: what the registry item can remove.
  bool registryEntriesExist = false;
  // Where those entries point, read with read access alone.
  RegisteredPlaces registered;
  LinkPlace desktopLink = LinkPlace::Missing;
  LinkPlace startMenuGroup = LinkPlace::Missing;
  // The install directory is a folder of Windows or of the users as a whole
  // (ProtectedFolders): never the product's own, whatever it holds.
  bool installDirIsProtected = false;
  // The install directory's product files that hold what this setup writes.
  OursByContent oursByContent;
  // Where Windows keeps the running user's redirected writes into the
  // install directory (a program without a manifest that may not write
  // there): that user's VirtualStore mirror of it. "" when it has none, or
  // when a link lies on the way to it.
  std::string virtualStore = {};
};

// One flag per checklist item the tests decide: true when what the item
// removes is present, so the item is offered (enabled and pre-checked).
// The uninstaller item itself is always offered and has no flag here.
struct OfferedItems {
  bool DelExe = false;
  bool DelHilfe = false;
  bool DelRegistry = false;
  bool DelDesktopLnk = false;
  bool DelStartmenue = false;
  bool DelCfg = false;
  bool DelPufferText = false;
  bool DelPufferBild = false;
  bool DelSontiges = false;
  // Not an item: the install directory holds an installation, so the
  // self-removal may remove it once it is empty.
  bool InstallDirIsProducts = false;
  bool operator==(const OfferedItems&) const = default;
};

// Runs the presence tests. A test that cannot be carried out (an unknown
// shell folder, an unreadable directory) counts as not present.
//
// Entries and shortcuts that lead only to what is gone (stale) are offered
// to every copy, under their items. Beyond them:
// - While another installation is registered and none in the install
//   directory (RegisteredPlaces::OnlyElsewhere), the program is a copy
//   outside that installation: of its folder's files it offers only those
//   that are ours by content (an installation left over from an earlier
//   install elsewhere), never the user's files of the same names, and no
//   entry or shortcut that leads to the other installation.
// - While this one is registered, the registry item and the shortcuts are
//   offered only where they lead into the install directory.
// - With nothing registered every item is offered by what is present.
// The product's own data that Windows redirected into the user's
// VirtualStore counts for the configuration and stored-entry items.
//
// The other-files item is offered only in a folder that holds an
// installation (see the definition for the rule): it deletes everything
// there that is not the product's, so it must never be offered for a
// desktop or downloads folder into which the uninstaller was copied, nor
// for a volume root or another protected folder. An install directory that
// is a junction or a symbolic link offers none of its items.
OfferedItems FindOfferedItems(FileSystem& fs, const PresenceQuery& query);

// The query for the running program: the shell folders the page tests, the
// registry entries and where they and the shortcuts lead, the install
// directory's files compared with `payload`.
PresenceQuery MakePresenceQuery(Services& sys, const TDateiSammlung& payload,
                                const std::string& exePath);

}  // namespace vlt
