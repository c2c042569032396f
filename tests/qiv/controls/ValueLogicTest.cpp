// Slider, spin box and progress bar without a window: value mapping, texts, stepping.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "controls/MProgress.h"
#include "controls/MSlider.h"
#include "controls/MSpinButton.h"

using namespace qivtest;

TEST(SliderTest, ValueMappingTable) {
  struct Case {
    int dx, minimum, maximum, travel, value;
  } cases[] = {
      {50, 0, 10, 100, 5},     // 50 x 11 / 100
      {91, 0, 10, 100, 10},    // the maximum before the end of the travel
      {100, 0, 10, 100, 10},
      {-20, 0, 10, 100, 0},
      {0, 1, 6, 160, 1},
      {80, 1, 6, 160, 4},
      {500, 1, 6, 160, 6},
      {50, 5, 5, 100, -1},     // no span: the pointer is ignored
      {50, 9, 3, 100, -1},     // maximum below minimum
      {50, 0, 10, 0, -1},      // no travel
      {50, 0, 10, -40, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.value, MSlider::ValueAt(c.dx, c.minimum, c.maximum, c.travel, -1))
        << c.dx << " in " << c.minimum << ".." << c.maximum << " over " << c.travel;

  struct Thumb {
    int value, minimum, maximum, travel, x;
  } thumbs[] = {{10, 0, 10, 100, 100}, {5, 0, 10, 100, 50}, {0, 0, 10, 100, 0}, {15, 0, 10, 100, 100},
                {5, 5, 5, 100, 0},     {5, 0, 10, 0, 0},    {5, 0, 10, -9, 0}};
  for (const Thumb& t : thumbs)
    EXPECT_EQ(t.x, MSlider::ThumbOffset(t.value, t.minimum, t.maximum, t.travel)) << t.value;
  EXPECT_EQ(100, MSlider::Travel(176, 16, 1));
  EXPECT_EQ(160, MSlider::Travel(176, 16, 0));
}

TEST(SliderTest, TextFormats) {
  struct Case {
    const wchar_t* title;
    int value, maximum;
    const wchar_t* text;
  } cases[] = {{L"", 57, 100, L"57%"}, {L"", 5, 6, L"5"},       {L"", 128, 255, L"50%"},
               {L"", 20, 20, L"20"},   {L"", 21, 21, L"100%"},  {L"Speed ", 3, 6, L"Speed 3"},
               {L"", 0, 255, L"0%"},   {L"", 255, 255, L"100%"}};
  for (const Case& c : cases) EXPECT_EQ(CString(c.text), MSlider::ValueText(c.title, c.value, c.maximum));
}

TEST(SliderTest, PressDragReleaseAndWheel) {
  RecordingParent owner;
  MSlider slider(&owner, 129, CRect(10, 10, 186, 30), 1, 1);  // 176 wide: travel 100
  EXPECT_EQ(0, slider.GetProgress());
  EXPECT_EQ(CRect(10, 10, 26, 26), slider.GetThumbRect());
  EXPECT_EQ(10, slider.SetProgress(15)) << "cut to the maximum";
  EXPECT_EQ(CRect(110, 10, 126, 26), slider.GetThumbRect());
  EXPECT_EQ(10, slider.SetProgress(-1)) << "a negative value changes nothing";
  EXPECT_TRUE(owner.notices.empty()) << "values set from code are not notified";

  slider.OnControlLButtonDown(MK_LBUTTON, CPoint(60, 15));
  EXPECT_EQ(5, slider.GetProgress());
  EXPECT_EQ(2, slider.GetThumbState()) << "the thumb moved under the pointer";
  slider.OnControlMouseMove(MK_LBUTTON, CPoint(80, 15));
  EXPECT_EQ(7, slider.GetProgress());
  slider.OnControlLButtonUp(0, CPoint(80, 15));
  ASSERT_EQ(3u, owner.notices.size());
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_POSITION), owner.notices[0].code);
  EXPECT_EQ(5u, owner.notices[0].wParam);
  EXPECT_EQ(7u, owner.notices[1].wParam);
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_CLICK), owner.notices[2].code);

  owner.notices.clear();
  slider.SetProgress(0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(1, slider.OnControlScroll(1, 1, CPoint()));
  EXPECT_TRUE(owner.notices.empty()) << "at the minimum the wheel towards the user changes nothing";
  slider.OnControlScroll(1, 0, CPoint());
  EXPECT_EQ(1, slider.GetProgress());
  ASSERT_EQ(1u, owner.notices.size());
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_CLICK), owner.notices[0].code);
}

