// The screen frame list and the screen picture grid: items, scroll bar, selection,
// hover notifications and preview, tile layout and drawing.
#include <gtest/gtest.h>
#include "PictureTestSupport.h"
#include "controls/MScroll.h"
#include "core/Manager.h"
#include "qiv/core/QivTestSupport.h"
#include "qiv/core/SkinFiles.h"
#include "widgets/LCDViewCtrl.h"
#include "widgets/LCDViewList.h"

namespace {

using pictest::TempFolder;

DWORD g_now = 0;
DWORD FakeTick() { return g_now; }

// A 200 x 400 list at (10, 10); items are 150 px high.
class ScreenList : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pictest::WriteSolidPng(picture, 80, 50, 0xFF00FF00));
    list.SetTickSource(&FakeTick);
  }
  void Paint() { render.Draw(list); }
  CPoint Centre(int index) { return list.GetItemScreenRect(index).CenterPoint(); }
  TempFolder folder;
  const CString picture = folder.File(L"\u5e27.png");
  qivtest::RecordingParent parent;
  LCDViewList list{&parent, 371, CRect(10, 10, 210, 410), 1};
  pictest::Render render{220, 420};
};

TEST_F(ScreenList, ItemsKeepTheirNumbersAndRefuseBadIndexes) {
  EXPECT_EQ(list.AddString(L"one", picture, 12, 7), 0);
  EXPECT_EQ(list.AddString(L"two", folder.File(L"missing.png"), 0, 9), 1);
  EXPECT_EQ(list.AddString(L"three", picture, 3, 7), 2);
  EXPECT_EQ(list.GetItemText(1), L"two");
  EXPECT_EQ(list.GetItemLEDId(0), 7);
  EXPECT_EQ(list.GetItemFrameSize(2), 3);
  list.SetItemLEDIdSelect(7);  // two items carry 7: the lower index wins
  EXPECT_EQ(list.GetCurSel(), 0);
  EXPECT_EQ(list.GetCurImageFrameSize(), 12);
  list.SetItemLEDIdSelect(99);
  EXPECT_EQ(list.GetCurSel(), 0);
  EXPECT_EQ(list.SetCurSel(3), 0);
  EXPECT_EQ(list.GetCurSel(), 0);
  EXPECT_EQ(list.SetCurSel(-1), 1);
  EXPECT_EQ(list.GetCurImageFrameSize(), 0);
  const struct {
    int index;
    int setter;
  } bad[] = {{-1, 0}, {3, 0}, {1000, 0}};
  for (const auto& b : bad) {
    EXPECT_EQ(list.SetFrameSize(b.index, 5), b.setter);
    EXPECT_EQ(list.SetItemLEDId(b.index, 5), b.setter);
    EXPECT_EQ(list.SetFrameData(b.index, picture, 5), b.setter);
    EXPECT_EQ(list.GetItemFrameSize(b.index), 0);
    EXPECT_EQ(list.GetItemLEDId(b.index), 0);
    EXPECT_TRUE(list.GetItemText(b.index).IsEmpty());
    EXPECT_EQ(list.DeleteItem(b.index), 0);
  }
  EXPECT_EQ(list.SetFrameData(1, picture, 4), 1);
  EXPECT_EQ(list.GetItemFrameSize(1), 4);
  EXPECT_EQ(list.DeleteItem(0), 1);
  EXPECT_EQ(list.GetItemText(0), L"two");
}

TEST_F(ScreenList, ScrollBarShowsForContentTallerThanTheListAndNarrowsTheTiles) {
  MScroll* bar = list.GetScrollVertical();
  for (int i = 0; i < 4; ++i) list.AddString(L"", picture, 1, i);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetScrollMaxRange(), 600);
  Paint();
  EXPECT_EQ(list.GetItemScreenRect(0), CRect(10 + 15, 10 + 10, 10 + 200 - 5 - 15, 10 + 141));
  EXPECT_EQ(list.OnControlScroll(120, 1, CPoint(50, 50)), 1);
  EXPECT_EQ(bar->GetScrollCurrentPos(), 100);
  list.DeleteItem(3);
  list.DeleteItem(2);
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(list.OnControlScroll(120, 1, CPoint(50, 50)), 0);  // 300 px fit in 400
  Paint();
  EXPECT_EQ(list.GetItemScreenRect(0), CRect(10 + 15, 10 + 10, 10 + 200 - 15, 10 + 141));
  list.DeleteAllItems();
  EXPECT_EQ(bar->GetScrollMaxRange(), 0);
}

