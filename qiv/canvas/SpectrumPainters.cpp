// The bar and spectrum music layers and the two single-shape pulses (heart, disc).
#include "canvas/ZephraEffect.h"

#include <cmath>
#include "canvas/PainterKit.h"

using namespace PainterKit;

namespace {
// The rounded LED segment: four quarter arcs in the corners of the box. The painters
// skip a segment and its glow together when neither reaches a pixel that matters.
void AddSegment(Gdiplus::GraphicsPath& path, float x, float y, float w, float h, float m) {
  if (m <= 0.01f) {
    path.AddRectangle(Gdiplus::RectF(x, y, w, h));
    return;
  }
  path.AddArc(x, y, m, m, 180, 90);
  path.AddArc(x + w - m, y, m, m, 270, 90);
  path.AddArc(x + w - m, y + h - m, m, m, 0, 90);
  path.AddArc(x, y + h - m, m, m, 90, 90);
  path.CloseFigure();
}

void FillSegment(PictureTarget& g, float x, float y, float w, float h, float m, Gdiplus::Color c) {
  Gdiplus::GraphicsPath path;
  AddSegment(path, x, y, w, h, m);
  Gdiplus::SolidBrush brush(c);
  g.FillPath(&brush, &path);
}

float Emphasis(float x, float low, float middle, float high) { return x < 0.2f ? low : x < 0.5f ? middle : high; }

// The heart curve around (cx, cy) at size k.
void AddHeart(Gdiplus::GraphicsPath& path, float cx, float cy, float k) {
  Gdiplus::PointF points[200];
  for (int i = 0; i < 200; ++i) {
    const float s = float(i) / 200.0f * 6.2831853f;
    const float sn = std::sin(s);
    const float x = 16 * sn * sn * sn;
    const float y = 13 * std::cos(s) - 5 * std::cos(2 * s) - 2 * std::cos(3 * s) - std::cos(4 * s);
    points[i] = Gdiplus::PointF(cx + x * k / 16, cy - y * k / 16);
  }
  path.AddPolygon(points, 200);
}

void SetStandardBlend(Gdiplus::PathGradientBrush& brush) {
  Gdiplus::REAL factors[5] = {0, 0.4f, 0.7f, 0.9f, 1};
  Gdiplus::REAL positions[5] = {0, 0.2f, 0.5f, 0.8f, 1};
  brush.SetBlend(factors, positions, 5);
}
}  // namespace

// Bar levels of the LED and horizontal bars: a smoothed, emphasised spectrum.
static void SmoothedBars(const AudioState& a, float v, float scale, int bars, float* kept, float* drawn) {
  const bool full = a.hasFFT && a.spectrum64[0] > 0;
  for (int i = 0; i < bars; ++i) {
    if (!full) {
      kept[i] *= 0.88f;
      drawn[i] = kept[i];
      continue;
    }
    const float x = float(i) / float(bars);
    float value = std::pow(std::max(0.0f, a.spectrum64[i]), 0.65f) * 1.8f * Emphasis(x, 1.6f, 1.3f, 1.0f) * v * scale;
    value = std::clamp(TrebleLift(value, x, 1.2f), 0.0f, 1.0f);
    if (a.beat && i <= 13) value = std::min(1.0f, value * (a.beatStrength * 0.35f + 1));
    const float prev = kept[i];
    const float level = value > prev ? prev * 0.3f + value * 0.7f : std::max(value, prev * 0.88f * 0.7f + value * 0.3f);
    kept[i] = level;
    drawn[i] = std::clamp(level, 0.0f, 1.0f);
  }
}

// Bar levels of the mirror, centre-mirror and left-to-right bars (no smoothing).
static void DirectBars(const AudioState& a, float v, float scale, int bars, const float* source, bool full,
                       float* out) {
  for (int i = 0; i < bars; ++i) {
    if (!full) {
      const float ripple = (0.5f * std::sin(0.2f * float(i)) + 0.5f) * std::exp(-1.5f * float(i) / float(bars));
      out[i] = std::min(1.0f, std::max(0.0f, ripple * v * 3));
      continue;
    }
    const float x = float(i) / float(bars);
    float value = std::pow(std::max(0.0f, source[i]), 0.6f) * 2.5f * Emphasis(x, 1.8f, 1.4f, 1.1f) * v * scale;
    value = std::clamp(TrebleLift(value, x, 1.2f), 0.0f, 1.0f);
    if (a.beat && i <= 7) value = std::min(1.0f, value * (a.beatStrength * 0.45f + 1));
    out[i] = value;
  }
}

