#include "platform/win32/Pictures.h"

#include <cstring>
#include <optional>
#include <span>
#include <vector>

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
  try {
    const std::vector<std::uint8_t> file = UnpackPicture(*packed);
    const BitmapFileView view = ParseBitmapFile(file);
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
  } catch (const PictureError&) {
    return {};
  }
}

constexpr int kGlyphSize = 16;

}  // namespace

UniqueBitmap LoadPicture(PictureId picture) {
  return LoadBitmapResource(picture, BitmapKind::DibSection);
}

UniqueImageList LoadButtonGlyph(PictureId picture) {
  if (picture != PictureId::BrowseGlyph) return {};
  const UniqueBitmap strip = LoadBitmapResource(picture, BitmapKind::ForDisplay);
  if (!strip) return {};
  UniqueImageList images(::ImageList_Create(kGlyphSize, kGlyphSize, ILC_COLOR24 | ILC_MASK, 6, 0));
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
