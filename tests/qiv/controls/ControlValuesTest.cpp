// Values, geometry and refusals of the controls without a window: the level control, the
// swatch grid, areas, pictures (the GIF fixture), the timer button on a test clock, the
// edit field's text area, and frame counts below 1.
#include <gtest/gtest.h>
#include <memory>
#include "ControlsTestSupport.h"
#include "controls/CArea.h"
#include "controls/CGifPicture.h"
#include "controls/CIconButton.h"
#include "controls/CSliderPicture.h"
#include "controls/CSwitchButton.h"
#include "controls/CTimerButton.h"
#include "controls/ColorView.h"
#include "controls/DownloadButton.h"
#include "controls/MButton.h"
#include "controls/MEdit.h"
#include "controls/MLevelCtrl.h"
#include "controls/MPicture.h"
#include "qiv/core/SkinFiles.h"

using qivtest::RecordingParent;

TEST(LevelControl, CellsAndClicks) {
  EXPECT_EQ(16, LevelCells::For(400, 0, 15).count);
  EXPECT_EQ((400 - 80) / 16, LevelCells::For(400, 0, 15).width);
  EXPECT_EQ(0, LevelCells::For(400, 5, 4).count) << "an empty range has no cells";

  RecordingParent parent;
  MLevelCtrl level(&parent, 3, CRect(100, 50, 500, 80), 1, 1);  // cells 20 wide, 25 apart
  level.SetLevelValue(20);
  EXPECT_EQ(15, level.GetLevelValue());
  level.SetLevelValue(-3);
  EXPECT_EQ(0, level.GetLevelValue());
  parent.updates.clear();
  level.SetLevelValue(0);
  EXPECT_TRUE(parent.updates.empty()) << "the same value does nothing";

  struct Click {
    CPoint at;
    int level;
    size_t notices;
  } clicks[] = {
      {{100 + 2 * 25 + 5, 55}, 2, 1},   // third cell
      {{100 + 2 * 25 + 5, 55}, 2, 1},   // again: unchanged, nothing sent
      {{100 + 22, 55}, 2, 1},           // the gap between cells
      {{100 + 5, 70}, 2, 1},            // below the cell row
      {{100 + 15 * 25 + 1, 51}, 15, 2}, // last cell
  };
  for (const Click& c : clicks) {
    EXPECT_EQ(1, level.OnControlLButtonUp(0, c.at));
    EXPECT_EQ(c.level, level.GetLevelValue());
    EXPECT_EQ(c.notices, parent.notices.size());
  }
  EXPECT_EQ(2u, parent.notices[0].code);
  EXPECT_EQ(2u, parent.notices[0].wParam);

  level.SetRangeValue(5, 10);
  EXPECT_EQ(15, level.GetLevelValue()) << "the range does not clamp the stored level";
}

// A maximum below the minimum gives no cells to divide by: clicks change nothing.
TEST(LevelControl, EmptyRangeIgnoresClicks) {
  RecordingParent parent;
  MLevelCtrl level(&parent, 3, CRect(0, 0, 400, 30), 1, 1);
  level.SetRangeValue(10, 4);
  for (int x = 0; x < 400; x += 7) level.OnControlLButtonUp(0, CPoint(x, 5));
  EXPECT_EQ(0, level.GetLevelValue());
  EXPECT_TRUE(parent.notices.empty());
  level.SetRangeValue(0, -1);  // n = 0
  level.OnControlLButtonUp(0, CPoint(3, 3));
  EXPECT_TRUE(parent.notices.empty());
}

