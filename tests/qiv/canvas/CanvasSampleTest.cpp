// The sample rows of the hidden rendering: which drawings can change a key's colour.
#include <gtest/gtest.h>

#include <vector>
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
