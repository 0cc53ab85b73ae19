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

// What the page finds, looked at once: which of the installation's things
// are there and whose they are. The checklist (uninstall/Checklist.h)
// decides from it which items it offers. A test that cannot be carried out
// (an unknown shell folder, an unreadable directory) counts as not present.
struct Findings {
  // Another installation is registered and none in the install directory
  // (RegisteredPlaces::OnlyElsewhere): the program is a copy outside it.
  bool foreign = false;
  bool registeredHere = false;
  // The registry item has something to remove: entries of this
  // installation's, or stale ones.
  bool registryEntries = false;
  // The install directory is a junction or a symbolic link: nothing in it
  // is offered (the uninstaller itself still is).
  bool linked = false;
  // The install directory holds an installation (by the files the install
  // writes there, ours by content outside the registered installation) and
  // is no folder of Windows or of the users as a whole, nor a volume root:
  // its other files may be offered, and the script removes it once empty.
  bool installation = false;
  OursByContent ours;
  // Present in the install directory; configuration and stored entries
  // also in the user's VirtualStore mirror of it.
  bool exe = false, help = false, config = false, textEntries = false, pictureEntries = false;
  bool otherFiles = false;
  // The desktop shortcut and the start-menu group, where they lead.
  LinkPlace desktopLink = LinkPlace::Missing;
  LinkPlace startMenuGroup = LinkPlace::Missing;
};

// Looks at what `query` names. The uninstaller's own name proves nothing:
// an installation is known by the product's files, outside the registered
// installation only by those that are ours by content; a desktop or a
// downloads folder into which the uninstaller was copied holds none.
Findings FindWhatIsThere(FileSystem& fs, const PresenceQuery& query);

// The query for the running program: the shell folders the page tests, the
// registry entries and where they and the shortcuts lead, the install
// directory's files compared with `payload`.
PresenceQuery MakePresenceQuery(Services& sys, const TDateiSammlung& payload,
                                const std::string& exePath);

}  // namespace vlt
