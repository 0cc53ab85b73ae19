#include "lang/TForm_Sprache.h"

#include "startup/Program.h"

namespace vlt {
namespace {

const ControlSpec kControls[] = {
    {.name = "Panel1", .kind = ControlKind::Panel, .left = 8, .top = 8, .width = 113, .height = 201},
};

}  // namespace

const FormSpec TForm_Sprache::kLayout{.className = "TForm_Sprache",
                          .caption = "VelTori Advanced Setup (Schritt 1/4)",
                          .clientWidth = 449,
                          .clientHeight = 215,
                          .border = BorderStyle::Single,
                          .controls = kControls};

TForm_Sprache::TForm_Sprache(Program& program) : Form(program.MakeFormContext(), kLayout), program_(program) {
  program_.PageCreated(*this);
}

}  // namespace vlt
