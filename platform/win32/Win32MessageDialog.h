#pragma once
// The program's message box: a modal dialog of the standard dialog class
// (#32770), built at run time so that its title and button captions are
// exactly the ones asked for.
//
// Owned by the active window of the thread (disabled while the box is up),
// centred on the screen, the system icon and sound of its kind, the text
// sized to fit (wrapped at half the screen width). Buttons carry the ids
// 1000, 1001, ... from left to right, clear of IDOK and IDCANCEL, so that
// Escape (IDCANCEL from the dialog manager) and the close box (WM_CLOSE)
// are told apart from clicks.
#include "platform/MessageDialog.h"

namespace vlt::win32 {

class Win32MessageDialog : public MessageDialog {
 public:
  // Cancel when the box is closed, or cannot be shown at all.
  MsgButton Show(const MessageBoxRequest& request) override;
};

}  // namespace vlt::win32
