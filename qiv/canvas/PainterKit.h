// Small drawing and number helpers shared by the music layer painters.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <cmath>
#include "canvas/ColorMath.h"
#include "canvas/PictureTarget.h"

namespace PainterKit {
inline Gdiplus::Color Argb(COLORREF c, int alpha = 255) {
  return Gdiplus::Color(BYTE(std::clamp(alpha, 0, 255)), GetRValue(c), GetGValue(c), GetBValue(c));
}
inline COLORREF Scaled(COLORREF c, float f) { return ColorMath::Scale(c, f); }
inline float Mean(const float* v, int first, int last) {
  float sum = 0;
  for (int i = first; i <= last; ++i) sum += v[i];
  return sum / float(last - first + 1);
}
// The treble lift for a bin at relative position x.
inline float TrebleLift(float value, float x, float k) {
  return x > 0.3f ? value * (std::pow((x - 0.3f) / 0.7f, 1.5f) * k + 1.0f) : value;
}
// Hue of the scrolling rainbow at relative position p with the hue clock value hk.
inline float ScrollingHue(float p, float hk) { return std::fmod(p * 360.0f + 360.0f - hk, 360.0f); }

// An ellipse filled from `centre` in the middle to the surround colour at its edge.
inline void FillRadial(PictureTarget& g, float cx, float cy, float rx, float ry, Gdiplus::Color centre,
                       Gdiplus::Color surround) {
  using T = PictureTarget;
  if (rx <= 0 || ry <= 0 || !g.ReachesEllipse(cx, cy, rx, ry, T::kFilled, T::kEdge)) return;
  Gdiplus::GraphicsPath path;
  path.AddEllipse(cx - rx, cy - ry, 2 * rx, 2 * ry);
  Gdiplus::PathGradientBrush brush(&path);
  brush.SetCenterPoint(Gdiplus::PointF(cx, cy));
  brush.SetCenterColor(centre);
  INT count = 1;
  brush.SetSurroundColors(&surround, &count);
  g.PaintEllipse(cx, cy, rx, ry, T::kFilled, T::kEdge, [&](Gdiplus::Graphics& on) { on.FillPath(&brush, &path); });
}

// The glow disc: the colour at `alpha` in the centre, fading to transparent.
inline void GlowDisc(PictureTarget& g, float cx, float cy, float radius, COLORREF c, int alpha) {
  FillRadial(g, cx, cy, radius, radius, Argb(c, alpha), Argb(c, 0));
}

inline void FillCircle(PictureTarget& g, float cx, float cy, float radius, Gdiplus::Color colour) {
  if (radius <= 0) return;
  Gdiplus::SolidBrush brush(colour);
  g.FillEllipse(&brush, cx - radius, cy - radius, 2 * radius, 2 * radius);
}

// Round joins and round start, end and dash caps.
inline void MakeRound(Gdiplus::Pen& pen) {
  pen.SetLineJoin(Gdiplus::LineJoinRound);
  pen.SetStartCap(Gdiplus::LineCapRound);
  pen.SetEndCap(Gdiplus::LineCapRound);
  pen.SetDashCap(Gdiplus::DashCapRound);
}
}  // namespace PainterKit
