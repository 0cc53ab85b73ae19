#pragma once
// The removal as data: the chosen checklist items become an ordered list of
// actions (uninstall/Checklist.h), which RemovalRun applies. The list can be
// checked action by action without touching the machine.
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/FileSystem.h"
#include "uninstall/OursByContent.h"

namespace vlt {

class Shell;
struct PresenceQuery;

// The folders the removal works in, each without a trailing backslash, and
// which of them are junctions or symbolic links to somewhere else.
struct RemovalPaths {
  std::string installDir;        // folder of the running program
  std::string programsFolder;    // start menu programs (CSIDL_PROGRAMS), "" when unknown
  std::string desktopDirectory;  // desktop file folder (CSIDL_DESKTOPDIRECTORY), "" when unknown
  // A link, or no longer the folder the page looked at: nothing in it goes.
  bool installDirIsLink = false;
  bool startMenuGroupIsLink = false;  // programsFolder\VelTori Advanced
  // A copy outside the registered installation: of the install directory's
  // files only these go (with the help viewer's files of an own help file).
  std::optional<OursByContent> onlyOurs = {};
  // The user's VirtualStore mirror of the install directory ("" for none):
  // the configuration and the stored entries go there too.
  std::string virtualStore = {};
  // The running uninstaller, which its script erases.
  std::string exePath = {};
  // The install directory holds an installation: the script removes it
  // once it is empty.
  bool removeFolderWhenEmpty = false;
  // The install directory's config.vlt is this installation's, for the
  // registry item's "Autostart" key.
  bool configIsOurs = true;
};

// One struct per kind of action, each with what it works on.
namespace removal {
// The script that erases the uninstaller, its folder once empty (where that
// folder is an installation's), and itself once the program has ended. One
// that cannot be written stops the removal.
struct WriteSelfRemovalScript {
  std::string exePath;
  bool removeFolderWhenEmpty = false;
  bool operator==(const WriteSelfRemovalScript&) const = default;
};
// The autostart value, the uninstall entry, config.vlt's Autostart key
// (only where that config.vlt is this installation's).
struct RemoveRegistryEntries {
  std::string installDir;
  bool configIsOurs = true;
  bool operator==(const RemoveRegistryEntries&) const = default;
};
struct DeleteFile {
  std::string path;
  bool operator==(const DeleteFile&) const = default;
};
// The files of `directory` (ending with "\") that match `mask`.
struct DeleteMatchingFiles {
  std::string directory;
  std::string mask;
  bool operator==(const DeleteMatchingFiles&) const = default;
};
// The folder, only when it is empty; a link goes as a link.
struct RemoveDirectory {
  std::string path;
  bool operator==(const RemoveDirectory&) const = default;
};
// The files of `directory` (ending with "\") that match `mask` but those
// KeepPrefixes() names.
struct DeleteOtherFiles {
  std::string directory;
  std::string mask;
  bool operator==(const DeleteOtherFiles&) const = default;
};
}  // namespace removal

using RemovalAction =
    std::variant<removal::WriteSelfRemovalScript, removal::RemoveRegistryEntries,
                 removal::DeleteFile, removal::DeleteMatchingFiles, removal::RemoveDirectory,
                 removal::DeleteOtherFiles>;
using RemovalPlan = std::vector<RemovalAction>;

// The folders for the running program as `query` found them: its own
// folder, the shell's programs and desktop-directory folders, with what
// `fs` says of the links, and what a copy outside the registered
// installation may take. The uninstaller, its folder's and its config.vlt's
// standing are the caller's to add.
RemovalPaths MakeRemovalPaths(Shell& shell, FileSystem& fs, const PresenceQuery& query);

}  // namespace vlt
