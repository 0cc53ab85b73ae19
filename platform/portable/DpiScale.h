#pragma once
// The arithmetic of display scaling. The pages' layouts, fonts and pictures
// are designed in pixels at 96 dots per inch; a window at another DPI gets
// them scaled by dpi / 96. Free of <windows.h> so that the unit tests cover
// it; the page and control windows apply the results.
#include <cstdint>
#include <span>
#include <vector>

namespace vlt::win32 {

inline constexpr int kDesignDpi = 96;

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
  int width = 0, height = 0;
  bool operator==(const PixelSize&) const = default;
};

// A distance of `pixels` at 96 DPI, at `dpi`: rounded to the nearest pixel,
// halves away from zero (as MulDiv rounds).
int ScaleLength(int pixels, int dpi);

// The DPI a page lays itself out at on a monitor of `dpi`: that DPI where
// its client area (`designed` at 96 DPI) fits `room` (the monitor's work
// area less the window's frame), else the largest DPI at which it does, so
// that no button lies outside the screen. Never below 96: a screen that
// small shows the page as designed.
int FittingDpi(int dpi, PixelSize designed, PixelSize room);

// A control's rectangle at `dpi`. Its edges are scaled, not its size, so
// controls that touch or line up at 96 DPI touch and line up at any DPI.
PixelRect ScaleRect(const PixelRect& designed, int dpi);

// A frame whose border stays `border` pixels wide at every DPI (a panel's
// one-pixel edge) around an inside that scales like a picture, so that a
// picture filling the inside at 96 DPI fills it at any DPI. The corner is
// placed like any control's.
PixelRect ScaleFramedRect(const PixelRect& designed, int border, int dpi);

// The pixel height of a font's characters (LOGFONT's negative lfHeight) for
// `points` at `dpi`: 8 points are 11 pixels at 96 DPI, 16 at 144.
int FontCharacterHeight(int points, int dpi);

// One control of a parent, for FlowDown: its rectangle from ScaleRect and
// its size as shown. `grows` marks a shown label, which is as tall as its
// text needs; any other control counts with the rectangle's height.
struct FlowBox {
  PixelRect placed;
  PixelSize shown;
  bool grows = false;
};

// The tops of a parent's controls when a label's text needs more lines than
// its layout gave it. A control below such a label, sharing columns with
// it, that the label now reaches into moves down until it is as far from
// the label as the layout had it, but no further than `gap` (the layouts'
// usual spacing); a moved control moves the ones below it the same way, so
// free space between controls is used up first. While no label reaches
// into another control nothing moves. When that would move a control past
// `bottom`, nothing moves: the label then overlaps.
std::vector<int> FlowDown(std::span<const FlowBox> boxes, int gap, int bottom);

// A picture of `designed` size shown at `dpi`.
PixelSize ScalePicture(const PixelSize& designed, int dpi);

// Resizes a picture of premultiplied 32-bit pixels (B, G, R, A; rows top
// down, no padding) by bilinear interpolation, so that a picture grown to a
// larger DPI stays smooth, and a transparent background leaves no coloured
// fringe at the edges of what is drawn on it. `pixels` holds
// from.width * from.height values; the result holds to.width * to.height.
std::vector<std::uint32_t> ResamplePicture(std::span<const std::uint32_t> pixels, PixelSize from,
                                           PixelSize to);

}  // namespace vlt::win32
