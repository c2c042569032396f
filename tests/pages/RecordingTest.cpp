// A macro recorded from real input: the hooks report keys and clicks made with
// SendInput, the recorder turns them into steps, the store keeps them, and the macro
// memory image holds them byte for byte.
#include <gtest/gtest.h>
#include <map>
#include "InputWindow.h"
#include "PagesTestUtil.h"
#include "device/MacroImage.h"
#include "pages/HookInput.h"
#include "pages/InputHookManager.h"
#include "pages/MacroRecorder.h"
#include "pages/MacroStepList.h"

using namespace pagestest;

namespace {

// The recording side of the main window: hook events become steps; keys are swallowed.
struct RecordingRig {
  InputWindow window;
  DWORD now = 5000;
  MacroRecorder recorder{[this] { return now; }};
  MacroStepList rows;
  std::map<int, int> held;
  InputHookManager hooks;
  int stops = 0;

  RecordingRig() {
    window.onHook = [this](UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
      InputEvent e;
      now += 100;  // every hook event 100 ms after the one before
      if (msg == UM_HOOK_KEYBOARD) {
        if (!HookInput::KeyEvent(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam), e)) return 1;
        HookInput::TrackHeldKey(held, e);
      } else if (!HookInput::MouseEvent(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam), e)) {
        return 1;
      }
      const auto outcome = recorder.Append(e, rows);
      if (outcome == MacroRecorder::Outcome::AppendedFull || outcome == MacroRecorder::Outcome::Full) {
        ++stops;
        recorder.Stop();
        hooks.Uninstall();
      }
      return 1;
    };
    hooks.Subscribe(window.hwnd, InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
    hooks.Subscribe(window.hwnd, InputHookManager::kMouseEvents, UM_HOOK_MOUSE);
  }
};

TEST(Recording, KeysAndClicksReachTheMacroMemory) {
  RecordingRig rig;
  rig.recorder.Start(MacroRecorder::kMeasuredDelay, 0, MacroRecorder::StepBudget(4224, 0));
  SendKey(VK_LCONTROL, false);
  SendKey('A', false);
  SendKey('A', false);  // auto-repeat while held
  SendKey('A', true);
  SendKey(VK_LCONTROL, true);
  rig.window.PumpUntil([&] { return rig.rows.Count() == 4; });
  MoveCursor(rig.window.Centre());
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);  // not a step
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(rig.window.PumpUntil([&] { return rig.rows.Count() == 6; }));
  InputWindow::Pump(50);
  EXPECT_EQ(rig.window.Count(WM_KEYDOWN), 0) << "keys are swallowed while recording";
  ASSERT_EQ(rig.rows.Count(), 6);
  EXPECT_EQ(rig.rows.Rows()[0].text, L"\u2193  Ctrl");
  EXPECT_EQ(rig.rows.Rows()[4].text, L"\u2193  MouseL");

  TestStore db;
  db.MakeMacros({1});
  db.store.AddMacroSteps(rig.rows.ToSteps(1));
  KeyboardDataStore::RecordList<MacroStepRecord> stored;
  ASSERT_EQ(db.store.GetMacroSteps(1, stored), 6);
  MacroSteps steps;
  for (auto& s : stored) steps.push_back(*s);
  const MacroImage image = BuildMacroImage({steps}, 4224);
  // Header, one table entry, the block's count, then delay/2 (16 bits), code, flags.
  const std::vector<uint8_t> expected = {
      0xAA, 0x55, 38, 0, 1, 0, 0, 0, 10, 0,  // magic, length, count, table
      6, 0, 0, 0,                           // six steps
      0x32, 0, 0x01, 0x82,                  // Ctrl down (modifier bit), 100 ms
      0x64, 0, 0x04, 0x81,                  // A down, 200 ms: its auto-repeat is no step
      0x32, 0, 0x04, 0x01,                  // A up
      0x32, 0, 0x01, 0x02,                  // Ctrl up
      0x64, 0, 0x01, 0x83,                  // left button down, 200 ms: the wheel is no step
      0x05, 0, 0x01, 0x03,                  // left button up, the last step's 10 ms
  };
  EXPECT_EQ(image.bytes, expected);
}

TEST(Recording, StopsWhenTheMemoryIsFull) {
  RecordingRig rig;
  for (int i = 0; i < 3; ++i) rig.rows.AddRow(L"\u2193  X", 2, 'X', 10);
  // 100 steps of memory, 94 stored in all macros (these three counted among them): the
  // list may hold 6 events, so the third new one ends the recording.
  rig.recorder.Start(MacroRecorder::kFixedDelay, 20, MacroRecorder::StepBudget(440, 94));
  for (WORD vk : {'B', 'C', 'D'}) TapKey(vk);
  ASSERT_TRUE(rig.window.PumpUntil([&] { return rig.stops == 1; }));
  InputWindow::Pump(50);
  EXPECT_EQ(rig.rows.EventCount(), 6);
  EXPECT_FALSE(rig.recorder.IsRecording());
  EXPECT_FALSE(rig.hooks.IsInstalled());
  EXPECT_GE(rig.window.Count(WM_KEYDOWN), 1) << "keys after the stop reach the window again";
}

}  // namespace
