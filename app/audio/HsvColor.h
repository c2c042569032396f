// A colour as hue, saturation and value, converted with integer arithmetic to the
// 0x00BBGGRR layout of the visualiser's frames.
#pragma once
#include <windows.h>

struct HsvColor {
  int hue;             // degrees; taken modulo 360
  BYTE saturation;     // 0..255
  BYTE value;          // 0..255

  COLORREF ToColor() const;
};
