#include "platform/portable/PackedPicture.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/Concat.h"
#include "common/ZLibEx.h"

namespace vlt {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;

std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint32_t>(d[at]) | static_cast<std::uint32_t>(d[at + 1]) << 8 |
         static_cast<std::uint32_t>(d[at + 2]) << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}

}  // namespace

Result<BitmapFileView> ParseBitmapFile(std::span<const std::uint8_t> file) {
  if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M')
    return Fault("not a bitmap file");
  const std::uint32_t bitsAt = U32(file, 10);
  const std::uint32_t infoSize = U32(file, 14);
  if (infoSize < kInfoHeaderSize || infoSize > file.size() - kFileHeaderSize)
    return Fault("bitmap info header of unexpected size");
  const auto width = static_cast<std::int32_t>(U32(file, 18));
  const auto height = static_cast<std::int32_t>(U32(file, 22));
  const std::uint16_t bitCount = U16(file, 28);
  if (U16(file, 26) != 1 || U32(file, 30) != kBiRgb)
    return Fault("not a plain uncompressed bitmap");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
    return Fault(Concat({"unsupported depth of ", std::to_string(bitCount), " bits per pixel"}));
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
    return Fault("unexpected bitmap size");
  const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
  const std::size_t bitsSize = stride * static_cast<std::size_t>(height);
  if (bitsAt < kFileHeaderSize + infoSize || bitsAt > file.size() || file.size() - bitsAt < bitsSize)
    return Fault("the pixel rows lie outside the bitmap file");
  return BitmapFileView{.info = file.subspan(kFileHeaderSize, bitsAt - kFileHeaderSize),
                        .bits = file.subspan(bitsAt, bitsSize),
                        .width = width,
                        .height = height,
                        .bitsPerPixel = bitCount};
}

Result<std::vector<std::uint8_t>> UnpackPicture(std::span<const std::uint8_t> packed,
                                                std::size_t maxLength) {
  InflatedBytes file;
  const Inflated result = InflateStream(packed, maxLength, file);
  if (result.pastEnd) {
    return Fault(Concat({"the packed picture inflates to more than ",
                           std::to_string(maxLength), " bytes"}));
  }
  if (result.status != kInflateOk) {
    return Fault(Concat({"the packed picture does not inflate: ", InflateStatusText(result.status)}));
  }
  return std::move(file.bytes);
}

}  // namespace vlt
