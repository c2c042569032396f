// The pure tables of the keyboard widgets: battery steps and frames, device tile layout and
// picture fit, the HSL conversions, the key-function grid wrap and scroll offset, the
// macro lists' visible rows and the time edit's reading.
#include <gtest/gtest.h>
#include "widgets/BatteryLevel.h"
#include "widgets/DeviceTileLayout.h"
#include "widgets/HslColor.h"
#include "widgets/KeyFuncGrid.h"
#include "widgets/ListRows.h"

using namespace pickerhsl;

TEST(BatteryLevel, ShownLevelSteps) {
  const struct {
    int level, shown;
  } cases[] = {{0, 25}, {10, 25}, {30, 25}, {31, 50}, {60, 50}, {61, 75}, {80, 75},
               {81, 90}, {95, 90}, {96, 96}, {97, 97}, {100, 100}};
  for (const auto& c : cases) EXPECT_EQ(ShownBatteryLevel(c.level), c.shown) << c.level;
}

TEST(BatteryLevel, FramesOfIndicatorAndTile) {
  const struct {
    int level, charging, indicator, tile;
  } cases[] = {
      {0, 0, 0, 1},  {19, 0, 0, 1}, {20, 0, 1, 1}, {25, 0, 1, 1}, {26, 0, 1, 2},
      {74, 0, 1, 2}, {75, 0, 2, 2}, {100, 0, 2, 2}, {50, 1, 3, 3}, {0, 1, 3, 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BatteryIndicatorFrame(c.level, c.charging), c.indicator) << c.level << "/" << c.charging;
    EXPECT_EQ(DeviceTileBatteryFrame(c.level, c.charging), c.tile) << c.level << "/" << c.charging;
  }
}

TEST(DeviceTileLayout, SizeAndOriginByOnlineCount) {
  const struct {
    int online, w, h, left, top;
  } cases[] = {
      // In a 1400 x 600 list.
      {0, 770, 500, 710, 50},  {1, 770, 500, 315, 50}, {2, 500, 500, 190, 50},
      {3, 400, 500, 80, 50},   {4, 280, 300, 110, 150}, {5, -1, -1, -40, 150},
  };
  for (const auto& c : cases) {
    const CSize size = DeviceTileSize(c.online);
    if (c.w > 0) {
      EXPECT_EQ(size.cx, c.w) << c.online;
      EXPECT_EQ(size.cy, c.h) << c.online;
    }
    const CPoint origin = FirstTileOrigin(1400, 600, c.online);
    EXPECT_EQ(origin.x, c.left) << c.online;
    EXPECT_EQ(origin.y, c.top) << c.online;
  }
}

TEST(DeviceTileLayout, PictureFit) {
  const CRect area(50, 80, 720, 390);  // 670 x 310
  const struct {
    int w, h;
    CRect expected;
  } cases[] = {
      {8, 200, area},                                   // a side below 11: stretched over the area
      {200, 10, area},
      {100, 100, CRect(335, 185, 435, 285)},            // fits: natural size, centred
      {1000, 500, CRect(75, 80, 695, 390)},             // wider: to the area's height, 620 x 310
      {2000, 400, CRect(50, 168, 720, 302)},            // much wider: to the area's width, 670 x 134
      {670, 310, area},
  };
  for (const auto& c : cases) EXPECT_EQ(FitPicture(c.w, c.h, area), c.expected) << c.w << "x" << c.h;
}

TEST(DeviceTileLayout, SlideEasesFromZeroToTheWholeArea) {
  EXPECT_EQ(SlideDistance(0, 620), 0);
  EXPECT_EQ(SlideDistance(255, 620), 620);
  EXPECT_EQ(SlideDistance(128, 620), 311);  // about half way at half progress
  EXPECT_LT(SlideDistance(16, 620), 620 * 16 / 255) << "eased: slow at the start";
}

