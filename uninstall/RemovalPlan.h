#pragma once
// The removal as data: the chosen checklist items become an ordered list of
// actions, which a plain loop then applies. The list can be checked action
// by action without touching the machine.
#include <optional>
#include <string>
#include <vector>

#include "common/Callback.h"
#include "platform/FileSystem.h"
#include "uninstall/OursByContent.h"

namespace vlt {

class Shell;
struct PresenceQuery;

// The checklist items that will run: each one checked AND enabled on the page.
struct ChosenItems {
  bool DelRegistry = false;
  bool DelHilfe = false;
  bool DelExe = false;
  bool DelStartmenue = false;
  bool DelDesktopLnk = false;
  bool DelCfg = false;
  bool DelPufferText = false;
  bool DelPufferBild = false;
  bool DelSontiges = false;
  bool DelUninst = false;
};

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
};

struct RemovalAction {
  enum class Kind {
    RemoveRegistryEntries,  // the autostart value, the uninstall entry, config's Autostart key
    DeleteFile,             // path: the file
    DeleteMatchingFiles,    // path: directory ending with "\", mask
    RemoveDirectory,        // path: the folder (removed only when empty)
    DeleteOtherFiles,       // path: directory ending with "\", mask; keeps KeepPrefixes()
    WriteSelfRemovalScript, // the script that erases the uninstaller, its folder if
                            // empty, and itself once the program has ended
  };
  Kind kind;
  std::string path = {};
  std::string mask = {};
  bool operator==(const RemovalAction&) const = default;
};

using RemovalPlan = std::vector<RemovalAction>;

// The actions for `chosen`: the uninstaller's script first, so that a
// script that cannot be written stops the removal before anything is gone;
// then in the fixed order of the checklist's removal: registry, help files,
// product executable, start-menu group, desktop shortcut, configuration
// file, text entries, picture entries, other files. An item whose folder is unknown ("") is left out rather than
// resolved against the root of the current drive. Nothing is deleted through
// a link: an install directory that is one loses its file items (the
// uninstaller's own erase stays), a start-menu group that is one is only
// removed as a link, never emptied. The other-files item never runs in a
// volume root.
RemovalPlan BuildRemovalPlan(const ChosenItems& chosen, const RemovalPaths& paths);

// The steps that are not plain file operations.
struct RemovalSteps {
  Callback<void()> removeRegistryEntries;
  Callback<Status()> writeSelfRemovalScript;
};

// Applies `plan` in order, best effort: failed deletions are not examined.
// A step that fails (the self-removal script that cannot be written) ends
// the loop with its failure; what was removed before it stays removed.
// A step the plan holds must be set in `steps`.
Status ApplyRemovalPlan(FileSystem& fs, const RemovalPlan& plan, const RemovalSteps& steps);

// The folders for the running program as `query` found them: its own
// folder, the shell's programs and desktop-directory folders, with what
// `fs` says of the links, and what a copy outside the registered
// installation may take.
RemovalPaths MakeRemovalPaths(Shell& shell, FileSystem& fs, const PresenceQuery& query);

}  // namespace vlt
