#include "lang/TForm_Sprache.h"

#include "lang/ApplyLanguage.h"
#include "lang/Language.h"
#include "program/Program.h"

namespace vlt {
namespace {

// The pages this one hands over to, named by class: they stand above the
// language page, which must not know them. The settings page asks the
// program's one cancel question.
constexpr char kLicencePage[] = "TForm1";
constexpr char kSettingsPage[] = "TForm2";
constexpr char kUninstallPage[] = "TForm4";

// The German prompt and flag stand above the German radio button, the
// English ones above the English button.
constexpr ControlSpec kControls[] = {
    {.name = "Panel1", .kind = ControlKind::Panel,
     .left = 8, .top = 8, .width = 113, .height = 201, .tabOrder = 2},
    {.name = "Image1", .kind = ControlKind::Image,
     .left = 1, .top = 1, .width = 111, .height = 199, .parent = "Panel1",
     .picture = PictureId::SideBanner},
    {.name = "Label1", .kind = ControlKind::Label,
     .left = 128, .top = 32, .width = 142, .height = 13, .text = "Bitte Ihre Sprache auswählen:"},
    {.name = "Label2", .kind = ControlKind::Label,
     .left = 296, .top = 32, .width = 136, .height = 13, .text = "Please select your language:"},
    {.name = "Image2", .kind = ControlKind::Image,
     .left = 168, .top = 72, .width = 60, .height = 30, .picture = PictureId::FlagGermany},
    {.name = "Image3", .kind = ControlKind::Image,
     .left = 336, .top = 72, .width = 60, .height = 30, .picture = PictureId::FlagUnitedKingdom},
    {.name = "RadioButton_Deutsch", .kind = ControlKind::RadioButton,
     .left = 168, .top = 120, .width = 65, .height = 17,
     .text = "Deutsch", .checked = true, .tabOrder = 3},
    {.name = "RadioButton_English", .kind = ControlKind::RadioButton,
     .left = 336, .top = 120, .width = 65, .height = 17, .text = "English", .tabOrder = 4},
    {.name = "Bevel1", .kind = ControlKind::Bevel, .left = 128, .top = 176, .width = 316, .height = 2},
    {.name = "BitBtn_Cancel", .kind = ControlKind::Button,
     .left = 240, .top = 184, .width = 100, .height = 25, .text = "&Cancel", .tabOrder = 1},
    // First in tab order: it has the focus when the page opens.
    {.name = "BitBtn_Next", .kind = ControlKind::Button,
     .left = 344, .top = 184, .width = 100, .height = 25, .text = "&Next >>", .tabOrder = 0},
};

}  // namespace

constinit const FormSpec TForm_Sprache::kLayout{.className = "TForm_Sprache",
                                      // Replaced on creation in uninstall mode.
                                      .caption = "VelTori Advanced Setup (Schritt 1/4)",
                                      // 457 x 242 outside less a 4-px frame and 19-px caption: wider frames must not clip the buttons.
                                      .clientWidth = 449,
                                      .clientHeight = 215,
                                      .border = BorderStyle::Sizeable,
                                      .controls = kControls};

TForm_Sprache::TForm_Sprache(Program& program) : Page(program, kLayout) {
  BitBtn_Next.OnClick = [this] { BitBtn_NextClick(); };
  BitBtn_Cancel.OnClick = [this] { BitBtn_CancelClick(); };
  FormCreate();
}

void TForm_Sprache::FormCreate() {
  // The language is not known yet, so the caption is the same in both
  // languages; the uninstaller has no step count.
  SetCaption(program_.UninstallMode() ? "VelTori Advanced Setup"
                                      : "VelTori Advanced Setup (Schritt 1/4)");
}

void TForm_Sprache::BitBtn_NextClick() {
  ApplyLanguage(program_, RadioButton_Deutsch.Checked() ? kDeutschId : kEnglishId);
  HandOverTo(program_.PageNamed(program_.UninstallMode() ? kUninstallPage : kLicencePage));
}

void TForm_Sprache::BitBtn_CancelClick() {
  // No language has been chosen yet: ask the cancel question in English.
  ApplyLanguage(program_, kEnglishId);
  program_.PageNamed(kSettingsPage).CloseQuery();
}

void TForm_Sprache::FormCloseQuery(bool& CanClose) {
  ApplyLanguage(program_, kEnglishId);
  CanClose = program_.PageNamed(kSettingsPage).CloseQuery();
}

}  // namespace vlt
