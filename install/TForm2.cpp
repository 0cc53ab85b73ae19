#include "install/TForm2.h"

#include "install/FolderBrowser.h"
#include "install/InstallDirRule.h"
#include "install/InstallPayload.h"
#include "install/InstallRun.h"
#include "install/ProductFiles.h"
#include "install/ProtectedFolders.h"
#include "install/ShortcutPlan.h"
#include "install/TForm3.h"
#include "install/VelToriRegistry.h"
#include "platform/Shell.h"
#include "lang/TForm_Sprache.h"
#include "program/Program.h"

namespace vlt {
namespace {

constexpr ControlSpec kControls[] = {
    {.name = "Label_Installationsverzeichnis", .kind = ControlKind::Label,
     .left = 136, .top = 120, .width = 111, .height = 13, .text = "Installationsverzeichnis:",
     .names = "Edit_InstallVerz"},
    {.name = "Bevel1", .kind = ControlKind::Bevel, .left = 128, .top = 176, .width = 316, .height = 2},
    {.name = "Label_BitteInstallationseinstellungenVornehmen", .kind = ControlKind::Label,
     .left = 136, .top = 8, .width = 238, .height = 13,
     .text = "Bitte nehmen Sie die Installationseinstellungen vor:"},
    {.name = "BitBtn_Weiter", .kind = ControlKind::Button,
     .left = 344, .top = 184, .width = 100, .height = 25, .text = "&Weiter >>", .tabOrder = 0},
    {.name = "BitBtn_Suchen", .kind = ControlKind::Button,
     .left = 344, .top = 134, .width = 100, .height = 25, .text = "&Suchen", .tabOrder = 1,
     .picture = PictureId::BrowseGlyph},
    {.name = "Edit_InstallVerz", .kind = ControlKind::Edit,
     .left = 136, .top = 136, .width = 201, .height = 21,
     .text = "C:\\Programme\\VelTori Advanced", .tabOrder = 2},
    {.name = "CheckBox_automatischstarten", .kind = ControlKind::CheckBox,
     .left = 136, .top = 40, .width = 273, .height = 17,
     .text = "VelTori automatisch starten", .checked = true, .tabOrder = 3},
    {.name = "CheckBox_VerknupfungAufDesktop", .kind = ControlKind::CheckBox,
     .left = 136, .top = 60, .width = 273, .height = 17,
     .text = "Verknüpfung auf dem Desktop erstellen", .checked = true, .tabOrder = 4},
    {.name = "CheckBox_EintragInsStartmenu", .kind = ControlKind::CheckBox,
     .left = 136, .top = 80, .width = 273, .height = 17,
     .text = "Eintrag ins Startmenü", .checked = true, .tabOrder = 5},
    {.name = "BitBtn_Abbrechen", .kind = ControlKind::Button,
     .left = 240, .top = 184, .width = 100, .height = 25, .text = "&Abbrechen", .tabOrder = 6},
    {.name = "Panel1", .kind = ControlKind::Panel,
     .left = 8, .top = 8, .width = 113, .height = 201, .tabOrder = 7},
    {.name = "Image1", .kind = ControlKind::Image,
     .left = 1, .top = 1, .width = 111, .height = 199, .parent = "Panel1", .picture = PictureId::None},
    // Hidden until the install procedure runs.
    {.name = "ProgressBar1", .kind = ControlKind::ProgressBar,
     .left = 128, .top = 161, .width = 316, .height = 15, .tabOrder = 8,
     .visible = false, .rangeMin = 0, .rangeMax = 70},
};

}  // namespace

constinit const FormSpec TForm2::kLayout{.className = "TForm2",
                               // The stored step number is the old one; every
                               // language sets "3/4".
                               .caption = "VelTori Advanced Setup (Schritt 4/4)",
                               .clientWidth = 449,
                               .clientHeight = 215,
                               .border = BorderStyle::Single,
                               .controls = kControls};

TForm2::TForm2(Program& program) : Page(program, kLayout) {
  BitBtn_Weiter.OnClick = [this] { return BitBtn_WeiterClick(); };
  BitBtn_Suchen.OnClick = [this] { BitBtn_SuchenClick(); };
  BitBtn_Abbrechen.OnClick = [this] { BitBtn_AbbrechenClick(); };
  LoadPayload();
}

void TForm2::LoadPayload() {
  // A setup run has checked its payload before any page was made.
  if (program_.CheckedPayload) {
    FileArrayBinder1 = std::move(program_.CheckedPayload);
    return;
  }
  // The uninstaller loads the container too but never uses it: a damaged
  // record leaves it empty, and nothing is said.
  FileArrayBinder1 = LoadPayloadOrEmpty(program_.sys.resources);
}

void TForm2::FormCloseQuery(bool& CanClose) {
  CanClose = false;
  if (program_.ShowMessage(program_.msg.MsgConfirmCancel, MsgKind::Confirmation,
                           {MsgButton::Yes, MsgButton::No}) == MsgButton::Yes) {
    CanClose = true;
    program_.sys.app.Terminate();
  }
}

void TForm2::BitBtn_AbbrechenClick() { CloseQuery(); }

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
  const InstallReport report = RunInstall(
      BuildInstallPlan(choices, sys.app.ExeName(), shortcuts), sys,
      FileArrayBinder1->DateiSammlung(),
      InstallPage{.step = [this] { ProgressBar1.StepIt(); },
                  .warn =
                      [this](std::string MessageTexts::*warning) {
                        program_.ShowMessage(program_.msg.*warning, MsgKind::Warning,
                                             {MsgButton::Ok});
                      },
                  .finish =
                      [this](bool productWritten) {
                        if (!productWritten) program_.Form3->OfferNoProductStart();
                        HandOverTo(*program_.Form3);
                      }});
  // The confirmed folder, for the finish page and the registry routine.
  program_.InstallVerz = report.folder;
  if (!report.failure.Ok()) return report.failure;

  BitBtn_Weiter.SetEnabled(true);
  BitBtn_Abbrechen.SetEnabled(true);
  return {};
}

void TForm2::BitBtn_SuchenClick() {
  const auto chosen =
      BrowseForFolder(program_.sys.shell, csidl::kDrives, program_.msg.TitleChooseFolder);
  if (chosen) Edit_InstallVerz.SetText(InstallDirFromBrowse(*chosen));
}

void TForm2::ProposeRegisteredFolder() {
  Services& sys = program_.sys;
  const std::optional<std::string> registered = RegisteredInstallDir(sys.registry, sys.fs);
  if (registered && IsAcceptableInstallDir(*registered) &&
      !ProtectedFolders(sys.shell, sys.fs).Contains(*registered)) {
    Edit_InstallVerz.SetText(*registered);
  }
}

bool TForm2::VelToriRegistry(bool Install, bool AutoStart, bool UninstallerWritten) {
  const std::string installDir = RegistryInstallDir(
      program_.UninstallMode(), program_.InstallVerz, program_.sys.app.ExeName());
  return vlt::VelToriRegistry(program_.sys.registry, program_.sys.profile, program_.sys.fs,
                              {.installDir = installDir,
                               .install = Install,
                               .autoStart = AutoStart,
                               .uninstallerWritten = UninstallerWritten})
      .Ok();
}

}  // namespace vlt
