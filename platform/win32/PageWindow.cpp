#include "platform/win32/PageWindow.h"

#include <algorithm>
#include <cstdlib>

#include "common/Concat.h"
#include "common/FatalEnd.h"
#include "platform/win32/ControlWindow.h"
#include "platform/win32/SystemMessage.h"
#include "platform/win32/WindowDpi.h"
#include "platform/portable/Utf16.h"
#include "resources/ResourceIds.h"

namespace vlt::win32 {
namespace {

DWORD PageStyle(BorderStyle border) {
  switch (border) {
    case BorderStyle::Single: return WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    case BorderStyle::Sizeable: return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  }
  return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

bool IsPageWindow(HWND hwnd) {
  wchar_t name[64];
  return hwnd != nullptr && ::GetClassNameW(hwnd, name, 64) > 0 &&
         std::wstring_view(name) == kPageClassName;
}

void SetStyleBit(HWND hwnd, LONG_PTR bit, bool on) {
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
  const LONG_PTR wanted = on ? (style | bit) : (style & ~bit);
  if (wanted != style) ::SetWindowLongPtrW(hwnd, GWL_STYLE, wanted);
}

// The layouts keep this distance between controls and to the page's edge.
constexpr int kLayoutGap = 8;

bool CanTakeFocus(HWND hwnd) {
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
  return (style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

// Whether `font` has characters `pixels` high (within a pixel): a bitmap
// font has only the sizes it was drawn in.
bool HasCharacterHeight(HFONT font, int pixels) {
  const WindowDC screen(nullptr);
  if (!screen || font == nullptr) return false;
  const SelectedObject selected(screen.Get(), font);
  TEXTMETRICW metrics;
  if (!::GetTextMetricsW(screen.Get(), &metrics)) return false;
  return std::abs(metrics.tmHeight - metrics.tmInternalLeading - pixels) <= 1;
}

UniqueFont CreateFontOfHeight(int height, const wchar_t* face) {
  return UniqueFont(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, face));
}

// The pages' font: "MS Sans Serif", 8 points at the window's DPI (11 pixels
// at 96 DPI), the font the layouts were made for. It is a bitmap font:
// where the system has no size of it for this DPI (beyond some 20 pixels),
// the pages take the system's dialog font alias "MS Shell Dlg" instead,
// which Windows maps to the outline twin of MS Sans Serif (Microsoft Sans
// Serif) and Wine to Tahoma. Without a font the controls keep the system
// font, which is no reason to stop.
UniqueFont CreatePageFont(int dpi) {
  constexpr int kPagePoints = 8;
  const int height = FontCharacterHeight(kPagePoints, dpi);
  UniqueFont font = CreateFontOfHeight(height, L"MS Sans Serif");
  if (dpi == kDesignDpi || HasCharacterHeight(font.Get(), -height)) return font;
  return CreateFontOfHeight(height, L"MS Shell Dlg");
}

// How far a window's client area lies inside its outer corner (its edge).
POINT ClientInset(HWND hwnd) {
  RECT outer;
  ::GetWindowRect(hwnd, &outer);
  POINT inset{0, 0};
  ::ClientToScreen(hwnd, &inset);
  return {inset.x - outer.left, inset.y - outer.top};
}

// The frame Windows puts around a client area in `hwnd`'s style at `dpi`.
RECT FrameAround(HWND hwnd, const RECT& client, int dpi) {
  return FrameForClient(client, static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)),
                        static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), dpi);
}

}  // namespace

bool RegisterPageClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = PageWindow::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(VLT_ICON_APP));
  windowClass.hIconSm = static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(VLT_ICON_APP), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kPageClassName;
  return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool PreTranslatePageMessage(MSG& msg) {
  if (msg.hwnd == nullptr) return false;
  const HWND page = ::GetAncestor(msg.hwnd, GA_ROOT);
  if (!IsPageWindow(page)) return false;
  // Escape presses nothing on a page; a multi-line edit would otherwise
  // take it as a request to close its window.
  if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) &&
      msg.wParam == VK_ESCAPE) {
    return true;
  }
  return ::IsDialogMessageW(page, &msg) != FALSE;
}

