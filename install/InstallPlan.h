#pragma once
// The install as data: what the settings page's Next button does, step by
// step and in order, with the way each step's failure is handled named in
// the step itself. TForm2::BitBtn_WeiterClick builds the plan and applies it
// with one loop; tests check the plan without touching the machine.
#include <string>
#include <vector>

#include "install/ShortcutPlan.h"
#include "program/Texts.h"

namespace vlt {

struct InstallStep {
  enum class Kind {
    Progress,              // the bar advances by one step (past its end it starts over)
    CreateDirectory,       // path: the directory, with every missing parent
    ConfirmDirectory,      // path: the directory as typed; becomes InstallVerz
    WriteLanguage,         // path: config.vlt; value: "English" or "Deutsch"
    ExtractEntry,          // entry: payload index; path: the target file
    CopyUninstaller,       // value: the running setup program; path: the copy, checked whole
    WriteRegistryEntries,  // autoStart: whether the product starts with Windows; the
                           // autostart value and the uninstall entry each only when the
                           // file it names was written whole in this run
    CreateFolder,          // path: the start-menu group, with its parents
    CreateShortcut,        // shortcut; left out when this run failed to write its target
    ReportRegistryFailure, // the one registry warning, when a registry step failed
    ShowFinishPage,        // the picture handed over, the finish page shown, this one hidden;
                           // path: the product, which it offers to start only when written
  };
  enum class OnFailure {
    Ignored,          // a failed result and any error are dropped
    Warns,            // a failed result or an error shows `message`; the run goes on
    RegistryWarning,  // a failed result is collected into ReportRegistryFailure
    Escapes,          // an error leaves the run to the default error report
    EndsRun,          // a failed result shows `message` and ends the run, page usable
  };

  Kind kind;
  OnFailure onFailure;
  std::string path = {};
  std::string value = {};
  int entry = -1;
  Shortcut shortcut = {};
  bool autoStart = false;
  // The text of the warning, for Warns and EndsRun.
  std::string MessageTexts::*message = nullptr;

  bool operator==(const InstallStep&) const = default;
};

using InstallPlan = std::vector<InstallStep>;

// What the user chose on the language and settings pages.
struct InstallChoices {
  std::string typedDir;  // the directory exactly as typed
  bool english = false;  // the language page's choice
  bool autoStart = false;
  bool desktopShortcut = false;
  bool startMenuGroup = false;
};

// The steps for `choices`: the bar's first step; the directory (made only
// when the typed entry is acceptable, then confirmed: the run ends there
// when it does not exist); the language key; the three payload files, each
// after its step; the uninstaller copy (`setupExe` is the running program);
// the registry entries; the start-menu group and its shortcuts; the eighth
// step, which runs past the bar's end; the desktop shortcut; the registry
// warning; the finish page. `shortcuts` lists what PlanShortcuts made for
// the directory; a group or shortcut it could not place is left out.
InstallPlan BuildInstallPlan(const InstallChoices& choices, const std::string& setupExe,
                             const ShortcutPlan& shortcuts);

}  // namespace vlt