void ZephraEffect::DrawLEDSpectrumBars(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float v = m_audio.currentVolume * m_musicScale;
  const float l = float(rc.left), b = float(rc.bottom);
  const float cw = float(rc.Width()) / 64, ch = float(rc.Height()) / 32;
  const float sw = 0.85f * cw, sh = 0.85f * ch, m = 0.4f * std::min(sw, sh);
  float levels[64];
  SmoothedBars(m_audio, v, m_musicScale, 64, m_painter.ledBars, levels);
  const float hk = GetRainbowTime(2);
  const Gdiplus::Color black(255, 0, 0, 0);
  for (int i = 0; i < 64; ++i) {
    int lit = int(levels[i] * 32);
    if (v > 0.01f) lit = std::max(lit, 2);
    const float x = l + float(i) * cw;
    for (int u = 0; u < 32; ++u) {
      const float y = b - float(u + 1) * ch;
      if (!g.Reaches(PictureTarget::FillBox(x - 2, y - 2, x + sw + 2, y + sh + 2))) continue;
      if (u >= lit) {
        FillSegment(g, x, y, sw, sh, m, black);
        continue;
      }
      COLORREF c = colourful
                       ? ApplyBeatBoost(HSVtoRGB(ScrollingHue(float(i) / 63, hk), v * 0.15f + 0.85f, 1), 0.4f)
                       : ApplyBeatBoost(Scaled(colour, float(u) / 31 * 0.3f + 0.7f), 0.3f);
      if (u + 1 == lit) c = Scaled(c, 1.2f);
      FillSegment(g, x, y, sw, sh, m, Argb(c));
      FillSegment(g, x - 2, y - 2, sw + 4, sh + 4, m + 4, Argb(c, 40));
    }
  }
}

void ZephraEffect::DrawHorizontalBars(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float v = m_audio.currentVolume * m_musicScale;
  const float l = float(rc.left), t = float(rc.top), w = float(rc.Width()), h = float(rc.Height());
  const float rh = h / 32, cw = w / 32;
  const float sw = 0.85f * cw, sh = 0.85f * rh, m = 0.4f * std::min(sw, sh);
  float levels[32];
  SmoothedBars(m_audio, v, m_musicScale, 32, m_painter.horizontalBars, levels);
  const float hk = GetRainbowTime(2);
  const Gdiplus::Color unlit(255, 20, 20, 20);
  for (int i = 0; i < 32; ++i) {
    int lit = int(levels[i] * 32);
    if (v > 0.01f) lit = std::max(lit, 2);
    const float y = t + float(i) * rh;
    for (int j = 0; j < 32; ++j) {
      const float x = l + float(j) * cw;
      if (!g.Reaches(PictureTarget::FillBox(x - 2, y - 2, x + sw + 2, y + sh + 2))) continue;
      if (j >= lit) {
        FillSegment(g, x, y, sw, sh, m, unlit);
        continue;
      }
      COLORREF c = colourful
                       ? ApplyBeatBoost(HSVtoRGB(ScrollingHue(float(i) / 31, hk), v * 0.15f + 0.85f, 1), 0.4f)
                       : ApplyBeatBoost(Scaled(colour, float(j) / 31 * 0.3f + 0.7f), 0.3f);
      if (j + 1 == lit) c = Scaled(c, 1.2f);
      FillSegment(g, x, y, sw, sh, m, Argb(c));
      FillSegment(g, x - 2, y - 2, sw + 4, sh + 4, m + 4, Argb(c, 40));
    }
  }
  Gdiplus::Pen grid(Gdiplus::Color(40, 255, 255, 255), 1);
  for (float share : {0.25f, 0.5f, 0.75f, 1.0f}) g.DrawLine(&grid, l + share * w, t, l + share * w, t + h);
}

