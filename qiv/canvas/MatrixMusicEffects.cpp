// The music presets 22-27 of the matrix screen, driven by the seven band levels, the
// wave buffer and the amplitude setting.
#include "canvas/MatrixScreen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include "canvas/ColorMath.h"

namespace {
const char* const kHeartFigure[7] = {".##.##.", "#######", "#######", "#######", ".#####.", "..###..", "...#..."};
float Distance(int x, int y) { return std::sqrt(float((x - 3) * (x - 3) + (y - 3) * (y - 3))); }
}  // namespace

void MatrixScreen::ApplyMusicSpectrumEffect() {
  CriticalSectionLock lock(m_cellLock);
  SharedState& s = s_shared;
  ++s.spectrumFrames;
  for (float& v : s.spectrum) v *= 0.6f;
  float work[WAVE_SIZE];
  std::copy(std::begin(m_wave), std::end(m_wave), work);
  float level = 0;
  for (float v : work) level += std::fabs(v);
  level /= float(WAVE_SIZE);
  if (level > 0.1f) s.gain = std::clamp(0.1f * (50 / level) + 0.9f * s.gain, 0.1f, 5.0f);
  for (float& v : work) v *= s.gain;
  if (s.spectrumFrames % 20 == 0) {
    char line[128];
    std::snprintf(line, sizeof(line), "[MatrixScreen] Input level: %.2f, Auto gain: %.3f\n", level, s.gain);
    ::OutputDebugStringA(line);
  }
  work[0] = work[2];
  for (int k = 0; k < 64; ++k) {
    const float m = std::sqrt(work[2 * k] * work[2 * k] + work[2 * k + 1] * work[2 * k + 1]) / 50;
    float v = m > 0.001f ? std::log10(m + 1) * 0.3f + m * 0.7f : 0.0f;
    v = std::min(v, 3.0f);
    float& first = s.spectrum[4 * k];
    if (v > first) first = v;
    if (first < 0) first = 0;
    s.spectrum[4 * k + 1] = s.spectrum[4 * k + 2] = s.spectrum[4 * k + 3] = first;
  }
  // In place: each position averages values of which the lower ones are already smoothed.
  for (int j = 8; j <= 247; ++j) {
    float sum = 0;
    for (int i = j - 8; i <= j + 8; ++i) sum += s.spectrum[i];
    s.spectrum[j] = sum / 17;
  }
  static const int kBins[7] = {2, 4, 8, 16, 32, 64, 128};
  for (int i = 0; i < 7; ++i) s.bands[i] = s.spectrum[kBins[i]] * m_amplitude / 100;
  int lit = 0;
  for (int x = 0; x < 7; ++x) {
    for (int r = 0; r < 7; ++r) {
      if (s.bands[x] > float(7 - r) / 7) {
        COLORREF c = m_singleColor;
        if (m_colourful) {
          const float offset = NextRainbowOffset();
          c = HSVtoRGB(int(float(x) * 0.14f * 360 + offset) % 360, 255, 255);
        }
        SetPixelColor(x, r, c);
        ++lit;
      } else {
        PutCell(x, r, 0);
      }
    }
  }
  if (s.spectrumFrames % 60 == 0) {
    char line[128];
    std::snprintf(line, sizeof(line), "[MatrixScreen] Pixels lit: %d/49, color_ful: %d\n", lit, m_colourful ? 1 : 0);
    ::OutputDebugStringA(line);
  }
}

void MatrixScreen::ApplyMusicWaveEffect() {
  CriticalSectionLock lock(m_cellLock);
  const float t = m_effectClock * 0.5f;
  ClearCells();
  for (int x = 0; x < 7; ++x) {
    const float a = m_amplitude / 50 * m_levels[x];
    const int row = std::clamp(
        int(std::sin(float(x) * 0.5f + 12 * t) * 2 * a + std::sin(float(x) * 0.8f + 8 * t) * 1.5f + 3.5f), 0, 6);
    const int hue = int(std::fmod(float(x) * 45 + t * 240, 360.0f));
    SetPixelColor(x, row, m_colourful ? HSVtoRGB(hue, 255, 255) : ScaledSingle(a * 0.5f + 0.5f));
    if (a > 0.3f) {
      const COLORREF glow = m_colourful ? HSVtoRGB(hue, 255, 180) : ScaledSingle((m_levels[x] * 0.3f + 0.5f) * 0.7f);
      if (row - 1 >= 0) SetPixelColor(x, row - 1, glow);
      if (row + 1 <= 6) SetPixelColor(x, row + 1, glow);
    }
  }
}

namespace {
float MeanStrength(const float* levels, float amplitude) {
  float sum = 0;
  for (int i = 0; i < 7; ++i) sum += levels[i];
  return std::clamp(amplitude / 50 * sum / 7, 0.0f, 1.0f);
}
}  // namespace

