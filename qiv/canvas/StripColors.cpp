#include "canvas/StripColors.h"

#include <algorithm>
#include <cmath>
#include "canvas/ColorMath.h"

namespace StripColors {
using ColorMath::HsvToColor;
using ColorMath::Scale;

float Energy(const AudioState& audio, float musicScale) {
  const float l = audio.level <= 2.0f ? 0.0f : std::max(0.05f, std::min(1.0f, audio.level / 150.0f));
  return std::clamp(musicScale * l, 0.0f, 1.0f);
}

float HueClock(DWORD tick, float speed) {
  return float(std::fmod(double(tick) * double(speed) * 0.0625, 360.0));
}

COLORREF BeatBoost(const AudioState& audio, COLORREF colour, float factor) {
  if (!audio.beat || audio.beatBoost <= 0) return colour;
  return Scale(colour, audio.beatBoost * factor + 1.0f);
}

namespace {
bool StrongBeat(const AudioState& audio) { return audio.beat && audio.beatStrength > 0.3f; }
}  // namespace

void SideLights(const AudioState& audio, float musicScale, DWORD tick, COLORREF* out, int count, bool rainbow,
                COLORREF colour) {
  if (!out || count <= 0) return;
  const int n = std::min(count, 10);
  if (audio.level <= 2.0f) {
    std::fill(out, out + n, COLORREF(0));
    return;
  }
  const float e = Energy(audio, musicScale);
  const bool strong = StrongBeat(audio);
  float g = e * 0.75f + 0.15f;
  if (strong) g = std::min(0.95f, g * (audio.beatStrength * 0.3f + 1.0f));
  const int lit = std::max(1, int(float(n) * g + 0.5f));
  const float hueNow = HueClock(tick, 3);
  for (int i = 0; i < n; ++i) {
    if (i >= lit) {
      out[i] = 0;
      continue;
    }
    COLORREF c;
    if (rainbow) {
      const float hue = std::fmod(float(i) / float(std::max(1, n - 1)) * 360.0f + 360.0f - hueNow, 360.0f);
      float v = e * 0.2f + 0.8f;
      if (strong) v = std::min(1.0f, v * (audio.beatStrength * 0.3f + 1.0f));
      c = HsvToColor(hue, e * 0.08f + 0.92f, v);
    } else {
      float f = e * 0.5f + 0.5f;
      if (strong) f = std::min(1.0f, f * (audio.beatStrength * 0.4f + 1.0f));
      c = Scale(colour, f);
    }
    out[i] = BeatBoost(audio, c, 0.6f);
  }
}

void TopLights(const AudioState& audio, float musicScale, DWORD tick, COLORREF* out, int count, bool rainbow,
               COLORREF colour) {
  if (!out || count <= 0) return;
  const int n = std::min(count, 27);
  if (audio.level <= 2.0f) {
    std::fill(out, out + n, COLORREF(0));
    return;
  }
  const float e = Energy(audio, musicScale);
  const bool strong = StrongBeat(audio);
  float g = e * 0.92f + 0.08f;
  if (strong) g = std::min(1.0f, g * (audio.beatStrength * 0.5f + 1.0f));
  const int half = n / 2;
  const int reach = std::max(1, int(float(half) * g + 0.5f));
  const float hueNow = HueClock(tick, 5);
  for (int i = 0; i < n; ++i) {
    const int d = std::abs(i - half);
    if (d >= reach) {
      out[i] = 0;
      continue;
    }
    const float o = float(d) / float(std::max(1, half));
    COLORREF c;
    if (rainbow) {
      float v = (1.0f - o * 0.2f) * (e * 0.2f + 0.8f);
      if (strong) v = std::min(1.0f, v * (audio.beatStrength * 0.3f + 1.0f));
      c = HsvToColor(std::fmod(o * 360.0f + 360.0f - hueNow, 360.0f), e * 0.08f + 0.92f, v);
    } else {
      float f = (1.0f - o * 0.25f) * (e * 0.5f + 0.5f);
      if (strong) f = std::min(1.0f, f * (audio.beatStrength * 0.4f + 1.0f));
      c = Scale(colour, f);
    }
    out[i] = BeatBoost(audio, c, 0.6f);
  }
}

void MatrixLights(const AudioState& audio, float musicScale, DWORD tick, COLORREF* out, int rows, int columns,
                  bool rainbow, COLORREF colour) {
  if (!out || rows <= 0 || columns <= 0) return;
  int c = std::min(columns, 32), r = std::min(rows, 32);
  if (c % 2 == 0) c = std::max(1, c - 1);
  if (r % 2 == 0) r = std::max(1, r - 1);
  if (audio.level <= 2.0f) {
    std::fill(out, out + size_t(r) * size_t(c), COLORREF(0));
    return;
  }
  const int cx = c / 2, cy = r / 2;
  const float e = Energy(audio, musicScale);
  const bool strong = StrongBeat(audio);
  const double t = double(tick);
  const float phase = float(std::fmod((2.0 * e + 0.5) * t * 0.0001, 1.0));
  const float huePhase = float(std::fmod(t * 0.00004, 1.0));
  float k = e * 1.4f + 0.3f;
  if (strong) k = std::min(1.8f, k * (audio.beatStrength * 0.3f + 1.0f));
  const float w = float(std::min(cx, cy)) * 1.5f * k;
  const float r2 = w * std::fmod(phase + 0.5f, 1.0f);
  for (int j = 0; j < r; ++j) {
    for (int i = 0; i < c; ++i) {
      COLORREF& cell = out[size_t(j) * size_t(c) + size_t(i)];
      const float d = std::sqrt(float((i - cx) * (i - cx) + (j - cy) * (j - cy)));
      if (i == cx && j == cy) {
        if (rainbow) {
          float v = e * 0.15f + 0.85f;
          if (strong) v = std::min(1.0f, v * (audio.beatStrength * 0.2f + 1.0f));
          cell = HsvToColor(std::fmod(360.0f - huePhase * 360.0f, 360.0f), e * 0.08f + 0.92f, v);
        } else {
          float f = e * 0.4f + 0.6f;
          if (strong) f = std::min(1.0f, f * (audio.beatStrength * 0.3f + 1.0f));
          cell = Scale(colour, f);
        }
        continue;
      }
      const bool lit = d <= w * phase || (d <= r2 && r2 - d < 2.0f);
      if (!lit) {
        cell = 0;
        continue;
      }
      const float rel = w > 0 ? d / w : 0.0f;
      if (rainbow) {
        float v = e * 0.2f + 0.8f;
        if (strong) v = std::min(1.0f, v * (audio.beatStrength * 0.25f + 1.0f));
        const float hue = std::fmod(rel * 300.0f + 360.0f - huePhase * 360.0f - phase * 80.0f, 360.0f);
        cell = HsvToColor(hue, e * 0.08f + 0.92f, v);
      } else {
        float f = (1.0f - rel * 0.25f) * (e * 0.5f + 0.5f);
        if (strong) f = std::min(1.0f, f * (audio.beatStrength * 0.3f + 1.0f));
        cell = Scale(colour, f);
      }
    }
  }
}
}  // namespace StripColors
