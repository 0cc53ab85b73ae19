#pragma once
// The one message box helper of the program: title and button captions come
// from the dialog captions of the current language.
#include <initializer_list>
#include <string>

#include "platform/MessageDialog.h"
#include "program/Texts.h"

namespace vlt {

// Lays out a box: buttons in the order Yes, No, OK, Cancel, Abort, Retry,
// Ignore, All, Help; default OK when offered, else Yes, else Retry (else the
// first button); Escape answers Cancel when offered, else No, else OK, and
// does nothing when none of these is offered.
MessageBoxRequest BuildMessageBox(const DialogCaptions& captions, const std::string& text,
                                  MsgKind kind, std::initializer_list<MsgButton> buttons);

MsgButton ShowMessageBox(MessageDialog& dialog, const DialogCaptions& captions,
                         const std::string& text, MsgKind kind,
                         std::initializer_list<MsgButton> buttons);

}  // namespace vlt
