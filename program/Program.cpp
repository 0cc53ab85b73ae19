#include "program/Program.h"

#include "common/Concat.h"
#include "common/FatalEnd.h"
#include "payload/FileArrayBinder.h"
#include "program/FailureText.h"
#include "program/MessageBox.h"
#include "program/RunMode.h"

namespace vlt {

Program::Program(Services& services) : sys(services) {}

Program::~Program() {
  // Pages hold references to each other through this object; destroy them
  // while it is still whole.
  Form_Sprache = nullptr;
  Form1 = nullptr;
  Form2 = nullptr;
  Form3 = nullptr;
  Form4 = nullptr;
  for (std::unique_ptr<Page>& page : pages_) page.reset();
}

Page* Program::FindPage(std::string_view className) const {
  for (const std::unique_ptr<Page>& page : pages_) {
    if (page && page->ClassName() == className) return page.get();
  }
  return nullptr;
}

Page& Program::PageNamed(std::string_view className) const {
  if (Page* page = FindPage(className)) return *page;
  EndWithFailure(Concat({"no page ", className}));
}

void Program::PageCreated(Form& page) {
  if (mainForm_ == nullptr) {
    mainForm_ = &page;
    page.SetMain(true);
  }
}

FormContext Program::MakeFormContext() {
  return FormContext{sys.forms, [this] { sys.app.Terminate(); },
                     [this](const Failure& failure) { ShowFailure(failure); }};
}

bool Program::UninstallMode() const { return IsUninstallMode(sys.app.Arguments()); }

MsgButton Program::ShowMessage(const std::string& text, MsgKind kind,
                               std::initializer_list<MsgButton> buttons) {
  return ShowMessageBox(sys.dialog, captions, text, kind, buttons);
}

void Program::ShowFailure(const Failure& failure) {
  std::string text = FailureText(failure, sys.app.SystemMessage(failure.code));
  // The report ends its text with a full stop, as the framework always did.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBoxRequest request = BuildMessageBox(DialogCaptions{}, text, MsgKind::Error,
                                              {MsgButton::Ok});
  request.title = sys.app.Title();
  sys.dialog.Show(request);
}

}  // namespace vlt
