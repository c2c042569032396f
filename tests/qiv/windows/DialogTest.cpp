#include <gtest/gtest.h>
#include <thread>
#include "WindowsTestSupport.h"
#include "controls/MAirBladder.h"
#include "controls/MText.h"

using namespace qivwin;

namespace {
using CloseOp = void (MDialog::*)();

struct CloseCase {
  const char* name;
  CloseOp op;
  UINT result;
};

class DialogTest : public ::testing::Test {
protected:
  void TearDown() override { Pump(); }
};
}  // namespace

TEST_F(DialogTest, EachCloseOperationIsTheResultOfShowModal) {
  const CloseCase cases[] = {{"DoOK", &MDialog::DoOK, 1},
                             {"DoCancel", &MDialog::DoCancel, 2},
                             {"DoClose", &MDialog::DoClose, 2},
                             {"DoYes", &MDialog::DoYes, 6},
                             {"DoNo", &MDialog::DoNo, 7}};
  for (const CloseCase& c : cases) {
    RecordingDialog dialog;
    ASSERT_NE(nullptr, dialog.CreatePopup()) << c.name;
    (dialog.*c.op)();
    EXPECT_EQ(c.result, dialog.ShowModal(SW_SHOWNA)) << c.name;
    EXPECT_EQ(nullptr, dialog.GetSafeHwnd()) << c.name;
    EXPECT_EQ(1, dialog.closeCalls) << c.name;
    EXPECT_EQ(1, dialog.destroyCalls) << c.name;
    EXPECT_EQ(1, dialog.ncDestroyCalls) << c.name;
    EXPECT_EQ(1, dialog.Count(UM_CLOSEWINDOW)) << c.name;
  }
}

TEST_F(DialogTest, OtherEndsOfTheModalLoop) {
  {  // a WM_CLOSE posted by anyone carries its wParam out
    RecordingDialog dialog;
    ASSERT_NE(nullptr, dialog.CreatePopup());
    dialog.PostMessageW(WM_CLOSE, 6, 0);
    EXPECT_EQ(6u, dialog.ShowModal(SW_SHOWNA));
  }
  {  // the first of two posted closes wins
    RecordingDialog dialog;
    ASSERT_NE(nullptr, dialog.CreatePopup());
    dialog.DoYes();
    dialog.DoNo();
    EXPECT_EQ(6u, dialog.ShowModal(SW_SHOWNA));
  }
  {  // destroyed without a close message
    RecordingDialog dialog;
    ASSERT_NE(nullptr, dialog.CreatePopup());
    dialog.intercept = [&](UINT msg, WPARAM, LPARAM) -> LRESULT {
      if (msg == WM_APP) dialog.DestroyWindow();
      return 0;
    };
    dialog.PostMessageW(WM_APP);
    EXPECT_EQ(0u, dialog.ShowModal(SW_SHOWNA));
  }
  {  // a sent WM_CLOSE is not recorded
    RecordingDialog dialog;
    ASSERT_NE(nullptr, dialog.CreatePopup());
    dialog.intercept = [&](UINT msg, WPARAM, LPARAM) -> LRESULT {
      if (msg == WM_APP) dialog.SendMessageW(WM_CLOSE, 6, 0);
      return 0;
    };
    dialog.PostMessageW(WM_APP);
    EXPECT_EQ(0u, dialog.ShowModal(SW_SHOWNA));
  }
  {  // a dialog without a window
    RecordingDialog dialog;
    EXPECT_EQ(0xFFFFFFFFu, dialog.ShowModal(SW_SHOW));
    dialog.DoOK();  // harmless without a window
  }
}

TEST_F(DialogTest, ADialogWhoseOnCloseRefusesIsDestroyedAllTheSame) {
  struct Stubborn : RecordingDialog {
    int OnClose() override { return 0; }
  } dialog;
  ASSERT_NE(nullptr, dialog.CreatePopup());
  dialog.DoOK();
  EXPECT_EQ(1u, dialog.ShowModal(SW_SHOWNA));
  EXPECT_EQ(nullptr, dialog.GetSafeHwnd());
}

TEST_F(DialogTest, WorkerThreadClosesWithDoOK) {
  RecordingDialog dialog;
  ASSERT_NE(nullptr, dialog.CreatePopup());
  std::thread worker([&] {
    ::Sleep(50);
    dialog.DoOK();
  });
  EXPECT_EQ(1u, dialog.ShowModal(SW_SHOWNA));
  worker.join();
}

TEST_F(DialogTest, OwnerIsEnabledAfterTheModalRun) {
  RecordingDialog owner;
  ASSERT_NE(nullptr, owner.CreatePopup(nullptr, CRect(0, 0, 300, 300), WS_POPUP | WS_VISIBLE));
  owner.EnableWindow(FALSE);  // disabled even before the call
  RecordingDialog dialog;
  ASSERT_NE(nullptr, dialog.CreatePopup(owner.GetSafeHwnd()));
  dialog.intercept = [&](UINT msg, WPARAM, LPARAM) -> LRESULT {
    if (msg == WM_APP) {
      EXPECT_FALSE(owner.IsWindowEnabled()) << "the owner is disabled while the dialog runs";
      dialog.DoOK();
    }
    return 0;
  };
  dialog.PostMessageW(WM_APP);
  EXPECT_EQ(1u, dialog.ShowModal(SW_SHOWNA));
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_EQ(owner.GetSafeHwnd(), ::GetFocus());
  owner.DestroyWindow();
}

