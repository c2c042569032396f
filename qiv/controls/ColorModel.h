// The library's HSL colour model in single precision: hue, saturation and lightness as
// floats 0 .. 1, COLORREF (0x00BBGGRR) in and out, channels truncated. Every HSL colour
// picker of the library uses it. In a namespace of its own: widgets/HslColor.h declares
// a rounding variant under the same global names.
#pragma once
#include <windows.h>
#include "qiv_export.h"

namespace ColorModel {

struct HslColor {
  float hue = 0.0f;
  float saturation = 0.0f;
  float lightness = 0.0f;
};

QIV_API HslColor RgbToHsl(COLORREF colour);
QIV_API void RgbToHsl(COLORREF colour, float& hue, float& saturation, float& lightness);
QIV_API COLORREF HslToRgb(float hue, float saturation, float lightness);
// One channel of HslToRgb.
QIV_API float HueToChannel(float p, float q, float hue);

}  // namespace ColorModel
