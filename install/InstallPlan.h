#pragma once
// The install as data: what the settings page's Next button does, step by
// step and in order, each step a struct of its own with what it works on.
// InstallRun applies a plan to the machine; tests check the plan without
// touching it.
#include <string>
#include <variant>
#include <vector>

#include "install/ShortcutPlan.h"

namespace vlt {

// The steps, and what the run does when one fails.
namespace step {
// The bar advances by one step (past its end it starts over).
struct Progress {
  bool operator==(const Progress&) const = default;
};
// The directory, with every missing parent. A failure is left to the
// confirmation that follows.
struct CreateDirectory {
  std::string path;
  bool operator==(const CreateDirectory&) const = default;
};
// The directory as typed exists and may be the product's: it becomes the
// run's folder. Otherwise the directory warning ends the run, the page
// ready for another try.
struct ConfirmDirectory {
  std::string typed;
  bool operator==(const ConfirmDirectory&) const = default;
};
// The language chosen on the language page, into config.vlt. A failure ends
// the run with the default error report.
struct WriteLanguage {
  std::string config;
  std::string language;  // "English" or "Deutsch"
  bool operator==(const WriteLanguage&) const = default;
};
// A payload entry written to its file; a failure warns and the run goes on.
struct ExtractEntry {
  int entry = -1;
  std::string target;
  bool operator==(const ExtractEntry&) const = default;
};
// The running setup program copied as the uninstaller and checked whole; a
// failure warns and the run goes on.
struct CopyUninstaller {
  std::string setup;
  std::string target;
  bool operator==(const CopyUninstaller&) const = default;
};
// The autostart value and the uninstall entry, each only when the file it
// names was written whole in this run. A failure is told once, later.
struct WriteRegistryEntries {
  bool autoStart = false;
  bool operator==(const WriteRegistryEntries&) const = default;
};
// The start-menu group with its parents; a failure is silent (its
// shortcuts are then missing).
struct CreateFolder {
  std::string path;
  bool operator==(const CreateFolder&) const = default;
};
// A shortcut, left out when this run failed to write its target. A link
// object that cannot be made ends the run with the default error report.
struct CreateShortcut {
  Shortcut shortcut;
  bool operator==(const CreateShortcut&) const = default;
};
// The one registry warning, when writing the registry entries failed.
struct ReportRegistryFailure {
  bool operator==(const ReportRegistryFailure&) const = default;
};
// The finish page takes over, offering to start the product only where it
// was written.
struct ShowFinishPage {
  std::string product;
  bool operator==(const ShowFinishPage&) const = default;
};
}  // namespace step

using InstallStep =
    std::variant<step::Progress, step::CreateDirectory, step::ConfirmDirectory,
                 step::WriteLanguage, step::ExtractEntry, step::CopyUninstaller,
                 step::WriteRegistryEntries, step::CreateFolder, step::CreateShortcut,
                 step::ReportRegistryFailure, step::ShowFinishPage>;
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