TEST(SwatchGrid, HoverAndChoice) {
  RecordingParent parent;
  ColorView grid(&parent, 4, CRect(100, 100, 340, 280), 1, 1);
  EXPECT_EQ(0, grid.GetItemCount());
  grid.InitColorView();
  EXPECT_EQ(48, grid.GetItemCount());
  EXPECT_EQ(0x1C1CB7, grid.GetSelectColor());

  grid.OnControlMouseMove(0, CPoint(100 + 11 + 28 + 5, 100 + 10 + 5));  // second swatch
  EXPECT_EQ(1, grid.GetHoverIndex());
  grid.OnControlMouseMove(0, CPoint(100 + 11 + 22 + 3, 100 + 10 + 5));  // gap
  EXPECT_EQ(-1, grid.GetHoverIndex());
  grid.OnControlLButtonUp(0, CPoint(100 + 36, 115));
  EXPECT_TRUE(parent.notices.empty()) << "a click on a gap sends nothing";

  grid.OnControlMouseMove(0, CPoint(100 + 11 + 7 * 28 + 1, 100 + 10 + 5 * 28 + 1));  // last swatch
  EXPECT_EQ(47, grid.GetHoverIndex());
  parent.updates.clear();
  grid.OnControlLButtonUp(0, CPoint(0, 0));
  ASSERT_EQ(1u, parent.notices.size());
  EXPECT_EQ(2u, parent.notices[0].code);
  EXPECT_EQ(static_cast<int>(RGB(0xFF, 0xF4, 0xB2)), grid.GetSelectColor());
  EXPECT_EQ(47, grid.GetSelectIndex());
  EXPECT_TRUE(parent.updates.empty()) << "the choice shows at the next repaint";

  grid.InitColorView();  // appended after the first 48
  EXPECT_EQ(96, grid.GetItemCount());
  grid.OnControlMouseMove(0, CPoint(100 + 15, 100 + 15));
  EXPECT_EQ(0, grid.GetHoverIndex()) << "hit tests find the first copy";
  grid.ClearAllItem();
  EXPECT_EQ(0, grid.GetItemCount());
  EXPECT_EQ(-1, grid.GetSelectIndex());
  EXPECT_EQ(static_cast<int>(RGB(0xFF, 0xF4, 0xB2)), grid.GetSelectColor()) << "the colour stays";

  grid.InitColorView();
  grid.SetEnabled(0);
  EXPECT_EQ(0, grid.OnControlMouseMove(0, CPoint(115, 115)));
  EXPECT_EQ(-1, grid.GetHoverIndex());
}

TEST(Pictures, ShowModeChangesAndFailedLoads) {
  qivtest::SkinFolder skins;
  skins.Solid(L"pic.png", 20, 10, 0xFF00FF00);
  RecordingParent parent;
  MPicture picture(&parent, 5, CRect(0, 0, 50, 50), 1, 1);
  EXPECT_EQ(1, picture.SetShowMode(SHOWMODE_NINEGRID, 4));
  EXPECT_EQ(1, picture.SetShowMode(SHOWMODE_NINEGRID, 6)) << "mode 3 with another corner";
  EXPECT_EQ(0, picture.SetShowMode(SHOWMODE_NINEGRID, 6));
  EXPECT_EQ(1, picture.SetShowMode(SHOWMODE_STRETCH, 0));
  EXPECT_EQ(0, picture.SetShowMode(SHOWMODE_STRETCH, 9));
  EXPECT_EQ(0, picture.GetModeParam()) << "unchanged mode keeps its parameter";

  EXPECT_EQ(1, picture.SetImage(L"pic.png", 2));
  EXPECT_EQ(CSize(10, 10), picture.GetImageSize());
  EXPECT_EQ(0, picture.SetImage(L"pic.png", 0)) << "no frames to divide by";
  EXPECT_NE(nullptr, picture.GetImage()) << "a refused count keeps the picture";

  const CString missing = GetSkinsFolder() + L"missing.png";
  EXPECT_EQ(0, picture.SetImageFile(missing, 0, 0));
  EXPECT_NE(nullptr, picture.GetImage()) << "a missing file keeps the old picture";
  const CString garbage = GetSkinsFolder() + L"garbage.png";
  {
    HANDLE f = ::CreateFileW(garbage, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(f, "not a picture", 13, &written, nullptr);
    ::CloseHandle(f);
  }
  EXPECT_EQ(0, picture.SetImageFile(garbage, 0, 0));
  EXPECT_EQ(nullptr, picture.GetImage()) << "an undecodable file leaves no picture";
  ::DeleteFileW(garbage);
}

TEST(Pictures, GifFramesAdvanceEveryFifthTick) {
  RecordingParent parent;
  CGifPicture gif(&parent, 6, CRect(0, 0, 16, 16), 1, 1);
  EXPECT_EQ(0, gif.SetRunState(1, 0)) << "no picture";
  ASSERT_EQ(1, gif.SetImageFile(ctltest::FixturePath(L"anim3.gif")));
  EXPECT_EQ(3, gif.GetFrameCount());
  EXPECT_EQ(1, gif.SetRunState(1, 0));
  std::vector<int> frames;
  for (int tick = 1; tick <= 16; ++tick) {
    gif.OnControlTimer();
    frames.push_back(gif.GetCurrentFrame());
  }
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 0, 0}), frames);
  gif.SetRunState(0, 1);
  gif.OnControlTimer();
  EXPECT_EQ(1, gif.GetCurrentFrame()) << "stopped";

  CGifPicture still(&parent, 7, CRect(0, 0, 16, 16), 1, 1);
  ASSERT_EQ(1, still.SetImageFile(ctltest::FixturePath(L"still.png")));
  EXPECT_EQ(1, still.GetFrameCount());
  EXPECT_EQ(0, still.SetRunState(1, 0)) << "a single frame does not animate";
  EXPECT_EQ(0, still.SetImageFile(ctltest::FixturePath(L"none.gif")));
}

