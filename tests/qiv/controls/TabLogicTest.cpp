// The tab control without a window: fitting, layout of shown and hidden tabs, selection
// and the page it shows, the slide steps.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "controls/MTabCtrl.h"

using namespace qivtest;

TEST(TabCtrlTest, FittingTakesTheShareBetweenMinimumAndRequest) {
  struct Case {
    int requested, minimum, span, count, size;
  } cases[] = {
      {100, 80, 240, 4, 80},   // share 60 < minimum
      {100, 80, 360, 4, 90},   // share 90
      {100, 80, 480, 4, 100},  // share 120 > request
      {100, 0, 40, 4, 100},    // no minimum: the request whatever the share
      {100, -5, 40, 4, 100},
      {239, 239, 239, 8, 239},
      {50, 50, 388, 8, 50},    // the main window's rows: (788 - 400) / 8 = 48
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.size, MTabCtrl::FitTabExtent(c.requested, c.minimum, c.span, c.count))
        << c.requested << "/" << c.minimum << " over " << c.span;
}

namespace {
// The main window's strip as the program sets it up: vertical, 239 wide, 50-pixel rows,
// paddings (0, 50) and (0, 400), eight tabs with their pages.
struct MainStrip {
  RecordingParent owner;
  MTabCtrl strip{&owner, 68, CRect(0, 0, 239, 788), 1, 1};
  std::vector<std::unique_ptr<ProbeControl>> pages;
  MainStrip() {
    strip.SetTabCtrlWidth(239);
    strip.SetTabCtrlHeight(50);
    strip.SetLeftRightPading(0, 50);
    strip.SetTopBottomPading(0, 400);
    strip.SetTabType(TAB_TYPE_VERTICAL);
    const unsigned ids[] = {0, 1, 3, 2, 4, 5, 7, 8};
    for (unsigned id : ids) {
      pages.push_back(std::make_unique<ProbeControl>(&owner, 100 + id, CRect(240, 0, 1400, 788)));
      strip.InsertItem(id, L"tab", L"icon\\missing.png", pages.back().get(), 4, 0);
    }
    strip.SetItemWidth(239, 239, 1);
    strip.SetItemHeight(50, 50, 1);
    strip.SetItemVisible(2, 0);
    strip.SetSelectItem(0);
  }
};
}  // namespace

TEST(TabCtrlTest, MainStripRowsHiddenTabsAndPages) {
  MainStrip m;
  MTabCtrl& s = m.strip;
  EXPECT_EQ(8, s.GetItemCount());
  EXPECT_EQ(0, s.GetSelectItem());
  EXPECT_EQ(0, s.GetItemVisible(2));
  EXPECT_TRUE(CRect(s.GetItemInfo(2)->rect).IsRectNull()) << "a hidden tab takes no room";
  EXPECT_EQ(CRect(0, 0, 239, 50), CRect(s.GetItemInfo(0)->rect));
  EXPECT_EQ(CRect(0, 51, 239, 101), CRect(s.GetItemInfo(1)->rect)) << "rows 51 pixels apart";
  EXPECT_EQ(CRect(0, 102, 239, 152), CRect(s.GetItemInfo(3)->rect)) << "the hidden tab's row is taken by the next";
  for (size_t i = 0; i < m.pages.size(); ++i) EXPECT_EQ(i == 0 ? 1 : 0, m.pages[i]->IsVisible()) << i;

  EXPECT_EQ(3, s.GetItemID(2)) << "tabs keep the positions in which they were added";
  EXPECT_EQ(0, s.GetItemID(9));
  EXPECT_EQ(nullptr, s.GetItemInfo(8));
  s.SetItemVisible(9, 1);
  s.SetItemVisible(2, 1);
  EXPECT_EQ(CRect(0, 102, 239, 152), CRect(s.GetItemInfo(2)->rect));
  EXPECT_EQ(CRect(0, 153, 239, 203), CRect(s.GetItemInfo(3)->rect));
}

