#include "program/MessageBox.h"

#include <algorithm>
#include <array>

namespace vlt {
namespace {

constexpr std::array kLayoutOrder = {MsgButton::Yes,   MsgButton::No,    MsgButton::Ok,
                                     MsgButton::Cancel, MsgButton::Abort, MsgButton::Retry,
                                     MsgButton::Ignore, MsgButton::All,   MsgButton::Help};

const std::string& CaptionOf(const DialogCaptions& c, MsgButton button) {
  switch (button) {
    case MsgButton::Yes: return c.CaptionYes;
    case MsgButton::No: return c.CaptionNo;
    case MsgButton::Ok: return c.CaptionOk;
    case MsgButton::Cancel: return c.CaptionCancel;
    case MsgButton::Abort: return c.CaptionAbort;
    case MsgButton::Retry: return c.CaptionRetry;
    case MsgButton::Ignore: return c.CaptionIgnore;
    case MsgButton::All: return c.CaptionAll;
    case MsgButton::Help: return c.CaptionHelp;
  }
  return c.CaptionOk;
}

const std::string& TitleOf(const DialogCaptions& c, MsgKind kind) {
  switch (kind) {
    case MsgKind::Warning: return c.TitleWarning;
    case MsgKind::Error: return c.TitleError;
    case MsgKind::Information: return c.TitleInformation;
    case MsgKind::Confirmation: return c.TitleConfirmation;
  }
  return c.TitleInformation;
}

}  // namespace

MessageBoxRequest BuildMessageBox(const DialogCaptions& captions, const std::string& text,
                                  MsgKind kind, std::initializer_list<MsgButton> buttons) {
  auto offered = [&](MsgButton b) {
    return std::find(buttons.begin(), buttons.end(), b) != buttons.end();
  };
  MessageBoxRequest request;
  request.title = TitleOf(captions, kind);
  request.text = text;
  request.kind = kind;
  for (MsgButton button : kLayoutOrder) {
    if (offered(button)) request.buttons.emplace_back(button, CaptionOf(captions, button));
  }
  if (offered(MsgButton::Ok)) {
    request.defaultButton = MsgButton::Ok;
  } else if (offered(MsgButton::Yes)) {
    request.defaultButton = MsgButton::Yes;
  } else if (offered(MsgButton::Retry)) {
    request.defaultButton = MsgButton::Retry;
  } else if (!request.buttons.empty()) {
    request.defaultButton = request.buttons.front().first;
  }
  for (MsgButton candidate : {MsgButton::Cancel, MsgButton::No, MsgButton::Ok}) {
    if (offered(candidate)) {
      request.escapeButton = candidate;
      break;
    }
  }
  return request;
}

MsgButton ShowMessageBox(MessageDialog& dialog, const DialogCaptions& captions,
                         const std::string& text, MsgKind kind,
                         std::initializer_list<MsgButton> buttons) {
  return dialog.Show(BuildMessageBox(captions, text, kind, buttons));
}

}  // namespace vlt
