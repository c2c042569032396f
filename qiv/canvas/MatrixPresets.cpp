// The animated presets 2-21 of the matrix screen. Each step runs under the cell lock
// (taken by UpdatePresetAnimation, and again here for a direct call).
#include "canvas/MatrixScreen.h"

#include <algorithm>
#include <cmath>
#include "canvas/ColorMath.h"

namespace {
// The clock and heart figures, row by row.
const char* const kClockFigure[7] = {"..###..", ".#.#.#.", "#..#..#", "#######", "#..#..#", ".#.#.#.", "..###.."};
const char* const kHeartFigure[7] = {".##.##.", "#######", "#######", "#######", ".#####.", "..###..", "...#..."};

const float kSpiral[7][7] = {
    {13.2f, 12.9f, 12.6f, 12.3f, 12.0f, 11.7f, 11.4f}, {13.5f, 7.0f, 6.6f, 6.3f, 6.0f, 5.6f, 11.1f},
    {13.8f, 7.3f, 2.5f, 2.0f, 1.5f, 5.3f, 10.8f},      {14.1f, 7.6f, 3.0f, 0.0f, 1.0f, 5.0f, 10.5f},
    {14.4f, 8.0f, 3.5f, 4.0f, 4.5f, 10.0f, 17.4f},     {14.7f, 8.3f, 8.6f, 9.0f, 9.3f, 9.6f, 17.1f},
    {15.0f, 15.3f, 15.6f, 15.9f, 16.2f, 16.5f, 16.8f},
};

float Distance(float x, float y, float cx = 3, float cy = 3) { return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)); }

const int kDirections[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

bool Inside(int x, int y) { return x >= 0 && x < 7 && y >= 0 && y < 7; }
}  // namespace

float MatrixScreen::NextRainbowOffset() {
  s_shared.rainbowOffset += 2;
  if (s_shared.rainbowOffset >= 360) s_shared.rainbowOffset = 0;
  return s_shared.rainbowOffset;
}

void MatrixScreen::ApplyCountdownEffect() {
  CriticalSectionLock lock(m_cellLock);
  ClearCells();
  const DWORD now = Now();
  if (now - s_shared.lastCountdownTick > 1000) {
    if (--m_count < 0) m_count = 10;
    s_shared.lastCountdownTick = now;
  }
  COLORREF colour = m_singleColor;
  if (m_colourful) {
    const float offset = NextRainbowOffset();
    colour = HSVtoRGB(int(float(m_count) * 0.8f * 360 + offset) % 360, 255, 255);
  }
  DisplayNumber(m_count, colour);
}

void MatrixScreen::ApplyClockEffect() {
  CriticalSectionLock lock(m_cellLock);
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  m_hour = local.wHour % 12;
  m_minute = local.wMinute;
  s_shared.clockPhase += 0.05f;
  if (s_shared.clockPhase >= 1.0f) s_shared.clockPhase = 0;
  const float phase = s_shared.clockPhase;
  const float pulse = std::sin(phase * 6.28f) * 0.6f + 0.4f;
  ClearCells();
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      if (kClockFigure[y][x] != '#') continue;
      const float k = std::clamp(1 - Distance(float(x), float(y)) * 0.25f, 0.3f, 1.0f);
      const float f = k * pulse;
      COLORREF c;
      if (m_colourful) {
        const float hue = std::fmod(float(m_hour) * 30 + float(m_minute) * 0.5f + phase * 60, 360.0f);
        c = HSVtoRGB(int(hue), 255, std::clamp(int(f * 255), 0, 255));
      } else {
        c = ScaledSingle(f);
      }
      SetPixelColor(x, y, c);
    }
  }
  if (local.wSecond % 2 == 0) SetPixelColor(3, 3, m_colourful ? 0xFFFFFF : m_singleColor);
}

void MatrixScreen::ApplyHeartbeatEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_heartPhase += 0.1f;
  const float s = (std::sin(3 * m_heartPhase) + 1) * 0.5f;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      if (kHeartFigure[y][x] != '#') {
        PutCell(x, y, 0);
        continue;
      }
      const COLORREF c = m_colourful
                             ? HSVtoRGB(int(std::fmod(m_heartPhase * 60 + 30.0f * float(y + x), 360.0f)), 255, int(s * 255))
                             : ScaledSingle(s);
      SetPixelColor(x, y, c);
    }
  }
}

void MatrixScreen::ApplyTextFlowEffect() {
  CriticalSectionLock lock(m_cellLock);
  if (++m_textPosition > 14) m_textPosition = -7;
  ClearCells();
  if (m_textPosition >= 0 && m_textPosition <= 6) SetPixelColor(m_textPosition, 3, m_colourful ? 0xFFFF00 : m_singleColor);
}

