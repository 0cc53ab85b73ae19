#include <gtest/gtest.h>

#include "platform/portable/MessageBoxLayout.h"

namespace vlt::win32 {
namespace {

bool Overlap(const BoxRect& a, const BoxRect& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

MessageBoxMetrics Metrics(int textWidth, int textHeight, std::vector<int> captions,
                          int minClientWidth = 0) {
  MessageBoxMetrics m;  // 6 x 13 base units, 32 x 32 icon
  m.textWidth = textWidth;
  m.textHeight = textHeight;
  m.captionWidths = std::move(captions);
  m.minClientWidth = minClientWidth;
  return m;
}

// Whatever the input, nothing overlaps, nothing leaves the box, and the
// buttons form one centred row below the text in the order given.
TEST(MessageBoxLayout, EveryShapeIsWellFormed) {
  const MessageBoxMetrics cases[] = {
      Metrics(150, 13, {15}),                         // "OK"
      Metrics(150, 13, {20, 18}),                     // Yes, No
      Metrics(20, 13, {40, 40, 40, 40, 40, 40, 40, 40, 40}),  // all nine buttons, tiny text
      Metrics(512, 390, {15}),                        // long text, wrapped at the limit
      Metrics(0, 0, {15}),                            // empty text
      Metrics(100, 13, {200}),                        // a very long caption
      Metrics(100, 13, {15, 15}, 600),                // a long title
  };
  for (const MessageBoxMetrics& m : cases) {
    const MessageBoxLayout l = LayOutMessageBox(m);
    SCOPED_TRACE(testing::Message() << "text " << m.textWidth << "x" << m.textHeight << ", "
                                    << m.captionWidths.size() << " buttons");
    ASSERT_EQ(l.buttons.size(), m.captionWidths.size());
    EXPECT_FALSE(Overlap(l.icon, l.text));
    EXPECT_GE(l.clientWidth, m.minClientWidth);
    std::vector<BoxRect> all = l.buttons;
    all.push_back(l.icon);
    all.push_back(l.text);
    for (const BoxRect& r : all) {
      EXPECT_GT(r.left, 0);
      EXPECT_GT(r.top, 0);
      EXPECT_LT(r.Right(), l.clientWidth);
      EXPECT_LT(r.Bottom(), l.clientHeight);
    }
    for (std::size_t i = 0; i < l.buttons.size(); ++i) {
      const BoxRect& b = l.buttons[i];
      EXPECT_GE(b.top, std::max(l.icon.Bottom(), l.text.Bottom()));
      EXPECT_GE(b.width, m.captionWidths[i]);
      EXPECT_EQ(b.width, l.buttons[0].width);
      EXPECT_EQ(b.top, l.buttons[0].top);
      if (i > 0) {
        EXPECT_GT(b.left, l.buttons[i - 1].Right());
      }
    }
    const int leftGap = l.buttons.front().left;
    const int rightGap = l.clientWidth - l.buttons.back().Right();
    EXPECT_LE(std::abs(leftGap - rightGap), 1);
  }
}

TEST(MessageBoxLayout, ShortTextIsCentredOnTheIconTallTextStartsAtItsTop) {
  const MessageBoxLayout shortText = LayOutMessageBox(Metrics(150, 12, {15}));
  EXPECT_EQ(shortText.text.top - shortText.icon.top, (32 - 12) / 2);
  EXPECT_EQ(shortText.text.left, shortText.icon.Right() + 12);  // 8 dialog units at 6 px per 4

  const MessageBoxLayout tallText = LayOutMessageBox(Metrics(150, 130, {15}));
  EXPECT_EQ(tallText.text.top, tallText.icon.top);
  EXPECT_GT(tallText.buttons[0].top, tallText.text.Bottom());
}

TEST(MessageBoxLayout, ButtonsKeepTheirMinimumAndGrowWithTheWidestCaption) {
  EXPECT_EQ(LayOutMessageBox(Metrics(100, 13, {15})).buttons[0].width, 75);  // 50 dialog units
  const MessageBoxLayout wide = LayOutMessageBox(Metrics(100, 13, {15, 120, 30}));
  for (const BoxRect& b : wide.buttons) EXPECT_EQ(b.width, 120 + 18);
  EXPECT_EQ(wide.buttons[0].height, 23);  // 14 dialog units at 13 px per 8
}

TEST(MessageBoxLayout, TheWidestPartDecidesTheWidth) {
  const MessageBoxLayout textWide = LayOutMessageBox(Metrics(400, 13, {15}));
  EXPECT_EQ(textWide.clientWidth, textWide.text.Right() + 12);

  const MessageBoxLayout rowWide = LayOutMessageBox(Metrics(10, 13, {15, 15, 15, 15, 15}));
  EXPECT_EQ(rowWide.buttons.front().left, 12);
  EXPECT_EQ(rowWide.clientWidth, rowWide.buttons.back().Right() + 12);

  const MessageBoxLayout titleWide = LayOutMessageBox(Metrics(10, 13, {15}, 500));
  EXPECT_EQ(titleWide.clientWidth, 500);
}

TEST(MessageBoxLayout, NoButtonsLeavesNoRow) {
  const MessageBoxLayout l = LayOutMessageBox(Metrics(100, 13, {}));
  EXPECT_TRUE(l.buttons.empty());
  EXPECT_EQ(l.clientHeight, l.icon.Bottom() + 13);
}

TEST(MessageBoxLayout, TextWrapsAtHalfTheScreen) {
  EXPECT_EQ(MessageTextWidthLimit(1024), 512);
  EXPECT_EQ(MessageTextWidthLimit(100), 200);  // never absurdly narrow
}

TEST(MessageBoxLayout, ALoneCarriageReturnBreaksTheLine) {
  struct Case {
    const char* in;
    const char* out;
  } const cases[] = {
      {"", ""},
      {"one line", "one line"},
      {"Fehler.\rBitte pr\xc3\xbc" "fen.", "Fehler.\r\nBitte pr\xc3\xbc" "fen."},
      {"a\r\nb", "a\r\nb"},
      {"a\r", "a\r\n"},
      {"\r\r", "\r\n\r\n"},
      {"\r\r\n", "\r\n\r\n"},
      {"a\nb", "a\nb"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithDisplayLineBreaks(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace vlt::win32
