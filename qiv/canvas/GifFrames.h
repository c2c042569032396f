// Frame timing of the canvas's animated picture: which frame shows at a given time.
#pragma once
#include "qiv_export.h"

struct GifTiming {
  int frameCount = 0;
  int frameIndex = 0;
  int delayMs = 30;       // per frame
  double startMs = 0.0;   // when the current frame began; 0 = not started
};

namespace GifFrames {
// The delay a picture shows its frames with: its first frame-delay value (1/100 s) x 10,
// 10 ms for a stored 0, and 100 ms when it has no delay at all.
constexpr int kDefaultDelayMs = 100;
QIV_API int DelayFromProperty(bool hasProperty, unsigned firstValue);
// Moves to the frame due at `nowMs`: whole delays elapsed skip that many frames
// (wrapping), the remainder carries into the next frame's start.
QIV_API void Advance(GifTiming& timing, double nowMs);
}  // namespace GifFrames