TEST(TabCtrlTest, SelectionNotifiesBeforeThePagesSwitch) {
  MainStrip m;
  MTabCtrl& s = m.strip;
  m.owner.notices.clear();
  struct Case {
    int index, previous, selected, notices;
  } cases[] = {
      {0, 0, 0, 0},    // the current tab
      {-1, 0, 0, 0},   // negative
      {8, 0, 0, 0},    // the count
      {2, 0, 2, 1},    // a hidden tab can be selected
      {5, 2, 5, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.previous, s.SetSelectItem(c.index)) << c.index;
    EXPECT_EQ(c.selected, s.GetSelectItem()) << c.index;
    EXPECT_EQ(static_cast<size_t>(c.notices), m.owner.notices.size()) << c.index;
  }
  EXPECT_EQ(68u, m.owner.notices.back().id);
  EXPECT_EQ(5u, m.owner.notices.back().wParam);
  for (size_t i = 0; i < m.pages.size(); ++i) EXPECT_EQ(i == 5 ? 1 : 0, m.pages[i]->IsVisible()) << i;

  s.SetItemVisible(5, 0);
  EXPECT_EQ(5, s.GetSelectItem()) << "hiding the selected tab keeps it selected";
  s.DeleteItem(7);
  s.DeleteItem(6);
  s.SetSelectItem(5);
  s.DeleteItem(5);
  EXPECT_EQ(4, s.GetSelectItem()) << "the last visible tab takes over the deleted selection";
  s.SetControlVisible(0);
  for (int i = 0; i < s.GetItemCount(); ++i) EXPECT_EQ(0, s.GetItemInfo(i)->page->IsVisible()) << i;
  s.SetControlVisible(1);
  EXPECT_EQ(1, m.pages[4]->IsVisible());
}

TEST(TabCtrlTest, EmptyStripIgnoresSelection) {
  RecordingParent owner;
  MTabCtrl strip(&owner, 68, CRect(0, 0, 200, 40), 1, 1);
  EXPECT_EQ(-1, strip.GetSelectItem());
  EXPECT_EQ(-1, strip.SetSelectItem(0));
  EXPECT_EQ(0, strip.OnControlLButtonUp(0, CPoint(5, 5)));
  EXPECT_TRUE(owner.notices.empty());
  EXPECT_EQ(nullptr, strip.CreatePanel(L"MPanel", 3, CRect()));
  EXPECT_EQ(nullptr, strip.CreatePanel(L"", 3, CRect()));
  MControl* page = strip.CreatePanel(L"MTabLayout", 3, CRect(0, 40, 200, 200));
  ASSERT_NE(nullptr, page);
  EXPECT_EQ(&strip, page->GetParantObject());
  strip.InsertItem(1, L"own", L"", page, -1, 50);
  EXPECT_EQ(3, strip.GetItemInfo(0)->frameCount) << "-1 frames means 3";
  strip.DeleteItem(0);
  EXPECT_TRUE(strip.GetControls()->empty()) << "a page of the strip's own goes with its tab";
}

TEST(TabCtrlTest, SlideEndsAfterItsStepsAndAlsoOnANarrowStrip) {
  struct Case {
    int width, ticks;
  } cases[] = {{240, 10}, {239, 11}, {7, 7}, {0, 1}};
  for (const Case& c : cases) {
    RecordingParent owner;
    MTabCtrl strip(&owner, 68, CRect(0, 0, c.width, 40), 1, 1);
    ProbeControl a(&owner, 1, CRect()), b(&owner, 2, CRect());
    strip.InsertItem(1, L"a", L"", &a, 1, 10);
    strip.InsertItem(2, L"b", L"", &b, 1, 10);
    strip.SetSelectItem(0);
    strip.EnableAnimateChangeTab(1);
    strip.SetSelectItem(1);
    ASSERT_TRUE(strip.IsSliding());
    int ticks = 0;
    while (strip.IsSliding() && ticks < 1000) {
      EXPECT_EQ(1, strip.OnControlTimer());
      ++ticks;
    }
    EXPECT_EQ(c.ticks, ticks) << "width " << c.width;
    EXPECT_EQ(0, strip.OnControlTimer()) << "later ticks do nothing";
  }
}
