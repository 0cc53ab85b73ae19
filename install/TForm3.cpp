#include "install/TForm3.h"

#include "startup/Program.h"

namespace vlt {
namespace {

const ControlSpec kControls[] = {
    {.name = "Panel1", .kind = ControlKind::Panel, .left = 8, .top = 8, .width = 113, .height = 201},
};

}  // namespace

const FormSpec TForm3::kLayout{.className = "TForm3",
                          .caption = "VelTori Advanced Setup (Schritt 3/3)",
                          .clientWidth = 449,
                          .clientHeight = 215,
                          .border = BorderStyle::Single,
                          .controls = kControls};

TForm3::TForm3(Program& program) : Form(program.MakeFormContext(), kLayout), program_(program) {
  program_.PageCreated(*this);
}

}  // namespace vlt
