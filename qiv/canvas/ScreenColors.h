// The colour rules of the screen and window capture effects, on captured pixels
// (0xAARRGGBB words, rows top first): averaging, the configured image adjustments, the
// per-cell boost and the dominant-colour analysis. No window code.
#pragma once
#include <windows.h>
#include "canvas/CanvasTypes.h"
#include "qiv_export.h"

namespace ScreenColors {
inline COLORREF FromPixel(DWORD p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

// The mean of every 4th pixel in both directions, channels truncated.
QIV_API COLORREF Average(const DWORD* pixels, int width, int height);
// Hue shift, saturation and brightness factors as the configuration enables them.
QIV_API COLORREF Adjust(COLORREF colour, const ScreenCaptureConfig& config);
// Vivid cells get a luminance-dependent lift (green x 0.92, blue x 1.05), grey ones x 1.3.
QIV_API COLORREF Boost(COLORREF colour);

struct DominantColour {
  bool analysisOn = true;
  float saturationBoost = 2.0f;
  float brightnessBoost = 1.5f;
  float minBrightness = 0.3f;
  COLORREF colour = 0;
  COLORREF history[5] = {};
  int writePosition = 0;
};
// Finds the most telling colour of the picture (edges count three times) and smooths it
// over the last five results.
QIV_API void Analyse(DominantColour& state, const DWORD* pixels, int width, int height);
}  // namespace ScreenColors