TEST(Pictures, GifAnimatesWhileHoveredWhenAsked) {
  RecordingParent parent;
  CGifPicture gif(&parent, 6, CRect(0, 0, 16, 16), 1, 1);
  ASSERT_EQ(1, gif.SetImageFile(ctltest::FixturePath(L"anim3.gif")));
  gif.OnControlMouseMove(0, CPoint(5, 5));
  EXPECT_EQ(0, gif.IsRunning()) << "hover animation is off by default";
  gif.SetMouseMoveActive(true);
  gif.OnControlMouseMove(0, CPoint(5, 5));
  EXPECT_EQ(1, gif.IsRunning());
  gif.OnControlMouseMove(0, CPoint(50, 5));
  EXPECT_EQ(0, gif.IsRunning());
}

TEST(Pictures, SliderRevealStepsAndStops) {
  RecordingParent parent;
  CSliderPicture slider(&parent, 8, CRect(10, 20, 210, 70), 1, 1);  // 200 x 50
  EXPECT_EQ(1, slider.SetRun(1, SLIDER_LEFT_TO_RIGHT));
  EXPECT_EQ(0, slider.GetPosition());
  EXPECT_EQ(200, slider.GetEndPosition());
  int ticks = 0;
  while (slider.IsRunning() && ticks < 1000) {
    slider.OnControlTimer();
    ++ticks;
  }
  EXPECT_EQ(100, ticks) << "two pixels (1/100 of the width) per tick";
  slider.SetRun(1, SLIDER_RIGHT_TO_LEFT);
  EXPECT_EQ(210, slider.GetPosition());
  slider.OnControlTimer();
  EXPECT_EQ(208, slider.GetPosition());
  slider.SetRun(1, SLIDER_TOP_TO_BOTTOM);
  EXPECT_EQ(20, slider.GetPosition());
  EXPECT_EQ(70, slider.GetEndPosition());

  CSliderPicture narrow(&parent, 9, CRect(0, 0, 99, 50), 1, 1);
  narrow.SetRun(1, SLIDER_LEFT_TO_RIGHT);
  for (int i = 0; i < 50; ++i) narrow.OnControlTimer();
  EXPECT_EQ(0, narrow.GetPosition()) << "narrower than 100: a step of 0";
  EXPECT_EQ(1, narrow.IsRunning());
  EXPECT_EQ(0, narrow.SetRun(0, SLIDER_LEFT_TO_RIGHT));
  narrow.SetEnabled(0);
  EXPECT_EQ(0, narrow.SetRun(1, SLIDER_LEFT_TO_RIGHT)) << "disabled: only the running flag";
}

namespace {
DWORD g_now = 0;
DWORD WINAPI TestClock() { return g_now; }
}  // namespace

TEST(TimerButton, CountsDownAndClicksByItself) {
  RecordingParent parent;
  CTimerButton button(&parent, 9, CRect(0, 0, 100, 30), L"Retry", 1, 1);
  button.SetClock(TestClock);
  g_now = 100000;
  EXPECT_EQ(1, button.SetRun(1));
  EXPECT_EQ(CString(L"Retry(10s)"), button.GetShownTitle());
  parent.updates.clear();
  struct Tick {
    DWORD at;
    size_t repaints;
    const wchar_t* title;
  } ticks[] = {
      {100500, 1, L"Retry(10s)"},  // first tick repaints (no repaint yet)
      {101000, 1, L"Retry(9s)"},   // within 800 ms of the last repaint
      {101400, 2, L"Retry(9s)"},
      {105100, 3, L"Retry(5s)"},
      {110000, 4, L"Retry(0s)"},   // 10 s exactly: not over yet
  };
  for (const Tick& t : ticks) {
    g_now = t.at;
    EXPECT_EQ(1, button.OnControlTimer());
    EXPECT_EQ(t.repaints, parent.updates.size()) << t.at;
    EXPECT_EQ(CString(t.title), button.GetShownTitle());
  }
  EXPECT_TRUE(parent.notices.empty());
  g_now = 110900;
  button.OnControlTimer();
  ASSERT_EQ(1u, parent.notices.size());
  EXPECT_EQ(2u, parent.notices[0].code);
  EXPECT_EQ(0, button.IsRunning());
  EXPECT_EQ(CString(L"Retry"), button.GetShownTitle());
  EXPECT_EQ(0, button.OnControlTimer());

  button.SetRun(1);
  button.OnLButtonDown(MK_LBUTTON, CPoint(5, 5));
  button.OnLButtonUp(0, CPoint(5, 5));
  EXPECT_EQ(0, button.IsRunning()) << "a click stops the countdown";
  EXPECT_EQ(3u, parent.notices.size());
  button.SetEnabled(0);
  EXPECT_EQ(0, button.SetRun(1)) << "a disabled button cannot be started";
}

