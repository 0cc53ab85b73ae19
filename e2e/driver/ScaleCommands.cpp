// Checks of a page shown at another display scale than 96 DPI, through its
// real windows: each control where its 96-DPI rectangle scaled puts it, and
// no text cut off by its control, a sibling over it or its title bar.
//
// The driver reads pixels as a per-monitor aware program does: an unaware
// one would be handed coordinates mapped back to 96 DPI.
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "Commands.h"
#include "TextMatch.h"
#include "TreeDump.h"
#include "Wide.h"
#include "WindowQuery.h"

namespace vltdrive {
namespace {

using SetThreadDpiAwarenessContextFn = HANDLE(WINAPI*)(HANDLE);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

template <class Function>
Function User32Function(const char* name) {
  const FARPROC proc = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

template <class Function>
Function RequireUser32Function(const char* name) {
  const auto function = User32Function<Function>(name);
  if (function == nullptr) throw StepFailure(std::string("this system has no ") + name);
  return function;
}

// Per-monitor awareness for the driver's thread while a check runs.
class PerMonitorAware {
 public:
  PerMonitorAware() {
    const auto set = RequireUser32Function<SetThreadDpiAwarenessContextFn>("SetThreadDpiAwarenessContext");
    const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    set_ = set;
    previous_ = set(perMonitorV2);
  }
  ~PerMonitorAware() {
    if (previous_ != nullptr) set_(previous_);
  }
  PerMonitorAware(const PerMonitorAware&) = delete;
  PerMonitorAware& operator=(const PerMonitorAware&) = delete;

 private:
  SetThreadDpiAwarenessContextFn set_ = nullptr;
  HANDLE previous_ = nullptr;
};

int ParseNumber(const std::string& word, const Command& command) {
  char* end = nullptr;
  const long value = std::strtol(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0') {
    throw StepFailure(command.name + ": not a number: " + word);
  }
  return static_cast<int>(value);
}

int ParseDpi(const Command& command) {
  const int dpi = ParseNumber(command.Option("--dpi"), command);
  if (dpi < 48 || dpi > 960) throw StepFailure("not a display scale: --dpi " + command.Option("--dpi"));
  return dpi;
}

// A 96-DPI distance at `dpi`, rounded to the nearest pixel.
int Scaled(int pixels, int dpi) { return (pixels * dpi + (pixels >= 0 ? 48 : -48)) / 96; }

std::string RectText(int left, int top, int width, int height) {
  return std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(width) + "x" +
         std::to_string(height);
}

// A font for measuring, owned.
class Font {
 public:
  explicit Font(const LOGFONTW& logFont) : font_(CreateFontIndirectW(&logFont)) {
    if (font_ == nullptr) throw StepFailure("cannot make a font to measure with");
  }
  ~Font() { DeleteObject(font_); }
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  HFONT Get() const { return font_; }

 private:
  HFONT font_;
};

// The size `text` takes in `font`: one line, or wrapped at `wrapWidth`.
SIZE Measure(HFONT font, const std::wstring& text, UINT format, int wrapWidth) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  RECT bounds{0, 0, wrapWidth, 0};
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &bounds, format | DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

NONCLIENTMETRICSW NonClientMetrics(int dpi) {
  const auto forDpi = RequireUser32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    throw StepFailure("the system gives no caption and message fonts for " + std::to_string(dpi) + " DPI");
  }
  return metrics;
}

// Whether `logFont` gives characters as high as it asks for (within a
// pixel): a bitmap font has only the sizes it was drawn in.
bool HasAskedHeight(const LOGFONTW& logFont) {
  const Font font(logFont);
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font.Get());
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(dc, &metrics) != FALSE;
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return measured && std::abs(metrics.tmHeight - metrics.tmInternalLeading + logFont.lfHeight) <= 1;
}

// The font the check measures control texts in: with --font FACE,...:POINTS
// the first face the system has at that size at `dpi` (the last one in any
// case); otherwise the system's message font as a dialog template carries
// it (in whole points), which is how message boxes built as dialogs get it.
LOGFONTW ControlFont(const Command& command, int dpi) {
  if (!command.Has("--font")) {
    LOGFONTW message = NonClientMetrics(dpi).lfMessageFont;
    const int points = (std::abs(message.lfHeight) * 72 + dpi / 2) / dpi;
    message.lfHeight = -((points * dpi + 36) / 72);
    return message;
  }
  const std::string spec = command.Option("--font");
  const size_t colon = spec.rfind(':');
  if (colon == std::string::npos) throw StepFailure("--font wants FACE,...:POINTS, not " + spec);
  LOGFONTW logFont{};
  logFont.lfHeight = -((ParseNumber(spec.substr(colon + 1), command) * dpi + 36) / 72);
  logFont.lfWeight = FW_NORMAL;
  logFont.lfCharSet = DEFAULT_CHARSET;
  size_t start = 0;
  while (true) {
    const size_t comma = spec.find(',', start);
    const size_t end = comma == std::string::npos || comma > colon ? colon : comma;
    const std::wstring face = ToWide(spec.substr(start, end - start));
    std::fill(std::begin(logFont.lfFaceName), std::end(logFont.lfFaceName), L'\0');
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    if (end == colon || HasAskedHeight(logFont)) break;
    start = end + 1;
  }
  Say("measuring in " + ToUtf8(logFont.lfFaceName) + ", " + std::to_string(-logFont.lfHeight) + " pixels");
  return logFont;
}

struct Cut {
  std::string what;
  SIZE needed;
  SIZE has;
};

// What the title bar of `top` needs for its caption: the text in the
// caption font, the caption buttons, the small icon of a page (dialogs have
// none) and the frame.
void CheckCaption(HWND top, int dpi, std::vector<Cut>& cuts) {
  const auto metric = RequireUser32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  const NONCLIENTMETRICSW metrics = NonClientMetrics(dpi);
  const Font font(metrics.lfCaptionFont);
  const std::wstring caption = ToWide(ReadCaption(top));
  const SIZE text = Measure(font.Get(), caption, DT_SINGLELINE | DT_NOPREFIX, 0);
  const LONG style = GetWindowLongW(top, GWL_STYLE);
  int buttons = (style & WS_SYSMENU) ? 1 : 0;
  if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) buttons += 2;
  const bool dialog = EqualsNoCase(ReadClassName(top), "#32770");
  const int icon = dialog ? 0 : metric(SM_CXSMICON, static_cast<UINT>(dpi));
  const int needed = text.cx + buttons * metrics.iCaptionWidth + icon + 2 * metric(SM_CXFRAME, static_cast<UINT>(dpi));
  RECT frame;
  GetWindowRect(top, &frame);
  const int width = frame.right - frame.left;
  Say("title " + Quoted(ReadCaption(top)) + ": needs " + std::to_string(needed) + " of " + std::to_string(width) +
      " pixels");
  if (needed > width) cuts.push_back({"title " + Quoted(ReadCaption(top)), {needed, text.cy}, {width, 0}});
}

