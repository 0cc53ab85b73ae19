// Key presses, as a user at the keyboard makes them: the current window is
// brought to the front and the keys go through SendInput into the system's
// input queue, so they reach whatever control has the focus, through the
// program's own message loop and the dialog manager. Input is asynchronous:
// a script waits for the effect of a key (expect-focus, wait-window, ...)
// before it relies on it.
#include <vector>

#include "Commands.h"
#include "KeyChord.h"
#include "TextMatch.h"
#include "Wide.h"
#include "WindowQuery.h"

namespace vltdrive {
namespace {

GUITHREADINFO GuiThreadOf(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) info.hwndFocus = nullptr;
  return info;
}

std::string DescribeFocus(HWND focus) {
  if (focus == nullptr) return "no window";
  const WindowInfo info = Describe(focus);
  return info.className + " " + Quoted(info.text) + (info.controlId ? " id=" + std::to_string(info.controlId) : "");
}

// Makes the current window the active one with the keyboard focus inside it,
// as a click on its title bar would, and waits until its thread says so:
// keys sent earlier would go to whatever window was in front.
void ToTheFront(Session& session, const Command& command) {
  HWND top = RequireWindow(session, command);
  if (!IsWindow(top)) throw StepFailure("the current window " + Quoted(session.windowCaption) + " no longer exists");
  if (!IsWindowVisible(top)) throw StepFailure("the current window " + Quoted(session.windowCaption) + " is hidden");
  if (!IsWindowEnabled(top)) {
    throw StepFailure("the current window " + Quoted(session.windowCaption) +
                      " is disabled (a modal box open? make it the current window with wait-window)");
  }
  const double timeout = StepTimeout(session, command);
  GUITHREADINFO info{};
  const bool ready = PollUntil(timeout, [&] {
    if (GetForegroundWindow() != top) SetForegroundWindow(top);
    info = GuiThreadOf(top);
    return GetForegroundWindow() == top && info.hwndActive == top &&
           (info.hwndFocus == top || IsChild(top, info.hwndFocus));
  });
  if (!ready) {
    throw StepFailure("could not bring " + Quoted(session.windowCaption) + " to the front with the focus in it within " +
                      Seconds(timeout) + "; the front window is " + Quoted(ReadCaption(GetForegroundWindow())) +
                      ", the focus on " + DescribeFocus(info.hwndFocus));
  }
}

// The navigation block's keys, not the number pad's.
bool IsExtendedKey(WORD virtualKey) {
  return (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT ||
         virtualKey == VK_DELETE;
}

INPUT KeyEvent(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

INPUT UnicodeEvent(wchar_t unit, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = unit;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

// The modifiers go down before the key and up after it, in reverse order.
void AddChord(std::vector<INPUT>& inputs, bool shift, bool ctrl, bool alt, WORD virtualKey) {
  std::vector<WORD> held;
  if (shift) held.push_back(VK_SHIFT);
  if (ctrl) held.push_back(VK_CONTROL);
  if (alt) held.push_back(VK_MENU);
  for (WORD modifier : held) inputs.push_back(KeyEvent(modifier, false));
  inputs.push_back(KeyEvent(virtualKey, false));
  inputs.push_back(KeyEvent(virtualKey, true));
  for (auto it = held.rbegin(); it != held.rend(); ++it) inputs.push_back(KeyEvent(*it, true));
}

void Send(std::vector<INPUT>& inputs, const std::string& what) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) {
    throw StepFailure("SendInput took " + std::to_string(sent) + " of " + std::to_string(inputs.size()) +
                      " key events for " + what + " (error " + std::to_string(GetLastError()) + ")");
  }
}

}  // namespace

void PressKeys(Session& session, const Command& command) {
  ToTheFront(session, command);
  std::string keys;
  for (const std::string& word : command.args) {
    const KeyChord chord = ParseKeyChord(word);
    std::vector<INPUT> inputs;
    AddChord(inputs, chord.shift, chord.ctrl, chord.alt, chord.virtualKey);
    Send(inputs, Describe(chord));
    keys += (keys.empty() ? "" : " ") + Describe(chord);
  }
  Say("pressed " + keys + " in " + Quoted(session.windowCaption));
}

void TypeText(Session& session, const Command& command) {
  ToTheFront(session, command);
  const std::wstring text = ToWide(command.args[0]);
  std::vector<INPUT> inputs;
  int unicodeUnits = 0;
  for (wchar_t unit : text) {
    // The key of the keyboard layout that makes the character, with the
    // shift state it needs; a character without one comes as a Unicode
    // packet, as an on-screen keyboard sends it.
    const SHORT scan = VkKeyScanW(unit);
    if (scan == -1 || (unit >= 0xD800 && unit <= 0xDFFF)) {
      inputs.push_back(UnicodeEvent(unit, false));
      inputs.push_back(UnicodeEvent(unit, true));
      ++unicodeUnits;
      continue;
    }
    const int shiftState = (scan >> 8) & 0xFF;
    AddChord(inputs, (shiftState & 1) != 0, (shiftState & 2) != 0, (shiftState & 4) != 0,
             static_cast<WORD>(scan & 0xFF));
  }
  if (!inputs.empty()) Send(inputs, Quoted(command.args[0]));
  Say("typed " + Quoted(command.args[0]) + " key by key into " + Quoted(session.windowCaption) +
      (unicodeUnits ? " (" + std::to_string(unicodeUnits) + " characters as Unicode packets)" : ""));
}

void ExpectFocus(Session& session, const Command& command) {
  HWND top = RequireWindow(session, command);
  const Selector selector = ParseSelector(command.args[0]);
  const double timeout = StepTimeout(session, command);
  std::optional<WindowInfo> control;
  HWND focus = nullptr;
  const bool ok = PollUntil(timeout, [&] {
    control = FindControl(top, selector, false);
    focus = GuiThreadOf(top).hwndFocus;
    return control && focus == control->hwnd;
  });
  if (ok) {
    Say("the focus is on " + DescribeFocus(focus));
    return;
  }
  if (!control) {
    throw StepFailure("no " + Describe(selector) + " in window " + Quoted(session.windowCaption) + " within " +
                      Seconds(timeout));
  }
  throw StepFailure("wanted the focus on " + DescribeFocus(control->hwnd) + ", it is on " + DescribeFocus(focus) +
                    " (after " + Seconds(timeout) + ")");
}

}  // namespace vltdrive
