#include "install/TForm1.h"

#include "startup/Program.h"

namespace vlt {
namespace {

const ControlSpec kControls[] = {
    {.name = "Panel1", .kind = ControlKind::Panel, .left = 8, .top = 8, .width = 113, .height = 201},
};

}  // namespace

const FormSpec TForm1::kLayout{.className = "TForm1",
                          .caption = "VelTori Advanced Setup (Schritt 2/4)",
                          .clientWidth = 449,
                          .clientHeight = 215,
                          .border = BorderStyle::Single,
                          .controls = kControls};

TForm1::TForm1(Program& program) : Form(program.MakeFormContext(), kLayout), program_(program) {
  program_.PageCreated(*this);
}

}  // namespace vlt
