#include "platform/win32/Pictures.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "platform/portable/DpiScale.h"
#include "platform/portable/PackedPicture.h"
#include "platform/win32/Win32Resources.h"
#include "resources/ResourceIds.h"

namespace vlt::win32 {
namespace {

int ResourceIdOf(PictureId picture) {
  switch (picture) {
    case PictureId::None: return 0;
    case PictureId::SideBanner: return VLT_BMP_SIDE_BANNER;
    case PictureId::FlagGermany: return VLT_BMP_FLAG_GERMANY;
    case PictureId::FlagUnitedKingdom: return VLT_BMP_FLAG_UK;
    case PictureId::BrowseGlyph: return VLT_BMP_BROWSE_GLYPH;
  }
  return 0;
}

enum class BitmapKind {
  DibSection,  // the picture's own colours on any display depth
  ForDisplay,  // a bitmap of the display's format, as image lists take them
};

// The picture inflated and made into a bitmap the caller owns; an empty
// owner when it is missing or damaged (the page then shows no picture, as
// with a missing bitmap resource).
UniqueBitmap LoadBitmapResource(PictureId picture, BitmapKind kind) {
  const int id = ResourceIdOf(picture);
  if (id == 0) return {};
  const std::optional<std::span<const std::uint8_t>> packed =
      ExecutableResource(MAKEINTRESOURCEW(id), VLT_PACKED_BITMAP_TYPE_W);
  if (!packed) return {};
  const Result<std::vector<std::uint8_t>> file = UnpackPicture(*packed);
  if (!file.Ok()) return {};
  const Result<BitmapFileView> parsed = ParseBitmapFile(file.Value());
  if (!parsed.Ok()) return {};
  const BitmapFileView& view = parsed.Value();
  // The header and palette at the alignment BITMAPINFO wants.
  std::vector<std::uint32_t> aligned((view.info.size() + 3) / 4);
  std::memcpy(aligned.data(), view.info.data(), view.info.size());
  const auto* info = reinterpret_cast<const BITMAPINFO*>(aligned.data());

  const WindowDC screen(nullptr);
  if (!screen) return {};
  if (kind == BitmapKind::ForDisplay) {
    return UniqueBitmap(::CreateDIBitmap(screen.Get(), &info->bmiHeader, CBM_INIT,
                                         view.bits.data(), info, DIB_RGB_COLORS));
  }
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(screen.Get(), info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return {};
  std::memcpy(bits, view.bits.data(), view.bits.size());
  return bitmap;
}

constexpr int kGlyphSize = 16;
constexpr std::uint32_t kOpaque = 0xFF000000;

// The header of a 32-bit bitmap of `size` whose rows run top down.
BITMAPINFO TopDown32BitInfo(PixelSize size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.width;
  info.bmiHeader.biHeight = -size.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A bitmap of 32-bit pixels (B, G, R, A; rows top down), of the kind asked.
UniqueBitmap MakeBitmap(std::span<const std::uint32_t> pixels, PixelSize size, BitmapKind kind) {
  BITMAPINFO info = TopDown32BitInfo(size);
  const WindowDC screen(nullptr);
  if (!screen || pixels.empty()) return {};
  if (kind == BitmapKind::ForDisplay) {
    return UniqueBitmap(::CreateDIBitmap(screen.Get(), &info.bmiHeader, CBM_INIT, pixels.data(),
                                         &info, DIB_RGB_COLORS));
  }
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return {};
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
  return bitmap;
}

// The picture's pixels, opaque, premultiplied (as DpiScale resamples them);
// pixels of the colour `transparent` become fully transparent.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, PixelSize& size,
                                      std::optional<std::uint32_t> transparent) {
  BITMAP shape{};
  if (::GetObjectW(bitmap, sizeof shape, &shape) == 0) return {};
  size = {shape.bmWidth, std::abs(shape.bmHeight)};
  BITMAPINFO info = TopDown32BitInfo(size);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) * size.height);
  const WindowDC screen(nullptr);
  if (!screen || ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.height), pixels.data(),
                             &info, DIB_RGB_COLORS) != size.height) {
    return {};
  }
  for (std::uint32_t& pixel : pixels) {
    pixel &= 0x00FFFFFF;
    pixel = transparent && pixel == *transparent ? 0 : pixel | kOpaque;
  }
  return pixels;
}

