// The list controls' own logic without a window: the visible-row arithmetic, the combo
// box's items and drop-down geometry, the lists' rows and selections, the tab strips.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "controls/MComboBox.h"
#include "controls/MListBox.h"
#include "controls/MListBoxEx.h"
#include "controls/MScroll.h"
#include "controls/ProfileList.h"
#include "controls/RowView.h"
#include "controls/TabCtrlEx.h"

using namespace qivtest;

namespace {
const Gdiplus::Color kBlack(0xFF000000);

int Repaints(const RecordingParent& parent, int redraw) {
  int n = 0;
  for (const auto& u : parent.updates) n += u.redraw == redraw ? 1 : 0;
  return n;
}
}  // namespace

TEST(RowViewTest, VisibleRowsBitmapAndOffsetForEachScrollState) {
  struct Case {
    int rows, rowHeight, view, pos, range;
    int offset, first, last, bitmap, top;
  } cases[] = {
      {0, 36, 180, 0, 0, 0, 0, 0, 180, 0},            // no rows
      {5, 36, 180, 0, 180, 0, 0, 4, 180, 0},          // fits: nothing scrolled
      {6, 36, 180, 0, 216, 0, 0, 5, 216, 0},          // one row more than the view
      {6, 36, 180, 216, 216, 36, 1, 5, 180, 0},       // at the end: the last five rows
      {6, 36, 180, 108, 216, 18, 0, 5, 216, 18},      // half a row scrolled
      {1000, 50, 400, 50000, 50000, 49600, 992, 999, 400, 0},
      {1000, 50, 400, 25000, 50000, 24800, 496, 504, 450, 0},
      {10, 36, 180, 50, 0, 0, 0, 5, 216, 0},          // range 0: not scrollable
      {10, 36, 180, -20, 360, 0, 0, 5, 216, 0},       // position before the range
      {10, 36, 180, 9999, 360, 180, 5, 9, 180, 0},    // position past the range
      {3, 0, 180, 10, 100, 0, 0, 0, 180, 0},          // no row height
      {3, 36, 180, 50, 108, 0, 0, 2, 180, 0},         // content shorter than the view
  };
  for (const Case& c : cases) {
    const RowView v = ComputeRowView(c.rows, c.rowHeight, c.view, c.pos, c.range);
    const auto where = ::testing::Message() << c.rows << " rows at " << c.pos << "/" << c.range;
    EXPECT_EQ(c.offset, v.offset) << where;
    EXPECT_EQ(c.first, v.first) << where;
    EXPECT_EQ(c.last, v.last) << where;
    EXPECT_EQ(c.bitmap, v.bitmapHeight) << where;
    EXPECT_EQ(c.top, v.bitmapTop) << where;
  }
}

TEST(ComboBoxTest, DropDownIsCappedAtFiveRows) {
  struct Case {
    int items, height;
  } cases[] = {{0, 12}, {1, 48}, {5, 192}, {6, 192}, {40, 192}};
  for (const Case& c : cases) {
    const CRect r = MComboBox::DropDownRect(CPoint(97, 132), 200, c.items);
    EXPECT_EQ(CRect(97, 132, 303, 132 + c.height), r) << c.items << " items";
  }
}