TEST_F(DialogTest, QuitDuringTheModalRunIsPostedAgain) {
  RecordingDialog dialog;
  ASSERT_NE(nullptr, dialog.CreatePopup());
  dialog.intercept = [&](UINT msg, WPARAM, LPARAM) -> LRESULT {
    if (msg == WM_APP) ::PostQuitMessage(42);
    return 0;
  };
  dialog.PostMessageW(WM_APP);
  EXPECT_EQ(0u, dialog.ShowModal(SW_SHOWNA));
  EXPECT_NE(nullptr, dialog.GetSafeHwnd()) << "the loop ended, the window lives on";
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(42u, msg.wParam);
  dialog.DestroyWindow();
}

TEST_F(DialogTest, CenterWindowOnItsOwnerAndOnTheWorkArea) {
  RecordingDialog owner;
  ASSERT_NE(nullptr, owner.CreatePopup(nullptr, CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE));
  RecordingDialog dialog;
  ASSERT_NE(nullptr, dialog.CreatePopup(owner.GetSafeHwnd(), CRect(0, 0, 101, 51)));
  dialog.CenterWindow();
  CRect r;
  dialog.GetWindowRect(&r);
  // (100 + 500) / 2 - 101 / 2 = 250, (100 + 400) / 2 - 51 / 2 = 225
  EXPECT_EQ(CPoint(250, 225), CPoint(r.left, r.top));

  MONITORINFO mi = {sizeof(mi)};
  ::GetMonitorInfoW(::MonitorFromWindow(dialog.GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &mi);
  const CRect work = mi.rcWork;
  RecordingDialog lone;
  ASSERT_NE(nullptr, lone.CreatePopup(nullptr, CRect(0, 0, 200, 100)));
  lone.CenterWindow();
  lone.GetWindowRect(&r);
  EXPECT_EQ(CPoint((work.left + work.right) / 2 - 100, (work.top + work.bottom) / 2 - 50), CPoint(r.left, r.top));

  RecordingDialog huge;
  ASSERT_NE(nullptr, huge.CreatePopup(nullptr, CRect(0, 0, work.Width() + 300, work.Height() + 300)));
  huge.CenterWindow();
  huge.GetWindowRect(&r);
  EXPECT_EQ(CPoint(work.left, work.top), CPoint(r.left, r.top));
  for (RecordingDialog* d : {&dialog, &lone, &huge, &owner}) d->DestroyWindow();
}

TEST_F(DialogTest, CreationBindsThePaintManagerAndBuildsTheUserInterface) {
  RecordingDialog dialog;
  ASSERT_NE(nullptr, dialog.Create(nullptr, L"t", WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW,
                                   CRect(0, 0, 320, 240)));
  PaintManager* pm = dialog.GetPaintManager();
  EXPECT_EQ(dialog.GetSafeHwnd(), pm->GetPaintWnd());
  ASSERT_EQ(1u, dialog.initRects.size());
  EXPECT_EQ(dialog.GetLastClientRect(), dialog.initRects[0]);
  const DWORD style = dialog.GetStyle();
  EXPECT_EQ(0u, style & (WS_CAPTION | WS_THICKFRAME)) << "the skinned dialog has no caption or frame";
  EXPECT_EQ(static_cast<DWORD>(WS_CLIPSIBLINGS | WS_CLIPCHILDREN), style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
  EXPECT_EQ(1, dialog.SendMessageW(WM_ERASEBKGND, 0, 0));

  // Controls by class name, owned by the paint manager, notifying the dialog.
  MControl* text = dialog.CreateControl(L"MText", 31, CRect(10, 10, 100, 30), L"hello", 1, 1);
  ASSERT_NE(nullptr, dynamic_cast<MText*>(text));
  EXPECT_EQ(static_cast<MObject*>(&dialog), text->GetParantObject());
  EXPECT_EQ(nullptr, dialog.CreateControl(L"NoSuchControl", 32, CRect(), L"", 1, 1));
  MControl* area = dialog.CreateArea(L"CArea", 33, CRect(0, 0, 50, 50), L"", 1, 1);
  ASSERT_NE(nullptr, area);
  EXPECT_EQ(1u, pm->GetAreas()->size());
  EXPECT_EQ(text, dialog.GetControl(31));
  EXPECT_EQ(1u, dialog.GetControls().size());
  text->SendMessageW(NOTIFY_CLICK, 0, 0);
  EXPECT_EQ(std::vector<UINT>{31}, dialog.notices);

  // The window goes: controls are released with the window, the object lives on.
  bool deleted = false;
  dialog.deleted = &deleted;
  dialog.DestroyWindow();
  EXPECT_TRUE(pm->GetControls()->empty());
  EXPECT_TRUE(pm->GetAreas()->empty());
  EXPECT_FALSE(deleted);
  dialog.deleted = nullptr;
}

TEST_F(DialogTest, AFailedCreateStillBuildsWithAnEmptyRectangle) {
  RecordingDialog dialog;
  HWND notAWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF0));
  EXPECT_EQ(nullptr, dialog.Create(notAWindow, L"t", WS_CHILD, 0, CRect(0, 0, 10, 10)));
  ASSERT_EQ(1u, dialog.initRects.size());
  EXPECT_TRUE(dialog.initRects[0].IsRectNull());
  EXPECT_EQ(nullptr, dialog.GetPaintManager()->GetPaintWnd());
}