void MatrixScreen::ApplyRainbowWaveEffect() {
  CriticalSectionLock lock(m_cellLock);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float a = (m_effectClock * 5 + float(x) + float(y)) * 0.5f;
      SetPixelColor(x, y, m_colourful ? HSVtoRGB(int((std::sin(a) + 1) * 180), 255, 255) : ScaledSingle((std::sin(a) + 1) * 0.5f));
    }
  }
}

void MatrixScreen::ApplyBreathingEffect() {
  CriticalSectionLock lock(m_cellLock);
  const float b = (std::sin(2 * m_effectClock) + 1) * 0.5f;
  m_breath = b;
  const COLORREF c = m_colourful ? RGB(int(b * 255), int(b * 255), 255) : ScaledSingle(b);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) PutCell(x, y, c);  // breathing ignores the brightness
}

void MatrixScreen::ApplyRippleEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_rippleRadius += 0.2f;
  if (m_rippleRadius > 10) m_rippleRadius = 0;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float d = std::fabs(Distance(float(x), float(y), m_rippleX, m_rippleY) - m_rippleRadius);
      COLORREF c = 0;
      if (d < 1) {
        const int i = int((1 - d) * 255);
        c = m_colourful ? RGB(0, i, i) : ColorMath::Scale(m_singleColor, float(i) / 255);
      }
      SetPixelColor(x, y, c);
    }
  }
}

void MatrixScreen::ApplySpiralEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_spiralPhase += 0.2f;
  if (m_spiralPhase >= 6.28f) m_spiralPhase = 0;
  ClearCells();
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float p = kSpiral[y][x];
      float b = (std::sin(std::fmod(m_spiralPhase * 1.5f + p * 0.3f, 6.28f)) + 1) * 0.5f;
      if (p > 10) b = std::max(b, std::sin(m_spiralPhase * 3 + p * 0.1f) * 0.3f + 0.7f);
      b = std::clamp(b, 0.2f, 1.0f);
      COLORREF c;
      if (m_colourful) {
        float hue = std::fmod(m_spiralPhase * 60 + p * 30, 360.0f);
        if (hue < 0) hue += 360;
        c = HSVtoRGB(std::clamp(int(hue), 0, 359), 255, std::clamp(int(b * 255), 20, 255));
      } else {
        c = ScaledSingle(b);
      }
      SetPixelColor(x, y, c);
    }
  }
}

void MatrixScreen::ApplyCrossFadeEffect() {
  CriticalSectionLock lock(m_cellLock);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float a = std::sin(m_effectClock + float(x) * 0.5f) * 0.5f + 0.5f;
      const float b = std::cos(float(y) * 0.5f + m_effectClock) * 0.5f + 0.5f;
      SetPixelColor(x, y, m_colourful ? RGB(int(a * 255), 0, int(b * 255)) : ScaledSingle((a + b) / 2));
    }
  }
}

void MatrixScreen::ApplyRainDropEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_dropTick > 150) {
    const int tries = Rand() % 3 + 1;
    for (int i = 0; i < tries; ++i) {
      const int column = Rand() % 7;
      const bool crowded =
          std::any_of(m_drops.begin(), m_drops.end(), [column](const Point& d) { return d.x == column && d.y < 2; });
      if (!crowded) m_drops.push_back({column, 0});
    }
    m_dropTick = now;
  }
  ClearCells();
  auto hue = [now](int row, int column) {
    return 180 + int(std::fmod(float(row) * 30 + float(column) * 50 + float(now % 3600000u), 360.0f)) % 120;
  };
  for (auto it = m_drops.begin(); it != m_drops.end();) {
    if (++it->y >= 7) {
      it = m_drops.erase(it);
      continue;
    }
    const int x = it->x, y = it->y;
    const float head = std::max(1 - float(y) / 7, 0.3f);
    SetPixelColor(x, y, m_colourful ? HSVtoRGB(hue(y, x), 255, int(head * 255)) : ScaledSingle(head));
    if (y > 0) {
      const float tail = std::max(0.3f - float(y) / 14, 0.1f);
      SetPixelColor(x, y - 1, m_colourful ? HSVtoRGB(hue(y - 1, x), 200, int(tail * 255)) : ScaledSingle(tail));
    }
    ++it;
  }
}

