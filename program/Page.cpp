#include "program/Page.h"

#include "program/Program.h"

namespace vlt {

namespace {
constexpr char kSidePicture[] = "Image1";
}  // namespace

Page::Page(Program& program, const FormSpec& layout)
    : Form(program.MakeFormContext(), layout), program_(program) {
  program_.PageCreated(*this);
}

void Page::HandOverTo(Page& next) {
  next.Ctl(kSidePicture).SetPicture(Ctl(kSidePicture).Picture());
  next.Show();
  Hide();
}

}  // namespace vlt
