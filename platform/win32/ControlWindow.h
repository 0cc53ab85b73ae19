#pragma once
// One control of a page as a child window of a standard class. Its state
// lives in the window and is read back from it, so what a handler reads is
// what the user (or an automation tool) sees.
//
//   Button       BUTTON, BS_PUSHBUTTON (a glyph through the button's image list)
//   CheckBox     BUTTON, BS_AUTOCHECKBOX
//   RadioButton  BUTTON, BS_AUTORADIOBUTTON
//   Edit         EDIT, one line, scrolling sideways, sunken client edge
//   Memo         EDIT, several lines, word wrap, vertical scroll bar
//   Label        STATIC, one line, resized to its text
//   WrapLabel    STATIC, fixed width, word wrap, as tall as its text needs
//                (at least the layout's height)
//   ProgressBar  msctls_progress32
//   Panel        STATIC with a thin sunken edge; holds pictures
//   Bevel        STATIC, etched horizontal line
//   Image        STATIC, SS_BITMAP, sized to its picture
#include "forms/FormHost.h"
#include "platform/portable/DpiScale.h"
#include "platform/win32/Handles.h"

namespace vlt::win32 {

class PageWindow;

struct ChildPlacement {
  HWND parent;
  PixelRect rect;  // in the parent's client coordinates, at `dpi`
  int id;
  HFONT font;     // the page's font at `dpi`
  int dpi;
  int wrapWidth;  // a self-sizing label wider than this wraps at it
};

class ControlWindow : public ControlView {
 public:
  // Creates the window (hidden when the layout says so) with its built-in
  // text, state, range and picture. Ends the program with the system's
  // message when the system refuses.
  ControlWindow(PageWindow& page, const ControlSpec& spec, const ChildPlacement& placement);
  ~ControlWindow() override;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  HWND Handle() const { return hwnd_; }

  // Lays the control out again for its page at another DPI: the new place,
  // font and wrap width (its parent and id stay), a label sized to its text
  // again, the picture at its new size. The page moves the controls below
  // a label that has grown (PageWindow::Reflow).
  void ApplyDpi(const ChildPlacement& placement);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  bool Checked() const override;
  void SetChecked(bool checked) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  // The control's own visibility flag; a control of a hidden page may be visible.
  bool Visible() const override;
  void SetVisible(bool visible) override;
  int Position() const override;
  void SetPosition(int position) override;
  void StepIt() override;
  PictureId Picture() const override { return picture_; }
  // Loads a copy of the picture for this control alone.
  void SetPicture(PictureId picture) override;

 private:
  void FitToText();
  void FitWrappedHeight();

  PageWindow& page_;
  ControlKind kind_;
  HWND hwnd_ = nullptr;  // destroyed with its page
  HFONT font_;
  int dpi_;
  int wrapWidth_;
  int placedHeight_;  // the layout's height at dpi_
  PictureId picture_ = PictureId::None;
  UniqueBitmap bitmap_;       // Image
  UniqueImageList glyph_;     // Button
};

// True for the kinds the keyboard can focus.
bool IsFocusable(ControlKind kind);

}  // namespace vlt::win32