void MatrixScreen::ApplySnakeEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_snakeTick > 120) {
    if (m_snake.empty()) {
      m_snake.push_back({3, 3});
      m_snakeDx = 1, m_snakeDy = 0;
    }
    Point head = m_snake.front();
    if (!Inside(head.x + m_snakeDx, head.y + m_snakeDy)) {
      int best = -1, bestRoom = -1;
      for (int d = 0; d < 4; ++d) {
        const int nx = head.x + kDirections[d][0], ny = head.y + kDirections[d][1];
        if (!Inside(nx, ny)) continue;
        bool taken = false;
        for (size_t i = 0; i + 1 < m_snake.size(); ++i) taken |= m_snake[i].x == nx && m_snake[i].y == ny;
        if (taken) continue;
        const int room = std::min({nx, 6 - nx, ny, 6 - ny});
        if (room > bestRoom) best = d, bestRoom = room;
      }
      if (best >= 0) {
        m_snakeDx = kDirections[best][0], m_snakeDy = kDirections[best][1];
      } else {
        // Trapped: start again from one random segment, which the move continues from.
        m_snake.clear();
        const int y = Rand() % 7;
        const int x = Rand() % 7;
        m_snake.push_back({x, y});
        const int d = Rand() % 4;
        m_snakeDx = kDirections[d][0], m_snakeDy = kDirections[d][1];
        head = m_snake.front();
      }
    }
    m_snake.insert(m_snake.begin(), Point{head.x + m_snakeDx, head.y + m_snakeDy});
    if (!s_shared.snakeGrowthStarted) {
      s_shared.snakeGrowthStarted = true;
      s_shared.snakeGrowthTick = now;
    } else if (now - s_shared.snakeGrowthTick > 3000 && s_shared.snakeTargetLength < 8) {
      ++s_shared.snakeTargetLength;
      s_shared.snakeGrowthTick = now;
    }
    if (int(m_snake.size()) > s_shared.snakeTargetLength) m_snake.resize(size_t(s_shared.snakeTargetLength));
    m_snakeTick = now;
  }
  ClearCells();
  const int n = int(m_snake.size());
  for (int i = 0; i < n; ++i) {
    const Point p = m_snake[size_t(i)];
    if (!Inside(p.x, p.y)) continue;
    COLORREF c;
    if (m_colourful) {
      c = i == 0 ? 0x64FFFF
                 : HSVtoRGB(int(std::fmod(float(now % 3600000u) + float(i) * 60, 360.0f)), 255,
                            int(std::max(1 - float(i) / float(n), 0.3f) * 255));
    } else {
      c = i == 0 ? m_singleColor : ScaledSingle(std::max(1 - float(i) / float(n), 0.2f));
    }
    SetPixelColor(p.x, p.y, c);
  }
}

void MatrixScreen::ApplyFireworksEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_burstTick > 1000) {
    const int ox = Rand() % 7;
    const int oy = Rand() % 7;
    for (int i = 0; i < 8; ++i) {
      const float angle = float(i) * 45 * 3.14159f / 180;
      Particle p{float(ox), float(oy), std::cos(angle) * 0.3f, std::sin(angle) * 0.3f, 15, m_singleColor};
      if (m_colourful) p.color = HSVtoRGB(Rand() % 360, 255, 255);
      m_particles.push_back(p);
    }
    m_burstTick = now;
  }
  ClearCells();
  for (auto it = m_particles.begin(); it != m_particles.end();) {
    it->x += it->vx, it->y += it->vy;
    --it->life;
    if (it->life < 1 || it->x < 0 || it->x >= 7 || it->y < 0 || it->y >= 7) {
      it = m_particles.erase(it);
      continue;
    }
    SetPixelColor(int(it->x), int(it->y), ColorMath::Scale(it->color, float(it->life) / 15));
    ++it;
  }
}

void MatrixScreen::ApplyMatrixRainEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  ClearCells();
  for (Trail& trail : m_trails) {
    for (int k = 0; k < trail.length; ++k) {
      const int row = trail.head - k;
      if (row < 0 || row > 6) continue;
      const float f = 1 - float(k) / float(trail.length);
      COLORREF c;
      if (m_colourful) {
        const float base = std::fmod(float(trail.column) * 45 + float(double(now) * 0.003 * 60), 360.0f);
        const int hue = std::clamp(int(std::fmod(float(int(base)) + float(k) * 10, 360.0f)), 0, 359);
        c = HSVtoRGB(hue, 255, std::clamp(int(f * 255), 20, 255));
      } else {
        c = ScaledSingle(f);
      }
      SetPixelColor(trail.column, row, c);
    }
    if (++trail.head > trail.length + 7) trail.head = -(Rand() % 5);
  }
}

void MatrixScreen::ApplyPlasmaEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_plasmaTime += 0.1f;
  const float t = m_plasmaTime;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float fx = float(x), fy = float(y);
      const float v = (std::sin(std::sqrt(fx * fx + fy * fy) * 0.5f + t) + std::sin(fy * 0.5f + t) +
                       std::sin(fx * 0.5f + t) + std::sin((fx + fy) * 0.25f + t) + 4) * 0.125f;
      SetPixelColor(x, y, m_colourful ? HSVtoRGB(int(v * 360), 255, 255) : ScaledSingle(v));
    }
  }
}

