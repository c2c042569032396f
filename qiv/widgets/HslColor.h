// The HSL model the colour pickers share: hue, saturation and lightness as fractions 0..1.
#pragma once
#include <windows.h>
#include "qiv_export.h"

// Named apart from the generic controls' colour model (controls/ColorModel.h), whose
// functions of the same names truncate where these round.
namespace pickerhsl {

struct HslValue {
  float h = 0;  // fraction of the circle
  float s = 0;
  float l = 0;
};

// One channel of an HSL colour; t is wrapped into 0..1 first.
QIV_API float HueToChannel(float p, float q, float t);
QIV_API HslValue RgbToHsl(COLORREF colour);
// Channels are rounded to the nearest byte.
QIV_API COLORREF HslToRgb(float h, float s, float l);
// The pickers never paint or store pure black: it becomes 0x000001.
QIV_API COLORREF NonBlack(COLORREF colour);

}  // namespace pickerhsl
