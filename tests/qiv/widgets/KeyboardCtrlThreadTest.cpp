// The on-screen keyboard under two threads: the worker adds, recolours and renumbers keys
// (as the layout load and the lighting reads do) while the window paints and the pointer
// moves over it. Every one of those changes takes the key lock.
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include "WidgetWindow.h"
#include "widgets/KeyboardCtrl.h"

using namespace widgettest;

TEST(KeyboardCtrlThreads, WorkerChangesKeysWhileTheWindowPaints) {
  Manager::SetInstance(::GetModuleHandleW(nullptr));
  HostWindow host;
  ASSERT_NE(nullptr, host.Create(nullptr, L"keyboard threads", WS_POPUP, 0, CRect(0, 0, 900, 300)));
  ::ShowWindow(host.GetSafeHwnd(), SW_SHOWNOACTIVATE);
  auto* keyboard = host.Make<KeyboardCtrl>(L"KeyboardCtrl", 58, CRect(0, 0, 900, 300));
  ASSERT_NE(nullptr, keyboard);
  keyboard->SetKeyboardCtrlMode(103);
  constexpr int kKeys = 100, kRounds = 4000;
  auto keyRect = [](int i) { return CRect(10 + (i % 20) * 42, 10 + (i / 20) * 42, 50 + (i % 20) * 42, 50 + (i / 20) * 42); };

  std::atomic<bool> done{false};
  std::thread worker([&] {
    unsigned long long seen = 0;
    for (int round = 0; round < kRounds; ++round) {
      if (round % 500 == 0) {
        keyboard->ClearItem();
        for (int i = 0; i < kKeys; ++i) keyboard->AddKeyItem(L"k", L"K", 4 + i, keyRect(i), L"", 0x604E3A);
      }
      const int code = 4 + round % kKeys;
      keyboard->SetKeyColor(code, RGB(round & 0xFF, (round >> 8) & 0xFF, 7));
      keyboard->SetKeyBkgColor(code, static_cast<COLORREF>(round));
      keyboard->SetKeyEncoder(1, round % 2 ? 255 : 5);
      for (KEY_INFO* key : keyboard->GetKeyItems()) seen += key->keyColor;
      if (round % 8 == 0) keyboard->UpdateControl(1, 0);
    }
    (void)seen;
    done = true;
  });
  int paints = 0;
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::SendMessageW(host.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20 + paints % 800, 20 + paints % 200));
    keyboard->UpdateKey(4 + paints % kKeys);
    Render render(host.pm, 900, 300);
    ++paints;
  } while (!done);
  worker.join();

  const auto keys = keyboard->GetKeyItems();
  ASSERT_EQ(static_cast<int>(keys.size()), kKeys) << "after " << paints << " paints";
  for (int i = 0; i < kKeys; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(keys[i]->index, i);
    EXPECT_EQ(keys[i]->rect, keyRect(i));
    if (i == 1) {
      EXPECT_EQ(keys[i]->keyCode, 255) << "the last renumbering, of round 3999";
      continue;
    }
    // The last round that gave this key a colour since the last reload at round 3500.
    int last = 3500 + i;
    while (last + kKeys < kRounds) last += kKeys;
    EXPECT_EQ(keys[i]->keyCode, 4 + i);
    EXPECT_EQ(keys[i]->keyColor, RGB(last & 0xFF, (last >> 8) & 0xFF, 7));
    EXPECT_EQ(keys[i]->bkColor, static_cast<COLORREF>(last));
  }
  host.DestroyWindow();
}
