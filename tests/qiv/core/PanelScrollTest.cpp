#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "controls/MScroll.h"
#include "core/PaintManager.h"

using namespace qivtest;

TEST(Panel, ContentThatFitsShowsNoBarAndKeepsThePoint) {
  RecordingParent owner;
  ProbePanel panel(&owner, 1, CRect(0, 0, 200, 100));
  panel.AddProbe(10, CRect(10, 10, 50, 50));
  panel.SetRect(CRect(0, 0, 200, 100));
  EXPECT_FALSE(panel.GetScrollVertical()->IsVisible());
  EXPECT_FALSE(panel.GetScrollHorizontal()->IsVisible());
  CPoint p(5, 5);
  EXPECT_EQ(0, panel.OnMousePointChange(p));
  EXPECT_EQ(CPoint(5, 5), p);
  EXPECT_EQ(0, panel.OnScroll(1, 1, CPoint(5, 5))) << "a notch over content that fits is not taken";
}

TEST(Panel, VirtualSizeIsTheLargestChildExtentWhateverTheOrder) {
  RecordingParent owner;
  ProbePanel panel(&owner, 1, CRect(100, 50, 300, 150));
  panel.AddProbe(10, CRect(100, 50, 120, 350));
  panel.AddProbe(11, CRect(100, 50, 120, 90));
  panel.SetRect(CRect(100, 50, 300, 150));
  EXPECT_EQ(300, panel.GetVirtualHeight());
  EXPECT_EQ(20, panel.GetVirtualWidth());
  EXPECT_TRUE(panel.GetScrollVertical()->IsVisible());
  EXPECT_FALSE(panel.GetScrollHorizontal()->IsVisible());
  EXPECT_EQ(CRect(295, 50, 300, 150), panel.GetScrollVertical()->GetRect());
  EXPECT_EQ(CRect(100, 145, 300, 150), panel.GetScrollHorizontal()->GetRect());
  EXPECT_EQ(300, panel.GetScrollVertical()->GetScrollMaxRange());
}

TEST(Panel, ScrollOffsetsMoveThePointAndWheelScrolls) {
  RecordingParent owner;
  ProbePanel panel(&owner, 1, CRect(0, 0, 200, 100));
  ProbeControl* low = panel.AddProbe(10, CRect(0, 250, 50, 300));
  panel.SetRect(CRect(0, 0, 200, 100));
  MScroll* bar = panel.GetScrollVertical();
  bar->SetScrollCurrentPos(150);
  CPoint p(10, 10);
  EXPECT_EQ(1, panel.OnMousePointChange(p));
  EXPECT_EQ(CPoint(10, 110), p) << "dy = (300 - 100) x 150 / 300";
  bar->SetScrollCurrentPos(0);
  EXPECT_EQ(1, panel.OnScroll(1, 1, CPoint(10, 10)));
  EXPECT_EQ(10, bar->GetScrollCurrentPos());
  EXPECT_EQ(1, panel.OnScroll(1, 0, CPoint(10, 10)));
  EXPECT_EQ(0, bar->GetScrollCurrentPos());
  EXPECT_EQ(1, panel.OnScroll(1, 0, CPoint(10, 10))) << "taken even when the position cannot move";
  // Moving the panel does not move its children.
  panel.SetRect(CRect(10, 10, 210, 110));
  EXPECT_EQ(CRect(0, 250, 50, 300), low->GetRect());
}

TEST(Panel, NotificationsPassUnchangedThroughNestedPanels) {
  RecordingParent window;
  auto* outer = new ProbePanel(&window, 1, CRect(0, 0, 100, 100));
  auto* inner = new ProbePanel(outer, 2, CRect(0, 0, 100, 100));
  outer->AppendChild(1, inner);
  ProbeControl* leaf = inner->AddProbe(30, CRect());
  leaf->SendMessageW(NOTIFY_CLICK, 5, 6);
  ASSERT_EQ(1u, window.notices.size());
  EXPECT_EQ(30u, window.notices[0].id);
  EXPECT_EQ(2u, window.notices[0].code);
  EXPECT_EQ(5u, window.notices[0].wParam);
  EXPECT_EQ(6, window.notices[0].lParam);
  delete outer;
}

TEST(Panel, RepaintRequestMarksLaterOverlappingVisibleChildren) {
  PaintManager manager;
  RecordingParent window;
  ProbePanel panel(&window, 1, CRect(0, 0, 200, 200));
  panel.SetManager(&manager);
  ProbeControl* earlier = panel.AddProbe(10, CRect(0, 0, 50, 50));
  ProbeControl* requester = panel.AddProbe(11, CRect(0, 0, 50, 50));
  ProbeControl* over = panel.AddProbe(12, CRect(40, 40, 90, 90));
  ProbeControl* hidden = panel.AddProbe(13, CRect(0, 0, 50, 50));
  ProbeControl* apart = panel.AddProbe(14, CRect(100, 100, 150, 150));
  hidden->SetControlVisible(0);
  for (ProbeControl* p : {earlier, requester, over, hidden, apart}) p->SetUpdate(1, 0);
  requester->UpdateControl(1, 0);
  EXPECT_EQ(0, requester->GetUpdate());
  EXPECT_EQ(0, over->GetUpdate());
  EXPECT_EQ(1, earlier->GetUpdate());
  EXPECT_EQ(1, hidden->GetUpdate());
  EXPECT_EQ(1, apart->GetUpdate());
}