TEST(EditField, TextAreaAndNullTexts) {
  RecordingParent parent;
  MEdit edit(&parent, 10, CRect(0, 0, 200, 40), L"Name", 1, 1);
  EXPECT_EQ(14, edit.GetFontWidth());
  EXPECT_EQ(CRect(6, 12, 194, 28), edit.CalcTextRect(1)) << "a 16 pixel band from top + 12";
  edit.EnableMultLine(1);
  EXPECT_EQ(CRect(6, 5, 194, 35), edit.CalcTextRect(1));
  edit.EnableMultLine(0);
  // A computed text area follows the control when it moves (the custom one stays put).
  edit.CalcTextRect(1);
  edit.SetRect(CRect(100, 100, 300, 140));
  EXPECT_EQ(CRect(106, 112, 294, 128), edit.CalcTextRect(0));
  edit.SetTextRect(CRect(20, 0, 60, 40));
  EXPECT_EQ(CRect(20, 0, 60, 40), edit.GetTextRect());

  edit.SetControlTitle(L"abc");
  edit.SetControlTitle(nullptr);
  EXPECT_EQ(CString(L""), edit.GetTitleEx()) << "null is an empty text";
  edit.SetEditText(L"x");
  edit.SetEditText(nullptr);
  EXPECT_EQ(CString(L""), edit.GetTitleEx());
  EXPECT_EQ(0x222527u, edit.GetEditBKColor());
  EXPECT_EQ(static_cast<wchar_t>(0xA1F1), edit.GetPassWordChar());
  EXPECT_EQ(120, edit.GetLimitText());
  EXPECT_EQ(RGB(5, 5, 5), edit.GetEditTextColor());
  EXPECT_EQ(1, edit.IsTabStop());
}

// Counts below 1 would divide by zero when a strip is split into frames.
TEST(FrameCounts, CountsBelowOneAreRefused) {
  qivtest::SkinFolder skins;
  skins.Solid(L"strip.png", 40, 10, 0xFF336699);
  RecordingParent parent;
  MButton button(&parent, 1, CRect(0, 0, 40, 20), L"", 1, 1);
  CIconButton icon(&parent, 2, CRect(0, 0, 40, 20), L"", 1, 1);
  DownloadButton download(&parent, 3, CRect(0, 0, 40, 20), L"", 1, 1);
  MEdit edit(&parent, 4, CRect(0, 0, 40, 20), L"", 1, 1);
  CSwitchButton sw(&parent, 5, CRect(0, 0, 40, 20), 1, 1);
  for (int frames : {0, -2}) {
    EXPECT_EQ(0, button.SetIconImage(L"strip.png", frames));
    EXPECT_EQ(0, icon.SetIconImage(L"strip.png", frames));
    EXPECT_EQ(0, download.SetIconImage(L"strip.png", frames));
    EXPECT_EQ(0, edit.SetIconImage(L"strip.png", frames));
    EXPECT_EQ(0, sw.SetImage(L"strip.png", L"strip.png", frames));
  }
  EXPECT_EQ(nullptr, button.GetIconImage());
  EXPECT_EQ(1, button.SetIconImage(L"strip.png", 4));
  EXPECT_EQ(CSize(10, 10), button.GetIconFrameSize());
  EXPECT_EQ(1, edit.SetIconImage(L"strip.png", 4));
  EXPECT_EQ(CRect(21, 5, 31, 15), edit.GetIconRect());
}

// The switch reports success only when both strips loaded.
TEST(FrameCounts, SwitchNeedsBothStrips) {
  qivtest::SkinFolder skins;
  skins.Solid(L"on.png", 40, 10, 0xFF00FF00);
  RecordingParent parent;
  CSwitchButton sw(&parent, 5, CRect(0, 0, 40, 20), 1, 1);
  EXPECT_EQ(0, sw.SetImage(L"on.png", L"off_missing.png", 4));
  EXPECT_EQ(0, sw.SetImage(L"on_missing.png", L"on.png", 4));
  EXPECT_EQ(1, sw.SetImage(L"on.png", L"on.png", 4));
}

TEST(Areas, SettersRepaintRoundFlagWaits) {
  RecordingParent parent;
  CArea area(&parent, 1, CRect(0, 0, 50, 50), 1, 1);
  area.SetTransparent(0, 0, RGB(10, 20, 30));
  area.SetFrame(1, Gdiplus::Color(0xFF000000), 0);
  EXPECT_EQ(2u, parent.updates.size());
  EXPECT_EQ(1, parent.updates.back().redraw);
  CRoundArea round(&parent, 2, CRect(0, 0, 50, 50), 1, 1);
  round.SetRound(0);
  EXPECT_EQ(2u, parent.updates.size()) << "SetRound asks for no repaint";
  round.SetColor(Gdiplus::Color(0x80000000));
  EXPECT_EQ(3u, parent.updates.size());
}
