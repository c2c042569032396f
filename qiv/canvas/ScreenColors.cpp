#include "canvas/ScreenColors.h"

#include <algorithm>
#include <cmath>
#include <vector>
#include "canvas/ColorMath.h"

namespace ScreenColors {
using namespace ColorMath;

COLORREF Average(const DWORD* pixels, int width, int height) {
  long long r = 0, g = 0, b = 0, n = 0;
  for (int y = 0; y < height; y += 4) {
    for (int x = 0; x < width; x += 4) {
      const COLORREF c = FromPixel(pixels[size_t(y) * size_t(width) + size_t(x)]);
      r += Red(c), g += Green(c), b += Blue(c), ++n;
    }
  }
  if (n == 0) return 0;
  return RGB(int(r / n), int(g / n), int(b / n));
}

COLORREF Adjust(COLORREF colour, const ScreenCaptureConfig& config) {
  Hsv hsv = ToHsv(colour);
  if (config.hueShiftOn) {
    hsv.h = std::fmod(hsv.h + config.hueShift, 360.0f);
    if (hsv.h < 0) hsv.h += 360.0f;
  }
  if (config.saturationOn) hsv.s = std::min(1.0f, hsv.s * config.saturation);
  if (config.brightnessOn) hsv.v = std::min(1.0f, hsv.v * config.brightness);
  return FromHsv(hsv);
}

COLORREF Boost(COLORREF c) {
  const int r = Red(c), g = Green(c), b = Blue(c);
  const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const float saturation = mx > 0 ? float(mx - mn) / float(mx) : 0.0f;
  if (saturation > 0.2f) {
    const float k = 1.5f + 0.5f * (1.0f - (0.299f * r + 0.587f * g + 0.114f * b) / 255.0f);
    return Make(std::min(255, int(r * k)), std::min(255, int(g * k * 0.92f)), std::min(255, int(b * k * 1.05f)));
  }
  return Make(int(r * 1.3f), int(g * 1.3f), int(b * 1.3f));
}

namespace {
float Luminance(COLORREF c) { return (0.299f * Red(c) + 0.587f * Green(c) + 0.114f * Blue(c)) / 255.0f; }

COLORREF Enhance(const DominantColour& s, COLORREF c) {
  if (c == 0) return 0;
  Hsv hsv = ToHsv(c);
  hsv.s = std::min(1.0f, hsv.s * s.saturationBoost);
  hsv.v = std::min(1.0f, std::max(0.3f, hsv.v * s.brightnessBoost));
  return FromHsv(hsv);
}
}  // namespace

void Analyse(DominantColour& s, const DWORD* pixels, int width, int height) {
  if (!s.analysisOn) return;
  struct Count {
    COLORREF colour;
    int count;
  };
  std::vector<Count> counts;  // in order of first appearance
  // Where each of the 4096 colours (four bits a channel) sits in `counts`, plus one.
  std::vector<unsigned short> slot(4096, 0);
  const int margin = width / 8;
  for (int y = 0; y < height; y += 3) {
    for (int x = 0; x < width; x += 3) {
      const COLORREF c = pixels ? FromPixel(pixels[size_t(y) * size_t(width) + size_t(x)]) : 0;
      if (Luminance(c) <= s.minBrightness || ToHsv(c).s <= 0.1f) continue;
      const COLORREF key = c & 0x00F0F0F0;
      const bool edge = x < margin || y < margin || x >= width - margin || y >= height - margin;
      unsigned short& at = slot[((key >> 12) & 0xF00) | ((key >> 8) & 0xF0) | ((key >> 4) & 0xF)];
      if (at == 0) {
        counts.push_back({key, edge ? 3 : 1});
        at = (unsigned short)counts.size();
      } else {
        counts[at - 1u].count += edge ? 3 : 1;
      }
    }
  }
  const Count* best = nullptr;
  float bestScore = 0;
  for (const Count& k : counts) {
    if (k.count <= 10) continue;
    const Hsv hsv = ToHsv(k.colour);
    const float y = Luminance(k.colour);
    float score = 3 * hsv.s * hsv.v + 2 * hsv.s + y;
    if (y > 0.25f && y < 0.85f) score += 1;
    if (hsv.s > 0.6f) score += 0.8f;
    if (!best || score > bestScore) best = &k, bestScore = score;
  }
  if (!best) {
    s.colour = 0;
    s.history[s.writePosition] = 0;
    s.writePosition = (s.writePosition + 1) % 5;
    return;
  }
  s.history[s.writePosition] = Enhance(s, best->colour);
  s.writePosition = (s.writePosition + 1) % 5;
  int r = 0, g = 0, b = 0;
  float total = 0;
  for (int i = 0; i < 5; ++i) {
    const COLORREF h = s.history[i];
    if (!h) continue;
    const float w = std::pow(0.6f, float((s.writePosition - i + 5) % 5));
    r = int(float(r) + float(Red(h)) * w);
    g = int(float(g) + float(Green(h)) * w);
    b = int(float(b) + float(Blue(h)) * w);
    total += w;
  }
  if (total > 0)
    s.colour = Make(std::min(255, int(float(r) / total + 0.5f)), std::min(255, int(float(g) / total + 0.5f)),
                    std::min(255, int(float(b) / total + 0.5f)));
}
}  // namespace ScreenColors
