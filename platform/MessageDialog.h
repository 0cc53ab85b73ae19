#pragma once
// The modal message box. The texts arrive ready to show: the caller has
// chosen title and button captions for the current language.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vlt {

enum class MsgKind { Warning, Error, Information, Confirmation };

enum class MsgButton { Yes, No, Ok, Cancel, Abort, Retry, Ignore, All, Help };

struct MessageBoxRequest {
  std::string title;
  std::string text;  // a lone "\r" is a line break
  MsgKind kind = MsgKind::Information;
  // Buttons from left to right, each with its caption ("&" marks the accelerator).
  std::vector<std::pair<MsgButton, std::string>> buttons;
  MsgButton defaultButton = MsgButton::Ok;
  // What Escape answers; nullopt: Escape does nothing.
  std::optional<MsgButton> escapeButton;
};

class MessageDialog {
 public:
  virtual ~MessageDialog() = default;
  // Shows the box centred on the screen with the system icon of its kind and
  // returns the button pressed; the close box answers Cancel.
  virtual MsgButton Show(const MessageBoxRequest& request) = 0;
};

}  // namespace vlt
