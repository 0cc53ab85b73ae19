#pragma once
// The program's pictures, loaded from the executable's bitmap resources.
// Every call loads a new copy that the caller owns, so no two controls ever
// share (and free) one bitmap.
#include "forms/FormSpec.h"
#include "platform/win32/Handles.h"

namespace vlt::win32 {

// The picture for a window at `dpi`: at 96 DPI as stored, a 24-bit (or
// 16-colour) device-independent bitmap; at any other DPI scaled smoothly to
// its size there (DpiScale), as a 32-bit one. An empty owner for
// PictureId::None or when the resource is missing.
UniqueBitmap LoadPicture(PictureId picture, int dpi);

// The images a push button shows for its states (normal, hot, pressed,
// disabled, default, stylus hot), cut from a glyph that holds a normal and a
// disabled 16 x 16 image side by side; its background colour is transparent.
// At another DPI than 96 both images are scaled smoothly, and their outline
// follows the scaled coverage. An empty owner when the picture is no glyph
// or cannot be loaded.
UniqueImageList LoadButtonGlyph(PictureId picture, int dpi);

}  // namespace vlt::win32