void MatrixScreen::ApplyStarfieldEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  ClearCells();
  for (size_t i = 0; i < m_stars.size(); ++i) {
    Star& s = m_stars[i];
    s.z -= s.speed;
    if (s.z <= 0) {
      s.x = float(Rand() % 7);
      s.y = float(Rand() % 7);
      s.z = float(Rand() % 10 + 8);
      s.speed = float(Rand() % 10) * 0.01f + 0.05f;
    }
    if (!Inside(int(s.x), int(s.y))) continue;
    const float closeness = 1 - s.z / 15;
    const float f = std::clamp(closeness, 0.1f, 1.0f);
    const float twinkle =
        float(std::sin(double(now % 6283185u) * 0.01 + double(i) * 0.5 + s.x + s.y) * 0.3 + 0.7) * f;
    COLORREF c;
    if (m_colourful) {
      const int h = int(std::fmod(s.y * 73 + s.x * 47 + float(i) * 23 + float(now % 1440000u) * 0.005f * 50, 360.0f));
      const int hue = s.z > 10 ? h % 60 + 200 : s.z > 5 ? h : h % 90 + 30;
      c = HSVtoRGB(hue, std::clamp(int(closeness * 105 + 150), 100, 255), std::clamp(int(twinkle * 255), 30, 255));
    } else {
      c = ScaledSingle(twinkle);
    }
    SetPixelColor(int(s.x), int(s.y), c);
  }
}

void MatrixScreen::ApplyMandelbrotEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_zoom *= 1.02f;
  if (m_zoom > 100) m_zoom = 1.0f;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float cr = (float(x) - 3.5f) / (m_zoom * 3.5f) + m_centreX;
      const float ci = (float(y) - 3.5f) / (m_zoom * 3.5f) + m_centreY;
      float zr = 0, zi = 0;
      int n = 0;
      while (zr * zr + zi * zi < 4 && n < 20) {
        const float t = zr * zr - zi * zi + cr;
        zi = 2 * zr * zi + ci;
        zr = t;
        ++n;
      }
      COLORREF c = 0;
      if (n < 20) {
        const float f = float(n) / 20;
        c = m_colourful ? HSVtoRGB(int(f * 360), 255, 255) : ScaledSingle(f);
      }
      SetPixelColor(x, y, c);
    }
  }
}

void MatrixScreen::ApplyGameOfLifeEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_lifeTick > 500) {
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 7; ++x) {
        int around = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if ((dx || dy) && Inside(x + dx, y + dy)) around += m_life[(y + dy) * 7 + x + dx];
        const bool alive = m_life[y * 7 + x] != 0;
        m_nextLife[y * 7 + x] = (alive && (around == 2 || around == 3)) || (!alive && around == 3) ? 1 : 0;
      }
    }
    std::copy(std::begin(m_nextLife), std::end(m_nextLife), std::begin(m_life));
    m_lifeTick = now;
  }
  ClearCells();
  for (int i = 0; i < 49; ++i)
    if (m_life[i]) SetPixelColor(i % 7, i / 7, m_colourful ? 0x00FF00 : m_singleColor);
}

void MatrixScreen::ApplyWaveformEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_wavePhase += 0.1f;
  ClearCells();
  for (int x = 0; x < 7; ++x) {
    const int row = int(std::sin(float(x) * 0.5f + m_wavePhase) * m_waveAmplitude + 3.0f);
    if (row >= 0 && row < 7) SetPixelColor(x, row, m_colourful ? HSVtoRGB(51 * x, 255, 255) : m_singleColor);
  }
}

void MatrixScreen::ApplyTunnelEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_tunnelA += 0.2f;
  m_tunnelB += 0.1f;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float d = Distance(float(x), float(y));
      const float angle = std::atan2(float(y) - 3, float(x) - 3);
      const float v = (std::sin((angle + m_tunnelB) * 4) * 0.5f + 0.5f) * (std::sin(2 * d + m_tunnelA) * 0.5f + 0.5f);
      SetPixelColor(x, y, m_colourful ? HSVtoRGB(int(std::fmod(m_tunnelA * 20 + d * 60, 360.0f)), 255, int(v * 255))
                                      : ScaledSingle(v));
    }
  }
}

void MatrixScreen::ApplyKaleidoscopeEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_kaleidoPhase += 0.05f;
  const float n = float(m_segments), sector = 6.28318f / n;
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const float d = Distance(float(x), float(y));
      float a = std::fmod(std::atan2(float(y) - 3, float(x) - 3) + m_kaleidoPhase, sector);
      if (a < 0) a += sector;
      const float v = (std::sin(2 * d + n * a) * std::cos(2 * m_kaleidoPhase + 3 * d) + 1) * 0.5f;
      SetPixelColor(x, y, m_colourful ? HSVtoRGB(int(std::fmod(a * 180 / 3.14159f + d * 60, 360.0f)), 255, int(v * 255))
                                      : ScaledSingle(v));
    }
  }
}
