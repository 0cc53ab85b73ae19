#include "startup/Program.h"

#include "install/TForm1.h"
#include "install/TForm2.h"
#include "install/TForm3.h"
#include "lang/MessageBox.h"
#include "lang/TForm_Sprache.h"
#include "payload/FileArrayBinder.h"
#include "platform/CommandLine.h"
#include "uninstall/TForm4.h"

namespace vlt {

Program::Program(Services& services) : sys(services) {}

Program::~Program() {
  // Pages hold references to each other through this object; destroy them
  // while it is still whole.
  Form_Sprache.reset();
  Form4.reset();
  Form1.reset();
  Form2.reset();
  Form3.reset();
}

void Program::PageCreated(Form& page) {
  if (mainForm_ == nullptr) {
    mainForm_ = &page;
    page.SetMain(true);
  }
}

FormContext Program::MakeFormContext() {
  return FormContext{sys.forms, [this] { sys.app.Terminate(); },
                     [this](const std::exception& error) { ShowException(error); }};
}

bool Program::UninstallMode() const { return IsUninstallMode(sys.app.Arguments()); }

MsgButton Program::ShowMessage(const std::string& text, MsgKind kind,
                               std::initializer_list<MsgButton> buttons) {
  return ShowMessageBox(sys.dialog, captions, text, kind, buttons);
}

void Program::ShowException(const std::exception& error) {
  std::string text = error.what();
  // The report ends its text with a full stop, as the framework always did.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBoxRequest request = BuildMessageBox(DialogCaptions{}, text, MsgKind::Error,
                                              {MsgButton::Ok});
  request.title = sys.app.Title();
  sys.dialog.Show(request);
}

}  // namespace vlt
