// The sample rows of the hidden rendering: which drawings can change a key's colour, and
// the picture target that paints only those rows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>
#include "canvas/PainterKit.h"
#include "canvas/PictureTarget.h"
#include "canvas/SampleRows.h"

namespace {
// Two key rows and a light strip: (40, 35) (98, 35) (156, 35), (40, 93) (98, 93), (23, 378).
SampleRows Keyboard() {
  return SampleRows({{98, 35}, {40, 35}, {156, 35}, {40, 93}, {98, 93}, {23, 378}, {40, 35}});
}
}  // namespace

TEST(CanvasSamples, PointsAreGroupedIntoRowsOnceEach) {
  const SampleRows rows = Keyboard();
  ASSERT_EQ(rows.Rows().size(), 3u);
  EXPECT_EQ(rows.Rows()[0], (SampleRows::Row{35, {40, 98, 156}})) << "sorted, the repeated point once";
  EXPECT_EQ(rows.Rows()[1], (SampleRows::Row{93, {40, 98}}));
  EXPECT_EQ(rows.Rows()[2], (SampleRows::Row{378, {23}}));
  EXPECT_EQ(rows.RowAt(93), 1);
  EXPECT_EQ(rows.RowAt(94), -1);
  EXPECT_TRUE(SampleRows().Empty());
  EXPECT_FALSE(SampleRows().Reaches(-1e9f, -1e9f, 1e9f, 1e9f));
}

TEST(CanvasSamples, ABoxReachesOnlyThePointsInsideIt) {
  const SampleRows rows = Keyboard();
  struct Case {
    float l, t, r, b;
    bool reaches;
    std::vector<size_t> visited;
    const char* what;
  } cases[] = {
      {40, 35, 40, 35, true, {0}, "a box of one point, edges included"},
      {40.5f, 30, 97.5f, 40, false, {}, "between two points of a row"},
      {0, 36, 1000, 92.9f, false, {}, "between two rows"},
      {90, 0, 100, 100, true, {0, 1}, "a column through both key rows"},
      {150, 90, 160, 100, false, {}, "under the row's last point, where the next row has none"},
      {0, 0, 1100, 380, true, {0, 1, 2}, "the whole canvas"},
      {20, 370, 30, 400, true, {2}, "the strip's dot"},
      {200, 30, 300, 40, false, {}, "right of a row's last point"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rows.Reaches(c.l, c.t, c.r, c.b), c.reaches) << c.what;
    std::vector<size_t> visited;
    rows.ForEachRowIn(c.l, c.t, c.r, c.b, [&](size_t row) { visited.push_back(row); });
    EXPECT_EQ(visited, c.visited) << c.what;
  }
}

