#pragma once
// The form runtime on Windows: every page a window of the page class, in the
// pages' font (8 points at the window's DPI) on the button-face colour.
#include "forms/FormHost.h"

namespace vlt::win32 {

class Win32FormHost : public FormHost {
 public:
  // Registers the page class; ends the program with the system's message
  // when that fails.
  Win32FormHost();
  std::unique_ptr<FormView> CreateForm(Form& form, const FormSpec& spec) override;
};

}  // namespace vlt::win32
