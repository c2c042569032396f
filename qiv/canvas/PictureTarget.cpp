#include "canvas/PictureTarget.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

Gdiplus::RectF Box(float x1, float y1, float x2, float y2, float widen) {
  const float l = std::min(x1, x2) - widen, t = std::min(y1, y2) - widen;
  return Gdiplus::RectF(l, t, std::max(x1, x2) + widen - l, std::max(y1, y2) + widen - t);
}

Gdiplus::RectF PointsBox(const Gdiplus::PointF* points, int count, float widen) {
  if (!points || count <= 0) return Gdiplus::RectF(0, 0, -1, -1);
  float l = points[0].X, r = l, t = points[0].Y, b = t;
  for (int i = 1; i < count; ++i) {
    l = std::min(l, points[i].X), r = std::max(r, points[i].X);
    t = std::min(t, points[i].Y), b = std::max(b, points[i].Y);
  }
  return Box(l, t, r, b, widen);
}

// The box of a path's points: it holds the path's curves as well.
Gdiplus::RectF PathBox(const Gdiplus::GraphicsPath* path, float widen) {
  Gdiplus::RectF bounds;
  if (!path || path->GetBounds(&bounds) != Gdiplus::Ok) return Gdiplus::RectF(0, 0, -1, -1);
  return Box(bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height, widen);
}
}  // namespace

PictureTarget::PictureTarget() = default;

PictureTarget::~PictureTarget() { Release(); }

void PictureTarget::Release() {
  m_strips.clear();  // each strip's graphics goes before its bitmap
  m_pixels.clear();
  m_samples = SampleRows();
  m_width = m_height = 0;
  m_whole = false;
}

bool PictureTarget::AddStrip(int y, int left, int width, int height, size_t offset) {
  Strip strip;
  strip.y = y;
  strip.left = left;
  strip.width = width;
  strip.offset = offset;
  strip.bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppRGB,
                                                   reinterpret_cast<BYTE*>(m_pixels.data() + offset));
  if (strip.bitmap->GetLastStatus() != Gdiplus::Ok) return false;
  strip.graphics = std::make_unique<Gdiplus::Graphics>(strip.bitmap.get());
  if (strip.graphics->GetLastStatus() != Gdiplus::Ok) return false;
  strip.graphics->SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
  strip.graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  // The strip shows the picture's pixels (left .. left + width - 1, y ..).
  if (left != 0 || y != 0) strip.graphics->TranslateTransform(float(-left), float(-y));
  m_strips.push_back(std::move(strip));
  return true;
}

bool PictureTarget::LayOutWhole(int width, int height) {
  if (m_whole && m_width == width && m_height == height && !m_strips.empty()) return true;
  Release();
  if (width <= 0 || height <= 0) return false;
  m_pixels.assign(size_t(width) * size_t(height), 0);
  m_width = width;
  m_height = height;
  m_whole = true;
  ++m_layout;
  if (AddStrip(0, 0, width, height, 0)) return true;
  Release();
  return false;
}

bool PictureTarget::LayOutRows(const std::vector<POINT>& points, int width, int height) {
  std::vector<POINT> inside;
  inside.reserve(points.size());
  for (const POINT& p : points)
    if (p.x >= 0 && p.y >= 0 && p.x < width && p.y < height) inside.push_back(p);
  SampleRows samples(inside);
  if (!m_whole && m_width == width && m_height == height && samples == m_samples &&
      m_strips.size() == samples.Rows().size())
    return true;
  Release();
  if (width <= 0 || height <= 0) return false;
  size_t total = 0;
  for (const SampleRows::Row& row : samples.Rows()) total += size_t(row.xs.back() - row.xs.front() + 1);
  m_pixels.assign(total, 0);
  m_width = width;
  m_height = height;
  m_samples = std::move(samples);
  ++m_layout;
  size_t offset = 0;
  for (const SampleRows::Row& row : m_samples.Rows()) {
    const int stripWidth = row.xs.back() - row.xs.front() + 1;
    if (!AddStrip(row.y, row.xs.front(), stripWidth, 1, offset)) {
      Release();
      return false;
    }
    offset += size_t(stripWidth);
  }
  return true;
}

void PictureTarget::Begin(DWORD rgb) {
  std::fill(m_pixels.begin(), m_pixels.end(), rgb);
  SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
}

