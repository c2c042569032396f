// The scene music layers (sun, three bodies, gravity field, flames) and their glow shapes.
#include "canvas/ZephraEffect.h"

#include <algorithm>
#include <cmath>
#include "canvas/PainterKit.h"

using namespace PainterKit;

namespace {
bool StrongBeat(const AudioState& a, float over) { return a.beat && a.beatStrength > over; }

// A rectangle filled from `centre` in its middle to `surround` at its edge.
void FillRectGradient(PictureTarget& g, float x, float y, float w, float h, Gdiplus::Color centre,
                      Gdiplus::Color surround) {
  if (w <= 0 || h <= 0 || !g.Reaches(PictureTarget::FillBox(x, y, x + w, y + h))) return;
  Gdiplus::GraphicsPath path;
  path.AddRectangle(Gdiplus::RectF(x, y, w, h));
  Gdiplus::PathGradientBrush brush(&path);
  brush.SetCenterPoint(Gdiplus::PointF(x + w / 2, y + h / 2));
  brush.SetCenterColor(centre);
  INT count = 1;
  brush.SetSurroundColors(&surround, &count);
  g.FillPath(&brush, &path);
}
}  // namespace

void ZephraEffect::DrawGlowEllipse(PictureTarget& g, float x, float y, float radius, COLORREF colour) {
  for (int d = 3; d >= 1; --d) GlowDisc(g, x, y, radius + 12.0f * float(d), colour, 30 / d);
  FillRadial(g, x, y, radius, radius, Argb(ColorMath::AddToChannels(colour, 80)), Argb(colour));
  const float hr = 0.4f * radius;
  FillRadial(g, x - 0.3f * radius, y - 0.3f * radius, hr, hr, Gdiplus::Color(150, 255, 255, 255),
             Gdiplus::Color(0, 255, 255, 255));
}

void ZephraEffect::DrawGlowRect(PictureTarget& g, float x, float y, float width, float height, COLORREF colour) {
  for (int d = 3; d >= 1; --d) {
    const float grow = 15.0f * float(d);
    FillRectGradient(g, x - grow, y - grow, width + 2 * grow, height + 2 * grow, Argb(colour, 40 / d), Argb(colour, 0));
  }
  FillRectGradient(g, x, y, width, height, Argb(ColorMath::AddToChannels(colour, 60)), Argb(colour));
  Gdiplus::Pen outline(Gdiplus::Color(100, 255, 255, 255), 2);
  g.DrawRectangle(&outline, x, y, width, height);
}

void ZephraEffect::DrawAfternoonSun(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float f = std::clamp(m_audio.currentVolume * m_musicScale, 0.0f, 1.0f);
  float quarter[4] = {0, 0, 0, 0};
  if (m_audio.hasFFT) {
    const float* s = m_audio.spectrum64;
    const float gains[4] = {4, 5, 6, 10};
    for (int k = 0; k < 4; ++k) quarter[k] = std::pow(std::min(1.0f, Mean(s, 16 * k, 16 * k + 15) * gains[k]), 0.7f);
  }
  const DWORD tick = m_sources.tickMs();
  const float phase = float(std::fmod(double(tick) * 0.001, 1.0));
  const float h1 = GetRainbowTime(1);
  const float l = float(rc.left), t = float(rc.top), w = float(rc.Width()), h = float(rc.Height());
  auto quarterOf = [](float pos) { return pos < 0.25f ? 0 : pos < 0.5f ? 1 : pos < 0.75f ? 2 : 3; };
  {
    Gdiplus::GraphicsPath path;
    path.AddRectangle(Gdiplus::RectF(l, t, w, h));
    Gdiplus::PathGradientBrush brush(&path);
    brush.SetCenterPoint(Gdiplus::PointF(l + w / 2, t + h / 2));
    const COLORREF centre = colourful ? HSVtoRGB(std::fmod(h1 + 45 + f * 30, 90.0f), f * 0.3f + 0.6f, f * 0.15f + 0.85f)
                                      : Scaled(colour, f * 0.3f + 0.7f);
    brush.SetCenterColor(Argb(centre));
    INT count = brush.GetPointCount();
    std::vector<Gdiplus::Color> surround(size_t(std::max(count, 1)));
    static const float kHueSteps[4] = {0, 30, 60, 120};
    for (INT i = 0; i < count; ++i) {
      const float pos = float(i) / float(std::max(1, count - 1));
      const int k = quarterOf(pos);
      const COLORREF c =
          colourful ? ApplyBeatBoost(HSVtoRGB(std::fmod(h1 + kHueSteps[k], 360.0f), quarter[k] * 0.3f + 0.7f,
                                              quarter[k] * 0.25f + 0.75f + f * 0.1f),
                                     0.4f)
                    : Scaled(colour, f * 0.2f + 0.5f);
      surround[size_t(i)] = Argb(c);
    }
    brush.SetSurroundColors(surround.data(), &count);
    Gdiplus::REAL factors[5] = {0, 0.3f, 0.6f, 0.8f, 1}, positions[5] = {0, 0.25f, 0.5f, 0.75f, 1};
    brush.SetBlend(factors, positions, 5);
    g.FillPath(&brush, &path);
  }
  const float h2 = GetRainbowTime(2);
  for (int c = 0; c < 24; ++c) {
    const float x = l + std::fmod(float(c) / 24 + phase, 1.0f) * w;
    const float y = t + float(c % 6) / 5 * h;
    const float pos = w > 0 ? (x - l) / w : 0;
    float size = (quarter[quarterOf(pos)] * 1.5f + 0.5f) * (f * 5 + 3);
    if (StrongBeat(m_audio, 0.25f)) size *= m_audio.beatStrength * 0.8f + 1;
    const COLORREF glint =
        ApplyBeatBoost(colourful ? HSVtoRGB(std::fmod(h2 + pos * 120, 120.0f), 0.6f, 1) : RGB(255, 255, 255), 0.5f);
    GlowDisc(g, x, y, size / 2, glint, 200);
  }
}

