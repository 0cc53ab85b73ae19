// Top-level windows: finding them, waiting for them to go, closing, dumping.
#include "Commands.h"
#include "TextMatch.h"
#include "TreeDump.h"
#include "WindowQuery.h"

namespace vltdrive {
namespace {

std::string WindowLabel(const std::string& caption, const std::string& className) {
  return "window " + Quoted(caption) + (className.empty() ? "" : " of class " + className);
}

}  // namespace

void WaitWindow(Session& session, const Command& command) {
  const std::string& caption = command.args[0];
  const std::string className = command.Option("--class");
  const double timeout = StepTimeout(session, command);
  HWND found = nullptr;
  if (!PollUntil(timeout, [&] { return (found = FindVisibleTopLevel(caption, className)) != nullptr; })) {
    throw StepFailure("no visible " + WindowLabel(caption, className) + " appeared within " +
                      Seconds(timeout));
  }
  SetCurrentWindow(session, found, caption);
  Say("found " + FormatWindow(Describe(found)));
}

void ExpectWindow(Session&, const Command& command) {
  const std::string& caption = command.args[0];
  const std::string className = command.Option("--class");
  if (!FindVisibleTopLevel(caption, className)) {
    throw StepFailure("no visible " + WindowLabel(caption, className));
  }
  if (command.Has("--for")) {
    const double seconds = ParseSeconds(command.Option("--for"), command);
    if (!HoldsFor(seconds, [&] { return FindVisibleTopLevel(caption, className) != nullptr; })) {
      throw StepFailure(WindowLabel(caption, className) + " went away within " + Seconds(seconds));
    }
    Say("still there after " + Seconds(seconds));
  }
}

void WaitGone(Session& session, const Command& command) {
  const double timeout = StepTimeout(session, command);
  if (!command.args.empty()) {
    const std::string& caption = command.args[0];
    const std::string className = command.Option("--class");
    if (!PollUntil(timeout, [&] { return FindVisibleTopLevel(caption, className) == nullptr; })) {
      throw StepFailure(WindowLabel(caption, className) + " is still shown after " + Seconds(timeout));
    }
    return;
  }
  HWND hwnd = RequireWindow(session, command);
  if (!PollUntil(timeout, [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); })) {
    throw StepFailure("the current window " + Quoted(session.windowCaption) + " is still shown after " +
                      Seconds(timeout));
  }
  Say(IsWindow(hwnd) ? "hidden" : "destroyed");
}

void ExpectTitle(Session& session, const Command& command) {
  HWND hwnd = RequireWindow(session, command);
  const std::string& wanted = command.args[0];
  std::string seen;
  if (!PollUntil(StepTimeout(session, command), [&] { return (seen = ReadCaption(hwnd)) == wanted; })) {
    throw StepFailure("wanted title " + Quoted(wanted) + ", saw " + Quoted(seen));
  }
}

void CloseWindow(Session& session, const Command& command) {
  HWND hwnd = RequireWindow(session, command);
  if (!PostMessageW(hwnd, WM_CLOSE, 0, 0)) {
    throw StepFailure("could not post WM_CLOSE to " + Quoted(session.windowCaption) + " (window gone?)");
  }
}

void Dump(Session& session, const Command& command) {
  if (command.Has("--all") || !session.window) {
    Say(DumpScreen(command.Has("--all")));
  } else {
    Say(DumpTree(session.window));
  }
}

void ListWindows(Session&, const Command&) {
  std::string text;
  for (HWND hwnd : TopLevelWindows()) text += FormatWindow(Describe(hwnd)) + "\n";
  Say(text);
}

}  // namespace vltdrive