void MatrixScreen::ApplyMusicPulseEffect() {
  CriticalSectionLock lock(m_cellLock);
  ClearCells();
  const float e = MeanStrength(m_levels, m_amplitude);
  float p = e * 11;
  if (p < 1 && e > 0.01f) p = 1;
  if (p <= 0) return;
  p = std::max(p, 2.0f);
  const float s = p / 11;
  SharedState& sh = s_shared;
  sh.pulseRing += 0.1f;
  if (sh.pulseRing >= 1.0f) sh.pulseRing = 0;
  sh.pulseHue += 0.025f;
  if (sh.pulseHue >= 1.0f) sh.pulseHue = 0;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      if (x == 3 && y == 3) {
        SetPixelColor(x, y, m_colourful ? HSVtoRGB(int(sh.pulseHue * 360) % 360, 255, 255) : m_singleColor);
        continue;
      }
      const float d = Distance(x, y);
      float b = 0;
      const float ring = 4 * sh.pulseRing;
      if (d <= ring) {
        const float g1 = std::fabs(d - ring) < 2 ? (2 - std::fabs(d - ring)) * 0.5f : 0.0f;
        b = std::max(g1, (1 - d * 0.25f) * 0.5f);
      }
      const float r2 = 4 * std::fmod(sh.pulseRing + 0.5f, 1.0f);
      if (d <= r2 && std::fabs(d - r2) < 1.5f) b = std::max(b, (1.5f - std::fabs(d - r2)) / 1.5f * 0.7f);
      b = std::min(b * s, 1.0f);
      if (b <= 0.03f) continue;
      SetPixelColor(x, y, m_colourful ? HSVtoRGB(int((d * 0.25f + sh.pulseHue) * 360) % 360, 255, 255) : ScaledSingle(b));
    }
  }
}

void MatrixScreen::ApplyMusicRainEffect() {
  CriticalSectionLock lock(m_cellLock);
  ClearCells();
  const DWORD now = Now();
  for (int x = 0; x < 7; ++x) {
    int& h = m_fallHeights[x];
    const float a = std::clamp(m_amplitude / 50 * m_levels[x], 0.0f, 1.0f);
    if (a > 0.2f && h < int(a * 7)) h = int(a * 7);
    if (h > 0) --h;
    for (int r = 6; r >= 7 - h; --r) {
      const COLORREF c = m_colourful ? HSVtoRGB(180 + 20 * x, 255, 255)
                                     : ScaledSingle(std::clamp(float(h - 6 + r) / float(h), 0.0f, 1.0f));
      SetPixelColor(x, r, c);
    }
    if (a > 0.6f && now % 200 < 100) SetPixelColor(x, std::max(6 - h, 0), m_colourful ? 0xFFFFFF : m_singleColor);
  }
}

void MatrixScreen::ApplyMusicCircleEffect() {
  CriticalSectionLock lock(m_cellLock);
  const float e = MeanStrength(m_levels, m_amplitude);
  m_circleRadius += e * 0.5f;
  if (m_circleRadius > 8) m_circleRadius = 0;
  ClearCells();
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float d = std::fabs(Distance(x, y) - m_circleRadius);
      if (d >= 1.5f) continue;
      const COLORREF c = m_colourful
                             ? HSVtoRGB(int(std::fmod(m_effectClock * 30 + m_circleRadius * 45, 360.0f)), 255, 255)
                             : ScaledSingle((1.5f - d) / 1.5f * e);
      SetPixelColor(x, y, c);
    }
  }
}

void MatrixScreen::ApplyMusicHeartbeatEffect() {
  CriticalSectionLock lock(m_cellLock);
  ClearCells();
  const float e = MeanStrength(m_levels, m_amplitude);
  SharedState& sh = s_shared;
  float s = 0.4f;
  if (e > 0.01f) {
    sh.heartBeat += e * 0.15f + 0.05f;
    if (sh.heartBeat >= 1.0f) sh.heartBeat = 0;
    sh.heartHue += 0.02f;
    if (sh.heartHue >= 1.0f) sh.heartHue = 0;
    s = std::clamp(std::sin(sh.heartBeat * 6.28f) * 0.3f + 0.7f + e * 0.8f, 0.5f, 1.5f);
  }
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      if (kHeartFigure[y][x] != '#') continue;
      const float k = std::clamp(1.2f - Distance(x, y) / 6, 0.6f, 1.5f);
      const float b = std::clamp(k * s, 0.3f, 2.0f);
      COLORREF c;
      if (m_colourful) {
        const int hue = int(sh.heartHue * 360) % 360;
        c = b > 1 ? HSVtoRGB(hue, std::max(int(255 - (b - 1) * 200), 150), 255)
                  : HSVtoRGB(hue, 255, std::clamp(int(b * 255), 50, 255));
      } else if (b > 1) {
        auto towardsWhite = [b](int ch) { return std::min(int(float(255 - ch) * (b - 1) + float(ch)), 255); };
        c = RGB(towardsWhite(GetRValue(m_singleColor)), towardsWhite(GetGValue(m_singleColor)),
                towardsWhite(GetBValue(m_singleColor)));
      } else {
        c = ScaledSingle(b);
      }
      SetPixelColor(x, y, c);
    }
  }
}
