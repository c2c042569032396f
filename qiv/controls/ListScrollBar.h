// The vertical bar of a scrolling row list: shown exactly when the rows overflow the
// view, its range the rows' height. Shared by the list controls built on MPanel.
#pragma once
#include <algorithm>
#include "controls/MScroll.h"

namespace qiv_list {

// Visibility (repainting the bar when it changes) and range of the bar for `content`
// pixels of rows in a view `viewHeight` high; the bar derives its page again when it did.
inline void UpdateBar(MScroll* bar, int content, int viewHeight) {
  if (!bar) return;
  const int show = viewHeight < content ? 1 : 0;
  if (show != (bar->IsVisible() ? 1 : 0)) {
    bar->SetControlVisible(show);
    bar->UpdateControl(1, 1);
  }
  bar->SetScrollMaxRange(content);
}

// Places a bar on its strip, repainting the union of its old and new place.
inline void PlaceBar(MScroll* bar, CRect place) {
  if (!bar) return;
  CRect both;
  both.UnionRect(bar->GetRect(), place);
  bar->SetControlRect(place);
  bar->UpdateControl(both, 0, 1);
}

// The two strips of a panel's bars: vertical on the right, horizontal at the bottom.
inline CRect RightStrip(CRect rect, int thickness) { return CRect(rect.right - thickness, rect.top, rect.right, rect.bottom); }
inline CRect BottomStrip(CRect rect, int thickness) { return CRect(rect.left, rect.bottom - thickness, rect.right, rect.bottom); }

// One wheel notch: 10 row steps down (direction 1) or up, held to 0 .. the max range;
// true when the position moved.
inline bool WheelBar(MScroll& bar, unsigned direction) {
  const int before = bar.m_nCurPos;
  const int delta = 10 * bar.m_nRowStep;
  bar.m_nCurPos = std::clamp(before + (direction == 1 ? delta : -delta), 0, std::max(0, bar.m_nMaxRange));
  bar.SetRange();
  return bar.m_nCurPos != before;
}

}  // namespace qiv_list