TEST(HslColor, ConversionsOfThePickers) {
  EXPECT_EQ(HslToRgb(0.0f, 1.0f, 0.5f), 0x0000FFu) << "red";
  EXPECT_EQ(HslToRgb(0.5f, 1.0f, 0.5f), 0xFFFF00u) << "cyan";
  EXPECT_EQ(HslToRgb(1.0f / 3, 1.0f, 0.5f), 0x00FF00u) << "green";
  EXPECT_EQ(HslToRgb(0.7f, 0.0f, 0.0f), 0u) << "no saturation, no light: black";
  EXPECT_EQ(HslToRgb(0.0f, 0.0f, 1.0f), 0xFFFFFFu);
  EXPECT_EQ(NonBlack(0), 1u);
  EXPECT_EQ(NonBlack(0xFF000000), 0xFF000001u) << "the top byte stays";
  EXPECT_EQ(NonBlack(0x20), 0x20u);

  const HslValue red = RgbToHsl(0x0000FF);
  EXPECT_FLOAT_EQ(red.h, 0.0f);
  EXPECT_FLOAT_EQ(red.s, 1.0f);
  EXPECT_FLOAT_EQ(red.l, 0.5f);
  const HslValue grey = RgbToHsl(0x808080);
  EXPECT_FLOAT_EQ(grey.s, 0.0f);
  EXPECT_NEAR(grey.l, 128 / 255.0f, 1e-6);
  const HslValue blue = RgbToHsl(0xFF0000);
  EXPECT_NEAR(blue.h, 2.0f / 3, 1e-6);
  // Every fully saturated hue comes back from its own conversion.
  for (COLORREF c : {0x0000FFu, 0x00FFFFu, 0x00FF00u, 0xFFFF00u, 0xFF0000u, 0xFF00FFu, 0x3366CCu}) {
    const HslValue v = RgbToHsl(c);
    EXPECT_EQ(HslToRgb(v.h, v.s, v.l), c) << std::hex << c;
  }
}

TEST(KeyFuncGrid, RowsWrapOnceXReachesWidthLessACell) {
  const struct {
    int width, perRow;
  } cases[] = {{314, 2}, {315, 3}, {422, 3}, {423, 4}};
  for (const auto& c : cases) {
    const auto cells = LayoutGridCells(8, c.width, CSize(98, 50), 10, 10, 0);
    int perRow = 0;
    while (perRow < 8 && cells[perRow].top == 0) ++perRow;
    EXPECT_EQ(perRow, c.perRow) << c.width;
    EXPECT_EQ(cells[c.perRow].left, 0) << c.width;
    EXPECT_EQ(cells[c.perRow].top, 60) << c.width;
  }
  const auto scrolled = LayoutGridCells(1, 400, CSize(80, 70), 10, 10, -58);
  EXPECT_EQ(scrolled[0], CRect(0, -58, 80, 12));
}

TEST(KeyFuncGrid, ScrollOffset) {
  EXPECT_EQ(GridScrollOffset(100, 720, 300, 720), 58) << "100 x 420 / 720";
  EXPECT_EQ(GridScrollOffset(720, 720, 300, 720), 420);
  EXPECT_EQ(GridScrollOffset(50, 720, 300, 0), 0) << "no range";
  EXPECT_EQ(GridScrollOffset(50, 720, 300, -5), 0);
}

TEST(ListRows, VisibleRowsAndBitmapOffset) {
  const struct {
    int count, position, maxRange;
    RowWindow expected;
  } cases[] = {
      // 40 px rows in a 200 px view.
      {0, 0, 0, {0, 0, -1, 200, 0}},
      {3, 0, 120, {0, 0, 2, 200, 0}},
      {10, 0, 400, {0, 0, 5, 240, 0}},
      {10, 400, 400, {200, 5, 9, 200, 0}},
      {10, 100, 400, {50, 1, 6, 240, 10}},
      // A position beyond the range, or left from a longer list: the view stays on the rows.
      {10, 900, 400, {200, 5, 9, 200, 0}},
      {2, 120, 80, {0, 0, 1, 200, 0}},
  };
  for (const auto& c : cases) {
    const RowWindow w = ComputeRowWindow(c.count, 40, 200, c.position, c.maxRange);
    EXPECT_EQ(w.offset, c.expected.offset) << c.count << "@" << c.position;
    EXPECT_EQ(w.first, c.expected.first) << c.count << "@" << c.position;
    EXPECT_EQ(w.last, c.expected.last) << c.count << "@" << c.position;
    EXPECT_EQ(w.bitmapHeight, c.expected.bitmapHeight) << c.count << "@" << c.position;
    EXPECT_EQ(w.bitmapOffset, c.expected.bitmapOffset) << c.count << "@" << c.position;
  }
  const RowWindow none = ComputeRowWindow(5, 0, 200, 0, 0);
  EXPECT_LT(none.last, none.first) << "a zero row height draws no row instead of dividing by it";
}

TEST(ListRows, TypedDelayIsHeldTo10Through65535) {
  const struct {
    const wchar_t* text;
    int ms;
  } cases[] = {{L"5", 10},       {L"10", 10},     {L"300", 300}, {L"65535", 65535}, {L"70000", 65535},
               {L"abc", 10},     {L"", 10},       {L"-4", 10},   {L" 42", 42},      {L"99999999999999", 65535},
               {nullptr, 10}};
  for (const auto& c : cases) EXPECT_EQ(ParseDelayText(c.text), c.ms) << (c.text ? c.text : L"(null)");
}
