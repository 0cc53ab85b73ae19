#include <gtest/gtest.h>

#include "platform/portable/DpiScale.h"

namespace vlt::win32 {
namespace {

// What the pages become at the scales Windows offers: the settings page's
// folder field and the browse button beside it, the side panel with its
// one-pixel edge, the pages' font and their pictures.
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