// Whether the text of a label, button, check box or radio button fits its
// control; other controls are not asked.
void CheckControl(const WindowInfo& info, HFONT font, int dpi, std::vector<Cut>& cuts) {
  const auto metric = RequireUser32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  RECT client;
  GetClientRect(info.hwnd, &client);
  const SIZE has{client.right, client.bottom};
  const LONG style = GetWindowLongW(info.hwnd, GWL_STYLE);
  const std::wstring text = ToWide(info.text);
  SIZE needed{};
  if (EqualsNoCase(info.className, "Static")) {
    const LONG type = style & SS_TYPEMASK;
    if (text.empty() || (type != SS_LEFT && type != SS_LEFTNOWORDWRAP && type != SS_CENTER && type != SS_RIGHT)) {
      return;
    }
    const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    needed = type == SS_LEFTNOWORDWRAP ? Measure(font, text, DT_SINGLELINE | prefix, 0)
                                       : Measure(font, text, DT_WORDBREAK | DT_EDITCONTROL | prefix, has.cx);
  } else if (info.buttonKind == ButtonKind::Push) {
    needed = Measure(font, text, DT_SINGLELINE, 0);
    needed.cx += 2 * metric(SM_CXEDGE, static_cast<UINT>(dpi));
  } else if (IsCheckable(info.buttonKind)) {
    needed = Measure(font, text, DT_SINGLELINE, 0);
    // The box and the gap after it, as wide as a menu check mark.
    needed.cx += metric(SM_CXMENUCHECK, static_cast<UINT>(dpi)) + Scaled(4, dpi);
  } else {
    return;
  }
  if (needed.cx > has.cx || needed.cy > has.cy) cuts.push_back({info.className + " " + Quoted(info.text), needed, has});
}

// A label with a text that shares pixels with a shown sibling: one of the
// two clips the other, so the text is cut there even where it fits its own
// window (a wrapped text grown into the control below it).
void CheckOverlaps(const std::vector<WindowInfo>& tree, std::vector<std::string>& overlaps) {
  const auto isLabel = [](const WindowInfo& info) {
    return !info.text.empty() && EqualsNoCase(info.className, "Static");
  };
  for (size_t i = 0; i < tree.size(); ++i) {
    const WindowInfo& a = tree[i];
    if (a.depth == 0 || !a.visible) continue;
    for (size_t j = i + 1; j < tree.size(); ++j) {
      const WindowInfo& b = tree[j];
      RECT shared;
      if (b.depth != a.depth || !b.visible || !(isLabel(a) || isLabel(b)) || GetParent(b.hwnd) != GetParent(a.hwnd) ||
          !IntersectRect(&shared, &a.rect, &b.rect)) {
        continue;
      }
      overlaps.push_back(a.className + " " + Quoted(a.text) + " overlaps " + b.className + " " + Quoted(b.text) +
                         " by " + std::to_string(shared.right - shared.left) + "x" +
                         std::to_string(shared.bottom - shared.top));
    }
  }
}

}  // namespace