PageWindow::PageWindow(Form& form, const FormSpec& spec)
    : form_(form),
      layout_(spec.controls),
      clientWidth_(spec.clientWidth),
      clientHeight_(spec.clientHeight) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  // The window's DPI is known once it exists (its monitor's): made at the
  // system's, it is sized again for its own.
  window_.Reset(::CreateWindowExW(0, kPageClassName, Utf8ToWide(spec.caption).c_str(),
                                  PageStyle(spec.border), CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr));
  if (!window_) {
    // Out of window resources: nothing can be shown without it.
    EndWithFailure(SystemMessage(::GetLastError()));
  }
  const HWND hwnd = window_.Get();
  ChooseLayoutDpi(DpiOfWindow(hwnd));
  font_ = CreatePageFont(dpi_);
  const SIZE frame = FrameSize();
  ::SetWindowPos(hwnd, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Messages of the creation itself need nothing of the page.
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PageWindow::~PageWindow() {
  // The messages of the window's destruction no longer reach this object.
  ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
}

std::unique_ptr<ControlView> PageWindow::CreateControl(Control& control, const ControlSpec& spec) {
  HWND parent = window_.Get();
  if (!spec.parent.empty()) {
    const Child* panel = FindChildByName(spec.parent);
    if (panel == nullptr || panel->kind != ControlKind::Panel) {
      EndWithFailure(
          Concat({"control ", spec.name, " needs its panel ", spec.parent, " before it"}));
    }
    parent = panel->hwnd;
  }
  const int id = nextId_++;
  Child child{nullptr,     nullptr,     &control,
              spec.kind,   spec.name,   spec.parent,
              TabPlace{ZOrderNumber(form_.Spec(), spec), id},
              PixelRect{spec.left, spec.top, spec.width, spec.height},
              spec.kind == ControlKind::Label ? LabelRoom(spec) : spec.width};
  // A panel's edge is known once it exists; until then it is placed like
  // any control.
  const PixelRect rect =
      spec.kind == ControlKind::Panel ? ScaleRect(child.designed, dpi_) : ScaledRect(child);
  auto view = std::make_unique<ControlWindow>(*this, spec,
                                              ChildPlacement{parent, rect, id, font_.Get(), dpi_,
                                                             ScaleLength(child.labelRoom, dpi_)});
  child.hwnd = view->Handle();
  child.window = view.get();
  if (spec.kind == ControlKind::Panel) {
    const PixelRect framed = ScaledRect(child);
    ::SetWindowPos(child.hwnd, nullptr, framed.left, framed.top, framed.width, framed.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }

  const auto position =
      std::upper_bound(children_.begin(), children_.end(), child,
                       [](const Child& a, const Child& b) { return TabsBefore(a.place, b.place); });
  // The dialog manager tabs in z-order: put the window right after its
  // predecessor among its siblings.
  HWND predecessor = HWND_TOP;
  for (auto it = children_.begin(); it != position; ++it) {
    if (it->parent == child.parent) predecessor = it->hwnd;
  }
  children_.insert(position, child);
  ::SetWindowPos(child.hwnd, predecessor, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (spec.kind == ControlKind::RadioButton) RefreshRadioGroups();
  Reflow();
  return view;
}

PixelRect PageWindow::ScaledRect(const Child& child) const {
  const PixelRect& designed = child.designed;
  if (child.kind == ControlKind::Panel) {
    // Its edge stays one pixel; the picture inside fills it at any scale.
    return ScaleFramedRect(designed, ClientInset(child.hwnd).x, dpi_);
  }
  if (child.parent.empty()) return ScaleRect(designed, dpi_);
  // Layout positions inside a panel count from its outer corner, the edge
  // included; the window's client area starts inside the edge.
  const Child* panel = FindChildByName(child.parent);
  const POINT edge = panel != nullptr ? ClientInset(panel->hwnd) : POINT{0, 0};
  return ScaleRect({designed.left - edge.x, designed.top - edge.y, designed.width, designed.height},
                   dpi_);
}

void PageWindow::Reflow() {
  std::vector<std::string_view> parents;
  for (const Child& child : children_) {
    if (std::find(parents.begin(), parents.end(), child.parent) == parents.end()) {
      parents.push_back(child.parent);
    }
  }
  for (const std::string_view parent : parents) {
    const Child* panel = parent.empty() ? nullptr : FindChildByName(parent);
    const HWND parentWindow = panel != nullptr ? panel->hwnd : window_.Get();
    std::vector<HWND> members;
    std::vector<RECT> shown;  // in the parent's client area
    std::vector<FlowBox> boxes;
    for (const Child& child : children_) {
      if (child.parent != parent) continue;
      RECT rect;
      ::GetWindowRect(child.hwnd, &rect);
      ::MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT*>(&rect), 2);
      // A hidden label (a field's name for screen readers) takes no room.
      const bool label = child.kind == ControlKind::Label || child.kind == ControlKind::WrapLabel;
      const bool visible = (::GetWindowLongPtrW(child.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
      members.push_back(child.hwnd);
      shown.push_back(rect);
      boxes.push_back({ScaledRect(child), {rect.right - rect.left, rect.bottom - rect.top}, label && visible});
    }
    RECT client;
    ::GetClientRect(parentWindow, &client);
    const std::vector<int> tops = FlowDown(boxes, ScaleLength(kLayoutGap, dpi_), client.bottom);
    for (std::size_t i = 0; i < members.size(); ++i) {
      if (shown[i].left == boxes[i].placed.left && shown[i].top == tops[i]) continue;
      ::SetWindowPos(members[i], nullptr, boxes[i].placed.left, tops[i], 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

int PageWindow::LabelRoom(const ControlSpec& label) const {
  int right = clientWidth_ - kLayoutGap;
  for (const ControlSpec& other : layout_) {
    if (&other == &label || other.parent != label.parent) continue;
    const bool sameLines = other.top < label.top + label.height && label.top < other.top + other.height;
    if (sameLines && other.left >= label.left + label.width) right = std::min(right, other.left - kLayoutGap);
  }
  return std::max<int>(label.width, right - label.left);
}

void PageWindow::ChooseLayoutDpi(int windowDpi) {
  windowDpi_ = windowDpi;
  dpi_ = windowDpi;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoW(::MonitorFromWindow(window_.Get(), MONITOR_DEFAULTTONEAREST), &monitor)) {
    return;
  }
  const RECT& work = monitor.rcWork;
  const RECT frame = FrameAround(window_.Get(), RECT{0, 0, 0, 0}, windowDpi);
  const PixelSize room{(work.right - work.left) - (frame.right - frame.left),
                       (work.bottom - work.top) - (frame.bottom - frame.top)};
  dpi_ = FittingDpi(windowDpi, {clientWidth_, clientHeight_}, room);
}

SIZE PageWindow::FrameSize() const {
  const RECT client{0, 0, ScaleLength(clientWidth_, dpi_), ScaleLength(clientHeight_, dpi_)};
  const RECT frame = FrameAround(window_.Get(), client, windowDpi_);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void PageWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  ChooseLayoutDpi(dpi);
  UniqueFont font = CreatePageFont(dpi_);
  // Every control takes the new font before the old one goes.
  for (const Child& child : children_) {
    child.window->ApplyDpi(ChildPlacement{nullptr, ScaledRect(child), 0, font.Get(), dpi_,
                                          ScaleLength(child.labelRoom, dpi_)});
  }
  font_ = std::move(font);
  // Where Windows suggests, in the size of the layout chosen, which is
  // Windows' own suggestion unless the page had to be made smaller.
  const SIZE frame = FrameSize();
  ::SetWindowPos(window_.Get(), nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // In the new client area, whose bottom bounds how far controls move.
  Reflow();
  ::InvalidateRect(window_.Get(), nullptr, TRUE);
}

std::string PageWindow::Caption() const {
  const HWND hwnd = window_.Get();
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  const int length = ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return WideToUtf8(text);
}

void PageWindow::SetCaption(const std::string& caption) {
  ::SetWindowTextW(window_.Get(), Utf8ToWide(caption).c_str());
}

void PageWindow::Show() {
  const HWND hwnd = window_.Get();
  if (!centred_) {
    CentreOnWorkArea();
    centred_ = true;
  }
  ::ShowWindow(hwnd, ::IsIconic(hwnd) ? SW_RESTORE : SW_SHOW);
  ::SetForegroundWindow(hwnd);
  FocusFirstControl();
}

void PageWindow::Hide() { ::ShowWindow(window_.Get(), SW_HIDE); }

bool PageWindow::Visible() const { return ::IsWindowVisible(window_.Get()) != FALSE; }

void PageWindow::Forget(HWND child) {
  std::erase_if(children_, [&](const Child& c) { return c.hwnd == child; });
  if (savedFocus_ == child) savedFocus_ = nullptr;
}

void PageWindow::RefreshRadioGroups() {
  std::vector<HWND> radios;
  std::vector<RadioState> states;
  for (const Child& child : children_) {
    if (child.kind != ControlKind::RadioButton) continue;
    radios.push_back(child.hwnd);
    states.push_back({child.parent, child.place.tabOrder != kNoTabStop,
                      ::SendMessageW(child.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED});
  }
  const std::vector<RadioRole> roles = RadioRoles(states);
  for (std::size_t i = 0; i < radios.size(); ++i) {
    SetStyleBit(radios[i], WS_GROUP, roles[i].startsGroup);
    SetStyleBit(radios[i], WS_TABSTOP, roles[i].tabStop);
  }
}

LRESULT CALLBACK PageWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* page = reinterpret_cast<PageWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (page == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return page->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT PageWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_CLOSE:
      // The page decides: close query, then hide or end the program. The
      // window itself stays until the page object goes.
      form_.UserClose();
      return 0;
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_SETFOCUS:
      OnActivate(WA_ACTIVE);
      return 0;
    case WM_NEXTDLGCTL:
      OnNextDialogControl(wParam, lParam);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void PageWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const auto source = reinterpret_cast<HWND>(lParam);
  if (source == nullptr) {
    // From the dialog manager: IDOK for Enter, IDCANCEL for Escape. Enter
    // presses the push button that has the focus, nothing else.
    if (LOWORD(wParam) == IDOK) {
      const Child* focused = FindChild(::GetFocus());
      if (focused != nullptr && focused->kind == ControlKind::Button) {
        ::SendMessageW(focused->hwnd, BM_CLICK, 0, 0);
      }
    }
    return;
  }
  if (HIWORD(wParam) != BN_CLICKED) return;
  const Child* child = FindChild(source);
  if (child == nullptr) return;
  Control& control = *child->control;
  switch (child->kind) {
    case ControlKind::RadioButton:
      // The system unchecks the radios of the window group; the page's rule
      // is "every radio of the same parent", whatever the tab order.
      if (control.Checked()) control.SetChecked(true);
      [[fallthrough]];
    case ControlKind::Button:
    case ControlKind::CheckBox:
      form_.UserClicked(control);
      break;
    default:
      break;
  }
}

void PageWindow::OnActivate(WPARAM wParam) {
  const HWND hwnd = window_.Get();
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(hwnd, focus)) savedFocus_ = focus;
    return;
  }
  if (HIWORD(wParam) != 0) return;  // activated while minimised: no focus to give
  if (savedFocus_ != nullptr && ::IsWindowVisible(savedFocus_) && ::IsWindowEnabled(savedFocus_)) {
    ::SetFocus(savedFocus_);
  } else {
    FocusFirstControl();
  }
}

void PageWindow::OnNextDialogControl(WPARAM wParam, LPARAM lParam) {
  // Sent by the dialog manager (Tab, arrow keys, accelerators) and by
  // multi-line edits for Tab: lParam set means wParam is the window to focus,
  // otherwise wParam chooses the next (0) or the previous control.
  const HWND target = LOWORD(lParam) != 0
                          ? reinterpret_cast<HWND>(wParam)
                          : ::GetNextDlgTabItem(window_.Get(), ::GetFocus(), wParam != 0);
  if (target == nullptr) return;
  ::SetFocus(target);
  const Child* child = FindChild(target);
  // A single-line edit entered by keyboard has its text selected, ready to
  // be typed over.
  if (child != nullptr && child->kind == ControlKind::Edit) {
    ::SendMessageW(target, EM_SETSEL, 0, -1);
  }
}

void PageWindow::FocusFirstControl() {
  if (const HWND first = FirstTabStop()) {
    ::SetFocus(first);
  } else if (::GetFocus() != window_.Get()) {
    ::SetFocus(window_.Get());  // every control disabled: the page keeps the keyboard
  }
}

HWND PageWindow::FirstTabStop() const {
  for (const Child& child : children_) {
    if (child.parent.empty() && CanTakeFocus(child.hwnd)) return child.hwnd;
  }
  return nullptr;
}

const PageWindow::Child* PageWindow::FindChild(HWND hwnd) const {
  for (const Child& child : children_) {
    if (child.hwnd == hwnd) return &child;
  }
  return nullptr;
}

const PageWindow::Child* PageWindow::FindChildByName(std::string_view name) const {
  for (const Child& child : children_) {
    if (child.name == name) return &child;
  }
  return nullptr;
}

void PageWindow::CentreOnWorkArea() {
  RECT work;
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return;
  RECT frame;
  ::GetWindowRect(window_.Get(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = std::max<int>(work.left, work.left + (work.right - work.left - width) / 2);
  const int y = std::max<int>(work.top, work.top + (work.bottom - work.top - height) / 2);
  ::SetWindowPos(window_.Get(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vlt::win32
