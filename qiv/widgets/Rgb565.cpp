#include "widgets/Rgb565.h"

void ConvertBgraToRgb565(const BYTE* bgra, size_t count, BYTE* out) {
  for (size_t i = 0; i < count; ++i, bgra += 4) {
    const uint16_t v = ToRgb565(bgra[2], bgra[1], bgra[0]);
    *out++ = static_cast<BYTE>(v & 0xFF);
    *out++ = static_cast<BYTE>(v >> 8);
  }
}
