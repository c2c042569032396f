// Pixel arithmetic of the drawing canvas: source-over of a colour, a coverage mask or a
// picture onto an opaque 32-bit BGRA surface. The results equal what GDI+ writes into a
// 32bpp RGB bitmap: channels (bg x (255 - a) + fg x a) / 255 truncated, a fully opaque
// source copied, and the alpha byte of every written pixel 0 (untouched pixels keep theirs).
#pragma once
#include <cstdint>
#include <vector>
#include "core/Geometry.h"
#include "qiv_export.h"

namespace PixelBlend {

// Rows top-down, `stride` bytes apart (negative for a bottom-up picture, `bits` then
// pointing at its top row), 4 bytes B, G, R, A per pixel.
struct Surface {
  uint8_t* bits = nullptr;
  int stride = 0;
  int width = 0;
  int height = 0;
};

// One 0xAARRGGBB colour (alpha `a`) over the opaque pixel `bg`.
inline uint32_t Over(uint32_t bg, uint32_t fg, unsigned a) {
  if (a >= 255) return fg & 0x00FFFFFFu;
  const unsigned keep = 255 - a;
  const unsigned b = ((bg & 0xFF) * keep + (fg & 0xFF) * a) / 255;
  const unsigned g = (((bg >> 8) & 0xFF) * keep + ((fg >> 8) & 0xFF) * a) / 255;
  const unsigned r = (((bg >> 16) & 0xFF) * keep + ((fg >> 16) & 0xFF) * a) / 255;
  return (r << 16) | (g << 8) | b;
}

// Text coverage in 65 levels (0 none, 64 full), one byte per pixel, as text is rasterised.
struct Coverage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> levels;
};

// Fills `rect` with `argb` (source-over), clipped to `clip` and the surface.
QIV_API void Fill(const Surface& dst, CRect rect, uint32_t argb, CRect clip);
// The mask at (x, y) in `argb`: alpha = colour alpha x level / 64, clipped to `clip`.
QIV_API void BlendCoverage(const Surface& dst, int x, int y, const Coverage& mask, uint32_t argb, CRect clip);
// A picture of straight (not premultiplied) 0xAARRGGBB pixels at (x, y), clipped to `clip`.
QIV_API void BlendPicture(const Surface& dst, int x, int y, const uint32_t* argb, int width, int height, CRect clip);
// Coverage levels from the alpha of text drawn opaque onto a transparent ARGB picture,
// where GDI+ stored alpha = 255 x level / 64 (truncated).
QIV_API Coverage CoverageFromAlpha(const uint32_t* argb, int width, int height);

}  // namespace PixelBlend
