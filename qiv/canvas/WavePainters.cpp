// The line, ray, ring and triangle music layers.
#include "canvas/ZephraEffect.h"

#include <cmath>
#include "canvas/PainterKit.h"

using namespace PainterKit;

namespace {
constexpr float kRad = 3.14159265f / 180.0f;

bool StrongBeat(const AudioState& a, float over) { return a.beat && a.beatStrength > over; }

float Bass12(const AudioState& a) { return a.hasFFT ? std::min(1.0f, Mean(a.spectrum64, 0, 11) * 5) : 0.0f; }
}  // namespace

void ZephraEffect::DrawLinearWave(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float l = float(rc.left), b = float(rc.bottom), w = float(rc.Width()), amp = float(rc.Height()) * 0.8f;
  const float bass = Bass12(m_audio);
  const DWORD tick = m_sources.tickMs();
  Gdiplus::PointF points[200];
  for (int i = 0; i < 200; ++i) {
    const float u = float(i) / 199;
    float v;
    if (m_audio.hasFFT) {
      const int k = std::clamp(int(u * 63), 0, 63);
      const float emphasis = u < 0.3f ? 3 : u < 0.6f ? 2 : 1.5f;
      v = emphasis * 3 * f * std::pow(std::max(0.0f, m_audio.spectrum64[k]), 0.6f);
      v = std::clamp(TrebleLift(v, u, 1.2f), 0.0f, 1.0f);
    } else {
      v = float(std::sin(double(tick) * 0.005 + double(u) * 8) * 0.5 + 0.5) * f;
    }
    if (StrongBeat(m_audio, 0.3f)) v = std::min(1.0f, v * (m_audio.beatStrength * 0.5f + 1));
    points[i] = Gdiplus::PointF(l + w * u, b - v * amp);
  }
  const COLORREF c = ApplyBeatBoost(
      colourful ? HSVtoRGB(std::fmod(GetRainbowTime(3) + bass * 50, 360.0f), f * 0.15f + 0.85f, bass * 0.1f + 0.9f)
                : colour,
      0.6f);
  if (f > 0.3f || bass > 0.4f) {
    Gdiplus::Pen glow(Argb(Scaled(c, 1.3f), std::min(120, int(std::max(f - 0.3f, bass * 0.5f) * 180))), 30);
    MakeRound(glow);
    g.DrawLines(&glow, points, 200);
  }
  Gdiplus::Pen line(Argb(c), 12);
  MakeRound(line);
  g.DrawLines(&line, points, 200);
  if (f < 0.2f) {
    Gdiplus::Pen dotted(Gdiplus::Color(30, 255, 255, 255), 1);
    dotted.SetDashStyle(Gdiplus::DashStyleDot);
    g.DrawLine(&dotted, l, b, float(rc.right), b);
  }
}

