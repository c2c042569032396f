#include "controls/PictureDraw.h"
#include <algorithm>
#include "core/MRender.h"

void DrawPicture(Gdiplus::Graphics& g, Gdiplus::Image* image, int fw, int fh, int x0, int w, int h,
                 const PictureLayout& layout) {
  if (!image || fw <= 0 || fh <= 0 || w <= 0 || h <= 0) return;
  auto draw = [&](int x, int y, int dw, int dh, int sx, int sy, int sw, int sh) {
    if (dw > 0 && dh > 0 && sw > 0 && sh > 0)
      g.DrawImage(image, Gdiplus::Rect(x0 + x, y, dw, dh), sx, sy, sw, sh, Gdiplus::UnitPixel);
  };
  switch (layout.mode) {
    case SHOWMODE_NORMAL: {
      const int x = layout.hAlign == 0 ? 0 : layout.hAlign == 2 ? w - fw : (w - fw) / 2;
      const int y = layout.vAlign == 0 ? 0 : layout.vAlign == 8 ? h - fh : (h - fh) / 2;
      draw(x, y, fw, fh, 0, 0, fw, fh);
      break;
    }
    case SHOWMODE_TILE:
      for (int c = 0; c <= w / fw; ++c)
        for (int r = 0; r <= h / fh; ++r) {
          const int tw = std::min(fw, w - c * fw), th = std::min(fh, h - r * fh);
          draw(c * fw, r * fh, tw, th, 0, 0, tw, th);
        }
      break;
    case SHOWMODE_STRETCH:
      draw(0, 0, w, h, 0, 0, fw, fh);
      break;
    case SHOWMODE_NINEGRID:
      MRender::DrawImageFrame(g, image, CRect(x0, 0, x0 + w, h), 0, 0, fw, fh, layout.param);
      break;
    case SHOWMODE_NINEGRID_MID:
      MRender::DrawImageFrameMID(g, image, CRect(x0, 0, x0 + w, h), 0, 0, fw, fh, layout.left, layout.top,
                                 layout.right, layout.bottom);
      break;
    case SHOWMODE_CUSTOM:
      draw(0, 0, w, h, layout.custom.left, layout.custom.top, layout.custom.Width(), layout.custom.Height());
      break;
  }
}
