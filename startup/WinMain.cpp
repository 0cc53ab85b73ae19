// The program's entry: prepares the process the way a setup program must
// (DLL search, common controls, COM), then runs the program on the Win32
// services.
#include "platform/win32/WinApi.h"

#include <commctrl.h>

#include <string>

#include "common/FatalEnd.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"
#include "program/MessageBox.h"
#include "startup/Startup.h"

namespace {

// A setup program usually runs from the downloads folder, where anyone may
// have left a DLL named like a system one. Load DLLs from the system folder
// only, and never from the current directory.
void HardenDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  // Windows 8 and later, or Windows 7 with the update that brought it.
  const FARPROC proc =
      kernel != nullptr ? ::GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
  if (proc != nullptr) {
    const auto setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(proc));
    setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  ::SetDllDirectoryW(L"");
}

// What the program cannot go on from (memory that ran out where nothing can
// give way, a window the system would not make) is reported under the
// program's title, in the built-in captions, and ends the process.
[[noreturn]] void ReportAndEnd(std::string_view message) {
  vlt::MessageBoxRequest request = vlt::BuildMessageBox(
      vlt::DialogCaptions{}, std::string(message), vlt::MsgKind::Error, {vlt::MsgButton::Ok});
  request.title = vlt::kApplicationTitle;
  vlt::win32::Win32MessageDialog().Show(request);
  ::ExitProcess(1);
}

void RegisterControlClasses() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS;
  ::InitCommonControlsEx(&controls);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HardenDllSearch();
  RegisterControlClasses();
  vlt::SetFatalReport(ReportAndEnd);
  const vlt::win32::ComApartment com;
  vlt::win32::Win32Platform platform;
  vlt::Services services = platform.Bundle();
  vlt::RunProgram(services);
  return 0;
}