void ZephraEffect::DrawMirrorRhythm(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float v = m_audio.currentVolume * m_musicScale;
  const float w = float(rc.Width()), h = float(rc.Height());
  const float bw = w / 128, hh = h * 0.5f, y = float(rc.top) + hh, cx = float(rc.left) + w * 0.5f;
  float levels[64];
  DirectBars(m_audio, v, m_musicScale, 64, m_audio.spectrum64, m_audio.hasFFT && m_audio.spectrum64[0] > 0, levels);
  const float hk = GetRainbowTime(3);
  for (int i = 0; i < 64; ++i) {
    const float bar = levels[i] * hh;
    const COLORREF c = ApplyBeatBoost(
        colourful ? HSVtoRGB(ScrollingHue(float(i) / 63, hk), v * 0.15f + 0.85f, 1) : colour, 0.4f);
    Gdiplus::SolidBrush brush(Argb(c));
    for (float x : {cx - float(i + 1) * bw, cx + float(i) * bw}) {
      g.FillRectangle(&brush, x, y - bar, 0.8f * bw, bar);
      g.FillRectangle(&brush, x, y, 0.8f * bw, bar);
    }
  }
}

void ZephraEffect::DrawCenterMirror(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float v = m_audio.currentVolume * m_musicScale;
  const float bw = float(rc.Width()) / 64, hh = float(rc.Height()) * 0.5f, y = float(rc.top) + hh;
  float levels[64];
  DirectBars(m_audio, v, m_musicScale, 64, m_audio.spectrum64, m_audio.hasFFT && m_audio.spectrum64[0] > 0, levels);
  const float hk = GetRainbowTime(3);
  for (int i = 0; i < 64; ++i) {
    const float bar = levels[i] * hh, x = float(rc.left) + float(i) * bw;
    const COLORREF c = ApplyBeatBoost(
        colourful ? HSVtoRGB(ScrollingHue(float(i) / 63, hk), v * 0.15f + 0.85f, 1) : colour, 0.4f);
    Gdiplus::SolidBrush brush(Argb(c));
    g.FillRectangle(&brush, x, y - bar, 0.8f * bw, bar);
    g.FillRectangle(&brush, x, y, 0.8f * bw, bar);
  }
}

void ZephraEffect::DrawLeftToRight(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float v = m_audio.currentVolume * m_musicScale;
  const float bw = float(rc.Width()) / 32, h = float(rc.Height());
  float levels[32];
  DirectBars(m_audio, v, m_musicScale, 32, m_audio.spectrum32, m_audio.hasFFT && m_audio.spectrum32[0] > 0, levels);
  const float hk = GetRainbowTime(3);
  for (int i = 0; i < 32; ++i) {
    const float bar = levels[i] * h;
    const COLORREF c = ApplyBeatBoost(
        colourful ? HSVtoRGB(ScrollingHue(float(i) / 31, hk), v * 0.15f + 0.85f, 1) : colour, 0.4f);
    Gdiplus::SolidBrush brush(Argb(c));
    g.FillRectangle(&brush, float(rc.left) + float(i) * bw, float(rc.bottom) - bar, 0.8f * bw, bar);
  }
}

void ZephraEffect::DrawClassicSpectrum(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float v = m_audio.currentVolume * m_musicScale;
  const float bw = float(rc.Width()) / 128, h = float(rc.Height());
  float* kept = m_painter.classicBars;
  float levels[128];
  const bool full = m_audio.hasFFT && m_audio.spectrum64[0] > 0;
  if (!full) {
    for (int i = 0; i < 128; ++i) levels[i] = kept[i] *= 0.8f;
  } else {
    const float* s = m_audio.spectrum64;
    for (int i = 0; i < 128; ++i) {
      const float x = float(i) / 128;
      const float u = x * x * x * 63;
      const int k = int(u);
      float value = (s[k] + (s[std::min(k + 1, 63)] - s[k]) * (u - float(k))) * m_musicScale * v * 3;
      const float emphasis = x < 0.15f ? 2.2f : x < 0.4f ? 1.6f : x < 0.7f ? 1.2f : 0.9f;
      float a = emphasis * value;
      if (a > 0.001f) a = a * 0.9f + std::log10(a * 1.1f + 0.1f) * 0.5f;
      a = TrebleLift(a, x, 1.5f);
      if (m_audio.beat && i <= 19) a *= m_audio.beatStrength * 0.5f + 1;
      const float prev = kept[i];
      const float level = a > prev ? prev * 0.3f + a * 0.7f : std::max(a, prev * 0.8f * 0.7f + a * 0.3f);
      kept[i] = std::clamp(level, 0.0f, 1.0f);
    }
    for (int j = 0; j < 128; ++j) {
      const int from = std::max(0, j - 8), to = std::min(127, j + 8);
      levels[j] = Mean(kept, from, to);
    }
  }
  const float hk = GetRainbowTime(1.5f);
  for (int i = 0; i < 128; ++i) {
    const float level = levels[i];
    float bar = level * h;
    if (level > 0.001f) bar = std::max(bar, 1.0f);
    if (bar <= 0) continue;
    const COLORREF c =
        colourful ? ApplyBeatBoost(HSVtoRGB(ScrollingHue(float(i) / 127, hk), v * 0.1f + 0.9f, 1), 0.35f)
                  : ApplyBeatBoost(Scaled(colour, level * 0.5f + 0.5f), 0.25f);
    Gdiplus::SolidBrush brush(Argb(c));
    g.FillRectangle(&brush, float(rc.left) + float(i) * bw, float(rc.bottom) - bar, bw, bar);
  }
}

