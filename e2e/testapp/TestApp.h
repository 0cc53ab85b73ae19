// A small program with the kinds of windows the setup program shows: a page
// with radio buttons, a check box, an edit and push buttons; a message box;
// a second page that ends the program with a known exit code. The driver's
// self-test works it; every notification it receives shows in its status
// line, so a test sees what the program saw.
#pragma once

#include <windows.h>

#include <string>

namespace vlttestapp {

inline constexpr wchar_t kMainCaption[] = L"VelTori Driver Test App";
inline constexpr wchar_t kSecondCaption[] = L"VelTori Driver Test App (page 2)";
inline constexpr wchar_t kSecondClassName[] = L"VltTestAppSecond";
inline constexpr int kFinishExitCode = 7;

enum ControlId {
  kRadioDeutsch = 101,
  kRadioEnglish,
  kCheckRemember,
  kEditFolder,
  kStaticStatus,
  kButtonAsk,
  kButtonDisabled,
  kStaticHidden,
  kButtonSave,
  kButtonNext,
  kButtonFinish,
  kButtonBusy,
};

// How long "Busy" keeps the window thread from answering: like the setup
// program's install procedure, which runs inside a click handler.
inline constexpr DWORD kBusyMilliseconds = 3000;

// Window classes and windows; both return null on failure.
HWND CreateMainWindow(HINSTANCE instance);
HWND CreateSecondWindow(HINSTANCE instance);

// Writes what the "Save" button stands for: a shortcut to this program on
// the desktop, an INI file and a registry value, all naming `language`.
// Returns a short report for the status line.
std::wstring SaveSettings(const std::wstring& language);

// Creates a child control with the GUI font.
HWND AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                int width, int height, int id);

}  // namespace vlttestapp
