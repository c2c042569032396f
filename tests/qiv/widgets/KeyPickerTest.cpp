// The keyboard key picker: its 111-key table, hit tests, the pressed and checked keys and
// what it paints for them.
#include <gtest/gtest.h>
#include <set>
#include "PictureTestSupport.h"
#include "core/Manager.h"
#include "qiv/core/QivTestSupport.h"
#include "widgets/KeyFuncControl.h"
#include "widgets/KeyPickerTable.h"

namespace {

TEST(KeyPickerTable, HoldsEveryKeyOnceWithItsLiteralLabel) {
  const PickerKeyDef* keys = GetPickerKeyTable();
  std::set<int> codes, expected;
  for (int i = 0; i < kPickerKeyCount; ++i) codes.insert(keys[i].code);
  for (int c = 4; c <= 101; ++c) expected.insert(c);
  for (int c : {135, 137, 144, 145, 175}) expected.insert(c);
  for (int c = 224; c <= 231; ++c) expected.insert(c);
  EXPECT_EQ(codes.size(), static_cast<size_t>(kPickerKeyCount));  // unique
  EXPECT_EQ(codes, expected);

  const struct {
    int index;
    const wchar_t* label;
    int code;
    RECT rect;
  } cases[] = {
      {0, L"Esc", 41, {0, 0, 36, 36}},          {14, L"Scroll Lock", 71, {635, 0, 671, 36}},
      {29, L"K14", 137, {507, 46, 543, 82}},    {35, L"//", 84, {766, 46, 802, 82}},
      {51, L"||", 49, {523, 87, 575, 123}},     {58, L"+", 87, {832, 87, 868, 164}},
      {71, L"k42", 50, {492, 128, 528, 164}},   {72, L"Enter", 40, {531, 128, 575, 164}},
      {90, L"\u2191", 82, {627, 169, 663, 205}}, {94, L"Enter", 88, {832, 169, 868, 246}},
      {103, L"Fn", 175, {416, 210, 451, 246}},  {106, L"\u2190", 80, {540, 210, 572, 246}},
      {110, L".", 99, {690, 210, 757, 246}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_STREQ(keys[c.index].label, c.label);
    EXPECT_EQ(keys[c.index].code, c.code);
    EXPECT_EQ(CRect(keys[c.index].rect), CRect(c.rect));
  }
  for (int i = 0; i < kPickerKeyCount; ++i) {
    EXPECT_LE(keys[i].rect.right, 880);
    EXPECT_LE(keys[i].rect.bottom, 246);
  }
}

// A picker at (100, 50) on its window, filled from the table.
class KeyPicker : public ::testing::Test {
protected:
  void SetUp() override { picker.InitItemInfo(); }
  CPoint At(int index, int dx = 5, int dy = 5) const {
    const RECT& r = GetPickerKeyTable()[index].rect;
    return CPoint(100 + r.left + dx, 50 + r.top + dy);
  }
  void Press(CPoint p) {
    picker.OnControlMouseMove(0, p);
    picker.OnControlLButtonDown(MK_LBUTTON, p);
    picker.OnControlLButtonUp(0, p);
  }
  qivtest::RecordingParent parent;
  KeyFuncControl picker{&parent, 7, CRect(100, 50, 990, 306), 1};
};

TEST_F(KeyPicker, PressReportsTheHoveredKeyAndGivesItsData) {
  Press(At(103));
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].id, 7u);
  EXPECT_EQ(parent.notices[0].code, 1u);
  EXPECT_EQ(static_cast<int>(parent.notices[0].wParam), 103);
  int unused = 12345, code = 0, v2 = -1, v3 = -1;
  CString label;
  ASSERT_TRUE(picker.GetCurItemData(unused, code, v2, v3, label));
  EXPECT_EQ(code, 175);
  EXPECT_EQ(v2, 0);
  EXPECT_EQ(v3, 0);
  EXPECT_EQ(label, L"Fn");
  EXPECT_EQ(unused, 12345);