TEST(ComboBoxTest, ItemsIndexesAndSelection) {
  RecordingParent owner;
  MComboBox combo(&owner, 5, CRect(0, 0, 200, 30), 1, 1);
  EXPECT_EQ(CRect(4, 2, 170, 28), combo.GetTextRect());
  EXPECT_EQ(0, combo.AddItem(L"a", 10, nullptr, kBlack));
  EXPECT_EQ(1, combo.AddItem(nullptr, 20, L"icon.png", kBlack));
  EXPECT_EQ(2, combo.AddItem(L"c", 30, nullptr, kBlack));
  EXPECT_EQ(3, combo.InsertItem(0, L"first", 5, nullptr, kBlack)) << "a middle insert answers count - 1";
  EXPECT_EQ(-1, combo.InsertItem(4, L"bad", 0, nullptr, kBlack));
  EXPECT_EQ(-1, combo.InsertItem(-2, L"bad", 0, nullptr, kBlack));
  EXPECT_EQ(4, combo.GetItemCount());
  EXPECT_EQ(L"", combo.GetItemText(2)) << "a null text is stored empty";
  EXPECT_EQ(3, combo.FindData(30));
  EXPECT_EQ(-1, combo.FindData(99));

  EXPECT_EQ(-1, combo.GetCurSel());
  EXPECT_EQ(0, combo.GetCurData());
  EXPECT_EQ(1, combo.SetCurSel(1));
  EXPECT_EQ(L"a", combo.GetTitle());
  EXPECT_EQ(10, combo.GetCurData());
  EXPECT_EQ(0, combo.SetCurSel(4)) << "the count is a bad index";
  EXPECT_EQ(1, combo.GetCurSel());
  EXPECT_EQ(1, combo.SelectData(30));
  EXPECT_EQ(3, combo.GetCurSel());
  EXPECT_EQ(0, combo.SelectData(99));
  EXPECT_EQ(3, combo.GetCurSel());
  EXPECT_EQ(1, combo.SetCurSel(-1));
  EXPECT_EQ(L"", combo.GetTitle());

  EXPECT_EQ(1, combo.SetItemData(0, 7));
  EXPECT_EQ(7, combo.GetItemData(0));
  EXPECT_EQ(0, combo.SetItemData(-1, 7));
  EXPECT_EQ(0, combo.GetItemData(4));
  EXPECT_TRUE(owner.notices.empty()) << "nothing set from code is notified";
}

TEST(ComboBoxTest, TextChangesRepaintOnlyWhenTheTextDiffers) {
  RecordingParent owner;
  MComboBox combo(&owner, 5, CRect(0, 0, 200, 30), 1, 1);
  combo.AddItem(L"one", 1, nullptr, kBlack);
  combo.AddItem(L"two", 2, nullptr, kBlack);
  combo.SetCurSel(1);
  owner.updates.clear();
  EXPECT_EQ(1, combo.SetItemText(1, L"two"));
  EXPECT_TRUE(owner.updates.empty()) << "the same text does not repaint";
  EXPECT_EQ(1, combo.SetItemText(1, L"zwei"));
  EXPECT_EQ(L"zwei", combo.GetTitle()) << "the selected item's text is the title";
  EXPECT_EQ(1, Repaints(owner, 1));
  EXPECT_EQ(0, combo.SetItemText(2, L"x"));
}

TEST(ComboBoxTest, DeletingTheSelectedItemKeepsIndexAndTitle) {
  RecordingParent owner;
  MComboBox combo(&owner, 5, CRect(0, 0, 200, 30), 1, 1);
  for (int i = 0; i < 3; ++i) combo.AddItem(i == 0 ? L"a" : i == 1 ? L"b" : L"c", 10 * (i + 1), nullptr, kBlack);
  combo.SetCurSel(1);
  EXPECT_EQ(1, combo.DeleteItem(1));
  EXPECT_EQ(1, combo.GetCurSel());
  EXPECT_EQ(L"b", combo.GetTitle());
  EXPECT_EQ(30, combo.GetCurData()) << "the item that moved into the index";
  combo.SetCurSel(1);
  combo.DeleteItem(1);
  EXPECT_EQ(1, combo.GetCurSel());
  EXPECT_EQ(0, combo.GetCurData()) << "an index past the end reads as no selection";
  EXPECT_EQ(1, combo.DeleteItem(-1)) << "-1 deletes nothing";
  EXPECT_EQ(0, combo.DeleteItem(1));
  EXPECT_EQ(0, combo.DeleteItem(-2));
  EXPECT_EQ(1, combo.GetItemCount());
  EXPECT_EQ(1, combo.DelAllItems());
  EXPECT_EQ(-1, combo.GetCurSel());
  EXPECT_EQ(0, combo.GetItemCount());
}

TEST(ComboBoxTest, FaceStatesFollowMouseAndEnabling) {
  RecordingParent owner;
  MComboBox combo(&owner, 5, CRect(10, 10, 210, 40), 1, 1);
  EXPECT_EQ(1, combo.OnControlMouseMove(0, CPoint(50, 20)));
  EXPECT_EQ(1, combo.GetState());
  EXPECT_EQ(0, combo.OnControlMouseMove(0, CPoint(60, 20))) << "unchanged";
  EXPECT_EQ(1, combo.OnControlLButtonDown(0, CPoint(60, 20)));
  EXPECT_EQ(2, combo.GetState());
  EXPECT_EQ(0, combo.OnControlMouseMove(0, CPoint(300, 300))) << "held: the face stays pressed";
  EXPECT_EQ(1, combo.OnControlLButtonUp(0, CPoint(300, 300)));
  EXPECT_EQ(0, combo.GetState());
  EXPECT_TRUE(owner.updates.size() >= 3);
  for (const auto& u : owner.updates) EXPECT_EQ(0, u.redraw) << "face changes only pick another frame";
  combo.SetEnabled(0);
  EXPECT_EQ(3, combo.GetState());
  EXPECT_EQ(0, combo.OnControlMouseMove(0, CPoint(50, 20)));
  EXPECT_EQ(0, combo.OnControlLButtonDown(0, CPoint(50, 20)));
  EXPECT_EQ(3, combo.GetState());
}

