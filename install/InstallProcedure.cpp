// The install procedure: the settings page's Next button installs the
// product in one synchronous run. Nothing is rolled back when a step fails.
#include "common/Paths.h"
#include "install/InstallDirRule.h"
#include "install/ProductFiles.h"
#include "install/ShellLinks.h"
#include "install/ShortcutPlan.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/TForm_Sprache.h"
#include "startup/Program.h"

namespace vlt {

void TForm2::ExtractEntry(int index, const std::string& targetPath) {
  bool extracted = false;
  try {
    ProgressBar1.StepIt();
    extracted = FileArrayBinder1->DateiSammlung().Items(index).Entpacken(targetPath,
                                                                         program_.sys.fs);
  } catch (const std::exception&) {
    extracted = false;  // a damaged block or a missing entry: reported like any failure
  }
  if (!extracted) {
    program_.ShowMessage(program_.msg.MsgExtractError, MsgKind::Warning, {MsgButton::Ok});
  }
}

void TForm2::BitBtn_WeiterClick() {
  Services& sys = program_.sys;
  // Both buttons stay disabled while the run lasts, so a second click
  // cannot start another run.
  BitBtn_Abbrechen.SetEnabled(false);
  BitBtn_Weiter.SetEnabled(false);
  bool RegistryOk = true;

  ProgressBar1.SetVisible(true);
  ProgressBar1.SetPosition(0);
  ProgressBar1.StepIt();

  const std::string dir = Edit_InstallVerz.Text();
  const bool acceptable = IsAcceptableInstallDir(dir);
  if (acceptable) {
    try {
      sys.fs.ForceDirectories(ExcludeTrailingBackslash(dir));
    } catch (const std::exception&) {
      // Whether the directory is usable is tested next.
    }
  }
  if (!acceptable || !sys.fs.DirectoryExists(dir)) {
    program_.ShowMessage(program_.msg.MsgCreateDirError, MsgKind::Warning, {MsgButton::Ok});
    BitBtn_Weiter.SetEnabled(true);
    BitBtn_Abbrechen.SetEnabled(true);
    return;
  }
  program_.InstallVerz = dir;
  ProgressBar1.StepIt();

  // The language chosen on the language page, for the uninstaller.
  const std::string config = JoinPath(dir, product::kConfigFile);
  sys.profile.Flush(config);
  sys.profile.WriteString(config, "Sprache", "Sprache",
                          program_.Form_Sprache->RadioButton_English.Checked() ? "English"
                                                                               : "Deutsch");
  sys.profile.Flush(config);

  ExtractEntry(0, JoinPath(dir, product::kExeFile));
  ExtractEntry(1, JoinPath(dir, product::kHelpFile));
  ExtractEntry(2, JoinPath(dir, product::kHelpContentsFile));

  ProgressBar1.StepIt();
  // Fails harmlessly when the setup program runs from the install directory.
  sys.fs.CopyFile(sys.app.ExeName(), JoinPath(dir, product::kUninstallerFile));

  if (!VelToriRegistry(true, CheckBox_automatischstarten.Checked())) RegistryOk = false;
  ProgressBar1.StepIt();

  const ShortcutPlan shortcuts =
      PlanShortcuts(dir, program_.msg, product::kWebSite,
                    SpecialFolderPath(sys.shell, csidl::kPrograms),
                    SpecialFolderPath(sys.shell, csidl::kDesktop));
  if (CheckBox_EintragInsStartmenu.Checked() && shortcuts.startMenu) {
    try {
      sys.fs.ForceDirectories(shortcuts.startMenu->folder);
    } catch (const std::exception&) {
      // The shortcuts below then fail silently.
    }
    for (const Shortcut& link : shortcuts.startMenu->shortcuts) {
      CreateShellLink(sys.shell, link.linkFile, link.target, link.arguments);
    }
  }
  // The eighth step runs past the end of the bar, which then starts over.
  ProgressBar1.StepIt();
  if (CheckBox_VerknupfungAufDesktop.Checked() && shortcuts.desktop) {
    CreateShellLink(sys.shell, shortcuts.desktop->linkFile, shortcuts.desktop->target,
                    shortcuts.desktop->arguments);
  }

  if (!RegistryOk) {
    program_.ShowMessage(program_.msg.MsgRegistryError, MsgKind::Warning, {MsgButton::Ok});
  }
  program_.Form3->Image1.SetPicture(Image1.Picture());
  program_.Form3->Show();
  Hide();
  BitBtn_Weiter.SetEnabled(true);
  BitBtn_Abbrechen.SetEnabled(true);
}

}  // namespace vlt
