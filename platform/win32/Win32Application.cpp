#include "platform/win32/Win32Application.h"

#include "platform/win32/SystemMessage.h"

#include "forms/Form.h"
#include "platform/CommandLine.h"
#include "platform/win32/PageWindow.h"
#include "platform/portable/Utf16.h"
#include "platform/win32/WinApi.h"

namespace vlt::win32 {

std::string Win32Application::ExeName() const {
  // The path may be longer than MAX_PATH; grow until it fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return WideToUtf8(buffer);
    }
    if (buffer.size() >= 65536) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::vector<std::string> Win32Application::Arguments() const {
  std::vector<std::string> arguments = SplitCommandLine(WideToUtf8(::GetCommandLineW()));
  if (!arguments.empty()) arguments.erase(arguments.begin());  // the program's own path
  return arguments;
}

void Win32Application::Run(Form& mainForm) {
  if (terminated_) return;
  mainForm.Show();
  MSG msg;
  while (!terminated_ && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslatePageMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void Win32Application::Terminate() {
  terminated_ = true;
  ::PostQuitMessage(0);
}

std::string Win32Application::SystemMessage(std::uint32_t code) const {
  return win32::SystemMessage(code);
}

}  // namespace vlt::win32
