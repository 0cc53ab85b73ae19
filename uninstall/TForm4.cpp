#include "uninstall/TForm4.h"

#include <optional>

#include "install/InstallPayload.h"
#include "install/TForm2.h"
#include "program/Program.h"
#include "uninstall/Presence.h"
#include "uninstall/Checklist.h"
#include "uninstall/RemovalPlan.h"
#include "uninstall/RemovalRun.h"

namespace vlt {
namespace {

// One item of the checklist: a check box in the column of items.
constexpr ControlSpec ChecklistBox(std::string_view name, std::int16_t top, std::string_view text,
                                   std::int8_t tabOrder) {
  return {.name = name, .kind = ControlKind::CheckBox, .left = 137, .top = top, .width = 305,
          .height = 17, .text = text, .checked = true, .tabOrder = tabOrder};
}

// All boxes start checked and enabled; the page's creation offers only the
// items it finds installed.
constexpr ControlSpec kControls[] = {
    {.name = "Panel1", .kind = ControlKind::Panel,
     .left = 8, .top = 8, .width = 113, .height = 201, .tabOrder = 2},
    {.name = "Image1", .kind = ControlKind::Image,
     .left = 1, .top = 1, .width = 111, .height = 199, .parent = "Panel1",
     .picture = PictureId::SideBanner},
    {.name = "Label_WasEntfernen", .kind = ControlKind::Label,
     .left = 137, .top = 6, .width = 123, .height = 13, .text = "Was soll entfernt werden?"},
    ChecklistBox("CheckBox_DelExe", 24, "VelTori.exe", 4),
    ChecklistBox("CheckBox_DelHilfe", 39, "Hilfe", 12),
    ChecklistBox("CheckBox_DelRegistry", 54, "Registry-Einträge entfernen", 11),
    ChecklistBox("CheckBox_DelStartmenue", 69, "Einträge im Startmenü", 6),
    ChecklistBox("CheckBox_DelDesktopLnk", 84, "Verknüpfung auf dem Desktop", 7),
    ChecklistBox("CheckBox_DelCfg", 100, "Konfigurationsdatei", 3),
    ChecklistBox("CheckBox_DelPufferText", 115, "Gepufferte Texteinträgen (aktuell)", 5),
    ChecklistBox("CheckBox_DelPufferBild", 130, "Gepufferte Bildeinträge (aktuell)", 10),
    ChecklistBox("CheckBox_DelSontiges", 145, "Sonstige Dateien aus dem VelTori-Verzeichnis", 8),
    ChecklistBox("CheckBox_DelUninst", 161, "Setup bzw. Uninstaller", 9),
    {.name = "Bevel1", .kind = ControlKind::Bevel, .left = 128, .top = 178, .width = 316, .height = 2},
    {.name = "BitBtn_Abbrechen", .kind = ControlKind::Button,
     .left = 240, .top = 184, .width = 100, .height = 25, .text = "&Abbrechen", .tabOrder = 1},
    {.name = "BitBtn_Deinstallieren", .kind = ControlKind::Button,
     .left = 344, .top = 184, .width = 100, .height = 25, .text = "&Deinstallieren", .tabOrder = 0},
};

}  // namespace

constinit const FormSpec TForm4::kLayout{.className = "TForm4",
                               .caption = "VelTori Advanced Deinstallieren",
                               // 457 x 240 outside less a 4-px frame and 19-px caption: wider frames must not clip the buttons.
                               .clientWidth = 449,
                               .clientHeight = 213,
                               .border = BorderStyle::Sizeable,
                               .controls = kControls};

TForm4::TForm4(Program& program) : Page(program, kLayout) {
  BitBtn_Abbrechen.OnClick = [this] { BitBtn_AbbrechenClick(); };
  BitBtn_Deinstallieren.OnClick = [this] { return BitBtn_DeinstallierenClick(); };
  payload_ = LoadPayloadOrEmpty(program_.sys.resources);
  FormCreate();
}

Findings TForm4::LookAtMachine(PresenceQuery& query) {
  Services& sys = program_.sys;
  query = MakePresenceQuery(sys, payload_->DateiSammlung(), sys.app.ExeName());
  return FindWhatIsThere(sys.fs, query);
}

void TForm4::FormCreate() {
  PresenceQuery query;
  const ItemSet offered = OfferedItems(LookAtMachine(query));
  installDir_ = program_.sys.fs.Identity(InstallDirectoryOf(query.exePath));
  // An offered item starts checked, one not offered unchecked and greyed.
  for (const ChecklistRow& row : Checklist()) {
    Control& box = Ctl(row.box);
    box.SetEnabled(offered.Has(row.item));
    box.SetChecked(offered.Has(row.item));
  }
  // Other files may be the user's own (a folder chosen for the install can
  // hold them): deleting them is offered, but only on request.
  CheckBox_DelSontiges.SetChecked(false);
}

void TForm4::BitBtn_AbbrechenClick() { program_.Form2->CloseQuery(); }

void TForm4::FormCloseQuery(bool& CanClose) { CanClose = program_.Form2->CloseQuery(); }

Status TForm4::BitBtn_DeinstallierenClick() {
  Services& sys = program_.sys;
  // The page may have stood open while the machine changed (another
  // install, a folder replaced by a link): an item runs only where what it
  // removes is still there and still this installation's.
  PresenceQuery query;
  const Findings found = LookAtMachine(query);
  const ItemSet now = OfferedItems(found);
  ItemSet chosen;
  for (const ChecklistRow& row : Checklist()) {
    const Control& box = Ctl(row.box);
    chosen.Set(row.item, box.Checked() && box.Enabled() && now.Has(row.item));
  }

  RemovalPaths paths = MakeRemovalPaths(sys.shell, sys.fs, query);
  const bool sameFolder =
      installDir_ && sys.fs.Identity(InstallDirectoryOf(query.exePath)) == installDir_;
  if (!sameFolder) paths.installDirIsLink = true;
  paths.exePath = query.exePath;
  paths.removeFolderWhenEmpty = found.installation && !paths.installDirIsLink;
  // The configuration half of the registry step writes into config.vlt:
  // only into this installation's, in the folder the page looked at.
  paths.configIsOurs = !paths.installDirIsLink && (!paths.onlyOurs || paths.onlyOurs->config);

  // The script is written first: a failure to write it leaves this handler
  // through the default error report before anything is removed, and the
  // page stays open for another try.
  const RemovalReport report = RunRemoval(BuildRemovalPlan(chosen, paths), sys);
  if (!report.failure.Ok()) return report.failure;
  program_.ShowMessage(program_.msg.MsgUninstallDone, MsgKind::Information, {MsgButton::Ok});
  // Started only now, as the program ends: the script's bounded wait for
  // the executable begins when the user has closed the message, however
  // long that stayed open.
  if (report.selfRemoval) {
    IgnoreFailure(sys.shell.Execute(*report.selfRemoval),
                  "the program ends now either way; a script that did not start leaves the "
                  "uninstaller, which the next removal offers again");
  }
  sys.app.Terminate();
  return {};
}

}  // namespace vlt
