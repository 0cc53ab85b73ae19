// Message boxes: dialog windows of class #32770 whose text sits in static
// controls and whose answers are buttons. Pressing an answer is posted: the
// box's owner is inside a modal loop that returns only when the box ends.
#include "Commands.h"
#include "TextMatch.h"
#include "TreeDump.h"
#include "WindowQuery.h"

namespace vltdrive {
namespace {

constexpr const char* kDialogClass = "#32770";

struct MessageBoxView {
  HWND hwnd = nullptr;
  std::string title;
  std::vector<std::string> texts;    // non-empty static texts, in child order
  std::vector<std::string> buttons;  // visible button captions, in child order
};

std::optional<MessageBoxView> FrontMessageBox(const std::string& title) {
  for (HWND hwnd : TopLevelWindows()) {
    if (!IsWindowVisible(hwnd) || !EqualsNoCase(ReadClassName(hwnd), kDialogClass)) continue;
    MessageBoxView view;
    view.hwnd = hwnd;
    view.title = ReadCaption(hwnd);
    if (!title.empty() && view.title != title) continue;
    for (const WindowInfo& info : WindowTree(hwnd)) {
      if (info.depth == 0) continue;
      if (EqualsNoCase(info.className, "Static") && !info.text.empty()) view.texts.push_back(info.text);
      if (info.buttonKind != ButtonKind::NotAButton && info.visible) view.buttons.push_back(info.text);
    }
    return view;
  }
  return std::nullopt;
}

std::string Summary(const MessageBoxView& box) {
  std::string text = "message box " + Quoted(box.title) + ":";
  for (const std::string& line : box.texts) text += " " + Quoted(line);
  text += "\n  buttons:";
  for (const std::string& caption : box.buttons) text += " [" + caption + "]";
  return text;
}

bool SaysText(const MessageBoxView& box, const std::string& wanted) {
  for (const std::string& text : box.texts) {
    if (MessageTextMatches(text, wanted)) return true;
  }
  return false;
}

MessageBoxView WaitForBox(Session& session, const Command& command, const std::string* wantedText) {
  const std::string title = command.Option("--title");
  const double timeout = StepTimeout(session, command);
  std::optional<MessageBoxView> box;
  bool ok = PollUntil(timeout, [&] {
    box = FrontMessageBox(title);
    return box && (!wantedText || SaysText(*box, *wantedText));
  });
  if (ok) return *box;
  std::string wanted = "message box" + (title.empty() ? "" : " " + Quoted(title));
  if (!box) throw StepFailure("no " + wanted + " appeared within " + Seconds(timeout));
  throw StepFailure("wanted text " + Quoted(*wantedText) + " in the " + wanted + ", saw " + Summary(*box));
}

void Press(Session& session, const Command& command, const MessageBoxView& box, const std::string& caption) {
  std::optional<WindowInfo> button = FindControl(box.hwnd, ParseSelector(caption), true);
  if (!button || !button->visible) {
    throw StepFailure("the message box has no button " + Quoted(caption) + "; " + Summary(box));
  }
  if (!PostMessageW(button->hwnd, BM_CLICK, 0, 0)) {
    throw StepFailure("could not post the click to button " + Quoted(button->text));
  }
  const double timeout = StepTimeout(session, command);
  if (!PollUntil(timeout, [&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); })) {
    throw StepFailure("pressed " + Quoted(button->text) + " but the box is still open after " +
                      Seconds(timeout));
  }
  Say("answered " + Quoted(button->text));
}

}  // namespace

void ExpectMessageBox(Session& session, const Command& command) {
  MessageBoxView box = WaitForBox(session, command, &command.args[0]);
  Say(Summary(box));
  if (command.Has("--answer")) Press(session, command, box, command.Option("--answer"));
}

void AnswerMessageBox(Session& session, const Command& command) {
  MessageBoxView box = WaitForBox(session, command, nullptr);
  Say(Summary(box));
  Press(session, command, box, command.args[0]);
}

}  // namespace vltdrive
