#include "platform/win32/Pictures.h"

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

UniqueBitmap LoadBitmapResource(PictureId picture, UINT flags) {
  const int id = ResourceIdOf(picture);
  if (id == 0) return {};
  return UniqueBitmap(static_cast<HBITMAP>(::LoadImageW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, flags)));
}

constexpr int kGlyphSize = 16;

}  // namespace

UniqueBitmap LoadPicture(PictureId picture) {
  // A DIB section keeps the picture's own colours on any display depth.
  return LoadBitmapResource(picture, LR_CREATEDIBSECTION);
}

UniqueImageList LoadButtonGlyph(PictureId picture) {
  if (picture != PictureId::BrowseGlyph) return {};
  const UniqueBitmap strip = LoadBitmapResource(picture, LR_DEFAULTCOLOR);
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
