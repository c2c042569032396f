#include "canvas/GifFrames.h"

namespace GifFrames {

int DelayFromProperty(bool hasProperty, unsigned firstValue) {
  if (!hasProperty) return kDefaultDelayMs;
  return firstValue == 0 ? 10 : int(firstValue * 10);
}

void Advance(GifTiming& t, double nowMs) {
  if (t.frameCount < 2) {
    t.frameIndex = 0;
    return;
  }
  if (t.delayMs <= 0) t.delayMs = kDefaultDelayMs;  // never divide by a missing delay
  if (t.startMs <= 0) t.startMs = nowMs;
  const double elapsed = nowMs - t.startMs;
  if (elapsed < t.delayMs) return;
  const long long n = (long long)(elapsed / t.delayMs);
  long long index = (t.frameIndex + n) % t.frameCount;
  t.frameIndex = index >= 0 && index < t.frameCount ? int(index) : 0;
  t.startMs = nowMs - (elapsed - double(t.delayMs) * double(n));
}
}  // namespace GifFrames