void ZephraEffect::DrawRadialPulse(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float w = float(rc.Width()), h = float(rc.Height());
  const float cx = float(rc.left) + w * 0.5f, cy = float(rc.top) + h * 0.5f;
  const float big = std::min(w, h) * 0.5f, r0 = big * 0.25f;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  if (!m_audio.hasFFT) {
    Gdiplus::Pen ring(Gdiplus::Color(0x32, 100, 100, 100), 2);
    g.DrawEllipse(&ring, cx - r0, cy - r0, 2 * r0, 2 * r0);
    return;
  }
  float* kept = m_painter.radialSpokes;
  for (int i = 0; i < 64; ++i) {
    const float x = float(i) / 64;
    const float u = std::sqrt(std::max(0.0f, m_audio.spectrum64[i])) * (x < 0.2f ? 2 : x < 0.5f ? 1.5f : 1);
    kept[i] = std::clamp(kept[i] > u ? kept[i] * 0.85f : u, 0.0f, 1.5f);
  }
  const float bm = m_audio.beat ? m_audio.beatStrength * 0.5f + 1 : 1;
  const float q = GetRainbowTime(1);
  for (int i = 0; i < 64; ++i) {
    const float a = float(i) / 64;
    const float s = std::min(1.5f, kept[i] * bm);
    const float angle = (a * 360 - 90) * 3.14159265f / 180;
    const float outer = (big - r0) * s * 0.8f + r0;
    COLORREF c;
    if (colourful) {
      float hue = std::fmod(a * 360 + 360 - 2 * q, 360.0f);
      if (a < 0.25f) hue += m_audio.bass * 40;
      else if (a < 0.6f) hue += m_audio.mid * 30;
      else hue -= m_audio.high * 35;
      hue = std::fmod(hue + 360, 360.0f);
      c = HSVtoRGB(hue, 1, std::min(1.0f, s * 0.5f + 0.5f));
    } else {
      c = Scaled(colour, std::min(1.0f, s * 0.6f + 0.4f));
    }
    Gdiplus::Pen pen(Argb(ApplyBeatBoost(c, 0.4f)), 6);
    MakeRound(pen);
    g.DrawLine(&pen, cx + std::cos(angle) * r0, cy + std::sin(angle) * r0, cx + std::cos(angle) * outer,
               cy + std::sin(angle) * outer);
  }
  const COLORREF core = ApplyBeatBoost(colourful ? HSVtoRGB(std::fmod(360 - 3 * q, 360.0f), 1, 1) : colour, 0.5f);
  const float a = (std::sqrt(std::max(0.0f, Mean(m_audio.spectrum64, 0, 7))) * 0.4f + 0.4f) * r0;
  FillCircle(g, cx, cy, 1.4f * a, Argb(core, 20));
  FillCircle(g, cx, cy, 1.2f * a, Argb(core, 40));
  FillCircle(g, cx, cy, a, Argb(core));
}

