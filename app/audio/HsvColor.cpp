#include "audio/HsvColor.h"

COLORREF HsvColor::ToColor() const {
  const int v = value, s = saturation;
  if (s == 0) return RGB(v, v, v);
  int h = hue % 360;
  if (h < 0) h += 360;
  const int sector = h / 60;
  const int f = h - 60 * sector;
  const int p = (256 - s) * v / 256;
  const int q = ((-f) * s + 15360) * v / 15360;
  const int t = ((f - 60) * s + 15360) * v / 15360;
  switch (sector) {
    case 0: return RGB(v, t, p);
    case 1: return RGB(q, v, p);
    case 2: return RGB(p, v, t);
    case 3: return RGB(p, q, v);
    case 4: return RGB(t, p, v);
    default: return RGB(v, p, q);
  }
}