void ZephraEffect::DrawRotatingRays(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float w = float(rc.Width()), h = float(rc.Height());
  const float cx = float(rc.left) + w * 0.5f, cy = float(rc.top) + h * 0.5f, big = std::min(w, h) * 0.5f * 0.9f;
  const float bass = Bass12(m_audio);
  const float rot = float(m_sources.tickMs() % 4500000u) * 0.08f + bass * 100;
  for (int i = 0; i < 8; ++i) {
    const int k = 8 * i;
    const float angle = (float(i) * 45 + rot) * kRad;
    float v;
    if (m_audio.hasFFT) {
      const float x = float(k) / 63;
      const float emphasis = x < 0.3f ? 4 : x < 0.6f ? 3.5f : 3;
      const float lift = x > 0.3f ? std::pow((x - 0.3f) / 0.7f, 1.5f) * 1.2f + 1 : 1;
      v = std::clamp(emphasis * 2.5f * f * std::pow(std::max(0.0f, m_audio.spectrum64[k]), 0.7f) * lift, 0.0f, 1.0f);
    } else {
      v = f * 0.5f;
    }
    if (StrongBeat(m_audio, 0.3f)) v = std::min(1.0f, v * (m_audio.beatStrength * 0.8f + 1));
    const float length = v * big * 0.9f + big * 0.1f;
    const float ex = cx + std::cos(angle) * length, ey = cy + std::sin(angle) * length;
    const COLORREF c = ApplyBeatBoost(
        colourful ? HSVtoRGB(std::fmod(GetRainbowTime(4) + float(i) * 45 + bass * 80, 360.0f), f * 0.15f + 0.85f,
                             v * 0.2f + 0.8f)
                  : Scaled(colour, v * 0.4f + 0.6f),
        0.6f);
    if (v > 0.3f) {
      Gdiplus::Pen glow(Argb(Scaled(c, 1.3f), std::min(120, int((v - 0.3f) * 1.5f * 150))), 20);
      MakeRound(glow);
      g.DrawLine(&glow, cx, cy, ex, ey);
    }
    Gdiplus::Pen ray(Argb(c), 10);
    MakeRound(ray);
    g.DrawLine(&ray, cx, cy, ex, ey);
  }
  const COLORREF core = ApplyBeatBoost(colourful ? HSVtoRGB(GetRainbowTime(5), 0.9f, 1) : colour, 0.8f);
  const float rcore = bass * 15 + 10;
  FillCircle(g, cx, cy, rcore, Argb(core));
  Gdiplus::Pen ring(Argb(core, 200), 2);
  g.DrawEllipse(&ring, cx - rcore - 2, cy - rcore - 2, 2 * (rcore + 2), 2 * (rcore + 2));
}

void ZephraEffect::DrawBreathing(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float w = float(rc.Width()), h = float(rc.Height());
  const float cx = float(rc.left) + w * 0.5f, cy = float(rc.top) + h * 0.5f;
  const float bass = Bass12(m_audio);
  const float breath = float(std::sin(double(bass) * 12 + double(m_sources.tickMs()) * 0.015) + 1) * 0.5f;
  float intensity = f * 0.5f + 0.2f + breath * 0.5f;
  if (StrongBeat(m_audio, 0.25f)) intensity = std::min(1.5f, intensity + m_audio.beatStrength * 0.5f);
  const float rmax = std::min(w, h) * 0.5f * 0.95f;
  const float q = std::clamp(f * 0.3f + 0.5f + breath * 0.3f + (m_audio.beat ? m_audio.beatStrength * 0.2f : 0.0f),
                             0.5f, 1.3f);
  const float top = q * rmax;
  const float hk = GetRainbowTime(4);
  for (int a = 0; a < 12; ++a) {
    const float share = 1 - float(a) / 12;
    const float c = (share * 0.6f + 0.4f) * intensity;
    const COLORREF disc = ApplyBeatBoost(
        colourful ? HSVtoRGB(std::fmod(bass * 100 + float(a) * 30 + hk, 360.0f), f * 0.2f + 0.8f, c)
                  : Scaled(colour, c),
        0.7f);
    const float radius = share * top;
    if (radius <= 0) continue;
    const int alpha = int(share * 155 + 100);
    Gdiplus::GraphicsPath path;
    path.AddEllipse(cx - radius, cy - radius, 2 * radius, 2 * radius);
    Gdiplus::PathGradientBrush brush(&path);
    brush.SetCenterPoint(Gdiplus::PointF(cx, cy));
    brush.SetCenterColor(Argb(Scaled(disc, 1.2f), alpha));
    Gdiplus::Color edge = Argb(disc, alpha / 2);
    INT count = 1;
    brush.SetSurroundColors(&edge, &count);
    Gdiplus::REAL factors[3] = {0, 0.6f, 1}, positions[3] = {0, 0.7f, 1};
    brush.SetBlend(factors, positions, 3);
    g.FillPath(&brush, &path);
  }
  const float core = bass * 30 + 10 + breath * 20 + (m_audio.beat ? m_audio.beatStrength * 25 : 0.0f);
  const COLORREF cc = ApplyBeatBoost(colourful ? HSVtoRGB(std::fmod(GetRainbowTime(5) + bass * 120, 360.0f), 0.9f,
                                                          intensity)
                                               : Scaled(colour, intensity * 1.2f),
                                     0.8f);
  GlowDisc(g, cx, cy, core, cc, 255);
}

