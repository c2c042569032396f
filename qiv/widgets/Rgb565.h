// The 16-bit pixels of the keyboard's picture screen: 5 bits red, 6 green, 5 blue, each
// pixel stored low byte first.
#pragma once
#include <windows.h>
#include <cstdint>
#include "qiv_export.h"

inline uint16_t ToRgb565(BYTE r, BYTE g, BYTE b) {
  return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

// Converts `count` pixels of a 32-bit DIB (bytes B, G, R, A) into `out`, two bytes a pixel.
QIV_API void ConvertBgraToRgb565(const BYTE* bgra, size_t count, BYTE* out);
