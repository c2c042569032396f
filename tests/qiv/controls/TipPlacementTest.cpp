// Where the balloon goes for each placement, kept on the screen near its edges, and how
// its text is laid out; the tips' refusal to refit for an unchanged message.
#include <gtest/gtest.h>
#include "controls/CKeyboardTips.h"
#include "controls/LEDFrameTips.h"
#include "controls/MAirBladder.h"

TEST(BalloonPlacement, EachPlacementAroundItsAnchor) {
  struct Row {
    AIRBLADDER_MODE mode;
    int w, h, lines;
    CRect expected;
  } rows[] = {
      {AIRBLADDER_MODE_RIGHT, 100, 16, 1, CRect(500, 300, 640, 336)},
      {AIRBLADDER_MODE_LEFT, 100, 16, 1, CRect(360, 273, 500, 309)},
      {AIRBLADDER_MODE_BOTTOM, 100, 16, 1, CRect(475, 300, 615, 346)},
      {AIRBLADDER_MODE_TOP, 101, 16, 1, CRect(435, 264, 566, 300)},
      {AIRBLADDER_MODE_RIGHT_RAISED, 100, 16, 4, CRect(500, 290, 640, 319)},
      {AIRBLADDER_MODE_RIGHT, 100, 16, 2, CRect(500, 300, 640, 352)},  // two lines: twice the height
      {static_cast<AIRBLADDER_MODE>(9), 100, 16, 1, CRect()},
  };
  for (const Row& r : rows)
    EXPECT_EQ(r.expected, BalloonRect(POINT{500, 300}, r.w, r.h, r.lines, r.mode)) << r.mode;
}

// Near a screen edge the balloon slides back onto the screen; its size never changes.
TEST(BalloonPlacement, KeptInsideTheWorkAreaNearItsEdges) {
  const CRect screen(0, 0, 1600, 900);
  struct Row {
    AIRBLADDER_MODE mode;
    POINT anchor;
    CRect expected;
  } rows[] = {
      {AIRBLADDER_MODE_RIGHT, {1590, 300}, CRect(1460, 300, 1600, 336)},  // off the right edge
      {AIRBLADDER_MODE_LEFT, {10, 300}, CRect(0, 273, 140, 309)},         // off the left edge
      {AIRBLADDER_MODE_BOTTOM, {500, 890}, CRect(475, 854, 615, 900)},    // off the bottom
      {AIRBLADDER_MODE_TOP, {500, 5}, CRect(435, 0, 566, 36)},            // off the top
      {AIRBLADDER_MODE_TOP, {5, 5}, CRect(0, 0, 131, 36)},                // a corner
      {AIRBLADDER_MODE_RIGHT, {500, 300}, CRect(500, 300, 640, 336)},     // inside: unchanged
  };
  for (const Row& r : rows) {
    const int w = r.mode == AIRBLADDER_MODE_TOP ? 101 : 100;
    EXPECT_EQ(r.expected, KeepInside(BalloonRect(r.anchor, w, 16, 1, r.mode), screen)) << r.mode;
  }
  EXPECT_EQ(CRect(0, 0, 2000, 50), KeepInside(CRect(-100, 0, 1900, 50), screen))
      << "wider than the screen: the left edge wins";
}

TEST(BalloonText, LineFeedsCountLinesAndCentreOnlyOneLineOrAbove) {
  MAirBladder balloon;
  balloon.SetAirBladderMsg(L"one line", POINT{100, 100}, AIRBLADDER_TYPE_HOVER, AIRBLADDER_MODE_RIGHT);
  EXPECT_EQ(1, balloon.GetLineCount());
  EXPECT_EQ(1, balloon.IsCentred());
  balloon.SetAirBladderMsg(L"first\nsecond", POINT{100, 100}, AIRBLADDER_TYPE_HOVER, AIRBLADDER_MODE_RIGHT);
  EXPECT_EQ(2, balloon.GetLineCount());
  EXPECT_EQ(0, balloon.IsCentred()) << "near alignment for several lines";
  balloon.SetAirBladderMsg(L"first\nsecond", POINT{100, 100}, AIRBLADDER_TYPE_HOVER, AIRBLADDER_MODE_TOP);
  EXPECT_EQ(1, balloon.IsCentred()) << "above the anchor: centred";
  balloon.SetAirBladderMsg(nullptr, POINT{1, 1}, AIRBLADDER_TYPE_KEEP, AIRBLADDER_MODE_LEFT);
  EXPECT_EQ(CString(L""), balloon.GetText()) << "null is an empty text";
}

TEST(TipMessages, KeyTipIgnoresAMessageWithTheSameFirstLineAndPoint) {
  CKeyboardTips tip;
  tip.SetAirBladderMsg(L"Esc", L"Escape", nullptr, nullptr, POINT{10, 10});
  EXPECT_EQ(AIRBLADDER_MODE_TOP, tip.GetMode());
  EXPECT_EQ(AIRBLADDER_TYPE_HOVER, tip.GetType());
  tip.SetAirBladderMsg(L"Esc", L"Other", L"3", L"4", POINT{10, 10});
  EXPECT_EQ(CString(L"Escape"), tip.GetLine(1));
  EXPECT_EQ(CString(L""), tip.GetLine(2));
  tip.SetAirBladderMsg(L"Esc", L"Other", L"3", L"4", POINT{11, 10});
  EXPECT_EQ(CString(L"Other"), tip.GetLine(1));
  EXPECT_EQ(CString(L"4"), tip.GetLine(3));
}