void ZephraEffect::DrawTriangleWave(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  float bands[3] = {0, 0, 0};
  if (m_audio.hasFFT) {
    const float* s = m_audio.spectrum64;
    bands[0] = std::pow(std::min(1.0f, Mean(s, 0, 19) * 4), 0.7f);
    bands[1] = std::pow(std::min(1.0f, Mean(s, 21, 42) * 5), 0.7f);
    bands[2] = std::pow(std::min(1.0f, Mean(s, 43, 63) * 8), 0.7f);
    if (StrongBeat(m_audio, 0.25f))
      for (float& e : bands) e = std::min(1.0f, e * (m_audio.beatStrength * 0.5f + 1));
  }
  const float l = float(rc.left), b = float(rc.bottom), w3 = float(rc.Width()) / 3, hm = float(rc.Height()) * 0.9f;
  const float q = GetRainbowTime(3);
  const float hues[3] = {std::fmod(q, 60.0f), std::fmod(q + 180, 60.0f) + 180, std::fmod(q + 45, 60.0f) + 30};
  for (int n = 0; n < 3; ++n) {
    const float e = bands[n];
    const COLORREF c = ApplyBeatBoost(
        colourful ? HSVtoRGB(hues[n], f * 0.15f + 0.85f, e * 0.2f + 0.8f) : Scaled(colour, e * 0.3f + 0.7f), 0.6f);
    Gdiplus::PointF points[3] = {{l + float(n) * w3, b},
                                 {l + float(n + 1) * w3, b},
                                 {l + (float(n) + 0.5f) * w3, b - (e * 0.8f + 0.2f) * hm}};
    Gdiplus::SolidBrush brush(Argb(c));
    g.FillPolygon(&brush, points, 3, Gdiplus::FillModeAlternate);
    Gdiplus::Pen edge(Argb(ColorMath::AddToChannels(c, 30)), 2);
    g.DrawPolygon(&edge, points, 3);
  }
}

void ZephraEffect::DrawTidalResonance(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float l = float(rc.left), t = float(rc.top);
  const float rb = float(std::min(rc.Width(), rc.Height())) * 1.2f;
  const float tide = m_audio.hasFFT ? std::min(1.0f, Mean(m_audio.spectrum64, 0, 15) * 5) : 0.0f;
  const float phase = float(std::fmod(double(m_sources.tickMs()) * 0.002 + tide * 3, 1.0));
  const float sweep = tide * 30 + 90;
  const float hk = GetRainbowTime(2);
  for (int i = 0; i < 8; ++i) {
    const float p = std::fmod(float(i) * 0.125f + phase, 1.0f);
    float th = float(i) * 3 + 15;
    if (StrongBeat(m_audio, 0.25f)) th *= m_audio.beatStrength * 0.5f + 1;
    const float ro = (p * 0.7f + 0.3f) * rb;
    const float o = (f * 0.5f + 0.5f) * std::clamp(1 - p * 0.7f, 0.3f, 1.0f);
    const int alpha = std::clamp(int(o * 255), 0, 255);
    const COLORREF c = ApplyBeatBoost(
        colourful ? HSVtoRGB(std::fmod(hk + 200 - p * 200 + tide * 60, 360.0f), f * 0.2f + 0.8f,
                             p * 0.3f + 0.7f + tide * 0.2f)
                  : Scaled(colour, p * 0.3f + 0.5f + f * 0.2f),
        0.5f);
    Gdiplus::GraphicsPath path;
    path.AddArc(l - ro, t - ro, 2 * ro, 2 * ro, 0, sweep);
    const float ri = ro - th;
    if (ri > 0) {
      const float a = sweep * kRad;
      path.AddLine(l + std::cos(a) * ro, t + std::sin(a) * ro, l + std::cos(a) * ri, t + std::sin(a) * ri);
      path.AddArc(l - ri, t - ri, 2 * ri, 2 * ri, sweep, -sweep);
      path.CloseFigure();
    }
    Gdiplus::SolidBrush brush(Argb(c, alpha));
    g.FillPath(&brush, &path);
    Gdiplus::Pen edge(Argb(ColorMath::AddToChannels(c, 40), int(float(alpha) * 0.8f)), 2);
    edge.SetLineJoin(Gdiplus::LineJoinRound);
    g.DrawPath(&edge, &path);
  }
  const float core = tide * 12 + 8 + (m_audio.beat ? m_audio.beatStrength * 10 : 0.0f);
  const COLORREF cc = ApplyBeatBoost(
      colourful ? HSVtoRGB(std::fmod(GetRainbowTime(3) + 200, 360.0f), 0.9f, 1) : Scaled(colour, 1.3f), 0.7f);
  GlowDisc(g, l, t, core, cc, 255);
}