TEST(SliderTest, NoSpanOrTravelIgnoresThePointer) {
  RecordingParent owner;
  MSlider flat(&owner, 1, CRect(0, 0, 176, 20), 1, 1);
  flat.SetMinProgress(4);
  flat.SetMaxProgress(4);
  flat.SetProgress(4);
  EXPECT_EQ(4, flat.MoveThumbPos(CPoint(90, 5)));
  MSlider narrow(&owner, 2, CRect(0, 0, 50, 20), 1, 1);  // 50 - 16 - 60 < 0
  EXPECT_EQ(0, narrow.MoveThumbPos(CPoint(40, 5)));
  EXPECT_EQ(CRect(0, 0, 16, 16), narrow.GetThumbRect());
  EXPECT_TRUE(owner.notices.empty());
  MSlider none(&owner, 3, CRect(0, 0, 176, 20), 1, 1);
  none.SetMaxProgress(0);
  none.SetControlRect(CRect(5, 5, 50, 50));
  EXPECT_EQ(CRect(0, 0, 176, 20), none.GetRect()) << "a slider without a maximum keeps its rectangle";
}

TEST(SpinTest, WrapDigitAndBackspaceRules) {
  struct Digit {
    int value, digit, limit, minimum, maximum, result;
  } digits[] = {
      {42, 5, 3, 1, 100, 1},     // 425 > 100 wraps to the minimum
      {100, 7, 3, 1, 100, 7},    // 1007 is longer than 3 digits: the digit alone
      {4, 2, 3, 1, 100, 42},
      {0, 0, 3, 1, 100, 100},    // 00 = 0 < minimum wraps to the maximum
      {25, 5, 3, 0, 255, 255},
      {25, 6, 3, 0, 255, 0},
      {999999999, 9, 3, 0, 255, 9},
      {1, 2, 20, 0, 255, 12},
  };
  for (const Digit& d : digits)
    EXPECT_EQ(d.result, MSpinButton::TypeDigit(d.value, d.digit, d.limit, d.minimum, d.maximum))
        << d.value << " + " << d.digit;
  struct Back {
    int value, result;
  } backs[] = {{7, 0}, {255, 25}, {10, 1}, {9, 0}, {-4, 0}};
  for (const Back& b : backs) EXPECT_EQ(b.result, MSpinButton::Backspace(b.value)) << b.value;
  EXPECT_EQ(1, MSpinButton::Wrap(101, 1, 100));
  EXPECT_EQ(100, MSpinButton::Wrap(0, 1, 100));
  EXPECT_EQ(50, MSpinButton::Wrap(50, 1, 100));
}

