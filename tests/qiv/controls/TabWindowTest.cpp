// The main window's tab strip with its eight tabs and hidden ones, and the vertical text
// tab strip, in a real window: their looks, hover and clicks.
#include <gtest/gtest.h>
#include "ControlsWindowSupport.h"
#include "SkinFiles.h"
#include "controls/MTabCtrl.h"
#include "controls/TabCtrlEx.h"

using namespace qivtest;

namespace {
constexpr uint32_t kNormalLook = 0xFFE0E0E0, kLitLook = 0xFF3060C0;

class TabWindow : public DialogFixture {
protected:
  // The strip as the program builds it, 500 high: rows of 50 with 1-pixel gaps.
  MTabCtrl* MainStrip() {
    skins.Write(L"img_tab_item.png", 4 * 30, 30, [](unsigned x, unsigned) { return x < 30 ? kNormalLook : kLitLook; });
    auto* strip = dynamic_cast<MTabCtrl*>(dlg.CreateControl(L"MTabCtrl", 68, CRect(0, 0, 239, 500), L"", 1, 1));
    strip->SetImage(L"img_tab_item.png", 4);
    strip->SetFont(L"Roboto-Medium", 16, Gdiplus::FontStyleRegular);
    strip->SetTabCtrlWidth(239);
    strip->SetTabCtrlHeight(50);
    strip->SetLeftRightPading(0, 50);
    strip->SetTopBottomPading(0, 100);
    strip->SetTabType(TAB_TYPE_VERTICAL);
    const unsigned ids[] = {0, 1, 3, 2, 4, 5, 7, 8};
    for (unsigned id : ids) {
      MControl* page = dlg.CreateControl(L"MTabLayout", 200 + id, CRect(240, 0, 600, 500), L"", 1, 1);
      pages.push_back(page);
      strip->InsertItem(id, L"Tab", L"icon\\tab_home.png", page, 4, 0);
    }
    strip->SetItemWidth(239, 239, 1);
    strip->SetItemHeight(50, 50, 1);
    strip->SetItemVisible(2, 0);
    strip->SetSelectItem(0);
    return strip;
  }
  SkinFolder skins;
  std::vector<MControl*> pages;
};
}  // namespace

TEST_F(TabWindow, MainStripLooksHoverClickAndHiddenTabs) {
  MTabCtrl* strip = MainStrip();
  {
    Render r(dlg.pm(), kWidth, kHeight);
    EXPECT_EQ(kLitLook & 0xFFFFFF, r.Rgb(60, 5)) << "the selected tab's look";
    EXPECT_EQ(kNormalLook & 0xFFFFFF, r.Rgb(60, 55)) << "an unselected tab";
    EXPECT_EQ(0xFFFFFFu, r.Rgb(60, 50)) << "the 1-pixel gap between rows";
  }
  Move(CPoint(60, 170));  // the fourth row: tab 4 (tab 2 is hidden)
  EXPECT_EQ(4, strip->GetHoverItem());
  {
    Render r(dlg.pm(), kWidth, kHeight);
    EXPECT_EQ(kLitLook & 0xFFFFFF, r.Rgb(60, 160)) << "hovered";
    EXPECT_EQ(kLitLook & 0xFFFFFF, r.Rgb(60, 5)) << "two tabs are lit alike";
  }
  dlg.notices.clear();
  Click(CPoint(60, 170));
  EXPECT_EQ(4, strip->GetSelectItem());
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_CLICK).size());
  EXPECT_EQ(68u, dlg.Codes(NOTIFY_CLICK)[0].id);
  EXPECT_EQ(4u, dlg.Codes(NOTIFY_CLICK)[0].wParam);
  EXPECT_EQ(4, strip->GetItemID(4));
  for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(i == 4 ? 1 : 0, pages[i]->IsVisible()) << i;

  strip->SetItemVisible(2, 1);  // the program shows the matrix page's tab
  Move(CPoint(60, 120));
  Click(CPoint(60, 120));
  EXPECT_EQ(2, strip->GetSelectItem());
  EXPECT_EQ(3, strip->GetItemID(2));
  Move(CPoint(60, 480));  // on the strip below the tabs: the mouse passes through
  EXPECT_EQ(0, strip->OnCheckMouseResponse(0, CPoint(60, 480)));
  EXPECT_EQ(1, strip->OnCheckMouseResponse(0, CPoint(60, 10)));
}

TEST_F(TabWindow, LanguageTextsShowAtTheNextRebuild) {
  MTabCtrl* strip = MainStrip();
  strip->GetItemInfo(0)->text = L"Home";  // the program's language switch writes the record
  EXPECT_EQ(CString(L"Home"), strip->GetItemInfo(0)->text);
  for (int i = 0; i < strip->GetItemCount(); ++i) EXPECT_NE(nullptr, strip->GetItemInfo(i));
  strip->RefreshItems();
  Render r(dlg.pm(), kWidth, kHeight);
  int blue = 0;  // anti-aliased glyphs: count the clearly blue pixels of the text area
  for (int y = 0; y < 50; ++y)
    for (int x = 70; x < 239; ++x) {
      const uint32_t c = r.Rgb(x, y);
      if ((c & 0xFF) > 0xC0 && (c >> 16) < 0x80 && c != (kLitLook & 0xFFFFFF)) ++blue;
    }
  EXPECT_GT(blue, 10) << "the selected tab's text is drawn in blue";
}

TEST_F(TabWindow, TextTabStripBandAndClick) {
  auto* panel = dynamic_cast<MPanel*>(dlg.CreateControl(L"MTabLayout", 9, CRect(0, 0, kWidth, kHeight), L"", 1, 1));
  auto* strip = dynamic_cast<TabCtrlEx*>(panel->CreateControl(L"TabCtrlEx", 117, CRect(20, 20, 160, 300), L"", 1, 1));
  ASSERT_NE(nullptr, strip);
  strip->AddItem(L"All", 0);
  strip->AddItem(L"Zone 1", 1);
  strip->AddItem(L"Zone 2", 2);
  strip->SetItemShow(1, 0);
  Render r(dlg.pm(), kWidth, kHeight);
  EXPECT_EQ(0xDEF1FCu, r.Rgb(40, 30)) << "the first tab is selected before any click";
  EXPECT_EQ(0x4977E4u, r.Rgb(159, 30)) << "the blue bar at the right edge";
  EXPECT_EQ(0xFFFFFFu, r.Rgb(40, 80)) << "the second row is Zone 2, not selected";
  Move(CPoint(40, 80));
  Click(CPoint(40, 80));
  EXPECT_EQ(2, strip->GetSelectItem());
  EXPECT_EQ(2, strip->GetCurData());
  ASSERT_EQ(1u, dlg.Codes(NOTIFY_CLICK).size());
  EXPECT_EQ(2u, dlg.Codes(NOTIFY_CLICK)[0].wParam);
}
