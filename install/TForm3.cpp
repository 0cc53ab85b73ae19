#include "install/TForm3.h"

#include "install/FinishStarts.h"
#include "install/ProductFiles.h"
#include "program/Program.h"

namespace vlt {
namespace {

constexpr ControlSpec kControls[] = {
    {.name = "Bevel1", .kind = ControlKind::Bevel, .left = 128, .top = 176, .width = 316, .height = 2},
    // The stored note names a second host of the product and ends in a blank;
    // each language replaces it with the site's address.
    {.name = "Label_Installationerfolgreich", .kind = ControlKind::WrapLabel,
     .left = 136, .top = 8, .width = 305, .height = 46,
     .text = "Die Installation von VelTori Advanced ist jetzt abgeschlossen. Falls Sie Fragen "
             "haben, lesen Sie die Hilfe von VelTori und/oder besuchen Sie die Webseite "
             "(" VELTORI_WEBSITE_HOST_ALT "). "},
    {.name = "Label_VielSpass", .kind = ControlKind::Label,
     .left = 136, .top = 152, .width = 48, .height = 13, .text = "Viel Spaß!"},
    {.name = "Label_StandardHotkey", .kind = ControlKind::Label,
     .left = 136, .top = 56, .width = 258, .height = 13,
     .text = "Hinweis: Die Standardaufruftaste ist die Taste \"Rollen\""},
    {.name = "BitBtn_FertigStellen", .kind = ControlKind::Button,
     .left = 344, .top = 184, .width = 100, .height = 25, .text = "&Fertigstellen", .tabOrder = 0},
    // The web-site box stands above the start box but follows it in tab order.
    {.name = "CheckBox_VelToriJetztStarten", .kind = ControlKind::CheckBox,
     .left = 136, .top = 108, .width = 281, .height = 17,
     .text = "VelTori jetzt starten", .checked = true, .tabOrder = 1},
    {.name = "CheckBox_WebseiteBesuchen", .kind = ControlKind::CheckBox,
     .left = 136, .top = 88, .width = 281, .height = 17,
     .text = "VelTori Webseite jetzt besuchen", .checked = true, .tabOrder = 2},
    {.name = "Panel1", .kind = ControlKind::Panel,
     .left = 8, .top = 8, .width = 113, .height = 201, .tabOrder = 3},
    {.name = "Image1", .kind = ControlKind::Image,
     .left = 1, .top = 1, .width = 111, .height = 199, .parent = "Panel1", .picture = PictureId::None},
};

}  // namespace

constinit const FormSpec TForm3::kLayout{.className = "TForm3",
                               // The stored step number is the old one; every
                               // language sets "4/4".
                               .caption = "VelTori Advanced Setup (Schritt 3/3)",
                               .clientWidth = 449,
                               .clientHeight = 215,
                               .border = BorderStyle::Single,
                               .controls = kControls};

TForm3::TForm3(Program& program) : Page(program, kLayout) {
  BitBtn_FertigStellen.OnClick = [this] { BitBtn_FertigStellenClick(); };
}

void TForm3::BitBtn_FertigStellenClick() {
  // Product first, web site second, then the end; nothing waits for either.
  if (CheckBox_VelToriJetztStarten.Checked()) {
    IgnoreFailure(program_.sys.shell.Execute(ProductStartRequest(program_.InstallVerz)),
                  "the user sees whether it started; the setup is done either way");
  }
  if (CheckBox_WebseiteBesuchen.Checked()) {
    IgnoreFailure(program_.sys.shell.Execute(WebSiteRequest(product::kWebSite)),
                  "the user sees whether the browser opened");
  }
  program_.sys.app.Terminate();
}

void TForm3::OfferNoProductStart() {
  CheckBox_VelToriJetztStarten.SetChecked(false);
  CheckBox_VelToriJetztStarten.SetEnabled(false);
}

void TForm3::FormCloseQuery(bool& CanClose) {
  BitBtn_FertigStellenClick();
  CanClose = true;
}

}  // namespace vlt