  // The gap between Esc and F1 is no key: -1, and the data is gone.
  Press(CPoint(100 + 50, 50 + 10));
  EXPECT_EQ(static_cast<int>(parent.notices.back().wParam), -1);
  EXPECT_EQ(picker.GetPressedIndex(), -1);
  EXPECT_FALSE(picker.GetCurItemData(unused, code, v2, v3, label));
}

TEST_F(KeyPicker, HoverFollowsThePointerAcrossTallKeysAndLeavesOutside) {
  picker.OnControlMouseMove(0, At(58, 5, 60));  // keypad "+" spans two rows
  EXPECT_EQ(picker.GetHoverIndex(), 58);
  picker.OnControlMouseMove(0, At(94, 5, 70));  // keypad Enter too
  EXPECT_EQ(picker.GetHoverIndex(), 94);
  picker.OnControlMouseMove(0, CPoint(10, 10));
  EXPECT_EQ(picker.GetHoverIndex(), -1);
  picker.SetEnabled(0);
  picker.OnControlMouseMove(0, At(0));
  EXPECT_EQ(picker.GetHoverIndex(), -1);
  EXPECT_EQ(picker.OnControlLButtonDown(0, At(0)), 1);
  EXPECT_TRUE(parent.notices.empty());
}

TEST_F(KeyPicker, LabelsAndChecksMatchTheWholeTriple) {
  picker.SetItemDesc(225, L"LShift");  // only the left Shift carries 225
  picker.SetItemDesc(9999, L"nothing");
  Press(At(76));
  int u, code, v2, v3;
  CString label;
  picker.GetCurItemData(u, code, v2, v3, label);
  EXPECT_EQ(label, L"LShift");
  Press(At(89));
  picker.GetCurItemData(u, code, v2, v3, label);
  EXPECT_EQ(label, L"Shift");

  const struct {
    int code, v2, v3, checked;
  } cases[] = {{4, 0, 0, 60}, {4, 1, 0, -1}, {0, 0, 0, -1}, {175, 0, 0, 103}, {300, 0, 0, -1}};
  for (const auto& c : cases) {
    picker.SetItemCheckByItemData(c.code, c.v2, c.v3);
    EXPECT_EQ(picker.GetCheckedIndex(), c.checked) << c.code << "," << c.v2;
  }
}

TEST_F(KeyPicker, ClearedKeysAreNoKeysUntilRefilled) {
  Press(At(20));
  picker.ClearItems();
  EXPECT_EQ(picker.GetItemCount(), 0);
  int u, code, v2, v3;
  CString label;
  EXPECT_FALSE(picker.GetCurItemData(u, code, v2, v3, label));
  pictest::Render render(1000, 320);
  render.Draw(picker);  // indexes past the keys paint nothing and do not crash
  picker.InitItemInfo();
  ASSERT_TRUE(picker.GetCurItemData(u, code, v2, v3, label));  // same position of the table
  EXPECT_EQ(code, 33);
  EXPECT_EQ(picker.OnControlScroll(120, 1, At(20)), 1);  // the wheel is taken, nothing moves
}

TEST_F(KeyPicker, PaintsCheckedKeyInSelectColourAndPressedKeyWithShiftedOutline) {
  picker.SetItemCheckByItemData(4, 0, 0);  // "A", index 60
  Press(At(0));                            // Esc pressed, and still hovered
  picker.OnControlMouseMove(0, CPoint(5, 5));
  pictest::Render render(1000, 320);
  render.Draw(picker);
  const Gdiplus::Color select = Manager::GetSelectColor();
  const uint32_t selectRgb = select.GetValue() & 0xFFFFFF;
  const RECT& a = GetPickerKeyTable()[60].rect;
  EXPECT_EQ(render.At(100 + a.left + 3, 50 + a.bottom - 4), selectRgb);
  const RECT& f1 = GetPickerKeyTable()[1].rect;
  EXPECT_EQ(render.At(100 + f1.left + 3, 50 + f1.bottom - 4), 0x515151u);
  EXPECT_EQ(render.At(100 + f1.left, 50 + f1.top + 10), 0xB4B4B4u);
  // Esc keeps its pressed look: a select-coloured outline one pixel right and down.
  EXPECT_EQ(render.At(100 + 1, 50 + 10), selectRgb);
}

}  // namespace
