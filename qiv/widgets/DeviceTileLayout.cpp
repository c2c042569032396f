#include "widgets/DeviceTileLayout.h"

CSize DeviceTileSize(int online) {
  if (online <= 1) return CSize(770, 500);
  if (online == 2) return CSize(500, 500);
  if (online == 3) return CSize(400, 500);
  return CSize(280, 300);
}

CPoint FirstTileOrigin(int width, int height, int online) {
  const CSize tile = DeviceTileSize(online);
  return CPoint((width - (tile.cx + 20) * online + 20) / 2, (height - tile.cy) / 2);
}

CRect FitPicture(int width, int height, CRect area) {
  if (width < 11 || height < 11) return area;
  const int aw = area.Width(), ah = area.Height();
  int w = width, h = height;
  if (width > aw || height > ah) {
    if (ah > 0 && static_cast<float>(aw) / ah < static_cast<float>(width) / height) {
      w = aw;
      h = aw * height / width;
    } else {
      h = ah;
      w = ah * width / height;
    }
  }
  const int left = area.left + (aw - w) / 2, top = area.top + (ah - h) / 2;
  return CRect(left, top, left + w, top + h);
}

int SlideDistance(int progress, int areaWidth) {
  const float s = progress / 255.0f;
  const float eased = s * s * (3 - 2 * s);
  return static_cast<int>(areaWidth * eased);  // a distance in pixels, cut towards the start
}
