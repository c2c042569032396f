// Colour arithmetic shared by the canvas effects and the matrix screen. COLORREF in
// and out (0x00BBGGRR); no window code, so every function tests on its own.
#pragma once
#include <windows.h>
#include "qiv_export.h"

namespace ColorMath {
inline int Red(COLORREF c) { return int(c & 0xFF); }
inline int Green(COLORREF c) { return int((c >> 8) & 0xFF); }
inline int Blue(COLORREF c) { return int((c >> 16) & 0xFF); }
inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
inline COLORREF Make(int r, int g, int b) { return RGB(Clamp255(r), Clamp255(g), Clamp255(b)); }

// Hue in degrees (any value, reduced modulo 360), saturation and value 0-1; each channel
// rounded to nearest.
QIV_API COLORREF HsvToColor(float hue, float saturation, float value);
// Integer HSV of the matrix screen: hue 0-359, saturation and value 0-255, truncating
// divisions; a hue of 360 or more gives black.
QIV_API COLORREF HsvToColorInt(int hue, int saturation, int value);
// Hue in degrees, saturation and lightness in percent; channels truncated.
QIV_API COLORREF HslToColor(float hue, float saturationPercent, float lightnessPercent);
// Each channel times f, truncated and limited to 0-255.
QIV_API COLORREF Scale(COLORREF colour, float f);
// Each channel plus n, limited to 0-255.
QIV_API COLORREF AddToChannels(COLORREF colour, int n);

// Hue (degrees, 0 for grey), saturation ((max - min) / max) and value (max / 255).
struct Hsv {
  float h = 0, s = 0, v = 0;
};
QIV_API Hsv ToHsv(COLORREF colour);
// The inverse of ToHsv: six sectors, each channel int((v - chroma + part) x 255).
QIV_API COLORREF FromHsv(const Hsv& hsv);
}  // namespace ColorMath