void ZephraEffect::DrawEnergyRipples(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float cx = float(rc.left + rc.Width() / 2), cy = float(rc.top + rc.Height() / 2);
  const float rmax = float(std::min(rc.Width(), rc.Height())) * 0.6f;
  const float* s = m_audio.spectrum64;
  const float bass16 = m_audio.hasFFT ? std::pow(std::min(1.0f, Mean(s, 0, 15) * 6), 0.65f) : 0.0f;
  const float mid16 = m_audio.hasFFT ? std::pow(std::min(1.0f, Mean(s, 16, 31) * 5), 0.65f) : 0.0f;
  const float phase = float(std::fmod(double(m_sources.tickMs()) * 0.002, 1.0));
  const int n = 3 + int(mid16 * 5);
  const float q = GetRainbowTime(2);
  for (int j = 0; j < n; ++j) {
    const float p = std::fmod(float(j) / float(n) + phase, 1.0f);
    float d = (bass16 * 0.5f + 1) * p * rmax;
    if (StrongBeat(m_audio, 0.3f)) d *= m_audio.beatStrength * 0.3f + 1;
    if (d < 5 || d > 1.5f * rmax) continue;
    const float band = (p * 25 + 15) * (bass16 * 0.8f + 1);
    const float o = std::clamp((1 - p * 0.6f) * (f * 0.5f + 0.5f), 0.2f, 1.0f);
    const COLORREF c = ApplyBeatBoost(
        colourful ? HSVtoRGB(std::fmod(std::fmod(float(j) * 45 + q + p * 120, 360.0f) + bass16 * 60, 360.0f),
                             f * 0.15f + 0.85f, bass16 * 0.3f + 0.7f)
                  : Scaled(colour, bass16 * 0.4f + 0.6f),
        0.6f);
    const float outer = d + band / 2, inner = d - band / 2;
    Gdiplus::GraphicsPath ring(Gdiplus::FillModeWinding);
    ring.AddEllipse(cx - outer, cy - outer, 2 * outer, 2 * outer);
    if (inner > 0) ring.AddEllipse(cx - inner, cy - inner, 2 * inner, 2 * inner);
    Gdiplus::SolidBrush brush(Argb(c, int(o * 255)));
    g.FillPath(&brush, &ring);
    Gdiplus::Pen edge(Argb(ColorMath::AddToChannels(c, 50), int(o * 150)), 2);
    edge.SetAlignment(Gdiplus::PenAlignmentInset);
    g.DrawEllipse(&edge, cx - outer, cy - outer, 2 * outer, 2 * outer);
    if (inner > 5) g.DrawEllipse(&edge, cx - inner, cy - inner, 2 * inner, 2 * inner);
    if (colourful && o > 0.5f) {
      for (int k = 2; k >= 1; --k) GlowDisc(g, cx, cy, outer + 15.0f * float(k), c, int(o * 40 / float(k)));
    }
  }
  if (f > 0.2f) {
    float core = bass16 * 25 + 12;
    if (StrongBeat(m_audio, 0.3f)) core *= m_audio.beatStrength * 0.6f + 1;
    const COLORREF cc = colourful ? ApplyBeatBoost(HSVtoRGB(std::fmod(GetRainbowTime(3) + bass16 * 120, 360.0f), 1, 1), 0.8f)
                                  : Scaled(colour, 1.5f);
    GlowDisc(g, cx, cy, core, cc, 255);
  }
}

