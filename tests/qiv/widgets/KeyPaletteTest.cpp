// The grouped key-function palette: its three groups, header toggling with the content
// height and scroll bar, tile placement, clicks and the special group's codes.
#include <gtest/gtest.h>
#include "PictureTestSupport.h"
#include "controls/MScroll.h"
#include "core/Manager.h"
#include "qiv/core/QivTestSupport.h"
#include "widgets/KeyFuncCtrl.h"
#include "widgets/KeyPaletteTable.h"

namespace {

TEST(KeyPaletteTable, ThreeGroupsWithTheirSizesAndTheSpecialCodes) {
  const PaletteGroupDef* groups = GetPaletteGroupTable();
  const struct {
    const wchar_t* title;
    int expanded, height, count;
  } expected[] = {{L"#\u57fa\u672c\u5b57\u7b26", 1, 300, 47},
                  {L"#\u6269\u5c55\u5b57\u7b26", 0, 360, 57},
                  {L"#\u7279\u6b8a\u5b57\u7b26", 0, 120, 18}};
  int total = 0;
  for (int g = 0; g < kPaletteGroupCount; ++g) {
    SCOPED_TRACE(g);
    EXPECT_STREQ(groups[g].title, expected[g].title);
    EXPECT_EQ(groups[g].expanded, expected[g].expanded);
    EXPECT_EQ(groups[g].height, expected[g].height);
    EXPECT_EQ(groups[g].count, expected[g].count);
    total += groups[g].count;
  }
  EXPECT_EQ(total, 122);
  for (int i = 0; i < 18; ++i) {
    const PaletteItemDef& item = groups[2].items[i];
    EXPECT_EQ(item.code, 500 + i);
    ASSERT_NE(item.icon, nullptr);
    EXPECT_EQ(std::wstring(item.icon).rfind(L"icon//icon_", 0), 0u) << i;
  }
  EXPECT_STREQ(groups[2].items[1].text, L"Calculator ");
  EXPECT_STREQ(groups[2].items[15].text, L"Web Foreward");
  EXPECT_STREQ(groups[1].items[3].text, L"Backsapce");
  EXPECT_STREQ(groups[0].items[41].text, L"\\");
  for (int g = 0; g < 2; ++g)
    for (int i = 0; i < groups[g].count; ++i) EXPECT_EQ(groups[g].items[i].icon, nullptr);
}

// A 400 x 700 palette at (20, 30): 395 px of tiles, six a row.
class KeyPalette : public ::testing::Test {
protected:
  void SetUp() override {
    palette.InitItemInfo();
    palette.SetControlRect(palette.GetRect());
    Paint();
  }
  void Paint() { render.Draw(palette); }
  CPoint Window(const CRect& r, int dx = 10, int dy = 10) const { return CPoint(20 + r.left + dx, 30 + r.top + dy); }
  void Click(CPoint p) {
    palette.OnControlMouseMove(0, p);
    palette.OnControlLButtonDown(MK_LBUTTON, p);
    palette.OnControlLButtonUp(0, p);
    Paint();
  }
  void ClickHeader(int group) { Click(Window(palette.GetHeaderRect(group), 100, 10)); }
  uint32_t LeftBorder(int group, int item) const {
    const CRect r = const_cast<KeyFuncCtrl&>(palette).GetItemRect(group, item);
    return render.At(20 + r.left, 30 + r.top + 25);
  }
  qivtest::RecordingParent parent;
  KeyFuncCtrl palette{&parent, 9, CRect(20, 30, 420, 730), 1};
  pictest::Render render{460, 760};
};

TEST_F(KeyPalette, FirstGroupIsLaidOutSixTilesARow) {
  EXPECT_EQ(palette.GetGroupCount(), 3);
  EXPECT_EQ(palette.GetGroupItemCount(0), 47);
  EXPECT_EQ(palette.GetGroupItemCount(1), 57);
  EXPECT_EQ(palette.GetGroupItemCount(2), 18);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(palette.GetItemRect(0, k), CRect(10 + 60 * k, 40, 60 + 60 * k, 90)) << k;
  EXPECT_EQ(palette.GetItemRect(0, 6), CRect(10, 100, 60, 150));
  // Seven wraps after 47 tiles (one after every sixth): 60 + 7 x 60.
  EXPECT_EQ(palette.GetGroupHeight(0), 480);
  EXPECT_EQ(palette.GetHeaderRect(1), CRect(0, 520, 395, 560));
  // Collapsed groups keep the initial grid of the table.
  EXPECT_EQ(palette.GetItemRect(1, 13), CRect(55, 50, 97, 92));
}

TEST_F(KeyPalette, HeaderClickTogglesItsGroupAndFitsTheScrollBar) {
  // The table's heights (420) before any paint, which raised it to the palette's height.
  EXPECT_EQ(palette.GetContentHeight(), 700);
  MScroll* bar = palette.GetScrollVertical();
  EXPECT_FALSE(bar->IsVisible());

  ClickHeader(1);
  EXPECT_EQ(palette.IsGroupExpanded(1), 1);
  EXPECT_EQ(palette.GetContentHeight(), 40 + 480 + 40 + 360 + 40);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetScrollMaxRange(), palette.GetContentHeight());
  EXPECT_EQ(palette.GetGroupHeight(1), 600);  // the paint after the click measured it

