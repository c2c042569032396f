#include <gtest/gtest.h>
#include <vector>
#include "core/Manager.h"
#include "core/MWindow.h"

namespace {
constexpr UINT kDestroyNow = WM_APP + 1;

class TestWindow : public MWindow {
public:
  std::vector<UINT> seen;
  int initCalls = 0;
  HWND destroyedHandle = nullptr;
  HWND handleAtInit = nullptr;

  int OnInitDialog() override {
    ++initCalls;
    handleAtInit = GetSafeHwnd();
    return 1;
  }
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(msg);
    if (msg == kDestroyNow) {
      DestroyWindow();
      return 0;
    }
    return MWindow::OnWindowMessage(msg, wParam, lParam);
  }
  void OnDestroyMessage(HWND old) override { destroyedHandle = old; }
  bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
};

class MWindowTest : public ::testing::Test {
protected:
  void SetUp() override { Manager::SetInstance(GetModuleHandleW(nullptr)); }
  static HWND CreatePopup(TestWindow& w, HWND owner = nullptr) {
    return w.Create(owner, L"test", WS_POPUP, 0, CRect(10, 10, 210, 110));
  }
};
}  // namespace

TEST_F(MWindowTest, CreateBindsTheObjectAndCallsOnInitDialog) {
  TestWindow w;
  HWND h = CreatePopup(w);
  ASSERT_NE(nullptr, h);
  EXPECT_EQ(h, w.GetSafeHwnd());
  EXPECT_EQ(1, w.initCalls);
  EXPECT_EQ(h, w.handleAtInit);
  EXPECT_TRUE(w.Saw(WM_NCCREATE));
  EXPECT_TRUE(w.Saw(WM_CREATE));
  EXPECT_EQ(&w, reinterpret_cast<MWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA)));
  wchar_t cls[64];
  GetClassNameW(h, cls, 64);
  EXPECT_STREQ(L"TQXWindow", cls);
  EXPECT_EQ(h, CreatePopup(w)) << "a second Create returns the live window";
  EXPECT_EQ(1, w.initCalls);
  EXPECT_TRUE(w.DestroyWindow());
  EXPECT_EQ(nullptr, w.GetSafeHwnd());
  EXPECT_EQ(h, w.destroyedHandle);
  EXPECT_FALSE(w.Saw(WM_NCDESTROY)) << "WM_NCDESTROY never reaches OnWindowMessage";
}

TEST_F(MWindowTest, ShowModalReturnsThePostedCloseResult) {
  TestWindow w;
  ASSERT_NE(nullptr, CreatePopup(w));
  w.PostMessageW(WM_CLOSE, 6, 0);
  EXPECT_EQ(6u, w.ShowModal(SW_SHOWNA));
  EXPECT_EQ(nullptr, w.GetSafeHwnd());
}

TEST_F(MWindowTest, DestroyWindowEndsTheLoopWithZero) {
  TestWindow w;
  ASSERT_NE(nullptr, CreatePopup(w));
  w.PostMessageW(kDestroyNow);
  EXPECT_EQ(0u, w.ShowModal(SW_SHOWNA));
}

TEST_F(MWindowTest, ShowModalWithoutAWindow) {
  TestWindow w;
  EXPECT_EQ(0xFFFFFFFFu, w.ShowModal(SW_SHOW));
  EXPECT_EQ(0, w.DestroyWindow());
  EXPECT_EQ(0, w.GetWindowTextLengthW() + 1);
  EXPECT_EQ(0, w.EnableWindow(TRUE));
  EXPECT_EQ(0, w.PostMessageW(WM_NULL));
  CString text(L"kept");
  w.GetWindowTextW(text);
  EXPECT_EQ(CString(L"kept"), text);
}

TEST_F(MWindowTest, QuitDuringModalLoopIsPostedAgain) {
  TestWindow w;
  ASSERT_NE(nullptr, CreatePopup(w));
  PostQuitMessage(5);
  EXPECT_EQ(0u, w.ShowModal(SW_SHOWNA));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(5u, msg.wParam);
  w.DestroyWindow();
}

TEST_F(MWindowTest, OwnerIsEnabledAfterTheModalRun) {
  TestWindow owner, dialog;
  ASSERT_NE(nullptr, CreatePopup(owner));
  ::EnableWindow(owner.GetSafeHwnd(), FALSE);
  ASSERT_NE(nullptr, CreatePopup(dialog, owner.GetSafeHwnd()));
  dialog.PostMessageW(WM_CLOSE, 1, 0);
  EXPECT_EQ(1u, dialog.ShowModal(SW_SHOWNA));
  EXPECT_TRUE(::IsWindowEnabled(owner.GetSafeHwnd()));
  owner.DestroyWindow();
}

TEST_F(MWindowTest, MessagesBeforeCreationGoToTheDefaultProcedure) {
  // WM_GETMINMAXINFO arrives before WM_NCCREATE: it must not reach the object.
  TestWindow w;
  w.Create(nullptr, L"overlapped", WS_OVERLAPPEDWINDOW, 0, CRect(0, 0, 300, 200));
  ASSERT_FALSE(w.seen.empty());
  EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), w.seen.front());
  w.DestroyWindow();
}

TEST_F(MWindowTest, ModifyStyleOnlyWritesAChange) {
  TestWindow w;
  ASSERT_NE(nullptr, CreatePopup(w));
  EXPECT_EQ(0, w.ModifyStyle(0, WS_POPUP, SWP_FRAMECHANGED));
  EXPECT_EQ(1, w.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED));
  EXPECT_TRUE(w.GetStyle() & WS_BORDER);
  w.DestroyWindow();
}

TEST_F(MWindowTest, CenterWindowOnTheWorkArea) {
  MONITORINFO mi = {sizeof(mi)};
  TestWindow w;
  ASSERT_NE(nullptr, CreatePopup(w));
  GetMonitorInfoW(MonitorFromWindow(w.GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &mi);
  CRect area(mi.rcWork);
  w.CenterWindow();
  CRect r;
  w.GetWindowRect(&r);
  EXPECT_NEAR((area.left + area.right) / 2, (r.left + r.right) / 2, 1);
  EXPECT_NEAR((area.top + area.bottom) / 2, (r.top + r.bottom) / 2, 1);

  // Larger than the work area: pinned to its left and top edges.
  w.MoveWindow(0, 0, area.Width() + 200, area.Height() + 200);
  w.CenterWindow();
  w.GetWindowRect(&r);
  EXPECT_EQ(area.left, r.left);
  EXPECT_EQ(area.top, r.top);
  w.DestroyWindow();
}
