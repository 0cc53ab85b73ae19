#include <gtest/gtest.h>

#include "platform/portable/DpiScale.h"

namespace vlt::win32 {
namespace {

// What the pages become at the scales Windows offers: the settings page's
// folder field and the browse button beside it, the side panel with its
// one-pixel edge, the pages' font and their pictures.
// A page at a scale too large for its monitor lays itself out at the
// largest scale that fits the work area; never below 100 %.
TEST(DpiScale, PagesFitTheirMonitor) {
  const PixelSize page{449, 215};
  struct Row {
    int dpi;
    PixelSize room;
    int fitting;
  } const rows[] = {
      {144, {1900, 1000}, 144},  // fits: unchanged
      {240, {1004, 700}, 214},   // 250 % on 1024x768: 449 * 214 / 96 = 1001
      {288, {1260, 640}, 269},   // 300 % on 1280x720
      {240, {1004, 300}, 134},   // the height decides
      {192, {300, 200}, 96},     // smaller than the page as designed
  };
  for (const Row& row : rows) {
    const int fitting = FittingDpi(row.dpi, page, row.room);
    EXPECT_EQ(fitting, row.fitting) << row.dpi;
    EXPECT_TRUE(fitting == 96 || (ScaleLength(page.width, fitting) <= row.room.width &&
                                  ScaleLength(page.height, fitting) <= row.room.height));
  }
}

TEST(DpiScale, PagesAtTheUsualScales) {
  struct Row {
    int dpi;
    PixelRect field, button;  // 136,136 201x21 and 344,134 100x25 at 96 DPI
    PixelRect panel;          // 8,8 113x201 with a one-pixel edge
    int fontHeight;           // 8 points
    PixelSize banner, flag, glyph;  // 111x199, 60x30, 16x16
  };
  const Row rows[] = {
      {96, {136, 136, 201, 21}, {344, 134, 100, 25}, {8, 8, 113, 201}, -11,
       {111, 199}, {60, 30}, {16, 16}},
      {120, {170, 170, 251, 26}, {430, 168, 125, 31}, {10, 10, 141, 251}, -13,
       {139, 249}, {75, 38}, {20, 20}},
      {144, {204, 204, 302, 32}, {516, 201, 150, 38}, {12, 12, 169, 301}, -16,
       {167, 299}, {90, 45}, {24, 24}},
      {192, {272, 272, 402, 42}, {688, 268, 200, 50}, {16, 16, 224, 400}, -21,
       {222, 398}, {120, 60}, {32, 32}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.dpi << " DPI");
    const PixelRect field = ScaleRect({136, 136, 201, 21}, row.dpi);
    const PixelRect button = ScaleRect({344, 134, 100, 25}, row.dpi);
    EXPECT_EQ(field, row.field);
    EXPECT_EQ(button, row.button);
    const PixelRect panel = ScaleFramedRect({8, 8, 113, 201}, 1, row.dpi);
    EXPECT_EQ(panel, row.panel);
    // The side picture fills the panel inside its edge at every scale.
    EXPECT_EQ(panel.width - 2, row.banner.width);
    EXPECT_EQ(panel.height - 2, row.banner.height);
    EXPECT_EQ(FontCharacterHeight(8, row.dpi), row.fontHeight);
    EXPECT_EQ(ScalePicture({111, 199}, row.dpi), row.banner);
    EXPECT_EQ(ScalePicture({60, 30}, row.dpi), row.flag);
    EXPECT_EQ(ScalePicture({16, 16}, row.dpi), row.glyph);
  }
}

// The finish page at 175 %, its text laid out for three lines. A fourth
// line moves the note below it down, as close as the layout had it, and
// the free space under the note takes that up; three lines more move the
// check boxes down too, into the free space above "have fun". The side
// panel beside the text never moves. A text that would push a control off
// the page, or a label not shown, moves nothing.
TEST(DpiScale, TallerLabelsPushWhatIsBelowThem) {
  constexpr int kDpi = 168;
  // Text, note, two check boxes, "have fun", line, button, side panel.
  const PixelRect layout[] = {{136, 8, 305, 46}, {136, 56, 258, 13}, {136, 88, 281, 17},
                              {136, 108, 281, 17}, {136, 152, 48, 13}, {128, 176, 316, 2},
                              {344, 184, 100, 25}, {8, 8, 113, 201}};
  const std::vector<int> asLaidOut = {14, 98, 154, 189, 266, 308, 322, 14};
  struct Row {
    const char* what;
    int textHeight;
    bool textShown;
    std::vector<int> tops;
  };
  const Row rows[] = {
      {"three lines", 81, true, asLaidOut},
      {"three lines a pixel taller", 82, true, asLaidOut},  // rounding: no room taken from the note
      {"four lines", 92, true, {14, 109, 154, 189, 266, 308, 322, 14}},
      {"six lines", 138, true, {14, 155, 192, 227, 266, 308, 322, 14}},
      {"more than the page holds", 300, true, asLaidOut},
      {"six lines, hidden", 138, false, asLaidOut},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<FlowBox> boxes;
    for (const PixelRect& designed : layout) {
      const PixelRect placed = ScaleRect(designed, kDpi);
      boxes.push_back({placed, {placed.width, placed.height}});
    }
    boxes[0].shown.height = row.textHeight;
    boxes[0].grows = row.textShown;
    boxes[1].shown.width = 348;  // the note and "have fun" as wide as their texts
    boxes[1].grows = true;
    boxes[4].shown.width = 70;
    boxes[4].grows = true;
    EXPECT_EQ(FlowDown(boxes, ScaleLength(8, kDpi), ScaleLength(215, kDpi)), row.tops);
  }
}

// A picture grown for a larger scale keeps its corners' colours, blends
// between them, and a transparent background stays transparent: no colour
// of the key bleeds into the edge of what is drawn on it.
TEST(DpiScale, PicturesGrowSmoothlyWithoutFringes) {
  constexpr std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kClear = 0;
  const std::uint32_t picture[] = {kRed, kBlue, kClear, kClear};  // 2 x 2
  struct Row {
    PixelSize to;
  };
  for (const Row& row : {Row{{2, 2}}, Row{{3, 3}}, Row{{4, 4}}, Row{{5, 5}}}) {
    SCOPED_TRACE(testing::Message() << row.to.width << "x" << row.to.height);
    const std::vector<std::uint32_t> grown = ResamplePicture(picture, {2, 2}, row.to);
    ASSERT_EQ(grown.size(), static_cast<std::size_t>(row.to.width * row.to.height));
    const auto at = [&](int x, int y) { return grown[static_cast<std::size_t>(y * row.to.width + x)]; };
    EXPECT_EQ(at(0, 0), kRed);
    EXPECT_EQ(at(row.to.width - 1, 0), kBlue);
    EXPECT_EQ(at(0, row.to.height - 1), kClear);
    for (std::uint32_t pixel : grown) {
      // Premultiplied: no channel exceeds the pixel's coverage.
      const std::uint32_t alpha = pixel >> 24;
      for (int shift : {0, 8, 16}) EXPECT_LE((pixel >> shift) & 0xFF, alpha) << std::hex << pixel;
    }
  }
  const std::vector<std::uint32_t> row4 = ResamplePicture(picture, {2, 2}, {4, 1});
  EXPECT_EQ(row4[1] >> 24, 0x80u);  // half red, half transparent, between the two rows
}

}  // namespace
}  // namespace vlt::win32
