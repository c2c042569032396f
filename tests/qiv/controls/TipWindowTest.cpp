// The tip windows in a real window: the paint manager's balloon (creation, placement at
// the anchor and near screen edges, its picture, hiding and closing), the help, image and
// icon buttons that use the balloon and the key tip, and the frame tip.
#include <gtest/gtest.h>
#include <vector>
#include "ControlsTestSupport.h"
#include "controls/CHelpButton.h"
#include "controls/CIconButton.h"
#include "controls/CImageButton.h"
#include "controls/CKeyboardTips.h"
#include "controls/KBToolTips.h"
#include "controls/LEDFrameTips.h"
#include "controls/MAirBladder.h"
#include "core/WindowDispatch.h"
#include "qiv/core/SkinFiles.h"

using ctltest::Host;
using ctltest::Pump;

namespace {
class TipWindows : public ::testing::Test {
protected:
  void SetUp() override {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    skins.Solid(L"img_tip_bk.png", 20, 20, 0xFF202020);
    ASSERT_NE(nullptr, host.Create(nullptr, L"tips", WS_POPUP, 0, CRect(100, 100, 500, 400)));
    ::ShowWindow(host.GetSafeHwnd(), SW_SHOWNOACTIVATE);
  }
  void TearDown() override { host.DestroyWindow(); }
  CRect Place(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    return CRect(r);
  }
  qivtest::SkinFolder skins;
  Host host;
};
}  // namespace

TEST_F(TipWindows, BalloonIsCreatedOnceAndPlacedAtItsAnchor) {
  EXPECT_EQ(0, host.pm.ShowAirBladder(1, 0)) << "no balloon yet";
  ASSERT_EQ(1, host.pm.SetAirBladderMsg(L"Game mode", POINT{600, 400}, AIRBLADDER_TYPE_KEEP, AIRBLADDER_MODE_RIGHT));
  MAirBladder* balloon = host.pm.GetAirBladder();
  ASSERT_NE(nullptr, balloon);
  EXPECT_EQ(balloon->GetSafeHwnd(), ::FindWindowW(L"TQXWindow", L"AirBladder Window"));
  EXPECT_NE(nullptr, balloon->GetBKImage()) << "background from the skins folder";
  const CRect right = Place(balloon->GetSafeHwnd());
  EXPECT_EQ(600, right.left);
  EXPECT_EQ(400, right.top);
  EXPECT_GT(right.Width(), 40);

  host.pm.SetAirBladderMsg(L"Game mode", POINT{600, 400}, AIRBLADDER_TYPE_KEEP, AIRBLADDER_MODE_LEFT);
  EXPECT_EQ(balloon, host.pm.GetAirBladder()) << "one balloon per window";
  const CRect left = Place(balloon->GetSafeHwnd());
  EXPECT_EQ(600, left.right);
  EXPECT_EQ(373, left.top);
  EXPECT_EQ(right.Width(), left.Width());

  host.pm.SetAirBladderMsg(L"Game mode", POINT{600, 400}, AIRBLADDER_TYPE_KEEP, AIRBLADDER_MODE_TOP);
  const CRect top = Place(balloon->GetSafeHwnd());
  EXPECT_EQ(400, top.bottom);
  EXPECT_LE(std::abs((top.left + top.right) / 2 - 600), 1) << "centred above";

  // An unchanged message refits nothing: the window stays where it was moved.
  balloon->MoveWindow(10, 10, top.Width(), top.Height(), 1);
  host.pm.SetAirBladderMsg(L"Game mode", POINT{600, 400}, AIRBLADDER_TYPE_KEEP, AIRBLADDER_MODE_TOP);
  EXPECT_EQ(10, Place(balloon->GetSafeHwnd()).left);
}

TEST_F(TipWindows, BalloonStaysOnTheScreenNearItsEdges) {
  MONITORINFO info = {sizeof(info)};
  ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  const CRect work(info.rcWork);
  struct Row {
    POINT anchor;
    AIRBLADDER_MODE mode;
  } rows[] = {{{work.right - 2, 300}, AIRBLADDER_MODE_RIGHT},
              {{work.left + 2, 300}, AIRBLADDER_MODE_LEFT},
              {{300, work.bottom - 2}, AIRBLADDER_MODE_BOTTOM},
              {{300, work.top + 2}, AIRBLADDER_MODE_TOP},
              {{work.right - 2, work.top + 2}, AIRBLADDER_MODE_RIGHT_RAISED}};
  for (const Row& r : rows) {
    host.pm.SetAirBladderMsg(L"Near the edge\nof the screen\nthird line", r.anchor, AIRBLADDER_TYPE_KEEP, r.mode);
    const CRect place = Place(host.pm.GetAirBladder()->GetSafeHwnd());
    EXPECT_GE(place.left, work.left) << r.mode;
    EXPECT_GE(place.top, work.top) << r.mode;
    EXPECT_LE(place.right, work.right) << r.mode;
    EXPECT_LE(place.bottom, work.bottom) << r.mode;
  }
}