TEST(ComboBoxListTest, ScrollBarFromTheSixthRowAndWheelSteps) {
  RecordingParent owner;
  CComboBoxList list(&owner, 88, CRect(3, 3, 203, 183), 1, 1);
  for (int i = 0; i < 5; ++i) list.AddItem(L"row", i, nullptr, kBlack);
  EXPECT_FALSE(list.GetScrollVertical()->IsVisible()) << "five rows fit 180 pixels";
  EXPECT_EQ(0, list.OnControlScroll(1, 1, CPoint()));
  list.AddItem(L"row", 5, nullptr, kBlack);
  EXPECT_TRUE(list.GetScrollVertical()->IsVisible());
  EXPECT_EQ(216, list.GetScrollVertical()->GetScrollMaxRange());
  EXPECT_EQ(216, list.GetListHeight());

  struct Case {
    int rows, step;
  } cases[] = {{12, 2}, {13, 6}};
  for (const Case& c : cases) {
    CComboBoxList rows(&owner, 88, CRect(3, 3, 203, 183), 1, 1);
    for (int i = 0; i < c.rows; ++i) rows.AddItem(L"row", i, nullptr, kBlack);
    MScroll* bar = rows.GetScrollVertical();
    EXPECT_EQ(1, rows.OnControlScroll(1, 1, CPoint()));
    EXPECT_EQ(c.step * bar->m_nRowStep, bar->GetScrollCurrentPos()) << c.rows << " rows";
    EXPECT_EQ(1, rows.OnControlScroll(1, 0, CPoint()));
    EXPECT_EQ(0, bar->GetScrollCurrentPos());
  }
}

TEST(ListBoxTest, RowsDataAndSelection) {
  RecordingParent owner;
  MListBox list(&owner, 9, CRect(0, 0, 200, 180), 1);
  EXPECT_FALSE(list.GetScrollVertical()->IsVisible());
  EXPECT_EQ(0, list.AddString(L"alpha", 0));
  EXPECT_EQ(1, list.AddString(L"beta", 22L, 0));
  EXPECT_EQ(2, list.InsertString(0, L"zero", 0, 5)) << "answers count - 1";
  EXPECT_EQ(-1, list.InsertString(3, L"bad", 0, 0));
  EXPECT_EQ(L"zero", list.GetItemText(0));
  EXPECT_EQ(2, list.FindString(L"beta"));
  EXPECT_EQ(-1, list.FindString(L"Beta")) << "exact, case-sensitive";
  EXPECT_EQ(-1, list.FindString(nullptr));
  EXPECT_EQ(2, list.FindItemData(22));
  EXPECT_EQ(2, list.SetCurData(22));
  EXPECT_EQ(22, list.GetCurData());
  owner.updates.clear();
  EXPECT_EQ(1, list.SetCurSel(2));
  EXPECT_TRUE(owner.updates.empty()) << "the same selection does not repaint";
  EXPECT_EQ(0, list.SetCurSel(3));
  EXPECT_EQ(1, list.ModifyItemString(1, nullptr));
  EXPECT_EQ(L"", list.GetItemText(1));
  EXPECT_EQ(0, list.ModifyItemString(5, L"x"));
  list.SwapItem(0, 2);
  EXPECT_EQ(L"beta", list.GetItemText(0));
  list.SwapItem(0, 7);
  EXPECT_EQ(L"beta", list.GetItemText(0));
  EXPECT_TRUE(list.GetItemRect(0).IsRectNull());
  EXPECT_EQ(0, list.DeleteItem(3));
  EXPECT_EQ(1, list.DeleteItem(0));
  EXPECT_EQ(-1, list.GetCurSel()) << "a deletion clears the selection";
  EXPECT_EQ(2, list.GetItemCount());
  EXPECT_EQ(1, list.DeleteAllItems());
  EXPECT_EQ(0, list.GetItemCount());
  EXPECT_EQ(0, list.GetScrollVertical()->GetScrollMaxRange());
  EXPECT_TRUE(owner.notices.empty());
}

