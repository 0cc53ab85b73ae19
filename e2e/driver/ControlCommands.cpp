// Child controls of the current window: reading their state, clicking,
// ticking, typing. Every command waits (up to its time-out) for the control
// to reach the wanted state, so a step may follow a posted click directly.
#include <functional>

#include "Commands.h"
#include "TextMatch.h"
#include "TreeDump.h"
#include "Wide.h"
#include "WindowQuery.h"

namespace vltdrive {
namespace {

struct Lookup {
  Selector selector;
  bool buttonsOnly = false;
};

// Polls until the control exists and `ready` holds for it. On time-out the
// failure names the control and, when it was found, `describeMismatch`.
WindowInfo WaitForControl(Session& session, const Command& command, const Lookup& lookup,
                          const std::function<bool(const WindowInfo&)>& ready,
                          const std::function<std::string(const WindowInfo&)>& describeMismatch) {
  HWND top = RequireWindow(session, command);
  std::optional<WindowInfo> last;
  const double timeout = StepTimeout(session, command);
  bool ok = PollUntil(timeout, [&] {
    last = FindControl(top, lookup.selector, lookup.buttonsOnly);
    return last && ready(*last);
  });
  if (ok) return *last;
  if (!IsWindow(top)) {
    throw StepFailure("the current window " + Quoted(session.windowCaption) + " no longer exists");
  }
  if (!last) {
    throw StepFailure("no " + std::string(lookup.buttonsOnly ? "button " : "") + Describe(lookup.selector) +
                      " in window " + Quoted(session.windowCaption) + " within " + Seconds(timeout));
  }
  WindowInfo control = *last;
  control.depth = 1;
  std::string line = FormatWindow(control);
  throw StepFailure(describeMismatch(*last) + " (after " + Seconds(timeout) + ")\ncontrol:" + line);
}

bool Usable(HWND top, const WindowInfo& control) {
  return control.visible && control.enabled && IsWindowEnabled(top);
}

std::string WhyNotUsable(HWND top, const WindowInfo& control) {
  if (!control.visible) return "the control is hidden";
  if (!control.enabled) return "the control is disabled";
  if (!IsWindowEnabled(top)) return "its window is disabled (a modal box open?)";
  return "the control is usable";
}

void ExpectState(Session& session, const Command& command, bool buttonsOnly, const char* what,
                 const std::function<std::optional<bool>(const WindowInfo&)>& read) {
  const bool wanted = ParseFlagValue(command.args[1], command);
  Lookup lookup{ParseSelector(command.args[0]), buttonsOnly};
  WaitForControl(
      session, command, lookup,
      [&](const WindowInfo& info) {
        std::optional<bool> state = read(info);
        return state && *state == wanted;
      },
      [&](const WindowInfo& info) {
        std::optional<bool> state = read(info);
        if (!state) return "the control has no " + std::string(what) + " state";
        return "wanted " + std::string(wanted ? "" : "not ") + what + ", saw " + (*state ? "" : "not ") +
               what;
      });
}

std::string Name(const WindowInfo& info) {
  return info.className + " " + Quoted(info.text) +
         (info.controlId ? " id=" + std::to_string(info.controlId) : "");
}

}  // namespace

void ExpectText(Session& session, const Command& command) {
  const std::string& wanted = command.args[1];
  const bool part = command.Has("--contains");
  Lookup lookup{ParseSelector(command.args[0]), false};
  WaitForControl(
      session, command, lookup,
      [&](const WindowInfo& info) {
        return part ? info.text.find(wanted) != std::string::npos : info.text == wanted;
      },
      [&](const WindowInfo& info) {
        return std::string(part ? "wanted a text containing " : "wanted text ") + Quoted(wanted) + ", saw " +
               Quoted(info.text);
      });
}

void ExpectChecked(Session& session, const Command& command) {
  ExpectState(session, command, true, "checked", [](const WindowInfo& info) { return info.checked; });
}

void ExpectEnabled(Session& session, const Command& command) {
  ExpectState(session, command, false, "enabled",
              [](const WindowInfo& info) { return std::optional<bool>(info.enabled); });
}

void ExpectVisible(Session& session, const Command& command) {
  ExpectState(session, command, false, "visible",
              [](const WindowInfo& info) { return std::optional<bool>(info.visible); });
}

void Click(Session& session, const Command& command) {
  HWND top = RequireWindow(session, command);
  Lookup lookup{ParseSelector(command.args[0]), true};
  WindowInfo button = WaitForControl(
      session, command, lookup, [&](const WindowInfo& info) { return Usable(top, info); },
      [&](const WindowInfo& info) { return "cannot click: " + WhyNotUsable(top, info); });
  if (command.Has("--sync")) {
    DWORD_PTR ignored = 0;
    const UINT ms = static_cast<UINT>(StepTimeout(session, command) * 1000.0);
    if (!SendMessageTimeoutW(button.hwnd, BM_CLICK, 0, 0, SMTO_NORMAL, ms, &ignored)) {
      throw StepFailure("the click on " + Name(button) + " was not handled within the time-out");
    }
  } else if (!PostMessageW(button.hwnd, BM_CLICK, 0, 0)) {
    throw StepFailure("could not post the click to " + Name(button));
  }
  Say("clicked " + Name(button));
}

void Tick(Session& session, const Command& command) {
  HWND top = RequireWindow(session, command);
  const bool wanted = ParseFlagValue(command.args[1], command);
  Lookup lookup{ParseSelector(command.args[0]), true};
  WindowInfo box = WaitForControl(
      session, command, lookup,
      [&](const WindowInfo& info) { return IsCheckable(info.buttonKind) && Usable(top, info); },
      [&](const WindowInfo& info) {
        return IsCheckable(info.buttonKind) ? "cannot tick: " + WhyNotUsable(top, info)
                                            : std::string("not a check box or radio button");
      });
  if (box.checked == wanted) {
    Say(Name(box) + " is already " + (wanted ? "checked" : "unchecked"));
    return;
  }
  if (box.buttonKind == ButtonKind::Radio && !wanted) {
    throw StepFailure("a radio button is cleared by ticking another one of its group, not by a click: " +
                      Name(box));
  }
  // Sent, not posted: the program has seen BN_CLICKED when this returns.
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(box.hwnd, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored)) {
    throw StepFailure("the click on " + Name(box) + " was not handled within 5 s");
  }
  std::optional<bool> now;
  if (!PollUntil(2.0, [&] { return (now = Describe(box.hwnd, 1).checked) == wanted; })) {
    throw StepFailure("clicked " + Name(box) + " but it is still " + (wanted ? "unchecked" : "checked"));
  }
  Say((wanted ? "checked " : "unchecked ") + Name(box));
}

void SetText(Session& session, const Command& command) {
  HWND top = RequireWindow(session, command);
  const std::string& text = command.args[1];
  Lookup lookup{ParseSelector(command.args[0]), false};
  WindowInfo edit = WaitForControl(
      session, command, lookup, [&](const WindowInfo& info) { return Usable(top, info); },
      [&](const WindowInfo& info) { return "cannot type: " + WhyNotUsable(top, info); });
  std::wstring wide = ToWide(text);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(edit.hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                           5000, &result) ||
      !result) {
    throw StepFailure("the control refused the text: " + Name(edit));
  }
  std::string seen = ReadText(edit.hwnd);
  if (seen != text) {
    throw StepFailure("typed " + Quoted(text) + " but the control holds " + Quoted(seen));
  }
  Say("typed " + Quoted(text) + " into " + edit.className + (edit.controlId ? " id=" + std::to_string(edit.controlId) : ""));
}

}  // namespace vltdrive
