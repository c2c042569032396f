#include "core/ShadowPicture.h"
#include <algorithm>
#include <cmath>

namespace ShadowPicture {

DWORD PreMultiply(DWORD color, BYTE alpha) {
  const DWORD r = ((color >> 16) & 0xFF) * alpha / 255;
  const DWORD g = ((color >> 8) & 0xFF) * alpha / 255;
  const DWORD b = (color & 0xFF) * alpha / 255;
  return (r << 16) | (g << 8) | b;
}

int KernelAlpha(double d, int size, int sharpness, int darkness) {
  const int l = std::max(size, sharpness);
  const int c = size > sharpness ? size - sharpness : 0;
  if (d < c) return darkness;
  if (d <= l) return static_cast<int>((1.0 - (d - c) / (sharpness + 1)) * darkness);
  return 0;
}

std::vector<DWORD> MakeKernel(const ShadowParams& p, int& radius) {
  const int l = std::max(p.size, p.sharpness);
  radius = l;
  const int n = 2 * l + 1;
  std::vector<DWORD> kernel(static_cast<size_t>(n) * n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double d = std::hypot(x - l, y - l);
      const int alpha = std::clamp(KernelAlpha(d, p.size, p.sharpness, p.darkness), 0, 255);
      kernel[static_cast<size_t>(y) * n + x] =
          PreMultiply(p.color, static_cast<BYTE>(alpha)) | (static_cast<DWORD>(alpha) << 24);
    }
  return kernel;
}

std::vector<ShadowSpan> ParentSpans(int width, int height, const std::function<bool(int, int)>& inside) {
  std::vector<ShadowSpan> spans(static_cast<size_t>(std::max(height, 0)), ShadowSpan{width, 0});
  for (int y = 0; y < height; ++y) {
    int left = 0;
    while (left < width && !inside(left, y)) ++left;
    if (left == width) continue;
    int right = width - 1;
    while (right > left && !inside(right, y)) --right;
    spans[static_cast<size_t>(y)] = {left, right + 1};
  }
  return spans;
}

std::vector<ShadowSpan> RectSpans(int width, int height) {
  return std::vector<ShadowSpan>(static_cast<size_t>(std::max(height, 0)), ShadowSpan{0, width});
}

void MakeShadow(DWORD* pixels, const std::vector<ShadowSpan>& parentSpans, int parentWidth, int parentHeight,
                const ShadowParams& p) {
  const int size = p.size;
  const int W = parentWidth + 2 * size, H = parentHeight + 2 * size;
  if (!pixels || W <= 0 || H <= 0 || static_cast<int>(parentSpans.size()) < parentHeight) return;

  // Shadow rows -1 .. H are kept at index r + 1; the outer ones are guards.
  const ShadowSpan empty{parentWidth, 0};
  std::vector<ShadowSpan> spans(static_cast<size_t>(H) + 2, empty);
  for (int py = 0; py < parentHeight; ++py) {
    const int r = py + size;
    if (r < 0 || r >= H) continue;
    const ShadowSpan& s = parentSpans[static_cast<size_t>(py)];
    spans[static_cast<size_t>(r) + 1] = s.right > s.left ? ShadowSpan{s.left + size, s.right + size} : empty;
  }
  auto row = [&](int r) -> ShadowSpan& { return spans[static_cast<size_t>(r) + 1]; };

  for (int pass = 0; pass < p.sharpness - size; ++pass) {
    std::vector<ShadowSpan> eroded = spans;
    for (int r = 0; r < H; ++r) {
      const ShadowSpan &a = row(r - 1), &b = row(r), &c = row(r + 1);
      eroded[static_cast<size_t>(r) + 1] = {std::max({a.left, b.left, c.left}) + 1,
                                            std::min({a.right, b.right, c.right}) - 1};
    }
    spans.swap(eroded);
  }

  int l = 0;
  const std::vector<DWORD> kernel = MakeKernel(p, l);
  const int n = 2 * l + 1;
  auto stamp = [&](int cx, int cy) {
    for (int ky = 0; ky < n; ++ky) {
      const int y = cy + ky - l;
      if (y < 0 || y >= H) continue;
      DWORD* line = pixels + static_cast<size_t>(y) * W;
      for (int kx = 0; kx < n; ++kx) {
        const int x = cx + kx - l;
        if (x < 0 || x >= W) continue;
        const DWORD k = kernel[static_cast<size_t>(ky) * n + kx];
        if (k > line[x]) line[x] = k;
      }
    }
  };
  for (int r = l; r < H - l; ++r) {
    const ShadowSpan &s = row(r), &up = row(r - 1), &down = row(r + 1);
    if (s.right <= s.left) continue;
    const int leftEnd = std::min(s.right, std::max(up.left, down.left) + 1);
    for (int x = s.left; x < leftEnd; ++x) stamp(x, r);
    const int rightStart = std::max(leftEnd, std::min(up.right, down.right) - 1);
    for (int x = rightStart; x < s.right; ++x) stamp(x, r);
  }

  const DWORD solid = PreMultiply(p.color, static_cast<BYTE>(std::clamp(p.darkness, 0, 255))) |
                      (static_cast<DWORD>(std::clamp(p.darkness, 0, 255)) << 24);
  auto fill = [&](DWORD* line, int from, int to, DWORD value) {
    for (int x = std::max(from, 0); x < std::min(to, W); ++x) line[x] = value;
  };
  const int first = std::min(l, std::max(size - p.yOffset, 0));
  const int last = std::max(H - l, std::min(parentHeight + size - p.yOffset, H));
  for (int r = first; r < last; ++r) {
    const ShadowSpan& s = row(r);
    DWORD* line = pixels + static_cast<size_t>(r) * W;
    const int py = r - size + p.yOffset;
    if (py < 0 || py >= parentHeight) {
      fill(line, s.left, s.right, solid);
      continue;
    }
    const ShadowSpan& ps = parentSpans[static_cast<size_t>(py)];
    const int holeFrom = ps.left + size - p.xOffset, holeTo = ps.right + size - p.xOffset;
    fill(line, s.left, std::min(holeFrom, s.right), solid);
    fill(line, holeFrom, holeTo, 0);
    fill(line, std::max(holeTo, s.left), s.right, solid);
  }
}

}  // namespace ShadowPicture
