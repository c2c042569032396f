// What the lighting canvas paints its picture on (black, the music layers or the GIF,
// the keyboard picture) before the keys read their colours from it.
//
// Laid out whole, it is one 32-bit RGB picture of the control's size. Laid out for a
// hidden rendering, it holds only the pixel rows the keys sample, each a strip one pixel
// high between its first and last sample point: a drawing then costs its width across the
// rows it crosses instead of its area, and a drawing whose box holds no sample point is
// skipped. Both layouts draw with the same GDI+ calls, so a sampled pixel is the pixel of
// the whole picture.
//
// The drawing calls mirror Gdiplus::Graphics and take the same arguments; each works out
// a box that holds everything it can touch (pen width, joins and anti-aliased edges
// included). Not thread-safe: the canvas renders under its step lock.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <memory>
#include <vector>
#include "canvas/SampleRows.h"
#include "qiv_export.h"

class QIV_API PictureTarget {
public:
  // How far beyond a shape anti-aliasing colours pixels (less than one pixel, whichever
  // way the rasteriser centres them), and the inward reach of a filled ellipse.
  static constexpr float kEdge = 1.0f;
  static constexpr float kFilled = 3.0e38f;

  PictureTarget();
  ~PictureTarget();
  PictureTarget(const PictureTarget&) = delete;
  PictureTarget& operator=(const PictureTarget&) = delete;

