#include <windows.h>
#include <objbase.h>

#include "TestApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Apartment COM on the window thread, as the setup program has it: the
  // shortcut written by "Save" needs it.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND main = vlttestapp::CreateMainWindow(instance);
  if (!main || !vlttestapp::CreateSecondWindow(instance)) return 1;
  ShowWindow(main, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return static_cast<int>(message.wParam);
}
