#include "uninstall/TForm4.h"

#include "startup/Program.h"

namespace vlt {
namespace {

const ControlSpec kControls[] = {
    {.name = "Panel1", .kind = ControlKind::Panel, .left = 8, .top = 8, .width = 113, .height = 201},
};

}  // namespace

const FormSpec TForm4::kLayout{.className = "TForm4",
                          .caption = "VelTori Advanced Deinstallieren",
                          .clientWidth = 449,
                          .clientHeight = 215,
                          .border = BorderStyle::Single,
                          .controls = kControls};

TForm4::TForm4(Program& program) : Form(program.MakeFormContext(), kLayout), program_(program) {
  program_.PageCreated(*this);
}

}  // namespace vlt
