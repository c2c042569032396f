#include "widgets/PictureFit.h"
#include <cstdint>

CRect FitPictureRect(int w, int h, const CRect& box, double wideRatio) {
  const int bw = box.Width(), bh = box.Height();
  if (w <= 0 || h <= 0) {
    const CPoint c(box.left + bw / 2, box.top + bh / 2);
    return CRect(c.x, c.y, c.x, c.y);
  }
  // 64-bit products: a large picture in a large box must not overflow.
  auto scaledHeight = [&] { return static_cast<int>(static_cast<int64_t>(bw) * h / w); };
  auto scaledWidth = [&] { return static_cast<int>(static_cast<int64_t>(bh) * w / h); };
  int width = w, height = h;
  if (w > bw && h > bh) {
    if (static_cast<double>(w) / h > wideRatio) {
      width = bw;
      height = scaledHeight();
    } else {
      width = scaledWidth();
      height = bh;
    }
  } else if (w > bw) {
    width = bw;
    height = scaledHeight();
  } else if (h > bh) {
    width = scaledWidth();
    height = bh;
  }
  const int left = box.left + (bw - width) / 2;
  const int top = box.top + (bh - height) / 2;
  return CRect(left, top, left + width, top + height);
}

CRect FitPictureRect(int w, int h, const CRect& box) {
  const double ratio = box.Height() > 0 ? static_cast<double>(box.Width()) / box.Height() : 0.0;
  return FitPictureRect(w, h, box, ratio);
}
