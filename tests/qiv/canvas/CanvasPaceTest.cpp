// When a stepped canvas may ask its window for the next picture: never while the last one
// is still to be painted or is being painted, and only after the window has had time for
// its input since.
#include <gtest/gtest.h>

#include <vector>
#include "canvas/PicturePace.h"

namespace {
enum Op { kAsk, kPaintStart, kPaintEnd };
struct Step {
  Op op;
  double at;
  bool windowHasPaint = false;  // for kAsk
  bool granted = false;         // expected answer of kAsk
};
struct Case {
  const char* what;
  std::vector<Step> steps;
};
constexpr double kIdle = PicturePace::kMinIdleMs;
}  // namespace

TEST(CanvasPace, AskingFollowsThePaintsAndLeavesTheWindowTimeInBetween) {
  const Case cases[] = {
      {"the first picture is asked for at once", {{kAsk, 0, false, true}}},
      {"steps while the picture waits for its paint ask nothing more",
       {{kAsk, 0, false, true}, {kAsk, 16, true, false}, {kAsk, 32, true, false}}},
      {"no ask while the picture is painted, however long it takes",
       {{kAsk, 0, false, true}, {kPaintStart, 10}, {kAsk, 16, false, false}, {kAsk, 300, false, false}}},
      {"right after a paint the window gets its turn first",
       {{kAsk, 0, false, true},
        {kPaintStart, 10},
        {kPaintEnd, 12},
        {kAsk, 12, false, false},
        {kAsk, 12 + kIdle - 0.5, false, false},
        {kAsk, 12 + kIdle, false, true}}},
      {"after a slow paint the window gets as long as the paint took",
       {{kAsk, 0, false, true},
        {kPaintStart, 10},
        {kPaintEnd, 250},
        {kAsk, 256, false, false},
        {kAsk, 489, false, false},
        {kAsk, 490, false, true}}},
      {"a request that found nothing to paint is asked again",
       {{kAsk, 0, false, true}, {kAsk, 16, false, true}}},
      {"another control's paint pending does not hold back a new picture",
       {{kAsk, 0, false, true}, {kPaintStart, 1}, {kPaintEnd, 2}, {kAsk, 40, true, true}}},
      {"a paint end without its start changes nothing",
       {{kAsk, 0, false, true}, {kPaintEnd, 1}, {kAsk, 2, true, false}}},
  };
  for (const Case& c : cases) {
    PicturePace pace;
    int n = 0;
    for (const Step& s : c.steps) {
      ++n;
      switch (s.op) {
        case kAsk: EXPECT_EQ(pace.Ask(s.at, s.windowHasPaint), s.granted) << c.what << ", step " << n; break;
        case kPaintStart: pace.PaintStarted(s.at); break;
        case kPaintEnd: pace.PaintEnded(s.at); break;
      }
    }
  }
}
