// The colours of the LEDs that have no key on the canvas: the side strip (a level bar),
// the top strip (lit from the middle) and a grid of rings around its centre cell.
#pragma once
#include <windows.h>
#include "canvas/AudioState.h"
#include "qiv_export.h"

namespace StripColors {
// The audio level as a 0-1 energy: 0 at a level of 2 or less, else level / 150 (at
// least 0.05), times the music scale.
QIV_API float Energy(const AudioState& audio, float musicScale);
// H(k): the hue clock, (tick x k x 0.0625) mod 360.
QIV_API float HueClock(DWORD tick, float speed);
// The beat boost: unchanged without a beat, else each channel x (boost x factor + 1).
QIV_API COLORREF BeatBoost(const AudioState& audio, COLORREF colour, float factor);

// Each writes min(count, 10), min(count, 27) and R x C entries (Rows and columns above
// 32 are cut, even ones reduced by 1; the grid is packed with a stride of C); nothing
// when out is null or a count is not positive.
QIV_API void SideLights(const AudioState& audio, float musicScale, DWORD tick, COLORREF* out, int count,
                        bool rainbow, COLORREF colour);
QIV_API void TopLights(const AudioState& audio, float musicScale, DWORD tick, COLORREF* out, int count,
                       bool rainbow, COLORREF colour);
QIV_API void MatrixLights(const AudioState& audio, float musicScale, DWORD tick, COLORREF* out, int rows,
                          int columns, bool rainbow, COLORREF colour);
}  // namespace StripColors