TEST_F(TipWindows, BalloonPictureIsTheSkinWithWhiteText) {
  MAirBladder balloon;
  balloon.OnInitDialog();  // the typeface of the library's resources
  ASSERT_EQ(1, balloon.LoadBKImage(L"img_tip_bk.png"));
  EXPECT_EQ(0, balloon.LoadArrowLImage(L"missing.png"));
  balloon.SetAirBladderMsg(L"WWW", POINT{0, 0}, AIRBLADDER_TYPE_KEEP, AIRBLADDER_MODE_RIGHT);
  const int w = 120, h = 40;
  std::vector<BYTE> bits(w * h * 4, 0);
  balloon.Render(bits.data(), w, h);
  auto at = [&](int x, int y) {
    const BYTE* p = &bits[(y * w + x) * 4];
    return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  };
  EXPECT_EQ(0xFF202020u, at(3, 3)) << "background, opaque";
  EXPECT_EQ(0u, at(w - 1, h - 1)) << "the last column and row stay clear";
  int white = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) white += at(x, y) == 0xFFFFFFFF ? 1 : 0;
  EXPECT_GT(white, 5) << "the text in white";
}

TEST_F(TipWindows, BalloonHidesAfterItsDelayUnlessKept) {
  host.pm.SetAirBladderMsg(L"first", POINT{300, 300}, AIRBLADDER_TYPE_KEEP, AIRBLADDER_MODE_RIGHT);
  MAirBladder* balloon = host.pm.GetAirBladder();
  balloon->SetHideDelay(30);
  host.pm.ShowAirBladder(1, 0);
  Pump(150);
  EXPECT_TRUE(::IsWindowVisible(balloon->GetSafeHwnd())) << "kind 4 stays";
  host.pm.SetAirBladderMsg(L"second", POINT{300, 300}, AIRBLADDER_TYPE_HOVER, AIRBLADDER_MODE_RIGHT);
  host.pm.ShowAirBladder(1, 0);
  EXPECT_TRUE(::IsWindowVisible(balloon->GetSafeHwnd()));
  const DWORD start = ::GetTickCount();
  while (::IsWindowVisible(balloon->GetSafeHwnd()) && ::GetTickCount() - start < 5000) Pump(10);
  EXPECT_FALSE(::IsWindowVisible(balloon->GetSafeHwnd())) << "any other kind hides itself";

  // The library's close request ends the window.
  const HWND window = balloon->GetSafeHwnd();
  ::SendMessageW(window, UM_CLOSEWINDOW, 0, 0);
  Pump(50);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(0, host.pm.ShowAirBladder(1, 0));
}

TEST_F(TipWindows, HelpButtonShowsAndHidesItsBalloon) {
  auto* help = host.Add(new CHelpButton(&host, 60, CRect(50, 50, 70, 70), L"Explains", 1, 1));
  auto* other = host.Add(new CHelpButton(&host, 61, CRect(150, 50, 170, 70), L"Another", 1, 1));
  help->SetAirbladderMode(AIRBLADDER_MODE_RIGHT);
  EXPECT_EQ(1, help->OnControlMouseMove(0, CPoint(60, 60)));
  MAirBladder* balloon = host.pm.GetAirBladder();
  ASSERT_NE(nullptr, balloon);
  EXPECT_TRUE(::IsWindowVisible(balloon->GetSafeHwnd()));
  EXPECT_EQ(CString(L"Explains"), balloon->GetText());
  EXPECT_EQ(170, balloon->GetAnchor().x) << "left + 20, in screen coordinates";
  EXPECT_EQ(150, balloon->GetAnchor().y);
  help->OnControlMouseMove(0, CPoint(300, 300));
  EXPECT_FALSE(::IsWindowVisible(balloon->GetSafeHwnd()));

  other->OnControlMouseMove(0, CPoint(160, 60));  // mode 2: left - 2
  EXPECT_EQ(248, balloon->GetAnchor().x);
  help->OnControlMouseMove(0, CPoint(300, 300));
  EXPECT_TRUE(::IsWindowVisible(balloon->GetSafeHwnd())) << "another control holds the balloon";
  help->SetTitle(L"");
  EXPECT_EQ(0, help->OnControlMouseMove(0, CPoint(60, 60))) << "no title, no balloon";
}

