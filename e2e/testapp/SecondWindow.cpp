// The second page: shown by "Next", it ends the program with a known code.
#include "TestApp.h"

namespace vlttestapp {
namespace {

LRESULT CALLBACK SecondProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      AddControl(window, L"STATIC", L"Second page: Finish ends the program.", WS_VISIBLE, 16, 16, 300, 16, 0);
      AddControl(window, L"BUTTON", L"&Finish", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 340, 190, 100, 25,
                 kButtonFinish);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonFinish) PostQuitMessage(kFinishExitCode);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateSecondWindow(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = SecondProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kSecondClassName;
  if (!RegisterClassW(&windowClass)) return nullptr;
  return CreateWindowExW(0, kSecondClassName, kSecondCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 150, 120, 460,
                         260, nullptr, nullptr, instance, nullptr);
}

}  // namespace vlttestapp