TEST_F(ScreenList, PointerAndButtonsReportItemsToTheOwner) {
  list.AddString(L"", picture, 2, 40);
  list.AddString(L"", picture, 5, 41);
  EXPECT_EQ(list.OnControlMouseMove(0, CPoint(50, 50)), 0);  // nothing painted yet: no hit tests
  Paint();
  list.OnControlMouseMove(0, Centre(1));
  EXPECT_EQ(list.GetHoverIndex(), 1);
  EXPECT_TRUE(parent.notices.empty());
  const CPoint resting = Centre(1);
  EXPECT_EQ(list.OnControlMouseMove(0, CPoint(resting.x + 3, resting.y)), 1);
  EXPECT_EQ(list.OnControlMouseMove(0, CPoint(resting.x + 6, resting.y)), 1);
  list.OnControlLButtonUp(0, resting);
  list.OnControlLButtonDblClk(0, resting);
  list.OnControlMouseMove(0, CPoint(12, 12));  // inside the list, on no tile
  list.OnControlRButtonUp(0, CPoint(12, 12));
  const struct {
    unsigned code, wParam;
  } expected[] = {{11, 41}, {11, 41}, {2, 1}, {3, 1}, {5, 0xFFFFFFFFu}};
  ASSERT_EQ(parent.notices.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(parent.notices[i].code, expected[i].code) << i;
    EXPECT_EQ(parent.notices[i].wParam, expected[i].wParam) << i;
  }
  EXPECT_EQ(list.GetCurSel(), -1);
  list.SetEnabled(0);
  EXPECT_EQ(list.OnControlLButtonUp(0, resting), 0);
  EXPECT_EQ(parent.notices.size(), std::size(expected));
}

TEST_F(ScreenList, HoveredItemPlaysThePreviewFramesAndARefillDropsTheOldOnes) {
  const CString second = folder.File(L"2.png");
  ASSERT_TRUE(pictest::WriteSolidPng(second, 80, 50, 0xFFFF00FF));
  list.AddString(L"", picture, 3, 1);
  VIEW_INFO a{picture, 0, 0, 0, 100, 0}, b{second, 0, 0, 0, 100, 0};
  list.AddFrameData({a, b, a});
  Paint();
  g_now = 5000;
  list.OnControlMouseMove(0, Centre(0));
  EXPECT_EQ(list.OnControlTimer(), 0);  // the first frame's delay has not passed
  g_now += 101;
  EXPECT_EQ(list.OnControlTimer(), 1);
  EXPECT_EQ(list.GetPreviewIndex(), 1);
  Paint();
  EXPECT_EQ(render.At(Centre(0).x, Centre(0).y - 10), 0xFF00FFu);  // the preview frame, not the thumbnail
  list.AddFrameData({b});  // refilled while a frame is shown
  Paint();
  EXPECT_EQ(render.At(Centre(0).x, Centre(0).y - 10), 0x00FF00u);
  EXPECT_EQ(list.OnControlTimer(), 0);  // one frame: no playback
  list.OnControlMouseMove(0, CPoint(300, 300));
  EXPECT_EQ(list.GetHoverIndex(), -1);
}

TEST_F(ScreenList, ItemsWithoutFramesShowThePlaceholder) {
  qivtest::SkinFolder skins;
  skins.Solid(L"lcd_add.png", 40, 40, 0xFF0000FF);
  EXPECT_EQ(list.SetImage(L"lcd_add.png", 1), 1);
  EXPECT_EQ(list.SetImage(L"missing.png", 1), 0);
  EXPECT_EQ(list.SetImage(L"lcd_add.png", 1), 1);
  list.AddString(L"", picture, 0, 1);  // no frames: placeholder, not its picture
  list.AddString(L"", picture, 6, 2);
  list.SetTitle(L"Frames");
  Paint();
  const CPoint first = Centre(0), second = Centre(1);
  EXPECT_EQ(render.At(first.x, first.y - 10), 0x0000FFu);
  EXPECT_EQ(render.At(second.x, second.y - 10), 0x00FF00u);
}

