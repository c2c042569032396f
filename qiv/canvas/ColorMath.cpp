#include "canvas/ColorMath.h"

#include <algorithm>
#include <cmath>

namespace ColorMath {

COLORREF HsvToColor(float hue, float saturation, float value) {
  float h = std::fmod(hue, 360.0f);
  if (h < 0) h += 360.0f;
  const float s = std::clamp(saturation, 0.0f, 1.0f);
  const float v = std::clamp(value, 0.0f, 1.0f);
  if (s == 0.0f) {
    const int grey = int(v * 255.0f);
    return RGB(grey, grey, grey);
  }
  const float c = s * v;
  const float x = c * (1.0f - std::fabs(std::fmod(h / 60.0f, 2.0f) - 1.0f));
  const float m = v - c;
  float r, g, b;
  const float sector = h / 60.0f;
  if (sector < 1) r = c, g = x, b = 0;
  else if (sector < 2) r = x, g = c, b = 0;
  else if (sector < 3) r = 0, g = c, b = x;
  else if (sector < 4) r = 0, g = x, b = c;
  else if (sector < 5) r = x, g = 0, b = c;
  else r = c, g = 0, b = x;
  auto channel = [m](float part) { return Clamp255(int((part + m) * 255.0f + 0.5f)); };
  return RGB(channel(r), channel(g), channel(b));
}

COLORREF HsvToColorInt(int h, int s, int v) {
  const int sector = h / 60;
  const int f = h % 60;
  const int p = (255 - s) * v / 255;
  const int q = (255 - f * s / 60) * v / 255;
  const int t = (255 - (60 - f) * s / 60) * v / 255;
  switch (sector) {
    case 0: return Make(v, t, p);
    case 1: return Make(q, v, p);
    case 2: return Make(p, v, t);
    case 3: return Make(p, q, v);
    case 4: return Make(t, p, v);
    case 5: return Make(v, p, q);
    default: return 0;
  }
}

namespace {
float HueToChannel(float p, float q, float t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0f / 6) return p + (q - p) * 6 * t;
  if (t < 0.5f) return q;
  if (t < 2.0f / 3) return p + (q - p) * (2.0f / 3 - t) * 6;
  return p;
}
}  // namespace

COLORREF HslToColor(float hue, float saturationPercent, float lightnessPercent) {
  const float h = hue / 360.0f, s = saturationPercent / 100.0f, l = lightnessPercent / 100.0f;
  if (s == 0) {
    const int grey = Clamp255(int(l * 255));
    return RGB(grey, grey, grey);
  }
  const float q = l < 0.5f ? l * (1 + s) : l + s - l * s;
  const float p = 2 * l - q;
  return Make(int(HueToChannel(p, q, h + 1.0f / 3) * 255), int(HueToChannel(p, q, h) * 255),
              int(HueToChannel(p, q, h - 1.0f / 3) * 255));
}

COLORREF Scale(COLORREF c, float f) {
  return Make(int(float(Red(c)) * f), int(float(Green(c)) * f), int(float(Blue(c)) * f));
}

COLORREF AddToChannels(COLORREF c, int n) { return Make(Red(c) + n, Green(c) + n, Blue(c) + n); }

Hsv ToHsv(COLORREF c) {
  const float r = float(Red(c)) / 255, g = float(Green(c)) / 255, b = float(Blue(c)) / 255;
  const float mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const float d = mx - mn;
  Hsv out;
  out.v = mx;
  out.s = mx > 0 ? d / mx : 0;
  if (d > 0) {
    if (mx == r) out.h = 60 * std::fmod((g - b) / d, 6.0f);
    else if (mx == g) out.h = 60 * ((b - r) / d + 2);
    else out.h = 60 * ((r - g) / d + 4);
    if (out.h < 0) out.h += 360;
  }
  return out;
}

COLORREF FromHsv(const Hsv& hsv) {
  const float c = hsv.v * hsv.s;
  const float hp = hsv.h / 60.0f;
  const float x = c * (1 - std::fabs(std::fmod(hp, 2.0f) - 1));
  float r = 0, g = 0, b = 0;
  if (hp < 1) r = c, g = x;
  else if (hp < 2) r = x, g = c;
  else if (hp < 3) g = c, b = x;
  else if (hp < 4) g = x, b = c;
  else if (hp < 5) r = x, b = c;
  else r = c, b = x;
  const float m = hsv.v - c;
  return Make(int((m + r) * 255), int((m + g) * 255), int((m + b) * 255));
}

}  // namespace ColorMath
