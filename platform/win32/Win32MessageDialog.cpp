#include "platform/win32/Win32MessageDialog.h"

#include <algorithm>

#include "platform/portable/DialogTemplate.h"
#include "platform/win32/Handles.h"
#include "platform/portable/MessageBoxLayout.h"
#include "platform/portable/Utf16.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WindowDpi.h"

namespace vlt::win32 {
namespace {

static_assert(DialogTemplate::kSetFont == DS_SETFONT && DialogTemplate::kChild == WS_CHILD &&
              DialogTemplate::kVisible == WS_VISIBLE);

constexpr WORD kIconId = 20;
constexpr WORD kTextId = 0xFFFF;
constexpr WORD kFirstButtonId = 1000;

struct Shown {
  const MessageBoxRequest& request;
  MsgButton answer = MsgButton::Cancel;
};

const wchar_t* IconOf(MsgKind kind) {
  switch (kind) {
    case MsgKind::Warning: return IDI_WARNING;
    case MsgKind::Error: return IDI_ERROR;
    case MsgKind::Information: return IDI_INFORMATION;
    case MsgKind::Confirmation: return IDI_QUESTION;
  }
  return IDI_INFORMATION;
}

UINT SoundOf(MsgKind kind) {
  switch (kind) {
    case MsgKind::Warning: return MB_ICONWARNING;
    case MsgKind::Error: return MB_ICONERROR;
    case MsgKind::Information: return MB_ICONINFORMATION;
    case MsgKind::Confirmation: return MB_ICONQUESTION;
  }
  return MB_OK;
}

// The font the system uses for message boxes, as a template font.
void MessageFont(WORD& pointSize, std::wstring& face) {
  pointSize = 8;
  face = L"MS Shell Dlg";
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
  const LONG height = metrics.lfMessageFont.lfHeight;
  if (height >= 0 || metrics.lfMessageFont.lfFaceName[0] == L'\0') return;
  const WindowDC screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  pointSize = static_cast<WORD>(::MulDiv(-height, 72, dpi));
  face = metrics.lfMessageFont.lfFaceName;
}

// Pixel width a title needs in the caption bar at `dpi`, with room for the
// close box.
int TitleBarWidth(HWND dialog, const std::wstring& title, int dpi) {
  NONCLIENTMETRICSW metrics;
  if (!NonClientMetricsForDpi(metrics, dpi)) return 0;
  const UniqueFont font(::CreateFontIndirectW(&metrics.lfCaptionFont));
  const WindowDC dc(dialog);
  if (!font || !dc) return 0;
  const SelectedObject selected(dc.Get(), font.Get());
  RECT bounds{0, 0, 0, 0};
  ::DrawTextW(dc.Get(), title.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return bounds.right + 2 * metrics.iCaptionWidth + 2 * SystemMetricForDpi(SM_CXEDGE, dpi);
}

// Places the box's controls and sizes the box. At any DPI: the dialog
// units come from the box's font, which the dialog manager made at the
// box's DPI, the icon is the system's at its DPI (as LoadIcon gives it),
// and the title is measured in the caption font of that DPI. When the box
// moves to a monitor of another scale, the system's dialog manager scales
// it (per-monitor v2).
void LayOut(HWND dialog, const Shown& shown) {
  const std::vector<std::pair<MsgButton, std::string>>& buttons = shown.request.buttons;
  const int dpi = DpiOfWindow(dialog);
  MessageBoxMetrics metrics;
  RECT units{0, 0, 4, 8};
  ::MapDialogRect(dialog, &units);
  metrics.baseUnitX = units.right;
  metrics.baseUnitY = units.bottom;
  metrics.iconWidth = ::GetSystemMetrics(SM_CXICON);
  metrics.iconHeight = ::GetSystemMetrics(SM_CYICON);

  const std::wstring text = Utf8ToWide(WithDisplayLineBreaks(shown.request.text));
  {
    const WindowDC dc(dialog);
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    const SelectedObject font(dc.Get(), dialogFont);
    // Wrapped like the text control wraps it (SS_EDITCONTROL): at blanks, and
    // inside a word too long for a line.
    const int widthLimit = MessageTextWidthLimit(::GetSystemMetrics(SM_CXSCREEN));
    RECT textBounds{0, 0, widthLimit, 0};
    ::DrawTextW(dc.Get(), text.c_str(), -1, &textBounds,
                DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX);
    metrics.textWidth = std::min<int>(textBounds.right, widthLimit);
    metrics.textHeight = textBounds.bottom;
    for (const auto& button : buttons) {
      RECT caption{0, 0, 0, 0};
      ::DrawTextW(dc.Get(), Utf8ToWide(button.second).c_str(), -1, &caption,
                  DT_CALCRECT | DT_SINGLELINE);
      metrics.captionWidths.push_back(caption.right);
    }
  }
  metrics.minClientWidth = TitleBarWidth(dialog, Utf8ToWide(shown.request.title), dpi);

  const MessageBoxLayout layout = LayOutMessageBox(metrics);
  const auto place = [&](int id, const BoxRect& r) {
    ::MoveWindow(::GetDlgItem(dialog, id), r.left, r.top, r.width, r.height, FALSE);
  };
  place(kIconId, layout.icon);
  place(kTextId, layout.text);
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    place(kFirstButtonId + static_cast<int>(i), layout.buttons[i]);
  }

  const RECT frame = FrameForClient(
      RECT{0, 0, layout.clientWidth, layout.clientHeight},
      static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)),
      static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  ::SetWindowPos(dialog, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* shown = reinterpret_cast<Shown*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      shown = reinterpret_cast<Shown*>(lParam);
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      LayOut(dialog, *shown);
      // A shared system icon: nothing to free.
      const HICON icon = ::LoadIconW(nullptr, IconOf(shown->request.kind));
      ::SendDlgItemMessageW(dialog, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
      const auto& buttons = shown->request.buttons;
      for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].first != shown->request.defaultButton) continue;
        const int id = kFirstButtonId + static_cast<int>(i);
        ::SendMessageW(dialog, DM_SETDEFID, id, 0);
        ::SetFocus(::GetDlgItem(dialog, id));
        return FALSE;  // the focus is set
      }
      return TRUE;
    }
    case WM_COMMAND: {
      if (shown == nullptr) return FALSE;
      const int id = LOWORD(wParam);
      const auto& buttons = shown->request.buttons;
      if (id == IDCANCEL && lParam == 0) {  // Escape
        if (!shown->request.escapeButton) return TRUE;
        shown->answer = *shown->request.escapeButton;
        ::EndDialog(dialog, 1);
        return TRUE;
      }
      const int index = id - kFirstButtonId;
      if (HIWORD(wParam) == BN_CLICKED && index >= 0 && index < static_cast<int>(buttons.size())) {
        shown->answer = buttons[index].first;
        ::EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    }
    case WM_CLOSE:  // close box, Alt+F4, system menu
      if (shown != nullptr) shown->answer = MsgButton::Cancel;
      ::EndDialog(dialog, 1);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

MsgButton Win32MessageDialog::Show(const MessageBoxRequest& request) {
  WORD pointSize;
  std::wstring face;
  MessageFont(pointSize, face);
  DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND,
                        Utf8ToWide(request.title), pointSize, face);
  dialog.AddItem(DialogTemplate::kStatic, SS_ICON, kIconId, L"");
  dialog.AddItem(DialogTemplate::kStatic, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, kTextId,
                 Utf8ToWide(WithDisplayLineBreaks(request.text)));
  for (std::size_t i = 0; i < request.buttons.size(); ++i) {
    const bool isDefault = request.buttons[i].first == request.defaultButton;
    DWORD style = (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    if (i == 0) style |= WS_GROUP;
    dialog.AddItem(DialogTemplate::kButton, style, static_cast<WORD>(kFirstButtonId + i),
                   Utf8ToWide(request.buttons[i].second));
  }

  ::MessageBeep(SoundOf(request.kind));
  Shown shown{request};
  ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                            reinterpret_cast<const DLGTEMPLATE*>(dialog.Data().data()),
                            ::GetActiveWindow(),
                            &DialogProc, reinterpret_cast<LPARAM>(&shown));
  return shown.answer;
}

}  // namespace vlt::win32