namespace {
// One picture of every kind of drawing the painters use, some over others.
void PaintScene(PictureTarget& t) {
  t.Begin(0);
  Gdiplus::SolidBrush veil(Gdiplus::Color(90, 40, 200, 120));
  t.FillRectangle(&veil, 12.3f, 7.6f, 250.5f, 120.2f);
  Gdiplus::GraphicsPath disc;
  disc.AddEllipse(60.5f, 20.25f, 170.0f, 150.0f);
  Gdiplus::PathGradientBrush glow(&disc);
  glow.SetCenterColor(Gdiplus::Color(255, 255, 240, 10));
  Gdiplus::Color edge(30, 10, 20, 250);
  INT one = 1;
  glow.SetSurroundColors(&edge, &one);
  t.FillPath(&glow, &disc);
  Gdiplus::PointF wave[40];
  for (int i = 0; i < 40; ++i) wave[i] = Gdiplus::PointF(7.5f * float(i), 100 + 60 * std::sin(float(i) * 0.4f));
  Gdiplus::Pen thick(Gdiplus::Color(160, 250, 30, 90), 9.5f);
  thick.SetLineJoin(Gdiplus::LineJoinRound);
  thick.SetStartCap(Gdiplus::LineCapRound);
  thick.SetEndCap(Gdiplus::LineCapRound);
  t.DrawLines(&thick, wave, 40);
  Gdiplus::Pen ring(Gdiplus::Color(200, 0, 255, 255), 3.0f);
  t.DrawEllipse(&ring, 150.2f, 60.7f, 90.0f, 70.0f);
  Gdiplus::Pen inset(Gdiplus::Color(150, 255, 128, 0), 14.0f);
  inset.SetAlignment(Gdiplus::PenAlignmentInset);
  t.DrawEllipse(&inset, 20.5f, 40.5f, 120.0f, 120.0f);
  Gdiplus::SolidBrush dot(Gdiplus::Color(255, 200, 0, 200));
  t.FillEllipse(&dot, 240.3f, 150.6f, 45.0f, 30.0f);
  PainterKit::GlowDisc(t, 110.0f, 60.0f, 48.5f, RGB(255, 255, 255), 180);
  Gdiplus::LinearGradientBrush flame(Gdiplus::PointF(0, 200), Gdiplus::PointF(0, 90), Gdiplus::Color(255, 180, 0, 0),
                                     Gdiplus::Color(255, 255, 255, 200));
  t.FillRectangle(&flame, 200.0f, 90.0f, 40.0f, 110.0f);
  const Gdiplus::PointF triangle[3] = {{20, 190}, {90, 190}, {55, 110.5f}};
  Gdiplus::SolidBrush green(Gdiplus::Color(255, 30, 220, 40));
  t.FillPolygon(&green, triangle, 3);
  Gdiplus::Pen dashed(Gdiplus::Color(255, 0, 255, 255), 2.0f);
  dashed.SetDashStyle(Gdiplus::DashStyleDash);
  t.DrawRectangle(&dashed, 30.0f, 30.0f, 230.0f, 140.0f);
  Gdiplus::Bitmap tile(13, 7, PixelFormat32bppARGB);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) tile.SetPixel(x, y, Gdiplus::Color(BYTE(255 - 20 * x), BYTE(37 * x), BYTE(30 * y), 200));
  t.DrawImage(&tile, 100, 140, 59, 31);
}
}  // namespace

TEST(CanvasSamples, RowsHoldThePixelsOfTheWholePictureAtTheirPoints) {
  std::vector<POINT> points;
  for (int y = 3; y < 200; y += 23)
    for (int x = 1; x < 300; x += 17 + y % 5) points.push_back(POINT{x, y});
  points.push_back(POINT{400, 50});  // off the picture
  PictureTarget whole, rows;
  ASSERT_TRUE(whole.LayOutWhole(300, 200));
  ASSERT_TRUE(rows.LayOutRows(points, 300, 200));
  PaintScene(whole);
  PaintScene(rows);
  int coloured = 0;
  for (const POINT& p : points) {
    DWORD want = 0, got = 0;
    if (!whole.Pixel(p.x, p.y, want)) {
      EXPECT_FALSE(rows.Pixel(p.x, p.y, got)) << p.x << "," << p.y;
      continue;
    }
    ASSERT_TRUE(rows.Pixel(p.x, p.y, got)) << p.x << "," << p.y;
    EXPECT_EQ(got, want) << p.x << "," << p.y;
    coloured += want != 0;
  }
  EXPECT_GT(coloured, int(points.size()) / 2) << "the scene covers most points";
  DWORD pixel = 0;
  EXPECT_FALSE(rows.Pixel(2, 4, pixel)) << "only the rows of the sample points";
  EXPECT_FALSE(rows.Pixel(0, 3, pixel)) << "from a row's first point to its last";
}

TEST(CanvasSamples, ANewLayoutStartsAfreshAndDrawingsAwayFromThePointsAreSkipped) {
  PictureTarget rows;
  ASSERT_TRUE(rows.LayOutRows({{10, 10}, {50, 10}, {30, 40}}, 100, 60));
  rows.Begin(0x123456);
  EXPECT_TRUE(rows.Reaches(Gdiplus::RectF(45, 5, 10, 10)));
  EXPECT_FALSE(rows.Reaches(Gdiplus::RectF(12, 12, 30, 20))) << "between the points";
  EXPECT_TRUE(rows.Reaches(Gdiplus::RectF(std::nanf(""), 0, 1, 1))) << "undefined corners: GDI+ decides";
  int surfaces = 0;
  rows.Paint(Gdiplus::RectF(0, 0, 100, 60), [&](Gdiplus::Graphics&) { ++surfaces; });
  EXPECT_EQ(surfaces, 2) << "one surface per sample row";

  ASSERT_TRUE(rows.LayOutRows({{70, 50}}, 80, 55));  // moved keys on a smaller canvas
  rows.Begin(0);
  Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
  rows.FillRectangle(&red, 60, 45, 20, 10);
  DWORD pixel = 1;
  EXPECT_TRUE(rows.Pixel(70, 50, pixel));
  EXPECT_EQ(pixel, 0xFF0000u);
  EXPECT_FALSE(rows.Pixel(10, 10, pixel)) << "the old rows are gone";
  EXPECT_FALSE(rows.LayOutRows({{1, 1}}, 0, 10)) << "no picture of no size";
}