// ---- the picture grid ----

class ScreenGrid : public ::testing::Test {
protected:
  void Paint() { render.Draw(grid); }
  TempFolder folder;
  qivtest::RecordingParent parent;
  LCDViewCtrl grid{&parent, 369, CRect(20, 20, 340, 340), 1};
  pictest::Render render{360, 360};
};

TEST_F(ScreenGrid, TilesStandTwoInTheFirstRowsAndTheRestInTheThird) {
  for (int i = 0; i < 7; ++i) grid.AddItem(L"", L"title", L"text");  // no picture: black tiles
  EXPECT_EQ(grid.GetItemCount(), 7);
  Paint();
  const CPoint places[] = {{0, 0}, {106, 0}, {0, 106}, {106, 106}, {0, 212}, {106, 212}, {212, 212}};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(grid.GetItemRect(i), CRect(places[i], CSize(96, 96))) << i;
  EXPECT_EQ(render.At(20 + 40, 20 + 60), 0x000000u);
  EXPECT_EQ(grid.SetCurSel(7), 0);
  EXPECT_EQ(grid.SetCurSel(6), 1);
  EXPECT_EQ(grid.DeleteAllItems(), 1);
  EXPECT_EQ(grid.GetCurSel(), -1);
  EXPECT_EQ(grid.GetItemCount(), 0);
}

TEST_F(ScreenGrid, PicturesAreFittedIntoTheirTilesAndHoverIsOutlined) {
  const CString wide = folder.File(L"\u5bbd.png"), tall = folder.File(L"\u9ad8.png");
  ASSERT_TRUE(pictest::WriteSolidPng(wide, 200, 100, 0xFFFF0000));
  ASSERT_TRUE(pictest::WriteSolidPng(tall, 50, 200, 0xFF00FF00));
  grid.AddItem(wide, L"a", L"b");
  grid.AddItem(L"", L"c", L"d");
  grid.SetItemInfo(1, tall, L"e", L"f");
  grid.SetItemInfo(2, wide, L"x", L"y");  // no such tile
  Paint();
  // 200 x 100 drawn 96 x 48 from y 24 (+1); 50 x 200 drawn 24 x 96 from x 36.
  EXPECT_EQ(render.At(20 + 48, 20 + 30), 0xFF0000u);
  EXPECT_EQ(render.At(20 + 48, 20 + 20), 0x000000u);
  EXPECT_EQ(render.At(20 + 106 + 48, 20 + 50), 0x00FF00u);
  EXPECT_EQ(render.At(20 + 106 + 30, 20 + 50), 0x000000u);

  const CPoint onSecond(20 + 106 + 10, 20 + 80);
  grid.OnControlMouseMove(0, onSecond);
  EXPECT_EQ(grid.GetHoverIndex(), 1);
  Paint();
  const uint32_t select = Manager::m_select_color.GetValue() & 0xFFFFFF;
  const uint32_t normal = Manager::m_normal_color.GetValue() & 0xFFFFFF;
  EXPECT_EQ(render.At(20 + 106, 20 + 60), select);  // the hovered tile's outline
  EXPECT_EQ(render.At(20, 20 + 60), normal);
  EXPECT_EQ(render.At(20 + 96 - 12, 20 + 5), normal);     // the number badge
  grid.OnControlLButtonUp(0, onSecond);
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].code, 2u);
  EXPECT_EQ(parent.notices[0].wParam, 1u);
  EXPECT_EQ(grid.GetCurSel(), 1);
  grid.ResetTips();
  grid.OnControlMouseMove(0, CPoint(400, 400));
  EXPECT_EQ(grid.GetHoverIndex(), -1);
}

}  // namespace