void ZephraEffect::DrawSoundWave(PictureTarget& g, CRect rc, bool colourful, COLORREF colour) {
  // The sources drift towards new random targets every 5 s, also in silence.
  PainterMemory& mem = m_painter;
  const DWORD now = m_sources.tickMs();
  if (!mem.waveOffsetsSet || now - mem.waveChangeTick > 5000) {
    for (int m = 0; m < 8; ++m) {
      for (int k = 0; k < 2; ++k) {
        mem.waveFrom[m][k] = mem.waveTo[m][k];
        mem.waveTo[m][k] = (float(m_sources.rand15() % 100) / 100 - 0.5f) * 0.3f;
      }
    }
    mem.waveChangeTick = now;
    mem.waveOffsetsSet = true;
  }
  const float e = std::min(1.0f, float(now - mem.waveChangeTick) / 5000);
  const float ease = e < 0.5f ? 2 * e * e : 1 - (2 - 2 * e) * (2 - 2 * e) / 2;

  const float f = std::min(1.0f, m_audio.currentVolume * m_musicScale);
  if (f < 0.05f) return;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float l = float(rc.left), t = float(rc.top), w = float(rc.Width()), h = float(rc.Height());
  static const float kBase[8][2] = {{0.2f, 0.2f}, {0.5f, 0.2f}, {0.8f, 0.2f}, {0.2f, 0.5f},
                                    {0.8f, 0.5f}, {0.2f, 0.8f}, {0.5f, 0.8f}, {0.8f, 0.8f}};
  const float phase = float(std::fmod(double(now) * 0.003, 1.0));
  const float q = GetRainbowTime(2);
  for (int m = 0; m < 8; ++m) {
    float band = 0;
    if (m_audio.hasFFT) {
      const float gain = m < 3 ? 6.0f : m < 5 ? 7.0f : 8.0f;
      band = std::pow(std::min(1.0f, Mean(m_audio.spectrum64, 8 * m, 8 * m + 7) * gain), 0.6f);
    }
    if (band < 0.1f) continue;
    float pos[2];
    for (int k = 0; k < 2; ++k) {
      const float offset = mem.waveFrom[m][k] + (mem.waveTo[m][k] - mem.waveFrom[m][k]) * ease;
      pos[k] = std::clamp(kBase[m][k] + offset, 0.1f, 0.9f);
    }
    const float sx = l + pos[0] * w, sy = t + pos[1] * h;
    const int rings = 3 + int(2 * band);
    const float reach = std::min(w, h) * 0.3f * band;
    for (int i = 0; i < rings; ++i) {
      const float p = std::fmod(float(i) / float(rings) + phase + float(m) * 0.1f, 1.0f);
      const float rr = reach * p * (band * 0.5f + 1);
      if (rr < 5) continue;
      const float pw = band * 5 + 3;
      const float o = std::clamp((1 - p) * band * 0.8f, 0.1f, 0.8f);
      const COLORREF c = ApplyBeatBoost(
          colourful ? HSVtoRGB(std::fmod(float(m) * 45 + q + p * 60, 360.0f), band * 0.2f + 0.8f, band * 0.3f + 0.7f)
                    : Scaled(colour, band * 0.5f + 0.5f),
          0.5f);
      Gdiplus::Pen pen(Argb(c, int(o * 255)), pw);
      pen.SetAlignment(Gdiplus::PenAlignmentCenter);
      g.DrawEllipse(&pen, sx - rr, sy - rr, 2 * rr, 2 * rr);
      if (o > 0.4f && rr - pw > 0) {
        Gdiplus::Pen inner(Argb(c, int(o * 60)), pw * 1.5f);
        inner.SetAlignment(Gdiplus::PenAlignmentInset);
        const float ri = rr - pw;
        g.DrawEllipse(&inner, sx - ri, sy - ri, 2 * ri, 2 * ri);
      }
    }
    if (band > 0.3f) {
      float core = band * 10 + 6;
      if (StrongBeat(m_audio, 0.3f)) core *= m_audio.beatStrength * 0.5f + 1;
      const COLORREF cc =
          ApplyBeatBoost(colourful ? HSVtoRGB(std::fmod(float(m) * 45 + q, 360.0f), 1, 1) : colour, 0.7f);
      GlowDisc(g, sx, sy, core, cc, 255);
    }
  }
}
