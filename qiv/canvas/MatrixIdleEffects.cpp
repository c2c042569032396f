// Effects of the matrix screen that their preset codes seed but the dispatcher never
// runs: heart, border scan, typing, raindrop matrix, terminal and radiant rays.
#include "canvas/MatrixScreen.h"

#include <algorithm>
#include <cmath>
#include "canvas/ColorMath.h"

namespace {
const char* const kHeartFigure[7] = {".##.##.", "#######", "#######", "#######", ".#####.", "..###..", "...#..."};

// Letter glyphs, 7 rows of 5 columns.
struct Letter {
  wchar_t ch;
  const char* rows[7];
};
const Letter kLetters[] = {
    {L'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {L'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {L'C', {".####", "#....", "#....", "#....", "#....", "#....", ".####"}},
    {L'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#", "#...#", "#...#"}},
    {L'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
};

void LetterGlyph(wchar_t ch, wchar_t fallback, bool out[35]) {
  const Letter* found = nullptr;
  for (const Letter& l : kLetters) {
    if (l.ch == ch) found = &l;
  }
  if (!found)
    for (const Letter& l : kLetters)
      if (l.ch == fallback) found = &l;
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 5; ++c) out[r * 5 + c] = found->rows[r][c] == '#';
}
}  // namespace

void MatrixScreen::ApplyHeartEffect() {
  CriticalSectionLock lock(m_cellLock);
  m_heartEffectPhase += 0.1f;
  if (m_heartEffectPhase >= 6.28f) m_heartEffectPhase = 0;
  ClearCells();
  float hue = std::fmod(m_heartEffectPhase * 100, 360.0f);
  if (hue < 0) hue += 360;
  const COLORREF c = m_colourful ? HSVtoRGB(int(hue), 255, 255) : ScaledSingle(std::sin(2 * m_heartEffectPhase) * 0.2f + 0.8f);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      if (kHeartFigure[y][x] == '#') SetPixelColor(x, y, c);
}

void MatrixScreen::ApplyScanEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_scanTick > 200) {
    if (++m_scanPosition > 19) m_scanPosition = 0;
    m_scanTick = now;
  }
  const int p = m_scanPosition;
  int x, y;
  if (p <= 4) x = p, y = 0;
  else if (p <= 9) x = 5, y = p - 5;
  else if (p <= 14) x = 14 - p, y = 5;
  else x = 0, y = 19 - p;
  const COLORREF c = m_colourful
                         ? HSVtoRGB(int(std::fmod(float(p) * 18 + float(now % 3600000u) * 0.1f, 360.0f)), 255, 255)
                         : m_singleColor;
  ClearCells();
  for (int dy = 0; dy < 2; ++dy)
    for (int dx = 0; dx < 3; ++dx) SetPixelColor(x + dx, y + dy, c);
}

void MatrixScreen::ApplyTypingEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_typingTick > 800) {
    if (++m_typingIndex >= m_typingText.GetLength()) m_typingIndex = 0;
    m_typingTick = now;
  }
  const wchar_t ch = m_typingText[m_typingIndex];
  bool glyph[35];
  if (ch >= L'1' && ch <= L'3') std::copy(s_numberPatterns[ch - L'0'], s_numberPatterns[ch - L'0'] + 35, glyph);
  else LetterGlyph(ch == L'A' || ch == L'B' || ch == L'C' ? ch : L'A', L'A', glyph);
  const float pulse = float(std::sin(double(now % 6283185u) * 0.01) * 0.3 + 0.7);
  ClearCells();
  DrawGlyph(glyph, m_colourful ? HSVtoRGB(m_typingIndex * 60, 255, int(pulse * 255)) : ScaledSingle(pulse));
}

void MatrixScreen::ApplyRaindropMatrixEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_matrixDropTick > 100) {
    if (Rand() % 3 == 0) {
      Drop d{};
      d.x = Rand() % 7;
      d.y = 0;
      d.speed = Rand() % 2 + 1;
      d.life = Rand() % 5 + 7;
      if (m_colourful) {
        const int hue = Rand() % 60 + 180;
        d.color = HSVtoRGB(hue, 255, Rand() % 56 + 200);
      } else {
        d.color = m_singleColor;
      }
      m_matrixDrops.push_back(d);
    }
    for (auto it = m_matrixDrops.begin(); it != m_matrixDrops.end();) {
      it->y += it->speed;
      --it->life;
      if (it->y >= 7 || it->life <= 0) it = m_matrixDrops.erase(it);
      else ++it;
    }
    m_matrixDropTick = now;
  }
  ClearCells();
  for (const Drop& d : m_matrixDrops) {
    const float f = std::clamp(float(d.life) / 11, 0.2f, 1.0f);
    SetPixelColor(d.x, d.y, ColorMath::Scale(m_colourful ? d.color : m_singleColor, f));
  }
}

void MatrixScreen::ApplyTerminalEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_terminalTick > 1000) {
    if (++m_terminalIndex >= m_terminalText.GetLength()) m_terminalIndex = 0;
    m_terminalTick = now;
  }
  bool glyph[35];
  LetterGlyph(m_terminalText[m_terminalIndex], L'C', glyph);
  const double t = double(now % 62831853u);
  const float glow = float(std::sin(t * 0.008) * 0.2 + 0.8);
  ClearCells();
  for (int r = 0; r < 7; ++r) {
    for (int c = 0; c < 5; ++c) {
      if (!glyph[r * 5 + c]) continue;
      COLORREF colour;
      if (m_colourful) {
        float hue = float(std::fmod(std::sin(t * 0.003 + c + 1 + r) * 30 + 120, 360.0));
        if (hue < 0) hue += 360;
        colour = HSVtoRGB(int(hue), 200, int(glow * 255));
      } else {
        colour = ScaledSingle(glow);
      }
      SetPixelColor(1 + c, r, colour);
    }
  }
  if ((now / 500) % 2 == 0) SetPixelColor(6, 6, m_colourful ? 0x00FF00 : m_singleColor);
}

void MatrixScreen::ApplyRadiantEffect() {
  CriticalSectionLock lock(m_cellLock);
  const DWORD now = Now();
  if (now - m_radiantTick > 50) {
    m_radiantPhase += 0.15f;
    if (m_radiantPhase >= 6.28f) m_radiantPhase = 0;
    m_rayLength = std::sin(m_radiantPhase) * 1.5f + 1.5f;
    m_radiantTick = now;
  }
  ClearCells();
  SetPixelColor(3, 3, m_colourful ? HSVtoRGB(int(std::fmod(m_radiantPhase * 100, 360.0f)), 100, 255) : m_singleColor);
  static const int kStraight[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  static const int kDiagonal[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  for (int r = 0; r < 4; ++r) {
    const int hue = int(std::fmod(m_radiantPhase * 50 + 90.0f * float(r), 360.0f));
    for (int n = 1; n <= int(m_rayLength); ++n)
      SetPixelColor(3 + kStraight[r][0] * n, 3 + kStraight[r][1] * n, m_colourful ? HSVtoRGB(hue, 255, 255) : m_singleColor);
  }
  for (int r = 0; r < 4; ++r) {
    const int hue = int(std::fmod(m_radiantPhase * 30 + 180 + 45.0f * float(r), 360.0f));
    for (int n = 1; n <= int(m_rayLength * 0.7f); ++n)
      SetPixelColor(3 + kDiagonal[r][0] * n, 3 + kDiagonal[r][1] * n, m_colourful ? HSVtoRGB(hue, 255, 255) : m_singleColor);
  }
}
