#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/portable/PackedPicture.h"
#include "resources/ResourceIds.h"

// The pictures built into the executable, checked against what the pages'
// layouts and the button code take for granted.
namespace vlt {
namespace {

std::vector<std::uint8_t> ReadResource(const std::string& name) {
  std::string dir = __FILE__;
  dir = dir.substr(0, dir.find_last_of("/\\"));  // .../tests
  dir = dir.substr(0, dir.find_last_of("/\\"));  // the source tree
  std::ifstream in(dir + "/resources/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<std::uint8_t>& d, std::size_t at) {
  return d.at(at) | d.at(at + 1) << 8 | d.at(at + 2) << 16 |
         static_cast<std::uint32_t>(d.at(at + 3)) << 24;
}
std::uint16_t U16(const std::vector<std::uint8_t>& d, std::size_t at) {
  return static_cast<std::uint16_t>(d.at(at) | d.at(at + 1) << 8);
}

struct Bitmap {
  int width, height, bits;
  std::uint32_t compression, dataOffset;
};

Bitmap Header(const std::vector<std::uint8_t>& d) {
  EXPECT_EQ(d.at(0), 'B');
  EXPECT_EQ(d.at(1), 'M');
  EXPECT_EQ(U32(d, 2), d.size());
  return {static_cast<int>(U32(d, 18)), static_cast<int>(U32(d, 22)), U16(d, 28), U32(d, 30),
          U32(d, 10)};
}

TEST(Pictures, SizesAndDepthsAreThoseTheLayoutsExpect) {
  struct Case {
    const char* file;
    int width, height, bits;
  } const cases[] = {
      {"side-banner.bmp", 111, 199, 24},  // fills Image1 inside the 113 x 201 panel
      {"flag-germany.bmp", 60, 30, 24},
      {"flag-uk.bmp", 60, 30, 24},
      {"browse-glyph.bmp", 32, 16, 4},  // normal and disabled 16 x 16 images
      {"file-array-binder.bmp", 24, 24, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::vector<std::uint8_t> data = ReadResource(c.file);
    ASSERT_GT(data.size(), 54u);
    const Bitmap bmp = Header(data);
    EXPECT_EQ(bmp.width, c.width);
    EXPECT_EQ(bmp.height, c.height);  // positive: bottom-up rows, as every loader reads
    EXPECT_EQ(bmp.bits, c.bits);
    EXPECT_EQ(bmp.compression, 0u);
    const std::size_t stride = ((static_cast<std::size_t>(c.width) * c.bits + 31) / 32) * 4;
    EXPECT_EQ(data.size(), bmp.dataOffset + stride * c.height);
  }
}

TEST(Pictures, TheGlyphsBackgroundIsTheTransparentColour) {
  const std::vector<std::uint8_t> data = ReadResource("browse-glyph.bmp");
  ASSERT_GT(data.size(), 118u);
  // The colour the button code masks out must be in the palette and must be
  // what the corners of both images show.
  const std::size_t palette = 14 + U32(data, 14);
  int transparentIndex = -1;
  for (int i = 0; i < 16; ++i) {
    const std::size_t at = palette + 4 * i;  // blue, green, red, 0
    const std::uint32_t rgb = data[at + 2] << 16 | data[at + 1] << 8 | data[at];
    if (rgb == VLT_GLYPH_TRANSPARENT_RGB) transparentIndex = i;
  }
  ASSERT_NE(transparentIndex, -1);
  const std::size_t pixels = U32(data, 10);
  const auto pixel = [&](int x, int yFromTop) {
    const std::size_t row = pixels + static_cast<std::size_t>(15 - yFromTop) * 16;
    const std::uint8_t pair = data.at(row + x / 2);
    return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
  };
  for (int x : {0, 15, 16, 31}) {
    EXPECT_EQ(pixel(x, 0), transparentIndex) << "top corner at x " << x;
  }
  EXPECT_EQ(pixel(16, 15), transparentIndex);  // bottom left of the disabled image
  // And each image draws something of its own.
  for (int image : {0, 16}) {
    int drawn = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = image; x < image + 16; ++x) drawn += pixel(x, y) != transparentIndex;
    }
    EXPECT_GT(drawn, 40) << "image at x " << image;
  }
}

TEST(Pictures, TheIconHoldsBothSizes) {
  const std::vector<std::uint8_t> data = ReadResource("VelToriSetup.ico");
  ASSERT_GT(data.size(), 6u + 2 * 16u);
  EXPECT_EQ(U16(data, 0), 0);
  EXPECT_EQ(U16(data, 2), 1);  // an icon, not a cursor
  ASSERT_EQ(U16(data, 4), 2);
  std::vector<int> sizes;
  for (int i = 0; i < 2; ++i) {
    const std::size_t entry = 6 + 16 * i;
    sizes.push_back(data[entry]);
    EXPECT_EQ(data[entry], data[entry + 1]);  // square
    EXPECT_EQ(U16(data, entry + 6), 32);      // bits per pixel
    EXPECT_LE(U32(data, entry + 12) + U32(data, entry + 8), data.size());
  }
  EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

}  // namespace
}  // namespace vlt

// The pictures as the program carries them: packed by the build with zlib,
// inflated and checked when a page shows them.
namespace vlt {
namespace {

std::vector<std::uint8_t> Packed(const std::vector<std::uint8_t>& file) {
  uLongf length = compressBound(static_cast<uLong>(file.size()));
  std::vector<std::uint8_t> packed(length);
  EXPECT_EQ(compress2(packed.data(), &length, file.data(), static_cast<uLong>(file.size()), 9), Z_OK);
  packed.resize(length);
  return packed;
}

TEST(PackedPictures, EveryPictureInflatesToItsFileAndParses) {
  for (const char* name : {"side-banner.bmp", "flag-germany.bmp", "flag-uk.bmp", "browse-glyph.bmp"}) {
    SCOPED_TRACE(name);
    const std::vector<std::uint8_t> file = ReadResource(name);
    const Result<std::vector<std::uint8_t>> unpacked = UnpackPicture(Packed(file));
    ASSERT_TRUE(unpacked.Ok()) << unpacked.Error().subject;
    const std::vector<std::uint8_t>& inflated = unpacked.Value();
    EXPECT_EQ(inflated, file);
    const Result<BitmapFileView> parsed = ParseBitmapFile(inflated);
    ASSERT_TRUE(parsed.Ok()) << parsed.Error().subject;
    const BitmapFileView& view = parsed.Value();
    EXPECT_EQ(view.info.data(), inflated.data() + 14);
    EXPECT_EQ(view.bits.data() + view.bits.size(), inflated.data() + inflated.size());
    EXPECT_GE(view.info.size(), 40u);
  }
}

TEST(PackedPictures, DamagedOrOversizedPicturesFail) {
  const std::vector<std::uint8_t> file = ReadResource("flag-germany.bmp");
  std::vector<std::uint8_t> packed = Packed(file);
  const Result<std::vector<std::uint8_t>> oversized = UnpackPicture(packed, file.size() - 1);
  ASSERT_FALSE(oversized.Ok());
  EXPECT_EQ(oversized.Error().subject, "the packed picture inflates to more than " +
                                           std::to_string(file.size() - 1) + " bytes");
  const Result<std::vector<std::uint8_t>> fitting = UnpackPicture(packed, file.size());
  ASSERT_TRUE(fitting.Ok()) << fitting.Error().subject;
  EXPECT_EQ(fitting.Value().size(), file.size());
  packed.pop_back();
  const Result<std::vector<std::uint8_t>> cut = UnpackPicture(packed);
  ASSERT_FALSE(cut.Ok());
  EXPECT_EQ(cut.Error().subject, "the packed picture does not inflate: buffer error");

  auto damaged = [&](std::size_t at, std::uint32_t value) {
    std::vector<std::uint8_t> d = file;
    for (int i = 0; i < 4; ++i) d.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
    return d;
  };
  const struct {
    const char* what;
    std::vector<std::uint8_t> file;
    const char* message;
  } cases[] = {
      {"one byte short", std::vector<std::uint8_t>(file.begin(), file.end() - 1),
       "the pixel rows lie outside the bitmap file"},
      {"pixels beyond the end", damaged(10, 0xFFFFFF00u),
       "the pixel rows lie outside the bitmap file"},
      {"header size", damaged(14, 0x7FFFFFFFu), "bitmap info header of unexpected size"},
      {"width", damaged(18, 0x00010000u), "unexpected bitmap size"},
      {"run-length coded", damaged(30, 1), "not a plain uncompressed bitmap"},
      {"zeros", std::vector<std::uint8_t>(60, 0), "not a bitmap file"},
  };
  for (const auto& c : cases) {
    const Result<BitmapFileView> parsed = ParseBitmapFile(c.file);
    ASSERT_FALSE(parsed.Ok()) << c.what;
    EXPECT_EQ(parsed.Error().subject, c.message) << c.what;
  }
}

}  // namespace
}  // namespace vlt
