// The picture and key widgets inside a real window: created by class name, reached by the
// window's own mouse messages, reporting to the window, and the picture grid's frame tip.
#include <gtest/gtest.h>
#include <algorithm>
#include "PictureTestSupport.h"
#include "controls/LEDFrameTips.h"
#include "core/MPanel.h"
#include "core/MWindow.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "qiv/core/QivTestSupport.h"
#include "qiv/core/WindowTestSupport.h"
#include "qiv/windows/RobotoFont.h"
#include "widgets/ImageView.h"
#include "widgets/ImageViewList.h"
#include "widgets/KeyFuncControl.h"
#include "widgets/KeyFuncCtrl.h"
#include "widgets/KeyPickerTable.h"
#include "widgets/LCDViewCtrl.h"
#include "widgets/LCDViewList.h"

namespace {

using qivtest::Notice;
using qivtest::Pump;

// The wheel's answer is the paint manager's.
class HostWindow : public qivtest::PaintHostWindow {
protected:
  bool KeepsAnswer(UINT msg, LRESULT) const override { return msg == WM_MOUSEWHEEL; }
};

class PicturesWindow : public ::testing::Test {
protected:
  void SetUp() override {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, host.Create(nullptr, L"pictures", WS_POPUP, 0, CRect(0, 0, 1000, 700)));
    qivwin::RegisterRoboto(host.pm);
    panel = new MPanel(&host, 10, CRect(0, 0, 1000, 700), 1);
    panel->SetManager(&host.pm);
    host.pm.GetControls()->push_back(panel);
    panel->InitControl(&host.pm);
    ::ShowWindow(host.GetSafeHwnd(), SW_SHOWNOACTIVATE);
    Pump(30);
  }
  void TearDown() override { host.DestroyWindow(); }
  template <class T>
  T* Create(const wchar_t* name, unsigned id, CRect rect) {
    return dynamic_cast<T*>(panel->CreateControl(name, id, rect, L"", 1, 1));
  }
  LRESULT Send(UINT msg, WPARAM w, CPoint p) {
    return ::SendMessageW(host.GetSafeHwnd(), msg, w, MAKELPARAM(p.x, p.y));
  }
  HostWindow host;
  MPanel* panel = nullptr;
};

TEST_F(PicturesWindow, FactoriesMakeEachWidgetByItsClassName) {
  const struct {
    const wchar_t* name;
    bool window;  // the window-level factory knows it as well
  } names[] = {{L"KeyFuncControl", false}, {L"KeyFuncCtrl", true},   {L"ImageView", false}, {L"ImageViewList", false},
               {L"LCDViewList", false},    {L"LCDViewCtrl", false}};
  unsigned id = 100;
  for (const auto& n : names) {
    MControl* made = panel->CreateControl(n.name, ++id, CRect(0, 0, 50, 50), L"", 0, 1);
    ASSERT_NE(made, nullptr) << n.name;
    EXPECT_STREQ(made->GetClassNameW(), n.name);
    MControl* top = host.pm.CreateControl(&host, n.name, ++id, CRect(0, 0, 50, 50), L"", 0, 1);
    EXPECT_EQ(top != nullptr, n.window) << n.name;
  }
}

TEST_F(PicturesWindow, KeyPickerReportsAPressOfTheWindowToItsOwner) {
  auto* picker = Create<KeyFuncControl>(L"KeyFuncControl", 20, CRect(50, 60, 940, 316));
  ASSERT_NE(picker, nullptr);
  picker->InitItemInfo();
  const RECT& fn = GetPickerKeyTable()[103].rect;
  const CPoint on(50 + fn.left + 10, 60 + fn.top + 10);
  Send(WM_MOUSEMOVE, 0, on);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, on);
  Send(WM_LBUTTONUP, 0, on);
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0].id, 20u);
  EXPECT_EQ(host.notices[0].code, 1u);
  EXPECT_EQ(host.notices[0].wParam, 103u);
  int u, code, v2, v3;
  CString label;
  ASSERT_TRUE(picker->GetCurItemData(u, code, v2, v3, label));
  EXPECT_EQ(code, 175);
  // The wheel stops at the picker.
  POINT screen = on;
  ::ClientToScreen(host.GetSafeHwnd(), &screen);
  EXPECT_EQ(::SendMessageW(host.GetSafeHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(screen.x, screen.y)), 1);
}

