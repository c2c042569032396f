#include "widgets/HslColor.h"
#include <algorithm>
#include <cmath>

namespace pickerhsl {

float HueToChannel(float p, float q, float t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (6 * t < 1) return p + (q - p) * 6 * t;
  if (2 * t < 1) return q;
  if (3 * t < 2) return p + (q - p) * (2.0f / 3.0f - t) * 6;
  return p;
}

HslValue RgbToHsl(COLORREF colour) {
  const float r = GetRValue(colour) / 255.0f, g = GetGValue(colour) / 255.0f, b = GetBValue(colour) / 255.0f;
  const float mx = std::max({r, g, b}), mn = std::min({r, g, b});
  HslValue out;
  out.l = (mx + mn) / 2;
  if (mx == mn) return out;
  const float d = mx - mn;
  out.s = out.l < 0.5f ? d / (mx + mn) : d / (2 - mx - mn);
  const float dr = ((mx - r) / 6 + d / 2) / d;
  const float dg = ((mx - g) / 6 + d / 2) / d;
  const float db = ((mx - b) / 6 + d / 2) / d;
  if (r == mx) out.h = db - dg;
  else if (g == mx) out.h = 1.0f / 3 + dr - db;
  else out.h = 2.0f / 3 + dg - dr;
  if (out.h < 0) out.h += 1;
  if (out.h > 1) out.h -= 1;
  return out;
}

namespace {
BYTE ToByte(float unit) { return static_cast<BYTE>(std::clamp(std::lround(unit * 255.0f), 0L, 255L)); }
}  // namespace

COLORREF HslToRgb(float h, float s, float l) {
  if (s == 0) {
    const BYTE v = ToByte(l);
    return RGB(v, v, v);
  }
  const float q = l < 0.5f ? l * (1 + s) : l + s - l * s;
  const float p = 2 * l - q;
  return RGB(ToByte(HueToChannel(p, q, h + 1.0f / 3)), ToByte(HueToChannel(p, q, h)),
             ToByte(HueToChannel(p, q, h - 1.0f / 3)));
}

COLORREF NonBlack(COLORREF colour) { return (colour & 0xFFFFFF) == 0 ? (colour & 0xFF000000) | 1 : colour; }

}  // namespace pickerhsl
