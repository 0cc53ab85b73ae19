#include "startup/Page.h"

#include "startup/Program.h"

namespace vlt {

Page::Page(Program& program, const FormSpec& layout)
    : Form(program.MakeFormContext(), layout), program_(program) {
  program_.PageCreated(*this);
}

}  // namespace vlt
