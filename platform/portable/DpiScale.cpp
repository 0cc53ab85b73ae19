#include "platform/portable/DpiScale.h"

#include <algorithm>
#include <cstdlib>

namespace vlt::win32 {
namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDivRounded(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : -((-product + half) / c));
}

// One channel (0, 8, 16 or 24) of a pixel.
int Channel(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

}  // namespace

int ScaleLength(int pixels, int dpi) { return MulDivRounded(pixels, dpi, kDesignDpi); }

int FittingDpi(int dpi, PixelSize designed, PixelSize room) {
  int fitting = dpi;
  while (fitting > kDesignDpi && (ScaleLength(designed.width, fitting) > room.width ||
                                  ScaleLength(designed.height, fitting) > room.height)) {
    --fitting;
  }
  return fitting;
}

PixelRect ScaleRect(const PixelRect& designed, int dpi) {
  const int left = ScaleLength(designed.left, dpi);
  const int top = ScaleLength(designed.top, dpi);
  return {left, top, ScaleLength(designed.left + designed.width, dpi) - left,
          ScaleLength(designed.top + designed.height, dpi) - top};
}

PixelRect ScaleFramedRect(const PixelRect& designed, int border, int dpi) {
  const PixelSize inside = ScalePicture(
      {std::max(0, designed.width - 2 * border), std::max(0, designed.height - 2 * border)}, dpi);
  return {ScaleLength(designed.left, dpi), ScaleLength(designed.top, dpi),
          inside.width + 2 * border, inside.height + 2 * border};
}

int FontCharacterHeight(int points, int dpi) { return -MulDivRounded(points, dpi, 72); }

std::vector<int> FlowDown(std::span<const FlowBox> boxes, int gap, int bottom) {
  const auto height = [](const FlowBox& box) { return box.grows ? box.shown.height : box.placed.height; };
  // Top to bottom, boxes at one height in their layout order: an insertion
  // sort, stable and small (std::stable_sort brings 1.5 KB of merging code
  // for a few dozen boxes).
  std::vector<std::size_t> order(boxes.size());
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    std::size_t at = i;
    for (; at > 0 && boxes[order[at - 1]].placed.top > boxes[i].placed.top; --at) {
      order[at] = order[at - 1];
    }
    order[at] = i;
  }
  std::vector<int> tops(boxes.size());
  for (std::size_t n = 0; n < order.size(); ++n) {
    const FlowBox& box = boxes[order[n]];
    int top = box.placed.top;
    for (std::size_t m = 0; m < n; ++m) {
      const FlowBox& above = boxes[order[m]];
      const int placedBottom = above.placed.top + above.placed.height;
      const bool sharesColumns = above.placed.left < box.placed.left + box.shown.width &&
                                 box.placed.left < above.placed.left + above.shown.width;
      // Side by side or overlapping in the layout: neither pushes the other.
      if (placedBottom > box.placed.top || !sharesColumns) continue;
      // Only a control reaching into this one moves it: a label a pixel
      // taller than its rectangle through rounding leaves the page as it was.
      const int reach = tops[order[m]] + height(above);
      if (reach > top) top = reach + std::min(box.placed.top - placedBottom, gap);
    }
    // What does not fit the parent keeps the layout as it is.
    if (top > box.placed.top && top + height(box) > bottom) {
      for (std::size_t i = 0; i < boxes.size(); ++i) tops[i] = boxes[i].placed.top;
      return tops;
    }
    tops[order[n]] = top;
  }
  return tops;
}

PixelSize ScalePicture(const PixelSize& designed, int dpi) {
  return {ScaleLength(designed.width, dpi), ScaleLength(designed.height, dpi)};
}

std::vector<std::uint32_t> ResamplePicture(std::span<const std::uint32_t> pixels, PixelSize from,
                                           PixelSize to) {
  std::vector<std::uint32_t> out(static_cast<std::size_t>(std::max(0, to.width)) *
                                 static_cast<std::size_t>(std::max(0, to.height)));
  if (out.empty() || from.width <= 0 || from.height <= 0 ||
      pixels.size() < static_cast<std::size_t>(from.width) * static_cast<std::size_t>(from.height)) {
    return out;
  }
  // Source positions in 1/256 pixel: the centre of a target pixel mapped
  // back onto the source, clamped to the outermost pixel centres.
  const auto sourcePosition = [](int target, int targetLength, int sourceLength) {
    const long long centre = (2LL * target + 1) * sourceLength * 128 / targetLength - 128;
    return static_cast<int>(std::clamp<long long>(centre, 0, (sourceLength - 1) * 256LL));
  };
  std::size_t index = 0;
  for (int y = 0; y < to.height; ++y) {
    const int sy = sourcePosition(y, to.height, from.height);
    const int y0 = sy >> 8, y1 = std::min(y0 + 1, from.height - 1), fy = sy & 0xFF;
    for (int x = 0; x < to.width; ++x) {
      const int sx = sourcePosition(x, to.width, from.width);
      const int x0 = sx >> 8, x1 = std::min(x0 + 1, from.width - 1), fx = sx & 0xFF;
      const auto at = [&](int px, int py) { return pixels[static_cast<std::size_t>(py) * from.width + px]; };
      const std::uint32_t p00 = at(x0, y0), p10 = at(x1, y0), p01 = at(x0, y1), p11 = at(x1, y1);
      std::uint32_t result = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const int top = Channel(p00, shift) * (256 - fx) + Channel(p10, shift) * fx;
        const int bottom = Channel(p01, shift) * (256 - fx) + Channel(p11, shift) * fx;
        const int value = (top * (256 - fy) + bottom * fy + 32768) >> 16;
        result |= static_cast<std::uint32_t>(value) << shift;
      }
      out[index++] = result;
    }
  }
  return out;
}

}  // namespace vlt::win32
