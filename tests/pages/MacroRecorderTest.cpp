#include <gtest/gtest.h>
#include <map>
#include <vector>
#include "pages/HookInput.h"
#include "pages/MacroRecorder.h"
#include "pages/MacroStepList.h"

namespace {

// A clock the test moves by hand.
struct ManualClock {
  DWORD now = 1000;
  MacroRecorder::Clock Fn() {
    return [this] { return now; };
  }
};

InputEvent Key(int vk, int up, const wchar_t* name) { return InputEvent{kInputKeyboard, up, vk, name}; }
InputEvent Mouse(int bit, int up, const wchar_t* name) { return InputEvent{kInputMouse, up, bit, name}; }

// (text, type, key, time) of every row.
struct RowView {
  CString text;
  int type, key, time;
  bool operator==(const RowView&) const = default;
};
std::vector<RowView> View(const MacroStepList& list) {
  std::vector<RowView> out;
  for (const auto& r : list.Rows()) out.push_back({r.text, r.type, r.key, r.time});
  return out;
}
void PrintTo(const RowView& r, std::ostream* os) {
  *os << "{" << r.type << ", " << r.key << ", " << r.time << "}";
}

TEST(MacroRecorder, MeasuredDelaysGoToThePreviousStep) {
  ManualClock clock;
  MacroRecorder recorder(clock.Fn());
  MacroStepList rows;
  recorder.Start(MacroRecorder::kMeasuredDelay, 0, 100);
  recorder.Append(Key('A', 0, L"A"), rows);
  clock.now += 40;
  recorder.Append(Key('A', 1, L"A"), rows);
  recorder.Append(Mouse(1, 0, L"MouseL"), rows);  // same tick: the step keeps its 10 ms
  clock.now += 40000;
  recorder.Append(Mouse(1, 1, L"MouseL"), rows);  // 40 s: held to 31 s
  const std::vector<RowView> expected = {
      {L"\u2193  A", 2, 'A', 40},
      {L"\u2191  A", 3, 'A', 10},
      {L"\u2193  MouseL", 4, 1, 31000},
      {L"\u2191  MouseL", 5, 1, 10},
  };
  EXPECT_EQ(View(rows), expected);
}

TEST(MacroRecorder, NoDelayAndFixedDelay) {
  ManualClock clock;
  MacroRecorder recorder(clock.Fn());
  MacroStepList none;
  recorder.Start(MacroRecorder::kNoDelay, 500, 100);
  for (int up : {0, 1}) {
    clock.now += 700;
    recorder.Append(Key('B', up, L"B"), none);
  }
  EXPECT_EQ(none.Rows()[0].time, 10);
  EXPECT_EQ(none.Rows()[1].time, 10);

  // A fixed delay also reaches the step that was last before the recording started.
  MacroStepList fixed;
  fixed.AddRow(L"\u2191  Q", 3, 'Q', 10);
  recorder.Start(MacroRecorder::kFixedDelay, 250, 100);
  for (int up : {0, 1}) recorder.Append(Key('B', up, L"B"), fixed);
  ASSERT_EQ(fixed.Count(), 3);
  EXPECT_EQ(fixed.Rows()[0].time, 250);
  EXPECT_EQ(fixed.Rows()[1].time, 250);
  EXPECT_EQ(fixed.Rows()[2].time, 10);
}

TEST(MacroRecorder, WhatIsNotAStep) {
  ManualClock clock;
  MacroRecorder recorder(clock.Fn());
  MacroStepList rows;
  EXPECT_EQ(recorder.Append(Key('A', 0, L"A"), rows), MacroRecorder::Outcome::Ignored) << "not recording";
  recorder.Start(MacroRecorder::kNoDelay, 0, 100);
  EXPECT_EQ(recorder.Append(InputEvent{kInputNone, 0, 'A', L"A"}, rows), MacroRecorder::Outcome::Ignored);
  EXPECT_EQ(recorder.Append(InputEvent{kInputOther, 0, 1, L""}, rows), MacroRecorder::Outcome::Ignored);
  EXPECT_EQ(recorder.Append(Mouse(1, 0, L"MouseL"), rows, true), MacroRecorder::Outcome::Ignored)
      << "the click on the record button";
  EXPECT_EQ(recorder.Append(Key('A', 0, L"A"), rows, true), MacroRecorder::Outcome::Appended)
      << "a key is recorded wherever the cursor is";
  EXPECT_EQ(rows.Count(), 1);
}

TEST(MacroRecorder, BudgetOfTheMacroMemory) {
  const std::tuple<int, int, int> budgets[] = {
      {440, 90, 10}, {440, 0, 100}, {4224, 0, 1046}, {40, 0, 0}, {0, 0, -10}, {440, 120, -20},
  };
  for (auto [memory, stored, budget] : budgets) EXPECT_EQ(MacroRecorder::StepBudget(memory, stored), budget);

  // 100 steps of memory, 90 stored in other macros: the tenth event ends the recording.
  for (int mode : {MacroRecorder::kNoDelay, MacroRecorder::kMeasuredDelay, MacroRecorder::kFixedDelay}) {
    ManualClock clock;
    MacroRecorder recorder(clock.Fn());
    MacroStepList rows;
    recorder.Start(mode, 20, MacroRecorder::StepBudget(440, 90));
    for (int i = 0; i < 9; ++i) {
      clock.now += 5;
      EXPECT_EQ(recorder.Append(Key('A' + i, 0, L"k"), rows), MacroRecorder::Outcome::Appended) << mode;
    }
    clock.now += 5;
    EXPECT_EQ(recorder.Append(Key('Z', 0, L"Z"), rows), MacroRecorder::Outcome::AppendedFull) << mode;
    EXPECT_EQ(rows.EventCount(), 10);
  }
}

// The selected macro's own steps count against the budget as well; with a delay, an event
// that finds the budget already reached is not added.
TEST(MacroRecorder, FullBeforeTheEvent) {
  ManualClock clock;
  MacroRecorder recorder(clock.Fn());
  MacroStepList rows;
  for (int i = 0; i < 4; ++i) rows.AddRow(L"\u2193  A", 2, 'A', 10);
  rows.AddRow(L"50 ms", 1, 50, 0);  // a delay row is no event
  recorder.Start(MacroRecorder::kFixedDelay, 30, 4);
  EXPECT_EQ(recorder.Append(Key('B', 0, L"B"), rows), MacroRecorder::Outcome::Full);
  EXPECT_EQ(rows.Count(), 5);

  recorder.Start(MacroRecorder::kMeasuredDelay, 0, 4);  // the first event has no delay
  EXPECT_EQ(recorder.Append(Key('B', 0, L"B"), rows), MacroRecorder::Outcome::AppendedFull);
  EXPECT_EQ(rows.Count(), 6);
}

TEST(MacroStepList, ToStoredSteps) {
  MacroStepList rows;
  rows.AddRow(L"\u2193  A", 2, 'A', 40);
  rows.AddRow(L"100 ms", 1, 100, 0);
  rows.AddRow(L"\u2191  A", 3, 'A', 10);
  const auto steps = rows.ToSteps(7);
  ASSERT_EQ(steps.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(steps[i].macro_id, 7);
    EXPECT_EQ(steps[i].record_index, i);
  }
  EXPECT_EQ(steps[1].type, 1);
  EXPECT_EQ(steps[1].value, 100);
  EXPECT_EQ(steps[2].desc, L"\u2191  A");
  EXPECT_EQ(rows.EventCount(), 2);
}

// ---- what the hooks report ----

TEST(HookInput, KeypadKeysWhateverNumLock) {
  struct Case {
    unsigned vk, scan, flags;
    bool release;
    unsigned key;
  } cases[] = {
      {VK_HOME, 71, 0, false, 103},       // keypad 7, Num Lock off
      {VK_NUMPAD7, 71, 0, false, 103},    // Num Lock on
      {VK_HOME, 71, LLKHF_UP, true, 103},
      {VK_DELETE, 83, 0, false, 110},
      {VK_INSERT, 82, 0, false, 96},
      {VK_HOME, 71, LLKHF_EXTENDED, false, VK_HOME},  // the navigation block's Home
      {VK_HOME, 71, LLKHF_INJECTED, false, VK_HOME},  // only a plain key is remapped
      {VK_RETURN, 28, LLKHF_EXTENDED, false, 108},    // keypad Enter
      {VK_RETURN, 28, LLKHF_EXTENDED | LLKHF_UP, true, 108},
      {VK_RETURN, 28, 0, false, VK_RETURN},           // main Enter
      {'A', 30, 0, false, 'A'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HookInput::KeypadKey(c.vk, c.scan, c.flags, c.release), c.key) << c.vk << "/" << c.scan;
}

TEST(HookInput, KeyMessages) {
  KBDLLHOOKSTRUCT info{};
  InputEvent e;
  info.vkCode = VK_SHIFT;
  ASSERT_TRUE(HookInput::KeyEvent(WM_KEYDOWN, info, e));
  EXPECT_EQ(e.kind, kInputKeyboard);
  EXPECT_EQ(e.up, 0);
  EXPECT_EQ(e.code, 160);
  EXPECT_EQ(e.name, L"Shift");
  info.vkCode = VK_RMENU;
  info.flags = LLKHF_UP | LLKHF_EXTENDED;
  ASSERT_TRUE(HookInput::KeyEvent(WM_SYSKEYUP, info, e));
  EXPECT_EQ(e.up, 1);
  EXPECT_EQ(e.code, 165);
  EXPECT_EQ(e.name, L"RAlt");
  info.vkCode = VK_MEDIA_NEXT_TRACK;
  ASSERT_TRUE(HookInput::KeyEvent(WM_KEYDOWN, info, e));
  EXPECT_EQ(e.name, L"Next Track");
  info.vkCode = 'A';
  info.flags = 0;
  EXPECT_FALSE(HookInput::KeyEvent(WM_CHAR, info, e));
  info.vkCode = 0;
  EXPECT_FALSE(HookInput::KeyEvent(WM_KEYDOWN, info, e));
}

TEST(HookInput, MouseMessages) {
  struct Case {
    WPARAM message;
    WORD xbutton;
    int code, up;
    const wchar_t* name;
  } cases[] = {
      {WM_LBUTTONDOWN, 0, 1, 0, L"MouseL"},   {WM_LBUTTONUP, 0, 1, 1, L"MouseL"},
      {WM_RBUTTONDOWN, 0, 2, 0, L"MouseR"},   {WM_RBUTTONUP, 0, 2, 1, L"MouseR"},
      {WM_MBUTTONDOWN, 0, 4, 0, L"MouseM"},   {WM_MBUTTONUP, 0, 4, 1, L"MouseM"},
      {WM_XBUTTONDOWN, 1, 8, 0, L"Backward"}, {WM_XBUTTONUP, 2, 16, 1, L"Forward"},
  };
  for (const Case& c : cases) {
    MSLLHOOKSTRUCT info{};
    info.mouseData = DWORD(c.xbutton) << 16;
    InputEvent e;
    ASSERT_TRUE(HookInput::MouseEvent(c.message, info, e)) << c.message;
    EXPECT_EQ(e.kind, kInputMouse);
    EXPECT_EQ(e.code, c.code) << c.message;
    EXPECT_EQ(e.up, c.up) << c.message;
    EXPECT_EQ(e.name, c.name);
  }
  MSLLHOOKSTRUCT info{};
  InputEvent e;
  info.mouseData = 3 << 16;
  EXPECT_FALSE(HookInput::MouseEvent(WM_XBUTTONDOWN, info, e));
  EXPECT_FALSE(HookInput::MouseEvent(WM_MOUSEWHEEL, info, e));
  EXPECT_FALSE(HookInput::MouseEvent(WM_MOUSEMOVE, info, e));
}

// Holding a key gives one press and one release: the auto-repeated presses between are
// marked and the recorder passes them over.
TEST(HookInput, AutoRepeatIsFolded) {
  ManualClock clock;
  MacroRecorder recorder(clock.Fn());
  MacroStepList rows;
  std::map<int, int> held;
  recorder.Start(MacroRecorder::kNoDelay, 0, 100);
  for (int up : {0, 0, 0, 0, 1}) {
    InputEvent e = Key('S', up, L"S");
    HookInput::TrackHeldKey(held, e);
    recorder.Append(e, rows);
  }
  EXPECT_EQ(rows.Count(), 2);
  EXPECT_TRUE(held.empty());
  InputEvent again = Key('S', 0, L"S");
  HookInput::TrackHeldKey(held, again);
  EXPECT_EQ(again.kind, kInputKeyboard) << "a new press after the release counts";
}

}  // namespace