namespace {
struct Bar {
  RecordingParent owner;
  CScrollVertical bar{&owner, 1, CRect(0, 0, 5, 300), 1};
  explicit Bar(int range) { bar.SetScrollMaxRange(range); }
};
}  // namespace

TEST(ScrollBar, ThumbFromRangeAndPage) {
  Bar half(600);
  EXPECT_EQ(300, half.bar.m_nScrollSize);
  EXPECT_EQ(150, half.bar.GetThumbRect().Height());
  half.bar.SetScrollCurrentPos(600);
  EXPECT_EQ(300, half.bar.GetThumbRect().bottom) << "at the end the thumb touches the bar's bottom";

  Bar huge(10000);
  EXPECT_EQ(1000, huge.bar.m_nScrollSize) << "a tenth of the range when the range is over ten heights";
  EXPECT_EQ(100, huge.bar.GetThumbRect().Height()) << "never shorter than 100 px";

  RecordingParent owner;
  CScrollVertical shortBar(&owner, 1, CRect(0, 0, 5, 120), 1);
  shortBar.SetScrollMaxRange(10000);
  EXPECT_EQ(70, shortBar.GetThumbRect().Height()) << "track - 50 on short tracks";

  Bar fits(200);
  EXPECT_EQ(0, fits.bar.IsScrollable());
  EXPECT_EQ(0, fits.bar.OnLButtonDown(0, CPoint(2, 10))) << "an unscrollable bar ignores the mouse";
}

TEST(ScrollBar, ScrollRowClampsAndReportsChange) {
  Bar b(600);
  b.bar.SetScrollCurrentPos(5);
  EXPECT_EQ(1, b.bar.ScrollRow(-1));
  EXPECT_EQ(0, b.bar.GetScrollCurrentPos());
  EXPECT_EQ(0, b.bar.ScrollRow(-1));
  b.bar.SetScrollCurrentPos(595);
  EXPECT_EQ(1, b.bar.ScrollRow(3));
  EXPECT_EQ(600, b.bar.GetScrollCurrentPos());
  EXPECT_TRUE(b.owner.notices.empty()) << "positions set from code are not notified";
}

TEST(ScrollBar, DraggingStopsAtTheEndsWithoutDrift) {
  Bar b(600);  // thumb 0..150 on a 300 px bar
  EXPECT_EQ(1, b.bar.OnLButtonDown(MK_LBUTTON, CPoint(2, 50)));
  EXPECT_EQ(2, b.bar.GetThumbState());
  b.bar.OnMouseMove(MK_LBUTTON, CPoint(2, 300));  // far past the end
  EXPECT_EQ(300, b.bar.GetThumbRect().bottom);
  EXPECT_EQ(600, b.bar.GetScrollCurrentPos());
  b.bar.OnMouseMove(MK_LBUTTON, CPoint(2, 250));  // back, but not yet past where it stopped
  EXPECT_EQ(300, b.bar.GetThumbRect().bottom);
  b.bar.OnMouseMove(MK_LBUTTON, CPoint(2, 190));  // 10 px before the stop point
  EXPECT_EQ(290, b.bar.GetThumbRect().bottom);
  ASSERT_FALSE(b.owner.notices.empty());
  EXPECT_EQ(8u, b.owner.notices.back().code);
  EXPECT_EQ(static_cast<unsigned>(b.bar.GetScrollCurrentPos()), b.owner.notices.back().wParam);
  b.bar.OnLButtonUp(0, CPoint(2, 190));
  EXPECT_EQ(1, b.bar.GetThumbState());
}

TEST(ScrollBar, TrackClickPagesOnceAndNotifiesOnce) {
  Bar b(600);
  const int applied = b.bar.OnLButtonDown(MK_LBUTTON, CPoint(2, 250));
  EXPECT_EQ(150, applied) << "a page of (300 x 300 / 600) px";
  EXPECT_EQ(150, b.bar.GetThumbRect().top);
  ASSERT_EQ(1u, b.owner.notices.size());
  EXPECT_EQ(8u, b.owner.notices[0].code);
  EXPECT_EQ(600u, b.owner.notices[0].wParam);
  EXPECT_EQ(0, b.bar.IsChangeing());
}

TEST(ScrollBar, MaxRangeKeepsAGivenPageAndRederivesAnAutomaticOne) {
  Bar b(600);
  b.bar.SetScrollSize(50, 0);
  b.bar.SetScrollMaxRange(800);
  EXPECT_EQ(50, b.bar.m_nScrollSize);
  Bar a(600);
  a.bar.SetScrollMaxRange(8000);
  EXPECT_EQ(800, a.bar.m_nScrollSize);
}

TEST(ScrollBar, FinalPosition) {
  Bar b(600);
  EXPECT_EQ(1, b.bar.SetScrollFinalPos());
  EXPECT_EQ(600, b.bar.GetScrollCurrentPos());
  RecordingParent owner;
  CScrollVertical full(&owner, 1, CRect(0, 0, 5, 300), 1);
  full.m_nScrollSize = 300;
  full.m_nMaxRange = 300;
  full.m_nCurPos = 7;
  EXPECT_EQ(0, full.SetScrollFinalPos()) << "a thumb that fills the track";
  EXPECT_EQ(7, full.GetScrollCurrentPos());
}

TEST(ScrollBar, ZeroRangeIsNotScrollable) {
  Bar b(0);
  EXPECT_EQ(0, b.bar.IsScrollable());
  EXPECT_EQ(0, b.bar.ScrollRow(1));
}