TEST_F(DialogTest, SizeLaysOutAgainButNotForAnEmptyClient) {
  RecordingDialog dialog;
  ASSERT_NE(nullptr, dialog.CreatePopup(nullptr, CRect(0, 0, 200, 100)));
  dialog.sizeRects.clear();
  dialog.MoveWindow(0, 0, 240, 120);
  ASSERT_FALSE(dialog.sizeRects.empty());
  EXPECT_EQ(CRect(0, 0, 240, 120), dialog.sizeRects.back());
  dialog.sizeRects.clear();
  dialog.MoveWindow(0, 0, 0, 0);
  EXPECT_TRUE(dialog.sizeRects.empty());
  dialog.DestroyWindow();
}

TEST_F(DialogTest, TranslucencyFromAlphaOrColourKey) {
  RecordingDialog plain;
  ASSERT_NE(nullptr, plain.CreatePopup());
  plain.SetupBackTranslucent();
  EXPECT_EQ(0u, plain.GetExStyle() & WS_EX_LAYERED);

  RecordingDialog faded;
  faded.SetAlpha(128);
  ASSERT_NE(nullptr, faded.CreatePopup());
  EXPECT_NE(0u, faded.GetExStyle() & WS_EX_LAYERED) << "set up by the first WM_SIZE";
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(faded.GetSafeHwnd(), nullptr, &alpha, &flags));
  EXPECT_EQ(128, alpha);
  EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);

  RecordingDialog keyed;
  keyed.SetColorKey(RGB(1, 2, 3));
  ASSERT_NE(nullptr, keyed.CreatePopup());
  COLORREF key = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(keyed.GetSafeHwnd(), &key, nullptr, &flags));
  EXPECT_EQ(RGB(1, 2, 3), key);
  EXPECT_EQ(static_cast<DWORD>(LWA_COLORKEY), flags);
  for (RecordingDialog* d : {&plain, &faded, &keyed}) d->DestroyWindow();
}

TEST_F(DialogTest, MessageRectangleBalloonPointAndBalloonRefusal) {
  RecordingDialog dialog;
  ASSERT_NE(nullptr, dialog.CreatePopup(nullptr, CRect(50, 60, 450, 360)));
  dialog.SetMessageOffset(5);
  // client 400 x 300: left = 400 / 2 - 100, top = 300 - 60, bottom = 300 - 2, moved down 5
  EXPECT_EQ(CRect(100, 245, 300, 303), dialog.GetDefaultMessageRect());
  dialog.SetMessage(L"saved", CRect(), MSG_LEVEL_INFO);
  EXPECT_EQ(CRect(100, 245, 300, 303), dialog.GetPaintManager()->GetMessageRect());

  MControl* control = dialog.CreateControl(L"MText", 5, CRect(10, 40, 31, 70), L"x", 1, 1);
  ASSERT_NE(nullptr, control);
  POINT origin = {0, 0};
  ::ClientToScreen(dialog.GetSafeHwnd(), &origin);
  const POINT middle = dialog.GetAirBladderPoint(control, 1);
  EXPECT_EQ(origin.x + 20, middle.x);  // 10 + 21 / 2
  EXPECT_EQ(origin.y + 70, middle.y);
  EXPECT_EQ(origin.x + 31, dialog.GetAirBladderPoint(control, 2).x);
  EXPECT_EQ(origin.x + 10, dialog.GetAirBladderPoint(control, 0).x);
  const POINT none = dialog.GetAirBladderPoint(nullptr, 1);
  EXPECT_EQ(0, none.x);

  EXPECT_EQ(0, dialog.SetAirBladderMsg(L"tip", POINT{0, 300}, AIRBLADDER_TYPE_TIMED));
  EXPECT_EQ(nullptr, dialog.GetPaintManager()->GetAirBladder());
  dialog.DestroyWindow();
}

TEST_F(DialogTest, ADialogDeletedWithItsWindowOpenTakesTheWindowDown) {
  auto* dialog = new RecordingDialog;
  HWND window = dialog->CreatePopup();
  ASSERT_NE(nullptr, window);
  delete dialog;
  EXPECT_FALSE(::IsWindow(window));
  Pump();  // nothing may reach the deleted object
}
