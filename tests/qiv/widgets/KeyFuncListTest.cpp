// The key-function grids and the key menu list without a window: selection by index and by
// data, the out-of-range selection, the outputs of GetCurValue, wheel scrolling and the
// clicks they report.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "WidgetTestSupport.h"
#include "widgets/KeyFuncType.h"

using namespace qivtest;
using namespace widgettest;

namespace {
template <class List>
void Fill(List& list, int count) {
  for (int i = 0; i < count; ++i) list.AddItem(CString(L"F") + CString(wchar_t(L'0' + i)), 100 + i, L"");
}

template <class List>
void Redraw(MemoryCanvas& canvas, List& list) {
  list.SetUpdate(0, 0);
  canvas.Draw(list);
}

// Press on one cell and release over another: the index of the press is reported.
template <class List>
void PressAndRelease(List& list, CPoint press, CPoint release) {
  list.OnControlMouseMove(0, press);
  list.OnControlLButtonDown(MK_LBUTTON, press);
  list.OnControlMouseMove(MK_LBUTTON, release);
  list.OnControlLButtonUp(0, release);
}
}  // namespace

// SetSelectItem used to store any index and GetCurValue then read past the list.
TEST(KeyFuncValue, OutOfRangeSelectionReadsAsNone) {
  RecordingParent parent;
  KeyFuncValue list(&parent, 89, CRect(0, 0, 330, 300), 1, 1);
  Fill(list, 3);
  for (int bad : {3, 7, -5, 1000000}) {
    SCOPED_TRACE(bad);
    list.SetSelectItem(bad);
    EXPECT_EQ(list.GetSelectItem(), -1);
    EXPECT_EQ(list.GetCurData(), 0);
    int data = -77;
    CString text = L"kept";
    list.GetCurValue(data, text);
    EXPECT_EQ(data, -77) << "outputs untouched without a selection";
    EXPECT_EQ(text, L"kept");
  }
  list.SetSelectItem(2);
  int data = 0;
  CString text;
  list.GetCurValue(data, text);
  EXPECT_EQ(data, 102);
  EXPECT_EQ(text, L"F2");
  list.ClearList();
  list.GetCurValue(data = -1, text);
  EXPECT_EQ(data, -1) << "ClearList leaves nothing selected";

  KeyFuncType types(&parent, 1, CRect(0, 0, 330, 300), 1, 1);
  Fill(types, 2);
  types.SetSelectItem(9);
  EXPECT_EQ(types.GetSelectItem(), -1);
  EXPECT_EQ(types.GetCurData(), 0);
  KeyMenuFuncType menu(&parent, 100, CRect(0, 0, 300, 300), 1, 1);
  menu.AddItem(L"A", L"a", 5, L"");
  menu.SetSelectItem(4);
  EXPECT_EQ(menu.GetSelectItem(), -1);
  EXPECT_EQ(menu.GetCurData(), 0);
}

TEST(KeyFuncValue, LookupsByIndexAndData) {
  RecordingParent parent;
  KeyFuncValue list(&parent, 89, CRect(0, 0, 330, 300), 1, 1);
  list.AddItem(L"a", 5, L"");
  list.AddItem(L"b", 7, L"");
  list.AddItem(L"c", 7, L"");
  list.SetCurData(7);
  EXPECT_EQ(list.GetSelectItem(), 1) << "the first of two items with equal data";
  list.SetCurData(99);
  EXPECT_EQ(list.GetSelectItem(), 1) << "no item has it: the selection stays";
  EXPECT_EQ(list.GetItemData(2), 7);
  EXPECT_EQ(list.GetItemData(3), 0);
  EXPECT_EQ(list.GetItemText(-1), L"");
  EXPECT_EQ(list.SetItemText(3, L"x"), 0);
  EXPECT_EQ(list.SetItemText(0, L"x"), 1);
  EXPECT_EQ(list.GetItemText(0), L"x");
  EXPECT_EQ(list.IsDragDrop(), 1);
}

