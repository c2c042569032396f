// The macro list and the record list without a window: insertion at every index, the
// step records and their time stamps, selection, and the clicks over drawn rows.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "WidgetTestSupport.h"
#include "widgets/CRecordList.h"
#include "widgets/MacroList.h"

using namespace qivtest;
using namespace widgettest;

namespace {
template <class List>
std::vector<CString> Texts(List& list) {
  std::vector<CString> out;
  for (int i = 0; i < list.GetItemCount(); ++i) {
    if constexpr (std::is_same_v<List, MacroList>) {
      out.push_back(list.GetItemText(i));
    } else {
      CString text;
      int type = 0, key = 0, time = 0;
      list.GetRecordInfo(i, text, type, key, time);
      out.push_back(text);
    }
  }
  return out;
}

std::vector<int> Times(CRecordList& list) {
  std::vector<int> out;
  for (RecordItem* r : list.GetRecordItems()) out.push_back(r->time);
  return out;
}

template <class List>
void Redraw(MemoryCanvas& canvas, List& list) {
  list.SetUpdate(0, 0);
  canvas.Draw(list);
}
}  // namespace

TEST(MacroList, InsertionAtEveryValidAndInvalidIndex) {
  const struct {
    int index, result;
    std::vector<CString> after;
  } cases[] = {
      {-2, -1, {L"a", L"b", L"c"}},       {-1, 3, {L"a", L"b", L"c", L"x"}}, {0, 3, {L"x", L"a", L"b", L"c"}},
      {1, 3, {L"a", L"x", L"b", L"c"}},   {2, 3, {L"a", L"b", L"x", L"c"}}, {3, -1, {L"a", L"b", L"c"}},
      {100, -1, {L"a", L"b", L"c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    RecordingParent parent;
    MacroList list(&parent, 209, CRect(0, 0, 200, 400), 1);
    for (const wchar_t* t : {L"a", L"b", L"c"}) list.AddString(t, -1);
    EXPECT_EQ(list.InsertString(c.index, L"x", -1, 9), c.result) << "count - 1, not the new row's index";
    EXPECT_EQ(Texts(list), c.after);
  }
  RecordingParent parent;
  MacroList empty(&parent, 209, CRect(0, 0, 200, 400), 1);
  EXPECT_EQ(empty.InsertString(0, L"x", -1, 0), -1) << "no row 0 yet";
  EXPECT_EQ(empty.InsertString(-1, L"x", -1, 0), 0);
}

// The record list took any index and inserted out of range; it refuses as the macro
// list does, and changes nothing.
TEST(CRecordList, InsertionAtEveryValidAndInvalidIndex) {
  const struct {
    int index, result;
    std::vector<CString> after;
  } cases[] = {
      {-3, -1, {L"a", L"b", L"c"}},       {-1, 3, {L"a", L"b", L"c", L"x"}}, {0, 3, {L"x", L"a", L"b", L"c"}},
      {2, 3, {L"a", L"b", L"x", L"c"}},   {3, -1, {L"a", L"b", L"c"}},       {7, -1, {L"a", L"b", L"c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    RecordingParent parent;
    CRecordList list(&parent, 220, CRect(0, 0, 400, 300), 1);
    for (const wchar_t* t : {L"a", L"b", L"c"}) list.AddString(t, 2, 4, 10);
    list.SetTimeStampSelect(10);
    EXPECT_EQ(list.InsertString(c.index, L"x", 3, 4, 20), c.result);
    EXPECT_EQ(Texts(list), c.after);
    EXPECT_EQ(list.GetTimeStampSelect(), c.result < 0 ? 10 : 0) << "an insertion clears the mark";
  }
}

TEST(CRecordList, ReleaseStampsItsPress) {
  const struct {
    std::vector<int> types;
    int type;
    std::vector<int> times;
  } cases[] = {
      // rows of key 4 at time 10; UpdateTimeStamp(type, 4, 99)
      {{2, 3, 3}, 3, {99, 99, 99}},
      {{2, 2}, 3, {10, 99}},
      {{2, 3, 2, 3}, 3, {10, 10, 99, 99}},
      {{4, 5}, 5, {99, 99}},
      {{2, 5}, 5, {10, 99}},
      {{1, 2}, 2, {10, 99}},
  };
  for (const auto& c : cases) {
    RecordingParent parent;
    CRecordList list(&parent, 220, CRect(0, 0, 400, 300), 1);
    for (int type : c.types) list.AddString(L"k", type, 4, 10);
    list.AddString(L"other key", 2, 5, 10);
    list.UpdateTimeStamp(c.type, 4, 99);
    std::vector<int> expected = c.times;
    expected.push_back(10);
    EXPECT_EQ(Times(list), expected) << "type " << c.type << " over " << c.types.size() << " rows";
  }
}

TEST(CRecordList, StepRecords) {
  RecordingParent parent;
  CRecordList list(&parent, 220, CRect(0, 0, 400, 300), 1);
  EXPECT_FALSE(list.UpdateDelayTime(50)) << "an empty list";
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.AddString(L"A", 2, 4, 10), 0);
  EXPECT_EQ(list.AddString(L"delay", 1, 0, 10), 1);
  EXPECT_EQ(list.AddString(L"A", 3, 4, 10), 2);
  EXPECT_TRUE(list.UpdateDelayTime(300));
  EXPECT_EQ(list.GetRecrodTimeStamp(2), 300);
  EXPECT_EQ(list.GetRecrodTimeStamp(3), 0);
  EXPECT_EQ(list.GetEventCount(), 2) << "type 1 is no event";

  CString text = L"untouched";
  int type = -1, key = -1, time = -1;
  list.GetRecordInfo(9, text, type, key, time);
  EXPECT_EQ(text, L"untouched");
  EXPECT_EQ(time, -1);
  list.SetRecordInfo(0, L"B", 2, 5, 77);
  list.SetRecordInfo(77, 2, L"C", 6);
  list.GetRecordInfo(0, text, type, key, time);
  EXPECT_EQ(text, L"C");
  EXPECT_EQ(key, 6);

  list.SwapItem(0, 2);
  EXPECT_EQ(Times(list), (std::vector<int>{300, 10, 77}));
  list.SwapItem(0, 3);
  list.SwapItem(1, 1);
  EXPECT_EQ(Times(list), (std::vector<int>{300, 10, 77}));
  list.MoveBottom(0);
  EXPECT_EQ(Times(list), (std::vector<int>{10, 77, 300}));
  EXPECT_EQ(list.GetCurSel(), 2);
  list.MoveTop(1);
  EXPECT_EQ(Times(list), (std::vector<int>{77, 10, 300}));
  EXPECT_EQ(list.GetCurSel(), 0);

  EXPECT_EQ(list.SetCurSel(3), 0);
  EXPECT_EQ(list.GetCurSel(), 0) << "a bad index keeps the selection";
  EXPECT_EQ(list.SetCurSel(-1), 1);
  list.AddString(L"x", 2, 9, 10);
  list.DeleteTimeStamp(10);
  EXPECT_EQ(Times(list), (std::vector<int>{77, 300}));

  list.SetTimeStampSelect(300);
  list.DeleteAllItems();
  EXPECT_EQ(list.GetTimeStampSelect(), 300) << "the mark stays for rows added later";
  EXPECT_EQ(list.DeleteItem(0), 0);
}

TEST(MacroList, RowsAndSelection) {
  RecordingParent parent;
  MacroList list(&parent, 209, CRect(0, 0, 200, 400), 1);
  EXPECT_EQ(list.AddString(L"one", 11L, -1), 0);
  EXPECT_EQ(list.AddString(L"two", 12L, -1), 1);
  EXPECT_EQ(list.AddString(L"one", 13L, -1), 2);
  EXPECT_EQ(list.FindString(L"one"), 0);
  EXPECT_EQ(list.FindString(L"ONE"), -1) << "case-sensitive";
  EXPECT_EQ(list.FindItemData(13), 2);
  EXPECT_EQ(list.SetCurData(12), 1);
  EXPECT_EQ(list.GetCurData(), 12);
  EXPECT_EQ(list.SetCurSel(3), 0);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(list.ModifyItemString(2, nullptr), 1);
  EXPECT_EQ(list.GetItemText(2), L"");
  EXPECT_EQ(list.ModifyItemString(3, L"x"), 0);
  EXPECT_EQ(list.SetItemData(5, 1), 0);
  EXPECT_EQ(list.GetItemData(5), 0);
  EXPECT_EQ(list.DeleteItem(1), 1);
  EXPECT_EQ(list.GetCurSel(), -1) << "nothing selected after a deletion";
  EXPECT_EQ(list.GetCurData(), 0);
  EXPECT_EQ(list.DeleteItem(2), 0);
  list.DeleteAllItems();
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(MacroList, ClicksOverDrawnRows) {
  SkinFolder skins;
  skins.Solid(L"btn_more.png", 80, 20, 0xFF336699);
  RecordingParent parent;
  MacroList list(&parent, 209, CRect(0, 0, 200, 400), 1);
  ASSERT_EQ(list.SetEditImage(L"btn_more.png", 4), 1);
  list.SetControlRect(CRect(0, 0, 200, 400));
  EXPECT_EQ(list.GetButtonRect(), CRect(165, 10, 185, 30));
  for (const wchar_t* t : {L"a", L"b", L"c"}) list.AddString(t, -1);
  list.OnControlMouseMove(0, CPoint(50, 50));
  EXPECT_EQ(list.GetHoverItem(), -1) << "no hover tracking before the first paint";
  MemoryCanvas canvas(200, 400);
  Redraw(canvas, list);

  auto click = [&](CPoint p) {
    list.OnControlMouseMove(0, p);
    list.OnControlLButtonDown(MK_LBUTTON, p);
    list.OnControlLButtonUp(0, p);
  };
  click(CPoint(50, 50));
  EXPECT_EQ(list.GetCurSel(), 1);
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].code, 2u);
  click(CPoint(170, 95));
  EXPECT_EQ(list.GetCurSel(), 2);
  ASSERT_EQ(parent.notices.size(), 2u);
  EXPECT_EQ(parent.notices[1].code, 9u) << "the row button";

  list.OnControlMouseMove(0, CPoint(50, 300));
  list.OnControlRButtonUp(0, CPoint(50, 300));
  EXPECT_EQ(list.GetCurSel(), -1) << "a right click outside every row clears the selection";
  ASSERT_EQ(parent.notices.size(), 3u);
  EXPECT_EQ(parent.notices[2].code, 5u);
  EXPECT_EQ(parent.notices[2].wParam, static_cast<unsigned>(-1));
  EXPECT_EQ(list.PtInRect(CPoint(197, 10)), 0) << "the scroll bar's strip is not the list's";
  EXPECT_EQ(list.OnControlScroll(1, 1, CPoint(50, 50)), 0) << "rows that fit: no wheel";
}

TEST(CRecordList, PressOutsideEveryRowClearsTheSelection) {
  SkinFolder skins;
  skins.Solid(L"icons.png", 80, 10, 0xFF00FF00);
  skins.Solid(L"more.png", 80, 20, 0xFF0000FF);
  RecordingParent parent;
  CRecordList list(&parent, 220, CRect(0, 0, 400, 300), 1);
  ASSERT_EQ(list.SetImage(L"icons.png", 8), 1);
  ASSERT_EQ(list.SetMoreImage(L"more.png", 4), 1);
  EXPECT_EQ(list.SetItemImage(L"none.png", 4), 0);
  list.SetControlRect(CRect(0, 0, 400, 300));
  for (int i = 0; i < 3; ++i) list.AddString(L"k", 2, 4, 10 + i);
  MemoryCanvas canvas(400, 300);
  Redraw(canvas, list);
  EXPECT_EQ(list.GetMoreRect(), CRect(365, 8, 385, 28));

  list.OnControlMouseMove(0, CPoint(50, 40));
  list.OnControlLButtonDown(MK_LBUTTON, CPoint(50, 40));
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(list.GetTimeStampSelect(), 11) << "a press marks the row's time";
  list.OnControlLButtonUp(0, CPoint(370, 50));
  list.OnControlMouseMove(0, CPoint(50, 200));
  list.OnControlLButtonDown(MK_LBUTTON, CPoint(50, 200));
  EXPECT_EQ(list.GetCurSel(), -1);
  ASSERT_EQ(parent.notices.size(), 3u);
  EXPECT_EQ(parent.notices[0].code, 1u);
  EXPECT_EQ(parent.notices[0].wParam, 1u);
  EXPECT_EQ(parent.notices[1].code, 9u) << "released on the more button";
  EXPECT_EQ(parent.notices[2].code, 1u);
  EXPECT_EQ(parent.notices[2].wParam, static_cast<unsigned>(-1));
}
