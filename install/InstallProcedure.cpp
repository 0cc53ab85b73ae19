// The install procedure: the settings page's Next button installs the
// product in one synchronous run, as the plan of install/InstallPlan.h says.
// Nothing is rolled back when a step fails.
#include <algorithm>

#include "common/Paths.h"
#include "install/InstallDirRule.h"
#include "install/InstallPlan.h"
#include "install/ProductFiles.h"
#include "install/ProtectedFolders.h"
#include "install/RegistryEntries.h"
#include "install/ShellLinks.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/TForm_Sprache.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "program/Program.h"

namespace vlt {

using Kind = InstallStep::Kind;
using OnFailure = InstallStep::OnFailure;

Status TForm2::BitBtn_WeiterClick() {
  Services& sys = program_.sys;
  // Both buttons stay disabled while the run lasts, so a second click
  // cannot start another run.
  BitBtn_Abbrechen.SetEnabled(false);
  BitBtn_Weiter.SetEnabled(false);
  ProgressBar1.SetVisible(true);
  ProgressBar1.SetPosition(0);

  const std::string dir = Edit_InstallVerz.Text();
  const InstallChoices choices{
      .typedDir = dir,
      .english = program_.Form_Sprache->RadioButton_English.Checked(),
      .autoStart = CheckBox_automatischstarten.Checked(),
      .desktopShortcut = CheckBox_VerknupfungAufDesktop.Checked(),
      .startMenuGroup = CheckBox_EintragInsStartmenu.Checked()};
  const ShortcutPlan shortcuts =
      PlanShortcuts(dir, program_.msg, product::kWebSite,
                    SpecialFolderPath(sys.shell, csidl::kPrograms),
                    SpecialFolderPath(sys.shell, csidl::kDesktop));
  const Status run = ApplyInstallPlan(BuildInstallPlan(choices, sys.app.ExeName(), shortcuts));
  if (!run.Ok()) return run;

  BitBtn_Weiter.SetEnabled(true);
  BitBtn_Abbrechen.SetEnabled(true);
  return {};
}

Status TForm2::ApplyInstallPlan(const InstallPlan& plan) {
  InstallRun run;
  for (const InstallStep& step : plan) {
    const Result<bool> result = RunInstallStep(step, run);
    const bool done = result.Ok() && result.Value();
    switch (step.onFailure) {
      case OnFailure::Ignored:
        // Whatever depends on it fails on its own, silently or with its warning.
        break;
      case OnFailure::Warns:
        if (!done) ShowInstallWarning(step);
        break;
      case OnFailure::RegistryWarning:
        if (!done) run.registryFailed = true;
        break;
      case OnFailure::Escapes:
        if (!result.Ok()) return result.AsStatus();
        break;
      case OnFailure::EndsRun:
        if (!done) {
          ShowInstallWarning(step);
          return {};
        }
        break;
    }
  }
  return {};
}

bool TForm2::IsThere(const InstallRun& run, const std::string& path) {
  const bool failed = std::ranges::any_of(
      run.unwritten, [&](const std::string& p) { return AsciiEqualNoCase(p, path); });
  return !failed || FileExists(program_.sys.fs, path);
}

bool TForm2::CopyUninstaller(const std::string& from, const std::string& to) {
  FileSystem& fs = program_.sys.fs;
  // Run as the uninstaller of the install directory itself, however the
  // directory was typed: the file is already there, and copying it onto
  // itself would fail.
  if (SameFile(fs, from, to)) return true;
  // A copy of a read-only setup program (started from a CD or a read-only
  // share) would be read-only too: the old one could not be replaced, nor
  // the new one erased by the self-removal.
  fs.SetNormalAttributes(to);
  const bool copied = fs.CopyFile(from, to);
  const std::optional<std::uint64_t> size = fs.FileSize(from);
  if (copied && size && fs.FileSize(to) == size) {
    fs.SetNormalAttributes(to);
    return true;
  }
  fs.DeleteFile(to);  // a cut copy would only fail with "Bad EXE format"
  return false;
}

Result<bool> TForm2::RunInstallStep(const InstallStep& step, InstallRun& run) {
  Services& sys = program_.sys;
  switch (step.kind) {
    case Kind::Progress:
      ProgressBar1.StepIt();
      return true;
    case Kind::CreateDirectory:
    case Kind::CreateFolder:
      if (Status made = sys.fs.ForceDirectories(step.path); !made.Ok()) return made.Error();
      return true;
    case Kind::ConfirmDirectory:
      // A folder of Windows or of the users as a whole is refused itself,
      // however it is spelled: the removal must be free to empty and remove
      // the install directory.
      if (!IsAcceptableInstallDir(step.path) || !sys.fs.DirectoryExists(step.path) ||
          ProtectedFolders(sys.shell, sys.fs).Contains(step.path)) {
        return false;
      }
      program_.InstallVerz = step.path;
      return true;
    case Kind::WriteLanguage:
      // The language chosen on the language page, for the uninstaller.
      sys.profile.Flush(step.path);
      if (Status written = sys.profile.WriteString(step.path, entries::kLanguageSection,
                                                   entries::kLanguageKey, step.value);
          !written.Ok()) {
        return written.Error();
      }
      sys.profile.Flush(step.path);
      return true;
    case Kind::ExtractEntry:
    case Kind::CopyUninstaller: {
      const TDateiSammlung& files = FileArrayBinder1->DateiSammlung();
      // A missing entry is reported like any failed extraction.
      const bool whole = step.kind == Kind::ExtractEntry
                             ? files.Holds(step.entry) &&
                                   files.Items(step.entry).Entpacken(step.path, sys.fs)
                             : CopyUninstaller(step.value, step.path);
      if (!whole) run.unwritten.push_back(step.path);
      return whole;
    }
    case Kind::WriteRegistryEntries: {
      // Neither an autostart value for a missing product, nor an uninstall
      // entry for a missing uninstaller.
      const std::string& dir = program_.InstallVerz;
      return VelToriRegistry(
          /*Install=*/true,
          /*AutoStart=*/step.autoStart && IsThere(run, JoinPath(dir, product::kExeFile)),
          /*UninstallerWritten=*/IsThere(run, JoinPath(dir, product::kUninstallerFile)));
    }
    case Kind::CreateShortcut:
      if (!IsThere(run, step.shortcut.target)) return true;
      if (Status linked = CreateShellLink(sys.shell, step.shortcut.linkFile, step.shortcut.target,
                                          step.shortcut.arguments);
          !linked.Ok()) {
        return linked.Error();
      }
      return true;
    case Kind::ReportRegistryFailure:
      if (run.registryFailed) ShowInstallWarning(step);
      return true;
    case Kind::ShowFinishPage:
      if (!IsThere(run, step.path)) program_.Form3->OfferNoProductStart();
      HandOverTo(*program_.Form3);
      return true;
  }
  return false;
}

void TForm2::ShowInstallWarning(const InstallStep& step) {
  program_.ShowMessage(program_.msg.*step.message, MsgKind::Warning, {MsgButton::Ok});
}

}  // namespace vlt
