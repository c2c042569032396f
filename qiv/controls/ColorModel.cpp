#include "controls/ColorModel.h"
#include <algorithm>

namespace {
// The single-precision thirds the model is defined with.
constexpr float kThird = 0.33333334f;
constexpr float kTwoThirds = 0.6666667f;

int Channel(float value) { return static_cast<int>(value * 255.0f) & 0xFF; }
}  // namespace

namespace ColorModel {

HslColor RgbToHsl(COLORREF colour) {
  const float r = static_cast<float>(GetRValue(colour)) / 255.0f;
  const float g = static_cast<float>(GetGValue(colour)) / 255.0f;
  const float b = static_cast<float>(GetBValue(colour)) / 255.0f;
  const float mx = std::max({r, g, b}), mn = std::min({r, g, b});
  HslColor hsl;
  hsl.lightness = (mx + mn) / 2.0f;
  if (mx == mn) return hsl;
  const float d = mx - mn;
  hsl.saturation = hsl.lightness < 0.5f ? d / (mx + mn) : d / (2.0f - mx - mn);
  const float dr = ((mx - r) / 6.0f + d / 2.0f) / d;
  const float dg = ((mx - g) / 6.0f + d / 2.0f) / d;
  const float db = ((mx - b) / 6.0f + d / 2.0f) / d;
  float h;
  if (r == mx) h = db - dg;
  else if (g == mx) h = kThird + dr - db;
  else h = kTwoThirds + dg - dr;
  if (h < 0.0f) h += 1.0f;
  if (h > 1.0f) h -= 1.0f;
  hsl.hue = h;
  return hsl;
}

void RgbToHsl(COLORREF colour, float& hue, float& saturation, float& lightness) {
  const HslColor hsl = RgbToHsl(colour);
  hue = hsl.hue;
  saturation = hsl.saturation;
  lightness = hsl.lightness;
}

float HueToChannel(float p, float q, float h) {
  if (h < 0.0f) h += 1.0f;
  if (h > 1.0f) h -= 1.0f;
  if (6.0f * h < 1.0f) return p + (q - p) * 6.0f * h;
  if (2.0f * h < 1.0f) return q;
  if (3.0f * h < 2.0f) return p + (q - p) * (kTwoThirds - h) * 6.0f;
  return p;
}

COLORREF HslToRgb(float h, float s, float l) {
  if (s == 0.0f) {
    const int v = Channel(l);
    return RGB(v, v, v);
  }
  const float q = l < 0.5f ? l * (1.0f + s) : (l + s) - s * l;
  const float p = 2.0f * l - q;
  const int r = Channel(HueToChannel(p, q, h + kThird));
  const int g = Channel(HueToChannel(p, q, h));
  const int b = Channel(HueToChannel(p, q, h - kThird));
  return RGB(r, g, b);
}

}  // namespace ColorModel
