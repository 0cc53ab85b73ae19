// The first page: every control kind the driver must handle.
#include <string>

#include "TestApp.h"

namespace vlttestapp {
namespace {

constexpr wchar_t kClassName[] = L"VltTestAppMain";

std::wstring TextOf(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ChosenLanguage(HWND window) {
  return IsDlgButtonChecked(window, kRadioEnglish) == BST_CHECKED ? L"English" : L"Deutsch";
}

// The status line repeats what the program was told, so a test can tell a
// notification that arrived from a state that only changed on the screen.
void ShowStatus(HWND window, const std::wstring& event) {
  std::wstring status = event + L": language=" + ChosenLanguage(window) +
                        L" remember=" + (IsDlgButtonChecked(window, kCheckRemember) == BST_CHECKED ? L"1" : L"0") +
                        L" folder=" + TextOf(GetDlgItem(window, kEditFolder));
  SetDlgItemTextW(window, kStaticStatus, status.c_str());
}

void CreateControls(HWND window) {
  AddControl(window, L"STATIC", L"Please select your language:", WS_VISIBLE, 16, 12, 300, 16, 0);
  AddControl(window, L"BUTTON", L"Deutsch", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 16, 34,
             100, 18, kRadioDeutsch);
  AddControl(window, L"BUTTON", L"English", WS_VISIBLE | BS_AUTORADIOBUTTON, 140, 34, 100, 18, kRadioEnglish);
  CheckRadioButton(window, kRadioDeutsch, kRadioEnglish, kRadioDeutsch);
  AddControl(window, L"BUTTON", L"&Remember me", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 16, 60,
             200, 18, kCheckRemember);
  AddControl(window, L"EDIT", L"C:\\Programme\\Test", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 16,
             86, 300, 22, kEditFolder);
  AddControl(window, L"STATIC", L"", WS_VISIBLE, 16, 116, 420, 16, kStaticStatus);
  AddControl(window, L"STATIC", L"You cannot see me", 0, 16, 136, 200, 16, kStaticHidden);
  AddControl(window, L"BUTTON", L"&Busy", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 340, 150, 100, 25, kButtonBusy);
  AddControl(window, L"BUTTON", L"&Disabled", WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON, 16, 190, 90, 25,
             kButtonDisabled);
  AddControl(window, L"BUTTON", L"&Ask...", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 112, 190, 90, 25, kButtonAsk);
  AddControl(window, L"BUTTON", L"&Save", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 208, 190, 90, 25, kButtonSave);
  AddControl(window, L"BUTTON", L"&Next >>", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 340, 190, 100, 25,
             kButtonNext);
  ShowStatus(window, L"started");
}

void OnCommand(HWND window, int id, int code) {
  switch (id) {
    case kRadioDeutsch:
    case kRadioEnglish:
    case kCheckRemember:
      if (code == BN_CLICKED) ShowStatus(window, L"clicked");
      break;
    case kEditFolder:
      if (code == EN_CHANGE) ShowStatus(window, L"changed");
      break;
    case kButtonAsk: {
      int answer = MessageBoxW(window, L"Shall the status line say yes?", L"Question", MB_YESNO | MB_ICONQUESTION);
      ShowStatus(window, answer == IDYES ? L"answered yes" : L"answered no");
      break;
    }
    case kButtonBusy:
      Sleep(kBusyMilliseconds);
      ShowStatus(window, L"busy done");
      break;
    case kButtonSave:
      ShowStatus(window, SaveSettings(ChosenLanguage(window)));
      break;
    case kButtonNext:
      ShowWindow(FindWindowW(kSecondClassName, nullptr), SW_SHOW);
      ShowWindow(window, SW_HIDE);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls(window);
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      if (MessageBoxW(window, L"Close the test app?", L"Confirmation", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = MainProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassW(&windowClass)) return nullptr;
  return CreateWindowExW(0, kClassName, kMainCaption, WS_OVERLAPPEDWINDOW, 150, 120, 460, 260, nullptr, nullptr,
                         instance, nullptr);
}

}  // namespace vlttestapp
