#include "WindowQuery.h"

#include "TextMatch.h"
#include "Wide.h"

namespace vltdrive {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;

ButtonKind ButtonKindOf(HWND hwnd, const std::string& className) {
  if (!EqualsNoCase(className, "Button")) return ButtonKind::NotAButton;
  switch (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return ButtonKind::Push;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return ButtonKind::Check;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return ButtonKind::Radio;
    case BS_GROUPBOX:
      return ButtonKind::Group;
    case BS_OWNERDRAW:
      return ButtonKind::OwnerDraw;
    default:
      return ButtonKind::Other;
  }
}

void Collect(HWND hwnd, int depth, std::vector<WindowInfo>& out) {
  out.push_back(Describe(hwnd, depth));
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    Collect(child, depth + 1, out);
  }
}

BOOL CALLBACK AddTopLevel(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

bool Selects(const Selector& selector, const WindowInfo& info, bool buttonsOnly) {
  switch (selector.kind) {
    case Selector::Kind::ControlId:
      return info.controlId == selector.id;
    case Selector::Kind::ClassName:
      return EqualsNoCase(info.className, selector.text);
    case Selector::Kind::Caption:
      if (buttonsOnly && info.buttonKind == ButtonKind::NotAButton) return false;
      return CaptionMatches(info.text, selector.text);
  }
  return false;
}

}  // namespace

std::string ReadText(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length)) {
    return "<no answer>";
  }
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
    return "<no answer>";
  }
  buffer.resize(static_cast<size_t>(copied) < buffer.size() ? static_cast<size_t>(copied) : 0);
  return ToUtf8(buffer);
}

std::string ReadCaption(HWND hwnd) {
  wchar_t caption[512] = {};
  int length = GetWindowTextW(hwnd, caption, 512);
  return ToUtf8(std::wstring_view(caption, length > 0 ? static_cast<size_t>(length) : 0));
}

std::string ReadClassName(HWND hwnd) {
  wchar_t name[256] = {};
  int length = GetClassNameW(hwnd, name, 256);
  return ToUtf8(std::wstring_view(name, length > 0 ? static_cast<size_t>(length) : 0));
}

WindowInfo Describe(HWND hwnd, int depth) {
  WindowInfo info;
  info.hwnd = hwnd;
  info.depth = depth;
  info.className = ReadClassName(hwnd);
  info.text = depth == 0 ? ReadCaption(hwnd) : ReadText(hwnd);
  info.visible = IsWindowVisible(hwnd) != FALSE;
  info.enabled = IsWindowEnabled(hwnd) != FALSE;
  info.controlId = depth > 0 ? GetDlgCtrlID(hwnd) : 0;
  info.buttonKind = ButtonKindOf(hwnd, info.className);
  if (IsCheckable(info.buttonKind)) {
    DWORD_PTR state = 0;
    if (SendMessageTimeoutW(hwnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &state)) {
      info.checked = state == BST_CHECKED;
    }
  }
  GetWindowThreadProcessId(hwnd, &info.processId);
  GetWindowRect(hwnd, &info.rect);
  return info;
}

const char* KindName(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::Push: return "push";
    case ButtonKind::Check: return "check";
    case ButtonKind::Radio: return "radio";
    case ButtonKind::Group: return "group";
    case ButtonKind::OwnerDraw: return "owner-drawn";
    case ButtonKind::Other: return "button";
    case ButtonKind::NotAButton: break;
  }
  return "";
}

bool IsCheckable(ButtonKind kind) { return kind == ButtonKind::Check || kind == ButtonKind::Radio; }

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<WindowInfo> WindowTree(HWND top) {
  std::vector<WindowInfo> tree;
  if (IsWindow(top)) Collect(top, 0, tree);
  return tree;
}

HWND FindVisibleTopLevel(const std::string& caption, const std::string& className) {
  for (HWND hwnd : TopLevelWindows()) {
    if (!IsWindowVisible(hwnd)) continue;
    if (!className.empty() && !EqualsNoCase(ReadClassName(hwnd), className)) continue;
    if (ReadCaption(hwnd) == caption) return hwnd;
  }
  return nullptr;
}

std::optional<WindowInfo> FindControl(HWND top, const Selector& selector, bool buttonsOnly) {
  std::optional<WindowInfo> firstHidden;
  int seen = 0;
  std::vector<WindowInfo> tree = WindowTree(top);
  for (size_t i = 1; i < tree.size(); ++i) {
    const WindowInfo& info = tree[i];
    if (!Selects(selector, info, buttonsOnly)) continue;
    if (selector.kind == Selector::Kind::ClassName) {
      // Position counts every control of the class, shown or not, so that
      // "@Edit:2" always means the same control.
      if (++seen == selector.index) return info;
      continue;
    }
    if (info.visible) return info;
    if (!firstHidden) firstHidden = info;
  }
  return firstHidden;
}

}  // namespace vltdrive