void ExpectRect(Session& session, const Command& command) {
  const PerMonitorAware aware;
  HWND top = RequireWindow(session, command);
  const int dpi = ParseDpi(command);
  const int tolerance = command.Has("--tolerance") ? ParseNumber(command.Option("--tolerance"), command) : 2;
  int designed[4];
  bool checked[4];
  for (int i = 0; i < 4; ++i) {
    checked[i] = command.args[1 + i] != "-";
    designed[i] = checked[i] ? ParseNumber(command.args[1 + i], command) : 0;
  }
  const int left = Scaled(designed[0], dpi), top0 = Scaled(designed[1], dpi);
  const int wanted[4] = {left, top0, Scaled(designed[0] + designed[2], dpi) - left,
                         Scaled(designed[1] + designed[3], dpi) - top0};
  const Selector selector = ParseSelector(command.args[0]);
  std::optional<WindowInfo> control;
  int seen[4] = {};
  const auto matches = [&] {
    control = FindControl(top, selector, false);
    if (!control) return false;
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    const RECT& r = control->rect;
    seen[0] = r.left - origin.x;
    seen[1] = r.top - origin.y;
    seen[2] = r.right - r.left;
    seen[3] = r.bottom - r.top;
    for (int i = 0; i < 4; ++i) {
      if (checked[i] && std::abs(seen[i] - wanted[i]) > tolerance) return false;
    }
    return true;
  };
  if (PollUntil(StepTimeout(session, command), matches)) {
    Say(Describe(selector) + " at " + RectText(seen[0], seen[1], seen[2], seen[3]));
    return;
  }
  if (!control) throw StepFailure("no " + Describe(selector) + " in window " + Quoted(session.windowCaption));
  throw StepFailure(Describe(selector) + ": wanted " + RectText(wanted[0], wanted[1], wanted[2], wanted[3]) +
                    " (within " + std::to_string(tolerance) + " pixels, - not checked) at " +
                    std::to_string(dpi) + " DPI, saw " + RectText(seen[0], seen[1], seen[2], seen[3]));
}

void ExpectWholeTexts(Session& session, const Command& command) {
  const PerMonitorAware aware;
  HWND top = RequireWindow(session, command);
  const int dpi = ParseDpi(command);
  if (const auto dpiOf = User32Function<GetDpiForWindowFn>("GetDpiForWindow")) {
    Say("the window is at " + std::to_string(dpiOf(top)) + " DPI");
  }
  const Font font(ControlFont(command, dpi));
  std::vector<Cut> cuts;
  CheckCaption(top, dpi, cuts);
  const std::vector<WindowInfo> tree = WindowTree(top);
  for (const WindowInfo& info : tree) {
    if (info.depth > 0 && info.visible) CheckControl(info, font.Get(), dpi, cuts);
  }
  std::vector<std::string> overlaps;
  CheckOverlaps(tree, overlaps);
  if (cuts.empty() && overlaps.empty()) {
    Say("every text is whole");
    return;
  }
  std::string report = "text cut off at " + std::to_string(dpi) + " DPI:";
  for (const Cut& cut : cuts) {
    report += "\n  " + cut.what + " needs " + std::to_string(cut.needed.cx) + "x" + std::to_string(cut.needed.cy) +
              ", has " + std::to_string(cut.has.cx) + "x" + std::to_string(cut.has.cy);
  }
  for (const std::string& overlap : overlaps) report += "\n  " + overlap;
  throw StepFailure(report);
}

void ExpectOnScreen(Session& session, const Command& command) {
  const PerMonitorAware aware;
  HWND top = RequireWindow(session, command);
  RECT window;
  GetWindowRect(top, &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(top, MONITOR_DEFAULTTONEAREST), &monitor)) {
    throw StepFailure("the window's monitor cannot be read");
  }
  const RECT& work = monitor.rcWork;
  const std::string seen = "window " + RectText(window.left, window.top, window.right - window.left,
                                                window.bottom - window.top) +
                           ", work area " + RectText(work.left, work.top, work.right - work.left,
                                                     work.bottom - work.top);
  if (window.left < work.left || window.top < work.top || window.right > work.right ||
      window.bottom > work.bottom) {
    throw StepFailure("the window reaches outside the screen: " + seen);
  }
  Say("on screen: " + seen);
}

}  // namespace vltdrive