  ClickHeader(0);  // collapse
  EXPECT_EQ(palette.IsGroupExpanded(0), 0);
  EXPECT_EQ(palette.GetContentHeight(), 40 + 40 + 600 + 40);
  EXPECT_TRUE(parent.notices.empty());  // headers send nothing

  palette.ResetKeyState();
  for (int g = 0; g < 3; ++g) EXPECT_EQ(palette.IsGroupExpanded(g), 0);
  EXPECT_EQ(palette.GetContentHeight(), 120);
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(palette.OnControlScroll(120, 1, CPoint(100, 100)), 0);  // nothing to scroll
}

TEST_F(KeyPalette, ClickOnASpecialTileSendsItsCode) {
  palette.ResetKeyState();
  Paint();
  ClickHeader(2);
  ASSERT_EQ(palette.IsGroupExpanded(2), 1);
  Click(Window(palette.GetItemRect(2, 0)));
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].id, 9u);
  EXPECT_EQ(parent.notices[0].code, 2u);
  EXPECT_EQ(parent.notices[0].wParam, 0u);
  EXPECT_EQ(parent.notices[0].lParam, 500);
  int code = -1;
  CString text;
  palette.GetCurValue(code, text);
  EXPECT_EQ(code, 500);
  EXPECT_EQ(text, L"My Computer");
  palette.OnControlMouseMove(0, CPoint(1, 1));  // leaves the palette
  palette.GetCurValue(code, text);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(text.IsEmpty());

  palette.SetItemDesc(501, L"Calc");
  palette.SetItemDesc(4, L"not searched");
  palette.OnControlMouseMove(0, Window(palette.GetItemRect(2, 1)));
  palette.GetCurValue(code, text);
  EXPECT_EQ(text, L"Calc");
  EXPECT_EQ(palette.SetItemText(3, L"x"), 0);
  EXPECT_EQ(palette.SetItemText(0, L"Keys"), 1);
}

TEST_F(KeyPalette, OnlyTheHoveredTileAndTheLastClickedCodeGetTheDownBorder) {
  ClickHeader(2);
  Click(Window(palette.GetItemRect(2, 0)));  // last clicked code 500
  palette.OnControlMouseMove(0, Window(palette.GetItemRect(0, 2)));
  Paint();
  const uint32_t down = Manager::GetDownColor().GetValue() & 0xFFFFFF;
  const uint32_t hover = Manager::GetHoverColor().GetValue() & 0xFFFFFF;
  EXPECT_EQ(LeftBorder(0, 2), down);
  EXPECT_EQ(LeftBorder(0, 1), hover);
  EXPECT_EQ(LeftBorder(0, 3), hover);
  EXPECT_EQ(LeftBorder(2, 0), down);
  // Moving to the next tile of the same group moves the border with it.
  palette.OnControlMouseMove(0, Window(palette.GetItemRect(0, 3)));
  Paint();
  EXPECT_EQ(LeftBorder(0, 3), down);
  EXPECT_EQ(LeftBorder(0, 2), hover);
}

TEST_F(KeyPalette, WheelScrollsTallContentAndAClearedPaletteHasNone) {
  ClickHeader(1);
  ASSERT_GT(palette.GetContentHeight(), 700);
  EXPECT_EQ(palette.OnControlScroll(120, 1, CPoint(100, 100)), 1);
  EXPECT_EQ(palette.GetScrollVertical()->GetScrollCurrentPos(), 100);
  EXPECT_GT(palette.GetScrollOffset(), 0);
  palette.ClearItems();
  EXPECT_EQ(palette.GetContentHeight(), 0);
  EXPECT_FALSE(palette.GetScrollVertical()->IsVisible());
  int code = -1;
  CString text;
  palette.GetCurValue(code, text);
  EXPECT_EQ(code, 0);
  Paint();  // stale hovered indexes name nothing
}

}  // namespace