TEST_F(TipWindows, ImageButtonBalloonAtItsEdgeWhileHovered) {
  auto* b = host.Add(new CImageButton(&host, 62, CRect(200, 100, 240, 140), L"Lock", 1, 1));
  b->OnMouseMove(0, CPoint(220, 120));
  EXPECT_EQ(nullptr, host.pm.GetAirBladder()) << "no balloon mode, no balloon";
  b->OnMouseMove(0, CPoint(300, 300));
  b->SetAlrBladderMode(AIRBLADDER_MODE_LEFT);
  b->OnMouseMove(0, CPoint(220, 120));
  MAirBladder* balloon = host.pm.GetAirBladder();
  ASSERT_NE(nullptr, balloon);
  EXPECT_EQ(300, balloon->GetAnchor().x) << "the left edge";
  EXPECT_EQ(220, balloon->GetAnchor().y) << "vertically centred";
  EXPECT_TRUE(::IsWindowVisible(balloon->GetSafeHwnd()));
  b->OnMouseMove(0, CPoint(300, 300));
  EXPECT_FALSE(::IsWindowVisible(balloon->GetSafeHwnd()));
}

TEST_F(TipWindows, IconButtonMakesItsKeyTipOnce) {
  auto* b = host.Add(new CIconButton(&host, 63, CRect(10, 10, 110, 50), L"Keys", 1, 1));
  b->OnMouseMove(0, CPoint(50, 30));
  EXPECT_EQ(nullptr, b->GetTipWindow()) << "tips are off by default";
  b->SetShowTips(true);
  b->OnMouseMove(0, CPoint(50, 31));
  CKeyboardTips* tip = b->GetTipWindow();
  ASSERT_NE(nullptr, tip);
  EXPECT_EQ(tip->GetSafeHwnd(), ::FindWindowW(L"TQXWindow", L"KeyboardTip Window"));
  EXPECT_NE(nullptr, tip->GetBKImage());
  b->OnMouseMove(0, CPoint(300, 300));
  b->OnMouseMove(0, CPoint(50, 30));
  EXPECT_EQ(tip, b->GetTipWindow()) << "never made again";
  host.pm.RemoveControl(b);
  EXPECT_EQ(nullptr, ::FindWindowW(L"TQXWindow", L"KeyboardTip Window")) << "gone with its button";
}

TEST_F(TipWindows, KeyTipSitsCentredAboveItsAnchor) {
  CKeyboardTips tip;
  ASSERT_NE(nullptr, tip.Create(host.GetSafeHwnd(), L"KeyboardTip Window", 0x96020080, 0, CRect(), nullptr));
  tip.SetAirBladderMsg(L"Esc", L"Escape", nullptr, nullptr, POINT{400, 300});
  EXPECT_EQ(CRect(305, 220, 495, 300), Place(tip.GetSafeHwnd()));
  tip.DestroyWindow();
}

TEST_F(TipWindows, FrameTipSizeAndRepaints) {
  LEDFrameTips tip;
  ASSERT_NE(nullptr, tip.Create(host.GetSafeHwnd(), L"LED Frame Window", 0x96020080, 0, CRect(), nullptr));
  tip.SetAirBladderMsg(L"Frames 12", L"3 s", POINT{300, 500});
  EXPECT_EQ(CRect(300, 430, 540, 500), Place(tip.GetSafeHwnd()));
  const int paints = tip.GetPaintCount();
  tip.SetAirBladderMsg(L"Frames 12", L"3 s", POINT{300, 500});
  EXPECT_EQ(paints, tip.GetPaintCount()) << "the same message changes nothing";
  tip.SetAirBladderMsg(L"Frames 12", L"Frames 12", POINT{300, 500});
  EXPECT_GT(tip.GetPaintCount(), paints) << "a text equal to the stored title is still new";
  tip.SetAirBladderMsg(L"Picture", L"", POINT{300, 500});
  EXPECT_EQ(160, Place(tip.GetSafeHwnd()).Width());
  tip.DestroyWindow();

  KBToolTips unused;
  ASSERT_NE(nullptr, unused.Create(host.GetSafeHwnd(), L"tool", 0x96020080, 0, CRect(), nullptr));
  EXPECT_EQ(1, unused.SetAirBladderMsg(L"a", nullptr, nullptr, POINT{1, 1}));
  const HWND window = unused.GetSafeHwnd();
  ::SendMessageW(window, UM_CLOSEWINDOW, 0, 0);
  Pump(50);
  EXPECT_FALSE(::IsWindow(window));
}
