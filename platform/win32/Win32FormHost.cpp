#include "platform/win32/Win32FormHost.h"

#include "common/FatalEnd.h"
#include "platform/win32/PageWindow.h"
#include "platform/win32/SystemMessage.h"

namespace vlt::win32 {

Win32FormHost::Win32FormHost() {
  if (!RegisterPageClass(::GetModuleHandleW(nullptr))) {
    // Out of window resources: nothing can be shown without it.
    EndWithFailure(SystemMessage(::GetLastError()));
  }
}

std::unique_ptr<FormView> Win32FormHost::CreateForm(Form& form, const FormSpec& spec) {
  return std::make_unique<PageWindow>(form, spec);
}

}  // namespace vlt::win32