void ZephraEffect::DrawRadialGradient(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  const float w = float(rc.Width()), h = float(rc.Height());
  const float cx = float(rc.left) + w * 0.5f, cy = float(rc.top) + h * 0.5f, big = std::min(w, h) * 0.5f;
  const float bass = m_audio.hasFFT ? std::min(1.0f, Mean(m_audio.spectrum64, 0, 11) * 5) : 0.0f;
  float r = (f * 0.5f + 0.2f + bass * 0.3f) * big;
  if (m_audio.beat && m_audio.beatStrength > 0.3f) r = std::min(1.3f * big, r * (m_audio.beatStrength * 0.5f + 1));
  if (r <= 0) return;
  const float q = GetRainbowTime(3);
  COLORREF centre, surround;
  if (colourful) {
    centre = ApplyBeatBoost(HSVtoRGB(std::fmod(bass * 60 + 180 + q * 0.5f, 360.0f), f * 0.3f + 0.7f, 0.9f), 0.5f);
    surround = ApplyBeatBoost(HSVtoRGB(std::fmod(bass * 50 + 45 + q, 360.0f), f * 0.2f + 0.8f, 1), 0.5f);
  } else {
    centre = ApplyBeatBoost(Scaled(colour, 1.3f), 0.5f);
    surround = colour;
  }
  {
    Gdiplus::GraphicsPath path;
    path.AddEllipse(cx - r, cy - r, 2 * r, 2 * r);
    Gdiplus::PathGradientBrush brush(&path);
    brush.SetCenterPoint(Gdiplus::PointF(cx, cy));
    brush.SetCenterColor(Argb(centre));
    Gdiplus::Color edge = Argb(surround);
    INT count = 1;
    brush.SetSurroundColors(&edge, &count);
    SetStandardBlend(brush);
    g.FillPath(&brush, &path);
  }
  if (f > 0.2f || bass > 0.3f) {
    const int alpha = std::min(175, int(std::max(f - 0.2f, bass * 0.5f) * 250));
    const COLORREF halo = colourful ? HSVtoRGB(std::fmod(q + 60 + bass * 30, 360.0f), 0.9f, 1) : colour;
    FillRadial(g, cx, cy, 1.15f * r, 1.15f * r, Argb(halo, alpha), Gdiplus::Color(0, 0, 0, 0));
  }
}

void ZephraEffect::DrawHeartBeat(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  const float w = float(rc.Width()), h = float(rc.Height());
  const float cx = float(rc.left) + w * 0.5f, cy = float(rc.top) + h * 0.5f, size = std::min(w, h) * 0.35f;
  const float bass = m_audio.hasFFT ? std::min(1.0f, Mean(m_audio.spectrum64, 0, 11) * 5) : 0.0f;
  float o = f * 0.4f + 0.4f + bass * 0.4f;
  if (m_audio.beat && m_audio.beatStrength > 0.3f) o = std::min(1.8f, o * (m_audio.beatStrength * 0.6f + 1));
  const COLORREF c = ApplyBeatBoost(
      colourful ? HSVtoRGB(std::fmod(GetRainbowTime(3) + bass * 50, 60.0f), f * 0.2f + 0.8f, bass * 0.1f + 0.9f)
                : colour,
      0.6f);
  const COLORREF centre = Scaled(c, 1.4f);
  {
    Gdiplus::GraphicsPath heart;
    AddHeart(heart, cx, cy, o * size);
    Gdiplus::PathGradientBrush brush(&heart);
    brush.SetCenterPoint(Gdiplus::PointF(cx, cy));
    brush.SetCenterColor(Argb(centre));
    Gdiplus::Color edge = Argb(c);
    INT count = 1;
    brush.SetSurroundColors(&edge, &count);
    SetStandardBlend(brush);
    g.FillPath(&brush, &heart);
    Gdiplus::Pen outline(Argb(centre), 3);
    outline.SetLineJoin(Gdiplus::LineJoinRound);
    g.DrawPath(&outline, &heart);
  }
  if (f > 0.2f || bass > 0.3f) {
    Gdiplus::GraphicsPath halo;
    AddHeart(halo, cx, cy, o * 1.1f * size);
    Gdiplus::PathGradientBrush brush(&halo);
    brush.SetCenterPoint(Gdiplus::PointF(cx, cy));
    brush.SetCenterColor(Argb(Scaled(c, bass * 0.2f + 1), std::min(180, int(std::max(f - 0.2f, bass * 0.5f) * 250))));
    Gdiplus::Color edge(0, 0, 0, 0);
    INT count = 1;
    brush.SetSurroundColors(&edge, &count);
    g.FillPath(&brush, &halo);
  }
}
