#include "core/PixelBlend.h"
#include <algorithm>
#include <cstddef>

namespace PixelBlend {
namespace {
// The part of the w x h box at (x, y) inside both the surface and `clip`.
CRect Visible(const Surface& dst, int x, int y, int w, int h, CRect clip) {
  CRect box(x, y, x + w, y + h);
  box.IntersectRect(box, clip);
  box.IntersectRect(box, CRect(0, 0, dst.width, dst.height));
  return box;
}

// Strides may be negative (bottom-up pictures seen top-down).
uint32_t* Row(const Surface& dst, int y) {
  return reinterpret_cast<uint32_t*>(dst.bits + static_cast<ptrdiff_t>(y) * dst.stride);
}
}  // namespace

void Fill(const Surface& dst, CRect rect, uint32_t argb, CRect clip) {
  const unsigned a = argb >> 24;
  if (a == 0 || !dst.bits) return;
  const CRect box = Visible(dst, rect.left, rect.top, rect.Width(), rect.Height(), clip);
  const uint32_t solid = argb & 0x00FFFFFFu;
  for (int y = box.top; y < box.bottom; ++y) {
    uint32_t* row = Row(dst, y);
    if (a == 255) std::fill(row + box.left, row + box.right, solid);
    else
      for (int x = box.left; x < box.right; ++x) row[x] = Over(row[x], argb, a);
  }
}

void BlendCoverage(const Surface& dst, int x, int y, const Coverage& mask, uint32_t argb, CRect clip) {
  const unsigned alpha = argb >> 24;
  if (alpha == 0 || !dst.bits) return;
  const CRect box = Visible(dst, x, y, mask.width, mask.height, clip);
  for (int py = box.top; py < box.bottom; ++py) {
    uint32_t* row = Row(dst, py);
    const uint8_t* levels = mask.levels.data() + static_cast<size_t>(py - y) * mask.width - x;
    for (int px = box.left; px < box.right; ++px) {
      const unsigned a = alpha * levels[px] / 64;
      if (a) row[px] = Over(row[px], argb, a);
    }
  }
}

void BlendPicture(const Surface& dst, int x, int y, const uint32_t* argb, int width, int height, CRect clip) {
  if (!dst.bits || !argb) return;
  const CRect box = Visible(dst, x, y, width, height, clip);
  for (int py = box.top; py < box.bottom; ++py) {
    uint32_t* row = Row(dst, py);
    const uint32_t* src = argb + static_cast<size_t>(py - y) * width - x;
    for (int px = box.left; px < box.right; ++px) {
      const unsigned a = src[px] >> 24;
      if (a) row[px] = Over(row[px], src[px], a);
    }
  }
}

Coverage CoverageFromAlpha(const uint32_t* argb, int width, int height) {
  Coverage mask;
  mask.width = width;
  mask.height = height;
  mask.levels.resize(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < mask.levels.size(); ++i) {
    // Inverse of 255 x level / 64 truncated: the nearest level.
    const unsigned stored = argb[i] >> 24;
    mask.levels[i] = static_cast<uint8_t>((stored * 64 + 127) / 255);
  }
  return mask;
}

}  // namespace PixelBlend
