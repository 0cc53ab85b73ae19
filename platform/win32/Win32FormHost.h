#pragma once
// The form runtime on Windows: every page a window of the page class, in the
// pages' font ("MS Sans Serif", 8 points) on the button-face colour.
#include "forms/FormHost.h"
#include "platform/win32/Handles.h"

namespace vlt::win32 {

class Win32FormHost : public FormHost {
 public:
  // Registers the page class; raises OsError when that fails.
  Win32FormHost();
  // Pages must be gone before the host: they use its font.
  std::unique_ptr<FormView> CreateForm(Form& form, const FormSpec& spec) override;

 private:
  UniqueFont font_;
};

}  // namespace vlt::win32