TEST(KeyFuncValue, WheelMovesTheViewByRowStepsUntilTheEnd) {
  RecordingParent parent;
  KeyFuncValue list(&parent, 89, CRect(0, 0, 330, 300), 1, 1);
  Fill(list, 30);
  list.SetAllHeight(720);
  list.SetControlRect(CRect(0, 0, 330, 300));
  EXPECT_EQ(list.OnControlScroll(1, 1, CPoint(10, 10)), 1);
  EXPECT_EQ(list.GetScrollOffset(), 58) << "100 x 420 / 720";
  for (int i = 0; i < 20; ++i) list.OnControlScroll(1, 1, CPoint(10, 10));
  EXPECT_EQ(list.GetScrollOffset(), 420);
  const size_t updates = parent.updates.size();
  EXPECT_EQ(list.OnControlScroll(1, 1, CPoint(10, 10)), 1);
  EXPECT_EQ(parent.updates.size(), updates) << "at the end: nothing moves, no repaint";

  MemoryCanvas canvas(330, 300);
  Redraw(canvas, list);
  EXPECT_EQ(list.GetItemRect(0).top, -420) << "cells drawn with the scroll offset";

  list.SetAllHeight(200);
  EXPECT_EQ(list.OnControlScroll(1, 1, CPoint(10, 10)), 0) << "content that fits: the wheel is not taken";
  KeyFuncType types(&parent, 1, CRect(0, 0, 330, 300), 1, 1);
  EXPECT_EQ(types.OnControlScroll(1, 1, CPoint(10, 10)), 1) << "the type grid takes it anyway";
}

TEST(KeyFuncValue, ReleaseOverAnotherCellReportsThePressedOne) {
  RecordingParent parent;
  KeyFuncValue list(&parent, 89, CRect(0, 0, 330, 300), 1, 1);
  MemoryCanvas canvas(330, 300);
  Redraw(canvas, list);
  PressAndRelease(list, CPoint(40, 20), CPoint(150, 20));
  EXPECT_TRUE(parent.notices.empty()) << "an empty list sends nothing";

  Fill(list, 4);
  Redraw(canvas, list);
  EXPECT_EQ(list.GetItemRect(3), CRect(0, 60, 98, 110)) << "three cells a row at 325 px";
  PressAndRelease(list, CPoint(40, 20), CPoint(150, 20));
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].id, 89u);
  EXPECT_EQ(parent.notices[0].code, 2u);
  EXPECT_EQ(parent.notices[0].lParam, 0) << "the cell pressed";
  PressAndRelease(list, CPoint(40, 20), CPoint(320, 20));  // released on the gap right of cell 2
  EXPECT_EQ(parent.notices.size(), 1u) << "no cell under the release: nothing";
}

TEST(KeyFuncType, CellsOfTheirSetSizeAndGaps) {
  RecordingParent parent;
  KeyFuncType types(&parent, 1, CRect(0, 0, 400, 300), 1, 1);
  types.SetWitdhAndHeight(60, 40);
  types.SetItemSplit(4, 6);
  Fill(types, 7);
  MemoryCanvas canvas(400, 300);
  Redraw(canvas, types);
  EXPECT_EQ(types.GetItemRect(1), CRect(64, 0, 124, 40));
  EXPECT_EQ(types.GetItemRect(5), CRect(320, 0, 380, 40));
  EXPECT_EQ(types.GetItemRect(6), CRect(0, 46, 60, 86)) << "x reached 384 >= 400 - 60 after six cells";
  PressAndRelease(types, CPoint(70, 10), CPoint(70, 10));
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].lParam, 1);
  EXPECT_EQ(types.GetCurData(), 101);
}

TEST(KeyMenuFuncType, RowClickReportsItsData) {
  RecordingParent parent;
  KeyMenuFuncType menu(&parent, 100, CRect(10, 10, 290, 290), 1, 1);
  menu.AddItem(L"Copy", L"copies", 41, L"");
  menu.AddItem(L"Paste", L"pastes", 42, L"");
  MemoryCanvas canvas(300, 300);
  canvas.Draw(menu);
  PressAndRelease(menu, CPoint(50, 10 + 70 + 20), CPoint(50, 10 + 70 + 30));
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].code, 2u);
  EXPECT_EQ(parent.notices[0].wParam, 42u);
  EXPECT_EQ(menu.GetSelectItem(), 1);
  menu.SetCurData(41);
  EXPECT_EQ(menu.GetCurData(), 41);
}