void ZephraEffect::DrawThreeBody(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float f = std::clamp(m_audio.currentVolume * m_musicScale, 0.0f, 1.0f);
  float band[3] = {0, 0, 0};
  if (m_audio.hasFFT) {
    const float* s = m_audio.spectrum64;
    band[0] = std::pow(std::min(1.0f, Mean(s, 0, 21) * 5), 0.6f);
    band[1] = std::pow(std::min(1.0f, Mean(s, 22, 42) * 6), 0.6f);
    band[2] = std::pow(std::min(1.0f, Mean(s, 43, 63) * 9), 0.6f);
  }
  if (StrongBeat(m_audio, 0.25f))
    for (float& b : band) b = std::min(1.0f, b * (m_audio.beatStrength * 1.2f + 1));
  const float size = float(std::min(rc.Width(), rc.Height()));
  const float r0 = size * 0.15f;
  const float cx = float(rc.left + rc.Width() / 2), cy = float(rc.top + rc.Height() / 2);
  float orbit = size * 0.25f * (f * 0.4f + 0.8f);
  if (StrongBeat(m_audio, 0.2f)) orbit *= m_audio.beatStrength * 0.3f + 1;
  const double tick = double(m_sources.tickMs());
  const float angles[3] = {float(std::fmod(tick * 0.003, 6.2832)), float(std::fmod(tick * 0.0035 + 2.0944, 6.2832)),
                           float(std::fmod(tick * 0.004 + 4.1888, 6.2832))};
  struct Body {
    float x, y, r;
    COLORREF c;
  } bodies[3];
  for (int k = 0; k < 3; ++k) {
    float r = (band[k] * 0.6f + 0.4f) * r0;
    if (StrongBeat(m_audio, 0.2f)) r *= m_audio.beatStrength + 1;
    COLORREF c;
    if (colourful) {
      const int e = int(100 * band[k]);
      if (k == 0) c = RGB(std::min(255, e), std::min(255, e + 100), 255);
      else if (k == 1) c = RGB(std::min(255, e), 255, std::min(255, e + 50));
      else c = RGB(255, std::min(255, e + 50), std::min(255, e));
    } else {
      const float scales[3] = {band[0] * 0.5f + 0.5f, band[1] * 0.4f + 0.6f, band[2] * 0.3f + 0.7f};
      c = Scaled(colour, scales[k]);
    }
    bodies[k] = {cx + std::cos(angles[k]) * orbit, cy + std::sin(angles[k]) * orbit, r, ApplyBeatBoost(c, 0.6f)};
  }
  int order[3] = {0, 1, 2};
  std::stable_sort(order, order + 3, [&](int a, int b) { return bodies[a].y > bodies[b].y; });
  for (int k : order) DrawGlowEllipse(g, bodies[k].x, bodies[k].y, bodies[k].r, bodies[k].c);
  if (!colourful) return;
  const Gdiplus::Color lines[3] = {{60, 100, 200, 150}, {60, 150, 150, 50}, {60, 150, 50, 200}};
  for (int k = 0; k < 3; ++k) {
    Gdiplus::Pen pen(lines[k], 2);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    const Body& a = bodies[k];
    const Body& b = bodies[(k + 1) % 3];
    g.DrawLine(&pen, a.x, a.y, b.x, b.y);
  }
}

