// Reading other programs' windows: what a screen reader sees.
// Control texts are read with WM_GETTEXT through SendMessageTimeout, because
// GetWindowText does not ask another process's controls (an edit keeps its
// text to itself); a program that does not answer within the time-out
// yields the text "<no answer>". Top-level captions come from the system.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Script.h"

namespace vltdrive {

enum class ButtonKind { NotAButton, Push, Check, Radio, Group, OwnerDraw, Other };

struct WindowInfo {
  HWND hwnd = nullptr;
  int depth = 0;  // 0 for the window itself, 1 for its children ...
  std::string className;
  std::string text;
  bool visible = false;  // shown and all parents shown
  bool enabled = false;
  int controlId = 0;
  ButtonKind buttonKind = ButtonKind::NotAButton;
  std::optional<bool> checked;  // check boxes and radio buttons only
  DWORD processId = 0;
  RECT rect{};  // screen coordinates
};

std::string ReadText(HWND hwnd);
// A top-level window's caption as the system keeps it: no message is sent,
// so it is read even while the program is busy in a long handler.
std::string ReadCaption(HWND hwnd);
std::string ReadClassName(HWND hwnd);
WindowInfo Describe(HWND hwnd, int depth = 0);
const char* KindName(ButtonKind kind);
bool IsCheckable(ButtonKind kind);

// Every top-level window, front to back, hidden ones included.
std::vector<HWND> TopLevelWindows();

// The window and all its descendants, depth first, in child order.
std::vector<WindowInfo> WindowTree(HWND top);

// The frontmost visible top-level window whose caption matches exactly (and,
// when given, whose class name matches without regard to case).
HWND FindVisibleTopLevel(const std::string& caption, const std::string& className);

// The first descendant of `top` that the selector names. Caption selectors
// look at buttons only when `buttonsOnly` is set (a label may carry the same
// text). Among several matches a visible one wins.
std::optional<WindowInfo> FindControl(HWND top, const Selector& selector, bool buttonsOnly);

}  // namespace vltdrive