TEST(CanvasSamples, ARectangleOutlineReachesOnlyThePointsNearItsSides) {
  // The outline (40, 30) - (240, 150) drawn with a pen reaching 4 pixels to either side.
  struct Case {
    POINT at;
    bool painted;
    const char* what;
  };
  const Case cases[] = {
      {{140, 90}, false, "the middle"},     {{41, 90}, true, "on the left side"},
      {{243, 90}, true, "beside the right side"}, {{140, 27}, true, "above the top side"},
      {{60, 150}, true, "on the bottom side"},    {{46, 90}, false, "inside the left side"},
      {{33, 90}, false, "outside the left side"}, {{140, 33}, true, "within reach below the top side"},
      {{250, 30}, false, "right of the top side"}, {{140, 140}, false, "above the bottom side"}, {{140, 36}, false, "beyond reach below the top side"},
  };
  for (const Case& c : cases) {
    PictureTarget rows;
    ASSERT_TRUE(rows.LayOutRows({c.at}, 300, 200));
    int surfaces = 0;
    rows.PaintRectangleOutline(40, 30, 200, 120, 4.0f, [&](Gdiplus::Graphics&) { ++surfaces; });
    EXPECT_EQ(surfaces, c.painted ? 1 : 0) << c.what;
  }
  PictureTarget thin;
  ASSERT_TRUE(thin.LayOutRows({{50, 40}}, 300, 200));
  int surfaces = 0;
  thin.PaintRectangleOutline(40, 30, 20, 7, 4.0f, [&](Gdiplus::Graphics&) { ++surfaces; });
  EXPECT_EQ(surfaces, 1) << "an outline without a hole is painted as its box";

  // Drawn through the target, the sampled pixels are those of the whole picture, for
  // pens of every join and alignment, with points on, beside and inside the outline.
  std::vector<POINT> points;
  for (int y = 20; y < 170; y += 3)
    for (int x = 25; x < 260; x += y % 2 ? 2 : 7) points.push_back(POINT{x, y});
  Gdiplus::Pen round(Gdiplus::Color(255, 250, 200, 0), 5.0f);
  round.SetLineJoin(Gdiplus::LineJoinRound);
  Gdiplus::Pen dashed(Gdiplus::Color(200, 0, 255, 255), 2.0f);
  dashed.SetDashStyle(Gdiplus::DashStyleDash);
  Gdiplus::Pen inset(Gdiplus::Color(255, 90, 20, 240), 7.0f);
  inset.SetAlignment(Gdiplus::PenAlignmentInset);
  Gdiplus::Pen bevel(Gdiplus::Color(255, 255, 255, 255), 9.0f);
  bevel.SetLineJoin(Gdiplus::LineJoinBevel);
  Gdiplus::Pen mitred(Gdiplus::Color(255, 40, 255, 90), 8.0f);
  for (const Gdiplus::Pen* pen : {&round, &dashed, &inset, &bevel, &mitred}) {
    PictureTarget whole, rows;
    ASSERT_TRUE(whole.LayOutWhole(300, 200));
    ASSERT_TRUE(rows.LayOutRows(points, 300, 200));
    for (PictureTarget* t : {&whole, &rows}) {
      t->Begin(0x102030);
      t->DrawRectangle(pen, 40.5f, 30.25f, 199.5f, 120.0f);
    }
    int lit = 0;
    for (const POINT& p : points) {
      DWORD want = 0, got = 0;
      ASSERT_TRUE(whole.Pixel(p.x, p.y, want));
      ASSERT_TRUE(rows.Pixel(p.x, p.y, got));
      EXPECT_EQ(got, want) << "pen " << pen->GetWidth() << " at " << p.x << "," << p.y;
      lit += want != 0x102030;
    }
    EXPECT_GT(lit, 20) << "pen " << pen->GetWidth() << " draws over points";
  }
}