void ZephraEffect::DrawGravityField(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float f = std::clamp(m_audio.currentVolume * m_musicScale, 0.0f, 1.0f);
  float lo = 0, hi = 0;
  if (m_audio.hasFFT) {
    lo = std::pow(std::min(1.0f, Mean(m_audio.spectrum64, 0, 31) * 6), 0.65f);
    hi = std::pow(std::min(1.0f, Mean(m_audio.spectrum64, 32, 63) * 9), 0.65f);
  }
  if (StrongBeat(m_audio, 0.25f)) {
    lo = std::min(1.0f, lo * (m_audio.beatStrength + 1));
    hi = std::min(1.0f, hi * (m_audio.beatStrength + 1));
  }
  const float w = float(rc.Width()), h = float(rc.Height()), t = float(rc.top);
  const float cx = float(rc.left + rc.Width() / 2), cy = float(rc.top + rc.Height() / 2);
  float dl = 0.35f * w - 0.3f * w * lo, dr = 0.35f * w - 0.3f * w * hi;
  if (StrongBeat(m_audio, 0.3f)) {
    dl -= 0.09f * w * m_audio.beatStrength;
    dr -= 0.09f * w * m_audio.beatStrength;
  }
  const float bl = (lo * 0.5f + 0.3f) * h, br = (hi * 0.5f + 0.3f) * h;
  const float q = GetRainbowTime(2);
  const COLORREF left = ApplyBeatBoost(colourful ? HSVtoRGB(std::fmod(q + 240, 360.0f), lo * 0.2f + 0.8f, lo * 0.3f + 0.7f)
                                                 : Scaled(colour, lo * 0.4f + 0.6f),
                                       0.5f);
  const COLORREF right = ApplyBeatBoost(colourful ? HSVtoRGB(q, hi * 0.2f + 0.8f, hi * 0.3f + 0.7f)
                                                  : Scaled(colour, hi * 0.4f + 0.6f),
                                        0.5f);
  DrawGlowRect(g, cx - dl - bl / 2, t, bl, h, left);
  DrawGlowRect(g, cx + dr - br / 2, t, br, h, right);
  if (!colourful) return;
  const float x1 = cx - dl + bl / 2, x2 = cx + dr - br / 2;
  for (int n = 0; n <= 4; ++n) {
    const float y = t + float(n) * h / 4;
    if (x1 == x2) continue;
    Gdiplus::LinearGradientBrush brush(Gdiplus::PointF(x1, y), Gdiplus::PointF(x2, y), Argb(left, 80), Argb(right, 80));
    Gdiplus::Pen pen(&brush, 3);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    g.DrawLine(&pen, x1, y, x2, y);
  }
  float core = f * 12 + 8;
  if (StrongBeat(m_audio, 0.3f)) core *= m_audio.beatStrength * 0.5f + 1;
  GlowDisc(g, cx, cy, core, ApplyBeatBoost(HSVtoRGB(std::fmod(q + 120, 360.0f), 1, 1), 0.6f), 255);
}

void ZephraEffect::DrawFlameGradient(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const double tick = double(m_sources.tickMs());
  const float l = float(rc.left), b = float(rc.bottom), h = float(rc.Height()), cw = float(rc.Width()) / 32;
  for (int i = 0; i < 32; ++i) {
    float level = 0;
    if (m_audio.hasFFT) level = (m_audio.spectrum64[2 * i] + m_audio.spectrum64[2 * i + 1]) / 2;
    const float gain = i <= 7 ? 7 : i <= 15 ? 6 : i <= 23 ? 5.5f : 5;
    level = std::clamp(TrebleLift(level * gain, float(i) / 32, 1.2f), 0.0f, 1.0f);
    level = std::min(1.0f, std::pow(level, 0.6f) * float(std::sin(i * 0.3 + tick * 0.015) * 0.2 + 1));
    if (StrongBeat(m_audio, 0.25f)) level = std::min(1.0f, level * (m_audio.beatStrength * 1.2f + 1));
    const float hc = level * h * 0.95f;
    if (hc < 3) continue;
    const float x = l + float(i) * cw;
    const float fh = ((1 - float(std::abs(i - 16)) / 16) * 0.3f + 1) * hc;
    const float y1 = b - fh;
    const float top = y1 + float(std::sin(i * 0.4 + tick * 0.02)) * fh * 0.15f;
    Gdiplus::LinearGradientBrush brush(Gdiplus::PointF(x + cw / 2, b), Gdiplus::PointF(x + cw / 2, y1),
                                       Gdiplus::Color(255, 0, 0, 0), Gdiplus::Color(255, 0, 0, 0));
    if (colourful) {
      const Gdiplus::Color colours[5] = {
          {255, 180, 0, 0}, {255, 255, 80, 0}, {255, 255, 180, 0}, {255, 255, 240, 100}, {255, 255, 255, 200}};
      Gdiplus::REAL positions[5] = {0, 0.25f, 0.5f, 0.75f, 1};
      brush.SetInterpolationColors(colours, positions, 5);
    } else {
      brush.SetLinearColors(Argb(Scaled(colour, 0.7f)), Argb(Scaled(colour, 1.3f)));
    }
    brush.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.FillRectangle(&brush, x, top, cw, fh);
    if (!colourful) continue;
    if (StrongBeat(m_audio, 0.3f)) {
      Gdiplus::SolidBrush cap(Gdiplus::Color(BYTE(m_audio.beatStrength * 180), 255, 255, 255));
      g.FillRectangle(&cap, x, y1, cw, fh * 0.2f);
    }
    if (level > 0.3f) {
      for (int n = 2; n >= 1; --n) {
        const float grow = 8.0f * float(n);
        FillRectGradient(g, x - grow, y1 - grow, cw + 2 * grow, fh + 2 * grow,
                         Gdiplus::Color(BYTE(level * 50 / float(n)), 255, 200, 50), Gdiplus::Color(0, 255, 200, 50));
      }
    }
  }
}