void PictureTarget::CopyFrom(const DWORD* pixels, int width, int height) {
  if (!pixels || width != m_width || height != m_height) return;
  for (const Strip& strip : m_strips) {
    const int rows = m_whole ? m_height : 1;
    for (int i = 0; i < rows; ++i) {
      const DWORD* from = pixels + size_t(strip.y + i) * size_t(width) + size_t(strip.left);
      std::memcpy(m_pixels.data() + strip.offset + size_t(i) * size_t(strip.width), from,
                  size_t(strip.width) * sizeof(DWORD));
    }
  }
}

bool PictureTarget::Restore(const std::vector<DWORD>& kept) {
  if (kept.size() != m_pixels.size() || m_strips.empty()) return false;
  std::copy(kept.begin(), kept.end(), m_pixels.begin());
  return true;
}

bool PictureTarget::Pixel(int x, int y, DWORD& rgb) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_strips.empty()) return false;
  if (m_whole) {
    rgb = m_pixels[size_t(y) * size_t(m_width) + size_t(x)] & 0x00FFFFFF;
    return true;
  }
  const int row = m_samples.RowAt(y);
  if (row < 0) return false;
  const Strip& strip = m_strips[size_t(row)];
  if (x < strip.left || x >= strip.left + strip.width) return false;
  rgb = m_pixels[strip.offset + size_t(x - strip.left)] & 0x00FFFFFF;
  return true;
}

bool PictureTarget::Edges(const Gdiplus::RectF& box, float& l, float& t, float& r, float& b) {
  l = box.X, t = box.Y, r = box.X + box.Width, b = box.Y + box.Height;
  if (std::isnan(l) || std::isnan(t) || std::isnan(r) || std::isnan(b)) {
    // Let GDI+ decide what a shape with undefined corners draws.
    l = t = -std::numeric_limits<float>::infinity();
    r = b = std::numeric_limits<float>::infinity();
    return true;
  }
  return r >= l && b >= t;
}

bool PictureTarget::Reaches(const Gdiplus::RectF& box) const {
  if (m_whole) return true;
  float l, t, r, b;
  return Edges(box, l, t, r, b) && m_samples.Reaches(l, t, r, b);
}

bool PictureTarget::EllipseTestable(float rx, float ry, float inward, float outward) {
  return std::isfinite(rx) && std::isfinite(ry) && !std::isnan(inward) && std::isfinite(outward) &&
         std::min(rx, ry) > outward;
}

// A point at normalised radius p (1 on the ellipse) lies at least |p - 1| times the
// smaller radius away from the ellipse: the scaling that makes it a unit circle shrinks
// no distance by more than that. The curves that draw an ellipse stray from it by less
// than a thousandth of its radius.
bool PictureTarget::RowReachesEllipse(const SampleRows::Row& row, float left, float right, float cx, float cy,
                                      float rx, float ry, float inward, float outward) {
  const float smaller = std::min(rx, ry), dy = (float(row.y) - cy) / ry, slack = 0.001f * std::max(rx, ry);
  auto x = std::partition_point(row.xs.begin(), row.xs.end(), [left](int v) { return float(v) < left; });
  for (; x != row.xs.end() && float(*x) <= right; ++x) {
    const float dx = (float(*x) - cx) / rx;
    const float away = (std::sqrt(dx * dx + dy * dy) - 1.0f) * smaller;
    if (away <= outward + slack && -away <= inward + slack) return true;
  }
  return false;
}

bool PictureTarget::OutlineTestable(float width, float height, float reach) {
  return std::isfinite(width) && std::isfinite(height) && std::isfinite(reach) && std::min(width, height) > 2 * reach;
}

bool PictureTarget::ReachesEllipse(float cx, float cy, float rx, float ry, float inward, float outward) const {
  const Gdiplus::RectF box(cx - rx - outward, cy - ry - outward, 2 * (rx + outward), 2 * (ry + outward));
  if (m_whole || !EllipseTestable(rx, ry, inward, outward)) return Reaches(box);
  float l, t, r, b;
  if (!Edges(box, l, t, r, b)) return false;
  bool found = false;
  m_samples.ForEachRowIn(l, t, r, b, [&](size_t row) {
    found = found || RowReachesEllipse(m_samples.Rows()[row], l, r, cx, cy, rx, ry, inward, outward);
  });
  return found;
}

float PictureTarget::PenReach(const Gdiplus::Pen& pen) {
  const float width = std::abs(pen.GetWidth());
  const Gdiplus::LineJoin join = pen.GetLineJoin();
  // A line's sides and round joins lie half the width from the path (an inset pen's
  // inner side the whole width), square caps half the width times the square root of 2
  // beyond its ends; a mitred join reaches up to its miter limit times the width.
  const bool mitred = join == Gdiplus::LineJoinMiter || join == Gdiplus::LineJoinMiterClipped;
  const float sides = pen.GetAlignment() == Gdiplus::PenAlignmentInset ? 1.0f : 0.75f;
  return width * (mitred ? std::max(sides, pen.GetMiterLimit()) : sides) + kEdge;
}