TEST(ListBoxTest, SixRowsOverflowAndAWheelNotchMovesTenSteps) {
  RecordingParent owner;
  MListBox list(&owner, 9, CRect(0, 0, 200, 180), 1);
  for (int i = 0; i < 5; ++i) list.AddString(L"row", 0);
  EXPECT_FALSE(list.GetScrollVertical()->IsVisible());
  EXPECT_EQ(0, list.OnControlScroll(1, 1, CPoint())) << "the rows fit";
  list.AddString(L"row", 0);
  EXPECT_TRUE(list.GetScrollVertical()->IsVisible());
  EXPECT_EQ(216, list.GetScrollVertical()->GetScrollMaxRange());
  EXPECT_EQ(1, list.OnControlScroll(1, 1, CPoint()));
  EXPECT_EQ(100, list.GetScrollVertical()->GetScrollCurrentPos());
  list.OnControlScroll(1, 1, CPoint());
  list.OnControlScroll(1, 1, CPoint());
  EXPECT_EQ(216, list.GetScrollVertical()->GetScrollCurrentPos()) << "limited to the range";
  EXPECT_EQ(0, list.PtInRect(CPoint(197, 10))) << "the scroll strip is not the list's";
  EXPECT_EQ(1, list.PtInRect(CPoint(194, 10)));
}

TEST(ListBoxTest, PicturesMustLoadAndNeedAFrame) {
  RecordingParent owner;
  MListBox list(&owner, 9, CRect(0, 0, 200, 180), 1);
  EXPECT_EQ(0, list.SetImage(L"no-such-picture.png", 2));
  EXPECT_EQ(0, list.SetImage(L"no-such-picture.png", 0));
  EXPECT_EQ(0, list.SetEditImage(L"no-such-picture.png", 2));
  EXPECT_EQ(1, list.SetImageList(nullptr));
}

TEST(ProfileListTest, AddScrollsToTheEndAndReadersTreatBadSelectionsAsNone) {
  RecordingParent owner;
  ProfileList list(&owner, 40, CRect(0, 0, 300, 400), 1, 1);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(i, list.AddItem(L"profile", 100 + i, L""));
  MScroll* bar = list.GetScrollVertical();
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(500, bar->GetScrollMaxRange());
  EXPECT_EQ(500, bar->GetScrollCurrentPos()) << "adding a row scrolls to the end";
  list.SetScrollPos(123);
  EXPECT_EQ(0, bar->GetScrollCurrentPos());

  list.SetSelectItem(3);
  EXPECT_EQ(103, list.GetCurData());
  int data = -7;
  CString name = L"unchanged";
  list.SetSelectItem(25);  // stored as given
  EXPECT_EQ(25, list.GetSelectItem());
  EXPECT_EQ(0, list.GetCurData());
  list.GetCurValue(data, name);
  EXPECT_EQ(-7, data) << "a selection that is not a row leaves the outputs alone";
  EXPECT_EQ(L"unchanged", name);
  list.SetSelectItem(-5);
  EXPECT_EQ(0, list.GetCurData());
  list.ShowEdit();
  EXPECT_EQ(-1, list.GetEditItem()) << "no rename over a row that does not exist";
  owner.updates.clear();
  list.SetSelectItem(-5);
  EXPECT_TRUE(owner.updates.empty()) << "the current index does not repaint";
  list.SetCurData(104);
  EXPECT_EQ(4, list.GetSelectItem());
  list.GetCurValue(data, name);
  EXPECT_EQ(104, data);
  EXPECT_EQ(L"profile", name);

  EXPECT_EQ(0, list.SetItemText(10, L"x"));
  EXPECT_EQ(L"", list.GetItemText(-1));
  list.DeleteItem(10);
  EXPECT_EQ(10, list.GetItemCount());
  list.DeleteItem(0);
  EXPECT_EQ(-1, list.GetSelectItem());
  EXPECT_EQ(450, bar->GetScrollMaxRange());
  list.ClearList();
  EXPECT_EQ(0, list.GetItemCount());
  EXPECT_FALSE(bar->IsVisible());
}