TEST_F(PicturesWindow, PaletteTileIsDraggedWithItsOwnPicture) {
  auto* palette = Create<KeyFuncCtrl>(L"KeyFuncCtrl", 21, CRect(50, 60, 450, 660));
  ASSERT_NE(palette, nullptr);
  palette->InitItemInfo();
  palette->SetDragDrop(1);
  EXPECT_EQ(palette->IsDragDrop(), 1);
  ::UpdateWindow(host.GetSafeHwnd());
  host.pm.RefreshControls();
  pictest::Render render(1000, 700);
  render.Draw(*palette);
  EXPECT_EQ(palette->GetControlDropBitmap(), nullptr);  // no tile under the pointer
  const CRect tile = palette->GetItemRect(0, 0);
  Send(WM_MOUSEMOVE, 0, CPoint(50 + tile.left + 20, 60 + tile.top + 20));
  HBITMAP image = palette->GetControlDropBitmap();
  ASSERT_NE(image, nullptr);
  BITMAP info{};
  ::GetObjectW(image, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 53);  // the tile grown by 1 px left and top, 2 px right and bottom
  EXPECT_EQ(info.bmHeight, 53);
  ::DeleteObject(image);
  palette->SetEnabled(0);
  EXPECT_EQ(palette->GetControlDropBitmap(), nullptr);
}

TEST_F(PicturesWindow, RestingOnAGridTileShowsItsFrameTip) {
  auto* grid = Create<LCDViewCtrl>(L"LCDViewCtrl", 22, CRect(100, 200, 420, 520));
  ASSERT_NE(grid, nullptr);
  grid->SetTips(L"", L"", CRect());  // nothing to show: nothing is created
  EXPECT_EQ(grid->GetTipWindow(), nullptr);
  grid->AddItem(L"", L"Slot 1", L"Frames 4");
  grid->AddItem(L"", L"Slot 2", L"Frames 9");
  pictest::Render render(1000, 700);
  render.Draw(*grid);
  const CPoint onSecond(100 + 106 + 30, 200 + 40);
  Send(WM_MOUSEMOVE, 0, onSecond);  // hovers the tile; the tip waits for the next move
  EXPECT_EQ(grid->GetHoverIndex(), 1);
  EXPECT_EQ(grid->GetTipWindow(), nullptr);
  Send(WM_MOUSEMOVE, 0, CPoint(onSecond.x + 2, onSecond.y));
  LEDFrameTips* tip = grid->GetTipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(::IsWindowVisible(tip->GetSafeHwnd()));
  EXPECT_EQ(tip->GetTitle(), L"Slot 2");
  EXPECT_EQ(tip->GetText(), L"Frames 9");
  POINT anchor = {100 + 106, 200};  // the tile's top-left corner, on the screen
  ::ClientToScreen(host.GetSafeHwnd(), &anchor);
  RECT placed{};
  ::GetWindowRect(tip->GetSafeHwnd(), &placed);
  EXPECT_EQ(placed.left, anchor.x);
  EXPECT_EQ(placed.bottom, anchor.y);  // the tip stands on the tile
  Send(WM_MOUSEMOVE, 0, CPoint(900, 650));  // leaves the grid
  EXPECT_FALSE(::IsWindowVisible(tip->GetSafeHwnd()));
  Send(WM_MOUSEMOVE, 0, onSecond);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, onSecond);
  Send(WM_LBUTTONUP, 0, onSecond);
  ASSERT_FALSE(host.notices.empty());
  EXPECT_EQ(host.notices.back().id, 22u);
  EXPECT_EQ(host.notices.back().code, 2u);
  EXPECT_EQ(host.notices.back().wParam, 1u);
}

TEST_F(PicturesWindow, EraserTakesTheColourShownUnderThePointer) {
  pictest::TempFolder folder;
  pictest::DataFolderScope data;
  const CString source = folder.File(L"\u6e90.png");
  ASSERT_TRUE(pictest::WriteSolidPng(source, 100, 80, 0xFF20C040));
  auto* view = Create<ImageView>(L"ImageView", 380, CRect(10, 20, 410, 320));
  ASSERT_NE(view, nullptr);
  view->SetImage(source);
  ::InvalidateRect(host.GetSafeHwnd(), nullptr, FALSE);
  ::UpdateWindow(host.GetSafeHwnd());
  Pump(30);
  view->SetEraserMode();
  const CPoint onPicture(10 + 150 + 50, 20 + 110 + 40);
  Send(WM_MOUSEMOVE, 0, onPicture);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, onPicture);
  Send(WM_MOUSEMOVE, MK_LBUTTON, CPoint(onPicture.x + 20, onPicture.y));
  Send(WM_LBUTTONUP, 0, CPoint(onPicture.x + 20, onPicture.y));
  ASSERT_EQ(view->GetLayerCount(), 1);
  const EDITLAYER_INFO stroke = view->GetLayer(0);
  EXPECT_EQ(stroke.type, 3);
  EXPECT_EQ(stroke.color, 0xFF20C040u);
  EXPECT_EQ(stroke.pointCount, 2);
  const auto saved = std::count_if(host.notices.begin(), host.notices.end(), [](const Notice& n) { return n.code == 32; });
  EXPECT_EQ(saved, 1);
}

}  // namespace