// The picture scaled smoothly to its size at `dpi`, as a 32-bit bitmap.
UniqueBitmap ScaledPicture(PictureId picture, int dpi) {
  const UniqueBitmap stored = LoadBitmapResource(picture, BitmapKind::DibSection);
  if (!stored) return {};
  PixelSize size;
  const std::vector<std::uint32_t> pixels = ReadPixels(stored.Get(), size, std::nullopt);
  const PixelSize scaled = ScalePicture(size, dpi);
  std::vector<std::uint32_t> resampled = ResamplePicture(pixels, size, scaled);
  // No alpha: a static control keeps a copy of a bitmap with alpha, which
  // nobody would free.
  for (std::uint32_t& pixel : resampled) pixel &= ~kOpaque;
  return MakeBitmap(resampled, scaled, BitmapKind::DibSection);
}

// The glyph strip with both images scaled to `side` pixels, each on its
// own so that the two do not bleed into each other. A pixel covered by less
// than half after scaling gets the transparent colour; the others their
// colour, no longer premultiplied.
UniqueBitmap ScaledGlyphStrip(PictureId picture, int side) {
  const UniqueBitmap stored = LoadBitmapResource(picture, BitmapKind::DibSection);
  if (!stored) return {};
  PixelSize size;
  const std::vector<std::uint32_t> pixels =
      ReadPixels(stored.Get(), size, std::uint32_t{VLT_GLYPH_TRANSPARENT_RGB});
  if (size.width != 2 * kGlyphSize || size.height != kGlyphSize) return {};
  std::vector<std::uint32_t> strip(static_cast<std::size_t>(2 * side) * side);
  for (int image = 0; image < 2; ++image) {
    std::vector<std::uint32_t> one;
    for (int y = 0; y < kGlyphSize; ++y) {
      const auto row = pixels.begin() + y * size.width + image * kGlyphSize;
      one.insert(one.end(), row, row + kGlyphSize);
    }
    const std::vector<std::uint32_t> scaled =
        ResamplePicture(one, {kGlyphSize, kGlyphSize}, {side, side});
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const std::uint32_t pixel = scaled[static_cast<std::size_t>(y) * side + x];
        const std::uint32_t alpha = pixel >> 24;
        std::uint32_t shown = VLT_GLYPH_TRANSPARENT_RGB;
        if (alpha >= 128) {
          shown = 0;
          for (int shift : {0, 8, 16}) {
            const std::uint32_t channel = std::min<std::uint32_t>(255, ((pixel >> shift) & 0xFF) * 255 / alpha);
            shown |= channel << shift;
          }
        }
        strip[static_cast<std::size_t>(y) * 2 * side + image * side + x] = shown;
      }
    }
  }
  return MakeBitmap(strip, {2 * side, side}, BitmapKind::ForDisplay);
}

}  // namespace

UniqueBitmap LoadPicture(PictureId picture, int dpi) {
  if (dpi == kDesignDpi) return LoadBitmapResource(picture, BitmapKind::DibSection);
  return ScaledPicture(picture, dpi);
}

UniqueImageList LoadButtonGlyph(PictureId picture, int dpi) {
  if (picture != PictureId::BrowseGlyph) return {};
  const int side = ScaleLength(kGlyphSize, dpi);
  const UniqueBitmap strip = dpi == kDesignDpi
                                 ? LoadBitmapResource(picture, BitmapKind::ForDisplay)
                                 : ScaledGlyphStrip(picture, side);
  if (!strip) return {};
  UniqueImageList images(::ImageList_Create(side, side, ILC_COLOR24 | ILC_MASK, 6, 0));
  if (!images) return {};
  const COLORREF transparent = RGB((VLT_GLYPH_TRANSPARENT_RGB >> 16) & 0xFF,
                                   (VLT_GLYPH_TRANSPARENT_RGB >> 8) & 0xFF,
                                   VLT_GLYPH_TRANSPARENT_RGB & 0xFF);
  // The strip gives images 0 (normal) and 1 (disabled); the button wants one
  // image per state, so the normal image stands in for all but "disabled".
  if (::ImageList_AddMasked(images.Get(), strip.Get(), transparent) != 0 ||
      ::ImageList_GetImageCount(images.Get()) != 2 || !::ImageList_SetImageCount(images.Get(), 6)) {
    return {};
  }
  constexpr int kNormal = 0, kDisabled = 1, kDisabledState = 3;
  bool copied = ::ImageList_Copy(images.Get(), kDisabledState, images.Get(), kDisabled, ILCF_MOVE);
  for (int state : {1, 2, 4, 5}) {
    copied = copied && ::ImageList_Copy(images.Get(), state, images.Get(), kNormal, ILCF_MOVE);
  }
  if (!copied) return {};
  return images;
}

}  // namespace vlt::win32