TEST(TileListTest, BadSelectionsReadAsNone) {
  RecordingParent owner;
  MListBoxEx tiles(&owner, 41, CRect(0, 0, 400, 300), 1, 1);
  tiles.AddItem(L"one", 1, L"");
  tiles.AddItem(L"two", 2, L"missing-icon.png");
  EXPECT_EQ(2, tiles.GetLightCount());
  tiles.SetSelectItem(9);
  EXPECT_EQ(9, tiles.GetSelectItem());
  EXPECT_EQ(0, tiles.GetCurData());
  tiles.SetCurData(2);
  EXPECT_EQ(1, tiles.GetSelectItem());
  EXPECT_EQ(2, tiles.GetCurData());
  EXPECT_EQ(0, tiles.SetItemText(2, L"x"));
  EXPECT_EQ(L"two", tiles.GetItemText(1));
  tiles.SetAllItemHeight(600);
  EXPECT_TRUE(tiles.GetScrollVertical()->IsVisible());
  EXPECT_EQ(600, tiles.GetScrollVertical()->GetScrollMaxRange());
  EXPECT_EQ(1, tiles.OnControlScroll(1, 0, CPoint())) << "the wheel is always taken";
}

TEST(TabStripTest, HiddenTabsTakeNoRowAndBadSelectionsHaveNoData) {
  RecordingParent owner;
  TabCtrlEx strip(&owner, 117, CRect(0, 0, 120, 300), 1, 1);
  EXPECT_EQ(0, strip.AddItem(L"all", 10));
  EXPECT_EQ(1, strip.AddItem(L"zone 1", 11));
  EXPECT_EQ(2, strip.AddItem(L"zone 2", 12));
  EXPECT_EQ(0, strip.GetSelectItem()) << "the first tab is selected from the start";
  EXPECT_EQ(10, strip.GetCurData());
  strip.SetItemShow(1, 0);
  EXPECT_TRUE(strip.GetItemRect(1).IsRectNull());
  EXPECT_EQ(CRect(0, 43, 120, 86), strip.GetItemRect(2)) << "the tab below moves up by 43";
  strip.SetItemShow(1, 1);
  EXPECT_EQ(CRect(0, 86, 120, 129), strip.GetItemRect(2));
  strip.SetItemShow(7, 0);
  EXPECT_EQ(0, strip.GetItemShow(7));

  strip.SetSelectKeyType(8);
  EXPECT_EQ(8, strip.GetSelectItem()) << "stored as given";
  EXPECT_EQ(0, strip.GetCurData()) << "an index that is not a tab has no data";
  strip.SetSelectKeyType(-3);
  EXPECT_EQ(0, strip.GetCurData());
  strip.SetCurData(12);
  EXPECT_EQ(2, strip.GetSelectItem());
  strip.SetCurData(99);
  EXPECT_EQ(2, strip.GetSelectItem());
  EXPECT_EQ(0, strip.GetItemData(3));
  strip.ClearAllItems();
  EXPECT_EQ(0, strip.GetSelectItem());
  EXPECT_EQ(0, strip.GetCurData());
}

TEST(TabStripTest, ClickSelectsAndNotifiesEvenTheSelectedTab) {
  RecordingParent owner;
  TabCtrlEx strip(&owner, 117, CRect(10, 20, 130, 320), 1, 1);
  strip.AddItem(L"a", 1);
  strip.AddItem(L"b", 2);
  strip.SetItemShow(0, 1);  // lays the tabs out
  EXPECT_EQ(1, strip.OnControlMouseMove(0, CPoint(50, 70)));
  EXPECT_EQ(1, strip.GetHoverItem());
  EXPECT_EQ(1, strip.OnControlLButtonUp(0, CPoint(50, 70)));
  EXPECT_EQ(1, strip.GetSelectItem());
  owner.updates.clear();
  EXPECT_EQ(0, strip.OnControlLButtonUp(0, CPoint(50, 70))) << "the selected tab again";
  EXPECT_TRUE(owner.updates.empty()) << "no repaint";
  ASSERT_EQ(2u, owner.notices.size());
  for (const Notice& n : owner.notices) {
    EXPECT_EQ(117u, n.id);
    EXPECT_EQ(static_cast<unsigned>(NOTIFY_CLICK), n.code);
    EXPECT_EQ(1u, n.wParam);
  }
  strip.SetEnabled(0);
  EXPECT_EQ(0, strip.OnControlLButtonUp(0, CPoint(50, 30)));
  EXPECT_EQ(2u, owner.notices.size());
}
