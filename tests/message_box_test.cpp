#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "program/MessageBox.h"

namespace vlt {
namespace {

using enum MsgButton;

TEST(MessageBox, ButtonOrderDefaultAndEscapeFollowTheRules) {
  struct Case {
    std::initializer_list<MsgButton> offered;  // in the caller's order
    std::vector<MsgButton> layout;
    MsgButton defaultButton;
    std::optional<MsgButton> escape;
  } const cases[] = {
      {{Ok}, {Ok}, Ok, Ok},
      {{No, Yes}, {Yes, No}, Yes, No},
      {{Cancel, Ok}, {Ok, Cancel}, Ok, Cancel},
      {{Cancel, No, Yes}, {Yes, No, Cancel}, Yes, Cancel},
      {{Ignore, Retry, Abort}, {Abort, Retry, Ignore}, Retry, std::nullopt},
      {{Cancel, Retry}, {Cancel, Retry}, Retry, Cancel},
      {{Help, All, Ok, Yes}, {Yes, Ok, All, Help}, Ok, Ok},
      {{Help, All, Ignore, Retry, Abort, Cancel, Ok, No, Yes},
       {Yes, No, Ok, Cancel, Abort, Retry, Ignore, All, Help},
       Ok,
       Cancel},
      // Nothing that the rules name as default: the first button takes it.
      {{Ignore, Abort}, {Abort, Ignore}, Abort, std::nullopt},
  };
  const DialogCaptions captions;
  for (const Case& c : cases) {
    const MessageBoxRequest box = BuildMessageBox(captions, "text", MsgKind::Warning, c.offered);
    std::vector<MsgButton> layout;
    for (const auto& [button, caption] : box.buttons) layout.push_back(button);
    EXPECT_EQ(layout, c.layout);
    EXPECT_EQ(box.defaultButton, c.defaultButton);
    EXPECT_EQ(box.escapeButton, c.escape);
  }
}

TEST(MessageBox, TitleAndCaptionsComeFromTheCurrentCaptions) {
  DialogCaptions captions;
  captions.TitleWarning = "Warnung";
  captions.TitleError = "Fehler";
  captions.TitleInformation = "Info";
  captions.TitleConfirmation = "Bestätiung";
  captions.CaptionOk = "&Ok";
  captions.CaptionCancel = "A&bbrechen";
  captions.CaptionAbort = "A&bbrechen";

  struct Case {
    MsgKind kind;
    const char* title;
  } const kinds[] = {{MsgKind::Warning, "Warnung"},
                     {MsgKind::Error, "Fehler"},
                     {MsgKind::Information, "Info"},
                     {MsgKind::Confirmation, "Bestätiung"}};
  for (const Case& c : kinds) {
    const MessageBoxRequest box = BuildMessageBox(captions, "Fehler beim\rAnlegen", c.kind,
                                                  {Ok, Cancel, Abort});
    EXPECT_EQ(box.title, c.title);
    EXPECT_EQ(box.kind, c.kind);
    EXPECT_EQ(box.text, "Fehler beim\rAnlegen");
    using Buttons = std::vector<std::pair<MsgButton, std::string>>;
    EXPECT_EQ(box.buttons,
              (Buttons{{Ok, "&Ok"}, {Cancel, "A&bbrechen"}, {Abort, "A&bbrechen"}}));
  }
}

}  // namespace
}  // namespace vlt
