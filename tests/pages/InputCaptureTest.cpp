// The hooks and raw input with real input under Wine: keys and clicks made with
// SendInput reach the subscribed windows of the test.
#include <gtest/gtest.h>
#include "InputWindow.h"
#include "pages/InputHookManager.h"
#include "pages/RawInputSink.h"

using namespace pagestest;

namespace {

TEST(InputHookManager, KeysReachSubscribersAndAreSwallowedWhenOneSaysSo) {
  InputWindow window;
  InputHookManager hooks;
  hooks.Subscribe(window.hwnd, InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
  hooks.Subscribe(window.hwnd, InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
  EXPECT_EQ(hooks.Subscribers().size(), 1u) << "an equal subscription is not added twice";
  EXPECT_TRUE(hooks.IsInstalled());

  window.hookReply = 1;
  TapKey('Q');
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return window.Count(UM_HOOK_KEYBOARD) == 2; }));
  const auto hooked = window.Of(UM_HOOK_KEYBOARD);
  EXPECT_EQ(hooked[0].wParam, WPARAM(WM_KEYDOWN));
  EXPECT_EQ(hooked[0].vk, DWORD('Q'));
  EXPECT_EQ(hooked[1].wParam, WPARAM(WM_KEYUP));
  InputWindow::Pump(50);
  EXPECT_EQ(window.Count(WM_KEYDOWN), 0) << "swallowed";

  window.hookReply = 0;
  TapKey('W');
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return window.Count(WM_KEYUP) == 1; }));
  EXPECT_EQ(window.Of(WM_KEYDOWN).at(0).vk, DWORD('W')) << "let through";
  EXPECT_EQ(window.Count(UM_HOOK_KEYBOARD), 4);
}

TEST(InputHookManager, TheFirstSubscriberThatRepliesWins) {
  InputWindow first, second(460, 120);
  SetForegroundWindow(first.hwnd);
  InputHookManager hooks;
  hooks.Subscribe(first.hwnd, InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
  hooks.Subscribe(second.hwnd, InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
  first.hookReply = 1;
  TapKey('E');
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return first.Count(UM_HOOK_KEYBOARD) == 2; }));
  InputWindow::Pump(50);
  EXPECT_EQ(second.Count(UM_HOOK_KEYBOARD), 0);

  first.hookReply = 0;
  TapKey('E');
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return second.Count(UM_HOOK_KEYBOARD) == 2; }));
  // A subscriber whose window is gone is passed over.
  DestroyWindow(first.hwnd);
  second.hookReply = 1;
  TapKey('E');
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return second.Count(UM_HOOK_KEYBOARD) == 4; }));
}

TEST(InputHookManager, ButtonsReachSubscribersButAreNeverSwallowedAndMovesDoNot) {
  InputWindow window;
  InputHookManager hooks;
  hooks.Subscribe(window.hwnd, InputHookManager::kMouseEvents, UM_HOOK_MOUSE);
  window.hookReply = 1;
  MoveCursor(window.Centre());
  InputWindow::Pump(50);
  EXPECT_EQ(window.Count(UM_HOOK_MOUSE), 0) << "moves are not forwarded";
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return window.Count(WM_LBUTTONUP) == 1; })) << "not swallowed";
  const auto hooked = window.Of(UM_HOOK_MOUSE);
  ASSERT_EQ(hooked.size(), 2u);
  EXPECT_EQ(hooked[0].wParam, WPARAM(WM_LBUTTONDOWN));
  EXPECT_EQ(hooked[1].wParam, WPARAM(WM_LBUTTONUP));
  SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
  InputWindow::Pump(50);
  EXPECT_EQ(window.Count(UM_HOOK_MOUSE), 3) << "the wheel reaches subscribers; the recorder drops it";
  EXPECT_EQ(window.Count(UM_HOOK_KEYBOARD), 0) << "a mouse subscriber sees no keys";
}

TEST(InputHookManager, NothingArrivesOnceTheHooksAreGone) {
  InputWindow window;
  window.hookReply = 1;
  {
    InputHookManager hooks;
    hooks.Subscribe(window.hwnd, InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
    hooks.Uninstall();
    EXPECT_FALSE(hooks.IsInstalled());
    TapKey('R');
    ASSERT_TRUE(InputWindow::PumpUntil([&] { return window.Count(WM_KEYUP) == 1; }));
    EXPECT_EQ(window.Count(UM_HOOK_KEYBOARD), 0);
    hooks.Install();
  }  // destroyed while installed
  TapKey('R');
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return window.Count(WM_KEYUP) == 2; }));
  EXPECT_EQ(window.Count(UM_HOOK_KEYBOARD), 0);
}

// A second manager takes the hooks over: events are not delivered twice.
TEST(InputHookManager, OneManagerHooksAtATime) {
  InputWindow window;
  InputHookManager first, second;
  first.Subscribe(window.hwnd, InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
  second.Subscribe(window.hwnd, InputHookManager::kKeyboardEvents, UM_HOOK_KEYBOARD);
  EXPECT_FALSE(first.IsInstalled());
  TapKey('T');
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return window.Count(WM_KEYUP) == 1; }));
  EXPECT_EQ(window.Count(UM_HOOK_KEYBOARD), 2);
}

TEST(RawInput, KeysAndButtonsOfTheWindow) {
  InputWindow window;
  RegisterRawInputSink(window.hwnd);
  SendKey(VK_RSHIFT, false);
  SendKey(VK_RSHIFT, true);
  TapKey('K');
  MoveCursor(window.Centre());
  SendMouse(MOUSEEVENTF_RIGHTDOWN);
  SendMouse(MOUSEEVENTF_RIGHTUP);
  auto buttons = [&] {
    int n = 0;
    for (const InputEvent& e : window.rawEvents) n += e.kind == kInputMouse && !e.name.IsEmpty();
    return n;
  };
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return buttons() == 2; }));
  std::vector<InputEvent> keys;
  for (const InputEvent& e : window.rawEvents)
    if (e.kind == kInputKeyboard) keys.push_back(e);
  ASSERT_EQ(keys.size(), 4u);
  // Either Shift is reported as the generic Shift, and so as the left one.
  EXPECT_EQ(keys[0].code, 160);
  EXPECT_EQ(keys[0].name, L"Shift");
  EXPECT_EQ(keys[1].up, 1);
  EXPECT_EQ(keys[2].code, 'K');
  EXPECT_FALSE(keys[2].name.IsEmpty());
  EXPECT_EQ(keys[3].up, 1);
  const InputEvent* right = nullptr;
  for (const InputEvent& e : window.rawEvents)
    if (e.kind == kInputMouse && !e.name.IsEmpty()) {
      right = &e;
      break;
    }
  ASSERT_TRUE(right);
  EXPECT_EQ(right->name, L"MouseR");
  EXPECT_EQ(right->code, 3);

  UnregisterRawInput(window.hwnd);
  window.rawEvents.clear();
  TapKey('K');
  ASSERT_TRUE(InputWindow::PumpUntil([&] { return window.Count(WM_KEYUP) >= 2; }));
  EXPECT_TRUE(window.rawEvents.empty());
}

}  // namespace
