#include "install/TForm1.h"

#include "install/TForm2.h"
#include "program/Program.h"

namespace vlt {
namespace {

constexpr ControlSpec kControls[] = {
    {.name = "Bevel1", .kind = ControlKind::Bevel, .left = 128, .top = 176, .width = 316, .height = 2},
    {.name = "BitBtn_Install", .kind = ControlKind::Button,
     .left = 344, .top = 184, .width = 100, .height = 25,
     .text = "&Installieren >>", .tabOrder = 0},
    {.name = "BitBtn_Abbrechen", .kind = ControlKind::Button,
     .left = 240, .top = 184, .width = 100, .height = 25,
     .text = "&Abbrechen", .tabOrder = 1},
    // The memo's name for screen readers: no label shows on the page, so a
    // hidden one stands before the memo in z-order.
    {.name = "Label_Lizenzvereinbarung", .kind = ControlKind::Label,
     .left = 128, .top = 8, .width = 0, .height = 0, .text = "Lizenzvereinbarung",
     .visible = false, .names = "Memo_Lizentext"},
    // Editable, but what the user types goes nowhere; the text arrives with
    // the language.
    {.name = "Memo_Lizentext", .kind = ControlKind::Memo,
     .left = 128, .top = 8, .width = 316, .height = 161, .tabOrder = 2},
    {.name = "Panel1", .kind = ControlKind::Panel,
     .left = 8, .top = 8, .width = 113, .height = 201, .tabOrder = 3},
    {.name = "Image1", .kind = ControlKind::Image,
     .left = 1, .top = 1, .width = 111, .height = 199, .parent = "Panel1", .picture = PictureId::None},
};

}  // namespace

constinit const FormSpec TForm1::kLayout{.className = "TForm1",
                               .caption = "VelTori Advanced Setup (Schritt 2/4)",
                               .clientWidth = 449,
                               .clientHeight = 215,
                               .border = BorderStyle::Single,
                               .controls = kControls};

TForm1::TForm1(Program& program) : Page(program, kLayout) {
  BitBtn_Install.OnClick = [this] { BitBtn_InstallClick(); };
  BitBtn_Abbrechen.OnClick = [this] { BitBtn_AbbrechenClick(); };
}

void TForm1::BitBtn_InstallClick() {
  program_.Form2->ProposeRegisteredFolder();
  HandOverTo(*program_.Form2);
}

void TForm1::BitBtn_AbbrechenClick() { program_.Form2->CloseQuery(); }

void TForm1::FormCloseQuery(bool& CanClose) { CanClose = program_.Form2->CloseQuery(); }

}  // namespace vlt
