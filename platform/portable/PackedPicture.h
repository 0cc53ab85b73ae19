#pragma once
// The pages' pictures as the executable carries them: each a whole bitmap
// file (BITMAPFILEHEADER, BITMAPINFOHEADER, palette, pixel rows) compressed
// as one zlib stream by the build (picture-pack). Inflating and checking
// them needs no <windows.h>; platform/win32/Pictures.cpp turns the result
// into a GDI bitmap.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/Result.h"

namespace vlt {

// A plain (uncompressed, BI_RGB) bottom-up bitmap of 1, 4, 8 or 24 bits per
// pixel, as a bitmap file holds it.
struct BitmapFileView {
  std::span<const std::uint8_t> info;  // BITMAPINFOHEADER and palette
  std::span<const std::uint8_t> bits;  // the pixel rows, each padded to 4 bytes
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

// Checks `file` as a bitmap file of the kind above and returns where its
// parts lie; every offset and length is checked against the file. Fails with
// a message naming the fault.
Result<BitmapFileView> ParseBitmapFile(std::span<const std::uint8_t> file);

// The bitmap file that `packed` inflates to. Fails when the stream is
// damaged or inflates to more than `maxLength` bytes.
Result<std::vector<std::uint8_t>> UnpackPicture(std::span<const std::uint8_t> packed,
                                                std::size_t maxLength = 4 * 1024 * 1024);

}  // namespace vlt