float PictureTarget::OutlineReach(const Gdiplus::Pen& pen) {
  // The corners of a rectangle are right angles: any join stays within half the width
  // times the square root of 2 of the corner, inside the sides' reach.
  const float width = std::abs(pen.GetWidth());
  return width * (pen.GetAlignment() == Gdiplus::PenAlignmentInset ? 1.0f : 0.75f) + kEdge;
}

Gdiplus::RectF PictureTarget::FillBox(float left, float top, float right, float bottom) {
  return Box(left, top, right, bottom, kEdge);
}

void PictureTarget::SetSmoothingMode(Gdiplus::SmoothingMode mode) {
  for (Strip& strip : m_strips) strip.graphics->SetSmoothingMode(mode);
}

void PictureTarget::FillPath(const Gdiplus::Brush* brush, const Gdiplus::GraphicsPath* path) {
  Paint(PathBox(path, kEdge), [&](Gdiplus::Graphics& g) { g.FillPath(brush, path); });
}

void PictureTarget::DrawPath(const Gdiplus::Pen* pen, const Gdiplus::GraphicsPath* path) {
  Paint(PathBox(path, PenReach(*pen)), [&](Gdiplus::Graphics& g) { g.DrawPath(pen, path); });
}

void PictureTarget::FillRectangle(const Gdiplus::Brush* brush, float x, float y, float width, float height) {
  Paint(Box(x, y, x + width, y + height, kEdge), [&](Gdiplus::Graphics& g) { g.FillRectangle(brush, x, y, width, height); });
}

void PictureTarget::DrawRectangle(const Gdiplus::Pen* pen, float x, float y, float width, float height) {
  auto draw = [&](Gdiplus::Graphics& g) { g.DrawRectangle(pen, x, y, width, height); };
  const float reach = OutlineReach(*pen);
  // Without a hole the outline turns back on itself, where a mitred join may reach
  // further.
  if (!OutlineTestable(std::abs(width), std::abs(height), reach))
    return Paint(Box(x, y, x + width, y + height, PenReach(*pen)), draw);
  PaintRectangleOutline(x, y, width, height, reach, draw);
}

void PictureTarget::FillEllipse(const Gdiplus::Brush* brush, float x, float y, float width, float height) {
  PaintEllipse(x + width / 2, y + height / 2, std::abs(width) / 2, std::abs(height) / 2, kFilled, kEdge,
               [&](Gdiplus::Graphics& g) { g.FillEllipse(brush, x, y, width, height); });
}

void PictureTarget::DrawEllipse(const Gdiplus::Pen* pen, float x, float y, float width, float height) {
  const float reach = PenReach(*pen);
  PaintEllipse(x + width / 2, y + height / 2, std::abs(width) / 2, std::abs(height) / 2, reach, reach,
               [&](Gdiplus::Graphics& g) { g.DrawEllipse(pen, x, y, width, height); });
}

void PictureTarget::DrawLine(const Gdiplus::Pen* pen, float x1, float y1, float x2, float y2) {
  Paint(Box(x1, y1, x2, y2, PenReach(*pen)), [&](Gdiplus::Graphics& g) { g.DrawLine(pen, x1, y1, x2, y2); });
}

void PictureTarget::DrawLines(const Gdiplus::Pen* pen, const Gdiplus::PointF* points, int count) {
  Paint(PointsBox(points, count, PenReach(*pen)), [&](Gdiplus::Graphics& g) { g.DrawLines(pen, points, count); });
}

void PictureTarget::FillPolygon(const Gdiplus::Brush* brush, const Gdiplus::PointF* points, int count,
                                Gdiplus::FillMode mode) {
  Paint(PointsBox(points, count, kEdge), [&](Gdiplus::Graphics& g) { g.FillPolygon(brush, points, count, mode); });
}

void PictureTarget::DrawPolygon(const Gdiplus::Pen* pen, const Gdiplus::PointF* points, int count) {
  Paint(PointsBox(points, count, PenReach(*pen)), [&](Gdiplus::Graphics& g) { g.DrawPolygon(pen, points, count); });
}

void PictureTarget::DrawImage(Gdiplus::Image* image, int x, int y, int width, int height) {
  if (!image) return;
  Paint(Box(float(x), float(y), float(x + width), float(y + height), kEdge),
        [&](Gdiplus::Graphics& g) { g.DrawImage(image, x, y, width, height); });
}