TEST(SpinTest, KeysButtonsAndNotifications) {
  RecordingParent owner;
  MSpinButton spin(&owner, 654, CRect(0, 0, 60, 24), 1, 1);
  spin.SetCurValue(100);
  EXPECT_EQ(0, spin.OnControlKeyDown(VK_UP, 1, 0)) << "keys need the focus";
  spin.SetControlFocus(1);
  EXPECT_EQ(1, spin.OnControlKeyDown(VK_UP, 1, 0));
  EXPECT_EQ(1, spin.GetCurValue()) << "100 + 1 wraps";
  EXPECT_EQ(1, spin.OnControlKeyDown(VK_SUBTRACT, 1, 0));
  EXPECT_EQ(100, spin.GetCurValue());
  spin.OnControlKeyDown(VK_NUMPAD7, 1, 0);
  EXPECT_EQ(7, spin.GetCurValue());
  spin.OnControlKeyDown('3', 1, 0);
  EXPECT_EQ(73, spin.GetCurValue());
  EXPECT_EQ(1, spin.OnControlKeyDown(VK_LEFT, 1, 0)) << "consumed";
  EXPECT_EQ(0, spin.OnControlKeyDown('A', 1, 0));
  EXPECT_EQ(4u, owner.notices.size()) << "each step and digit notifies";
  spin.SetCurValue(5);
  spin.OnControlKeyDown(VK_BACK, 1, 0);
  EXPECT_EQ(0, spin.GetCurValue());
  spin.OnControlKeyDown(VK_BACK, 1, 0);
  EXPECT_EQ(5u, owner.notices.size()) << "Backspace notifies only a change";
  EXPECT_EQ(1, spin.OnMessage(MSpinButton::kDownId, NOTIFY_CLICK, 0, 0));
  EXPECT_EQ(100, spin.GetCurValue()) << "0 - 1 is below the minimum 1: the maximum";
  EXPECT_EQ(0, spin.OnMessage(MSpinButton::kUpId, NOTIFY_LBUTTONDOWN, 0, 0));
  EXPECT_EQ(0, spin.OnMessage(7, NOTIFY_CLICK, 0, 0));
  ASSERT_EQ(6u, owner.notices.size());
  for (const Notice& n : owner.notices) {
    EXPECT_EQ(654u, n.id);
    EXPECT_EQ(static_cast<unsigned>(NOTIFY_VALUE_CHANGED), n.code);
  }
}

TEST(ProgressTest, StepsTextAndFill) {
  RecordingParent owner;
  MProgress bar(&owner, 32, CRect(0, 0, 200, 20), 1, 1);
  EXPECT_EQ(42, bar.SetProgress(42));
  EXPECT_EQ(L"42%", bar.GetValueText());
  bar.SetMaxProgress(50);
  EXPECT_EQ(L"42", bar.GetValueText());
  EXPECT_EQ(50, bar.SetProgress(70)) << "cut to the maximum";
  EXPECT_EQ(50, bar.SetProgress(-3));

  struct Fill {
    int width, progress, maximum, fill;
  } fills[] = {{200, 42, 100, 84}, {200, 0, 100, 0}, {200, 100, 100, 200}, {200, 5, 0, 0}, {200, 5, -4, 0}};
  for (const Fill& f : fills) EXPECT_EQ(f.fill, MProgress::FillWidth(f.width, f.progress, f.maximum)) << f.maximum;

  bar.SetMaxProgress(10);
  EXPECT_EQ(1, bar.SetRun(1, 8));
  EXPECT_EQ(8, bar.GetProgress());
  int steps = 0;
  for (int tick = 1; tick <= 9; ++tick) steps += bar.OnControlTimer();
  EXPECT_EQ(3, steps) << "one step every third tick";
  EXPECT_EQ(1, bar.GetProgress()) << "9 wraps to 0, then 1";
  EXPECT_EQ(1, bar.SetRun(1, 99)) << "an out-of-range value leaves the progress";
  EXPECT_EQ(1, bar.GetProgress());

  bar.SetEnabled(0);
  EXPECT_EQ(1, bar.SetRun(0, 3)) << "a disabled bar keeps its running flag";
  EXPECT_EQ(1, bar.SetProgress(4));
  bar.SetVisible(0);
  EXPECT_EQ(0, bar.OnControlTimer()) << "a hidden bar does not animate";
  EXPECT_FALSE(bar.SetBackGroundImage(L"bar.png")) << "no window, no picture";
}
