#pragma once
// A page as a top-level window: one registered window class for all pages,
// child windows of the standard classes for the controls, keyboard
// navigation by the dialog manager.
//
// The window procedure only turns messages into calls of the page:
// a click (BN_CLICKED) into Form::UserClicked, a close request (close box,
// Alt+F4, system menu) into Form::UserClose.
//
// The layout is in pixels at 96 DPI; the page shows it scaled to the DPI of
// its window (DpiScale): places and sizes, its font (8 points at that DPI)
// and its pictures. When the window moves to a
// monitor of another scale (WM_DPICHANGED) it lays itself out again and
// takes the rectangle the system suggests. Neither Enter nor Escape
// presses anything unless a push button has the focus (then Enter presses
// it).
#include <span>
#include <string_view>
#include <vector>

#include "forms/Form.h"
#include "platform/portable/DpiScale.h"
#include "platform/portable/TabOrder.h"
#include "platform/win32/Handles.h"

namespace vlt::win32 {

inline constexpr wchar_t kPageClassName[] = L"VelToriSetupPage";

// Registers the page class (once per process); false when that fails.
bool RegisterPageClass(HINSTANCE instance);

// The message loop's keyboard filter for pages: Tab, arrow keys, Alt+letter
// and Enter go through the dialog manager of the page the message is for,
// and Escape does nothing there. True when the message has been handled.
bool PreTranslatePageMessage(MSG& msg);

class ControlWindow;

class PageWindow : public FormView {
 public:
  // The procedure of the page class.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // Creates the window hidden, with the client size (scaled to the window's
  // DPI) and border of `spec`. Ends the program with the system's message
  // when the system refuses.
  PageWindow(Form& form, const FormSpec& spec);
  ~PageWindow() override;
  PageWindow(const PageWindow&) = delete;
  PageWindow& operator=(const PageWindow&) = delete;

  // Controls come in the layout's order; a control inside a panel must come
  // after its panel (std::logic_error otherwise). The n-th control of the
  // layout (from 0) gets the control id 100 + n, so tools can find it by its
  // place in the layout. The tab order (the windows' z-order) is that of the
  // layout's tab-order numbers, then the layout's order for controls
  // without one; a label that names a field stands right before it.
  std::unique_ptr<ControlView> CreateControl(Control& control, const ControlSpec& spec) override;
  std::string Caption() const override;
  void SetCaption(const std::string& caption) override;
  // Centres the page on the work area the first time, shows it, brings it
  // to the front and focuses its first control in tab order.
  void Show() override;
  void Hide() override;
  bool Visible() const override;

  // Called by a control window as it goes.
  void Forget(HWND child);
  // Moves the controls below a label whose text needs more lines than the
  // layout gave it down as far as it grew (FlowDown), and back up when it
  // needs fewer again. Called by a label whose text changed.
  void Reflow();
  // The radio buttons of one parent are one group: the first in tab order
  // starts it, and the checked one (else the first) is its tab stop.
  void RefreshRadioGroups();

 private:
  struct Child {
    HWND hwnd;
    ControlWindow* window;
    Control* control;
    ControlKind kind;
    std::string_view name;
    std::string_view parent;
    TabPlace place;
    PixelRect designed;  // at 96 DPI, from the layout
    int labelRoom;       // at 96 DPI: how wide a self-sizing label may grow
  };

  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnActivate(WPARAM wParam);
  void OnNextDialogControl(WPARAM wParam, LPARAM lParam);
  void FocusFirstControl();
  HWND FirstTabStop() const;
  const Child* FindChild(HWND hwnd) const;
  const Child* FindChildByName(std::string_view name) const;
  void CentreOnWorkArea();
  void OnDpiChanged(int dpi, const RECT& suggested);
  // Lays the page out for a window at `windowDpi`: at that DPI, or smaller
  // where the page would not fit its monitor's work area.
  void ChooseLayoutDpi(int windowDpi);
  // The window's outer size for its layout at the window's DPI.
  SIZE FrameSize() const;
  // Where a control goes at the page's DPI, in its parent's client area.
  PixelRect ScaledRect(const Child& child) const;
  int LabelRoom(const ControlSpec& label) const;

  Form& form_;
  UniqueWindow window_;
  int windowDpi_ = kDesignDpi;  // the monitor's, which the frame follows
  int dpi_ = kDesignDpi;        // what the content is laid out at
  UniqueFont font_;  // the page's font at dpi_
  std::span<const ControlSpec> layout_;
  int clientWidth_;   // at 96 DPI
  int clientHeight_;  // at 96 DPI
  std::vector<Child> children_;  // in tab order
  int nextId_ = 100;             // clear of IDOK, IDCANCEL and the other dialog ids
  HWND savedFocus_ = nullptr;    // focus to restore when the page is activated again
  bool centred_ = false;
};

}  // namespace vlt::win32