  // Lays the target out (kept when it already is so): the whole picture, or the rows of
  // those sample points that lie inside it. False when GDI+ cannot make a surface.
  bool LayOutWhole(int width, int height);
  bool LayOutRows(const std::vector<POINT>& samples, int width, int height);
  bool IsWhole() const { return m_whole; }
  // Changes whenever the target is laid out anew.
  unsigned Layout() const { return m_layout; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Starts a picture: every pixel `rgb`, anti-aliased drawing, no transform or clip.
  void Begin(DWORD rgb);
  // Copies the pixels a picture of the same size holds (rows top first).
  void CopyFrom(const DWORD* pixels, int width, int height);
  // Keeps every pixel the target holds, and puts kept pixels back (false when they
  // are not of this layout's size).
  void Save(std::vector<DWORD>& kept) const { kept = m_pixels; }
  bool Restore(const std::vector<DWORD>& kept);
  // The pixel at (x, y) as 0x00RRGGBB; false where the target holds none.
  bool Pixel(int x, int y, DWORD& rgb) const;
  // The whole picture's pixels, rows top first, and its bitmap (only when laid out whole).
  const DWORD* Bits() const { return m_whole ? m_pixels.data() : nullptr; }
  Gdiplus::Bitmap* WholeBitmap() const { return m_whole && !m_strips.empty() ? m_strips.front().bitmap.get() : nullptr; }

  // Whether a drawing inside the box (already widened by its pen) can change a pixel
  // of this target.
  bool Reaches(const Gdiplus::RectF& box) const;
  // Runs draw(Gdiplus::Graphics&) once on every surface a drawing inside the box can
  // change (the whole picture, or each strip whose sample points the box holds).
  template <class Draw>
  void Paint(const Gdiplus::RectF& box, Draw&& draw) {
    if (m_whole) {
      if (!m_strips.empty()) draw(*m_strips.front().graphics);
      return;
    }
    float l, t, r, b;
    if (!Edges(box, l, t, r, b)) return;
    m_samples.ForEachRowIn(l, t, r, b, [&](size_t row) {
      if (m_strips[row].graphics) draw(*m_strips[row].graphics);
    });
  }

  // As Reaches and Paint, for a drawing that lies along the ellipse around (cx, cy)
  // with radii rx and ry, reaching `inward` inside it and `outward` outside it (a filled
  // ellipse reaches its centre).
  bool ReachesEllipse(float cx, float cy, float rx, float ry, float inward, float outward) const;
  template <class Draw>
  void PaintEllipse(float cx, float cy, float rx, float ry, float inward, float outward, Draw&& draw) {
    const Gdiplus::RectF box(cx - rx - outward, cy - ry - outward, 2 * (rx + outward), 2 * (ry + outward));
    if (m_whole || !EllipseTestable(rx, ry, inward, outward)) return Paint(box, draw);
    PaintRowsWhere(box, draw, [&](const SampleRows::Row& row, float l, float r) {
      return RowReachesEllipse(row, l, r, cx, cy, rx, ry, inward, outward);
    });
  }
  // As Paint, for the outline of the rectangle (x, y, width, height) drawn by a pen that
  // reaches `reach` to either side of it: a row between the top and bottom sides meets
  // only the left and right sides.
  template <class Draw>
  void PaintRectangleOutline(float x, float y, float width, float height, float reach, Draw&& draw) {
    const float l = std::min(x, x + width), r = std::max(x, x + width);
    const float t = std::min(y, y + height), b = std::max(y, y + height);
    const Gdiplus::RectF box(l - reach, t - reach, r - l + 2 * reach, b - t + 2 * reach);
    if (m_whole || !OutlineTestable(r - l, b - t, reach)) return Paint(box, draw);
    PaintRowsWhere(box, draw, [&](const SampleRows::Row& row, float boxLeft, float boxRight) {
      const float y = float(row.y);
      if (y <= t + reach || y >= b - reach) return SampleRows::RowHasPointIn(row, boxLeft, boxRight);
      return SampleRows::RowHasPointIn(row, l - reach, l + reach) || SampleRows::RowHasPointIn(row, r - reach, r + reach);
    });
  }

  void SetSmoothingMode(Gdiplus::SmoothingMode mode);
  void FillPath(const Gdiplus::Brush* brush, const Gdiplus::GraphicsPath* path);
  void DrawPath(const Gdiplus::Pen* pen, const Gdiplus::GraphicsPath* path);
  void FillRectangle(const Gdiplus::Brush* brush, float x, float y, float width, float height);
  void DrawRectangle(const Gdiplus::Pen* pen, float x, float y, float width, float height);
  void FillEllipse(const Gdiplus::Brush* brush, float x, float y, float width, float height);
  void DrawEllipse(const Gdiplus::Pen* pen, float x, float y, float width, float height);
  void DrawLine(const Gdiplus::Pen* pen, float x1, float y1, float x2, float y2);
  void DrawLines(const Gdiplus::Pen* pen, const Gdiplus::PointF* points, int count);
  void FillPolygon(const Gdiplus::Brush* brush, const Gdiplus::PointF* points, int count,
                   Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
  void DrawPolygon(const Gdiplus::Pen* pen, const Gdiplus::PointF* points, int count);
  void DrawImage(Gdiplus::Image* image, int x, int y, int width, int height);

  // How far a line drawn with this pen reaches beyond its path.
  static float PenReach(const Gdiplus::Pen& pen);
  // How far a rectangle's outline drawn with this pen reaches beyond the rectangle.
  static float OutlineReach(const Gdiplus::Pen& pen);
  // The box of a filled shape with these corners, widened for anti-aliased edges.
  static Gdiplus::RectF FillBox(float left, float top, float right, float bottom);

private:
  struct Strip {
    int y = 0, left = 0, width = 0;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
    std::unique_ptr<Gdiplus::Graphics> graphics;
    size_t offset = 0;  // of its first pixel in m_pixels
  };

  // The box's edges, or false for an empty box; a box with NaN reaches everything.
  static bool Edges(const Gdiplus::RectF& box, float& l, float& t, float& r, float& b);
  bool AddStrip(int y, int left, int width, int height, size_t offset);
  // Runs draw on the strip of every row in the box for which reaches(row, left, right)
  // holds (left and right: the box's edges).
  template <class Draw, class Reaches>
  void PaintRowsWhere(const Gdiplus::RectF& box, Draw& draw, Reaches&& reaches) {
    float l, t, r, b;
    if (!Edges(box, l, t, r, b)) return;
    m_samples.ForEachRowIn(l, t, r, b, [&](size_t row) {
      if (m_strips[row].graphics && reaches(m_samples.Rows()[row], l, r)) draw(*m_strips[row].graphics);
    });
  }
  // Whether the ellipse test applies: finite values and radii wider than the reach.
  static bool EllipseTestable(float rx, float ry, float inward, float outward);
  // Whether the outline test applies: finite values and a hole inside the outline.
  static bool OutlineTestable(float width, float height, float reach);
  static bool RowReachesEllipse(const SampleRows::Row& row, float left, float right, float cx, float cy, float rx,
                                float ry, float inward, float outward);
  void Release();

  bool m_whole = false;
  int m_width = 0, m_height = 0;
  unsigned m_layout = 0;
  SampleRows m_samples;
  std::vector<DWORD> m_pixels;
  std::vector<Strip> m_strips;  // one per sample row, or the whole picture
};
