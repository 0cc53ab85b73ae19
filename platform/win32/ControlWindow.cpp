#include "platform/win32/ControlWindow.h"

#include <algorithm>

#include "common/FatalEnd.h"
#include "platform/win32/PageWindow.h"
#include "platform/win32/Pictures.h"
#include "platform/win32/SystemMessage.h"
#include "platform/portable/Utf16.h"

namespace vlt::win32 {
namespace {

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind WindowKindOf(ControlKind kind) {
  switch (kind) {
    // Label texts carry no accelerators: an "&" in them is shown as it is.
    case ControlKind::Label: return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::WrapLabel: return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::Button: return {WC_BUTTONW, BS_PUSHBUTTON, 0};
    case ControlKind::CheckBox: return {WC_BUTTONW, BS_AUTOCHECKBOX, 0};
    case ControlKind::RadioButton: return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case ControlKind::Edit:
      return {WC_EDITW, ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Memo:
      return {WC_EDITW, ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlKind::ProgressBar: return {PROGRESS_CLASSW, 0, 0};
    // The panel's children tab like the page's own, should one take focus.
    case ControlKind::Panel:
      return {WC_STATICW, SS_LEFT | WS_CLIPCHILDREN, WS_EX_STATICEDGE | WS_EX_CONTROLPARENT};
    case ControlKind::Bevel: return {WC_STATICW, SS_ETCHEDHORZ, 0};
    case ControlKind::Image: return {WC_STATICW, SS_BITMAP, 0};
  }
  return {WC_STATICW, 0, 0};
}

bool IsCheckable(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  const int length = ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

}  // namespace

bool IsFocusable(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::Edit:
    case ControlKind::Memo:
      return true;
    default:
      return false;
  }
}

ControlWindow::ControlWindow(PageWindow& page, const ControlSpec& spec,
                             const ChildPlacement& placement)
    : page_(page),
      kind_(spec.kind),
      font_(placement.font),
      dpi_(placement.dpi),
      wrapWidth_(placement.wrapWidth),
      placedHeight_(placement.rect.height) {
  const WindowKind windowKind = WindowKindOf(spec.kind);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | windowKind.style;
  if (spec.visible) style |= WS_VISIBLE;
  if (IsFocusable(spec.kind) && spec.tabOrder != kNoTabStop) style |= WS_TABSTOP;
  // Each control is a group of its own for the arrow keys; radio buttons
  // get their groups from the page.
  if (spec.kind != ControlKind::RadioButton) style |= WS_GROUP;
  // Only kinds that show text get one: a bitmap static would even
  // take one for the name of a resource to load.
  const bool hasText = ShowsText(kind_);
  const std::wstring text = hasText ? Utf8ToWide(spec.text) : std::wstring();
  const PixelRect& rect = placement.rect;
  hwnd_ = ::CreateWindowExW(windowKind.exStyle, windowKind.className, text.c_str(), style,
                            rect.left, rect.top, rect.width, rect.height, placement.parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (hwnd_ == nullptr) {
    // Out of window resources: nothing can be shown without it.
    EndWithFailure(SystemMessage(::GetLastError()));
  }
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  switch (kind_) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      ::SendMessageW(hwnd_, BM_SETCHECK, spec.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::Edit:
    case ControlKind::Memo:
      ::SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);  // no limit on what the user types
      break;
    case ControlKind::ProgressBar:
      ::SendMessageW(hwnd_, PBM_SETRANGE32, spec.rangeMin, spec.rangeMax);
      ::SendMessageW(hwnd_, PBM_SETPOS, spec.rangeMin, 0);
      break;
    case ControlKind::Label:
    case ControlKind::WrapLabel:
      FitToText();
      break;
    default:
      break;
  }
  if (spec.picture != PictureId::None) SetPicture(spec.picture);
}

ControlWindow::~ControlWindow() {
  // The window lives on until its page goes; it must not keep using the
  // picture freed here.
  if (bitmap_) ::SendMessageW(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, 0);
  if (glyph_) {
    BUTTON_IMAGELIST none{};
    none.himl = nullptr;
    ::SendMessageW(hwnd_, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&none));
  }
  page_.Forget(hwnd_);
}

void ControlWindow::ApplyDpi(const ChildPlacement& placement) {
  dpi_ = placement.dpi;
  font_ = placement.font;
  wrapWidth_ = placement.wrapWidth;
  placedHeight_ = placement.rect.height;
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  const PixelRect& rect = placement.rect;
  ::SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (kind_ == ControlKind::Label || kind_ == ControlKind::WrapLabel) FitToText();
  if (picture_ != PictureId::None) SetPicture(picture_);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string ControlWindow::Text() const { return WideToUtf8(WindowText(hwnd_)); }

void ControlWindow::SetText(const std::string& text) {
  ::SetWindowTextW(hwnd_, Utf8ToWide(text).c_str());
  if (kind_ == ControlKind::Label || kind_ == ControlKind::WrapLabel) {
    FitToText();
    page_.Reflow();
  }
}

bool ControlWindow::Checked() const {
  return IsCheckable(kind_) && ::SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ControlWindow::SetChecked(bool checked) {
  if (!IsCheckable(kind_)) return;
  ::SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (kind_ == ControlKind::RadioButton) page_.RefreshRadioGroups();
}

bool ControlWindow::Enabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }

void ControlWindow::SetEnabled(bool enabled) { ::EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

bool ControlWindow::Visible() const {
  return (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void ControlWindow::SetVisible(bool visible) {
  ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

int ControlWindow::Position() const {
  if (kind_ != ControlKind::ProgressBar) return 0;
  return static_cast<int>(::SendMessageW(hwnd_, PBM_GETPOS, 0, 0));
}

void ControlWindow::SetPosition(int position) {
  if (kind_ == ControlKind::ProgressBar) ::SendMessageW(hwnd_, PBM_SETPOS, position, 0);
}

void ControlWindow::StepIt() {
  // The control's default step of 10; past the maximum it starts over.
  if (kind_ == ControlKind::ProgressBar) ::SendMessageW(hwnd_, PBM_STEPIT, 0, 0);
}

void ControlWindow::SetPicture(PictureId picture) {
  if (kind_ == ControlKind::Image) {
    UniqueBitmap bitmap = LoadPicture(picture, dpi_);
    // The static sizes itself to the new picture; the old one is freed only
    // once the control has let go of it.
    ::SendMessageW(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
    bitmap_ = std::move(bitmap);
    if (!bitmap_) ::InvalidateRect(hwnd_, nullptr, TRUE);
  } else if (kind_ == ControlKind::Button) {
    UniqueImageList glyph = LoadButtonGlyph(picture, dpi_);
    BUTTON_IMAGELIST images{};
    images.himl = glyph.Get();
    images.margin = {ScaleLength(4, dpi_), 0, 0, 0};
    images.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    // Without the version 6 controls the button has no image list: it then
    // shows its text alone.
    if (::SendMessageW(hwnd_, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images))) {
      glyph_ = std::move(glyph);
    }
    ::InvalidateRect(hwnd_, nullptr, TRUE);
  }
  picture_ = picture;
}

void ControlWindow::FitToText() {
  if (kind_ == ControlKind::WrapLabel) {
    FitWrappedHeight();
    return;
  }
  // A label takes the size of its text. The layouts were made for a font
  // that the system may not have, and a font's widths do not grow exactly
  // with its height; where the text is wider than designed and would run
  // into its neighbour (or past the page's margin), it wraps there and the
  // label grows downwards instead.
  const std::wstring text = WindowText(hwnd_);
  RECT bounds{0, 0, 0, 0};
  bool wraps = false;
  {
    const WindowDC dc(hwnd_);
    if (!dc) return;
    const SelectedObject font(dc.Get(), font_);
    const wchar_t* shown = text.empty() ? L" " : text.c_str();
    ::DrawTextW(dc.Get(), shown, -1, &bounds, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    if (bounds.right > wrapWidth_ && wrapWidth_ > 0) {
      wraps = true;
      bounds = RECT{0, 0, wrapWidth_, 0};
      ::DrawTextW(dc.Get(), shown, -1, &bounds,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    }
  }
  LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK);
  style |= wraps ? SS_LEFT : SS_LEFTNOWORDWRAP;
  ::SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  if (text.empty()) bounds.right = 0;  // one line high, no width
  ::SetWindowPos(hwnd_, nullptr, 0, 0, bounds.right, bounds.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::FitWrappedHeight() {
  // The layout's height holds its text in the font it was made for; in
  // another font, or at another scale, the text may wrap to more lines.
  // The label then grows downwards, keeping its width, so that no line is
  // cut; it never shrinks below the layout's height.
  const std::wstring text = WindowText(hwnd_);
  RECT client;
  if (!::GetClientRect(hwnd_, &client)) return;
  RECT bounds{0, 0, client.right, 0};
  if (!text.empty()) {
    const WindowDC dc(hwnd_);
    if (!dc) return;
    const SelectedObject font(dc.Get(), font_);
    // As the static control draws an SS_LEFT text.
    ::DrawTextW(dc.Get(), text.c_str(), -1, &bounds,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  }
  RECT window;
  ::GetWindowRect(hwnd_, &window);
  const int height = std::max<int>(placedHeight_, bounds.bottom);
  if (height == window.bottom - window.top) return;
  ::SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vlt::win32
