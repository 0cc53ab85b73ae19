#include "platform/win32/Win32FormHost.h"

#include "platform/Errors.h"
#include "platform/win32/PageWindow.h"
#include "platform/win32/SystemMessage.h"

namespace vlt::win32 {

Win32FormHost::Win32FormHost() {
  if (!RegisterPageClass(::GetModuleHandleW(nullptr))) {
    const DWORD error = ::GetLastError();
    throw OsError(SystemMessage(error), error);
  }
  // The pages' layouts are in pixels for this font: 8 points at 96 dots per
  // inch, a character height of 11 pixels. Without it the controls keep the
  // system font, which is no reason to stop.
  font_.Reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
}

std::unique_ptr<FormView> Win32FormHost::CreateForm(Form& form, const FormSpec& spec) {
  return std::make_unique<PageWindow>(form, spec, font_.Get());
}

}  // namespace vlt::win32
