// Stands in for a running copy of the product: a window that stays until
// its process is ended, under the product's exe name (veltori.exe).
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"VelToriStandIn";
constexpr wchar_t kCaption[] = L"veltori stand-in";

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = StandInProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, 40, 40, 300, 120, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  CreateWindowExW(0, L"STATIC", L"Runs until its process is ended.", WS_CHILD | WS_VISIBLE, 12, 12, 260, 20, window,
                  nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
