// The colours the screen pickers (LCDPalette, LCDPalette2, LCDPalette3) compute: the
// library's HSL model (controls/ColorModel.h, channels truncated), never pure black.
#pragma once
#include <windows.h>
#include "controls/ColorModel.h"

// The pickers never paint or store pure black: it becomes 0x000001 (the top byte stays).
inline COLORREF NonBlack(COLORREF colour) { return (colour & 0xFFFFFF) == 0 ? (colour & 0xFF000000) | 1 : colour; }
