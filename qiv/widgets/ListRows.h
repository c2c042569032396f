// What the two macro lists share: which rows a scroll position shows and where they sit
// in the memory bitmap, the vertical bar's layout and wheel step, and the time edit's
// reading of a typed delay.
#pragma once
#include "core/Geometry.h"
#include "qiv_export.h"

class MScroll;

struct RowWindow {
  int offset = 0;        // content pixels above the view
  int first = 0;         // first row drawn
  int last = -1;         // last row drawn; below `first` when there is none
  int bitmapHeight = 0;  // rows drawn into the memory bitmap
  int bitmapOffset = 0;  // the view's top inside that bitmap
};

// The rows of `count` rows of `rowHeight` px that a view `visibleHeight` px high shows at
// scroll `position` of a bar whose max range is `maxRange`.
QIV_API RowWindow ComputeRowWindow(int count, int rowHeight, int visibleHeight, int position, int maxRange);
// A typed delay: a decimal number (anything else reads 0) held to 10 .. 65535 ms.
QIV_API int ParseDelayText(const wchar_t* text);

// Where a row drawn at `rect` of the memory bitmap shows on screen in a list at `control`
// whose view starts `bitmapOffset` px down the bitmap.
inline CRect RowOnScreen(CRect rect, CRect control, int bitmapOffset) {
  rect.OffsetRect(control.left, control.top - bitmapOffset);
  return rect;
}
// The drawn row (first .. last, held to the rows there are) under `point`, or -1.
template <class Rows>
int HitDrawnRow(const Rows& rows, int first, int last, CRect control, int bitmapOffset, CPoint point) {
  if (first < 0) return -1;
  const int end = last < static_cast<int>(rows.size()) - 1 ? last : static_cast<int>(rows.size()) - 1;
  for (int i = first; i <= end; ++i)
    if (RowOnScreen(rows[static_cast<size_t>(i)]->rect, control, bitmapOffset).PtInRect(point)) return i;
  return -1;
}

// Places a list's vertical bar, shows it exactly when the content is taller than the list
// (repainting it on a change) and gives it the content height as its max range.
QIV_API void LayoutListBar(MScroll* bar, CRect barRect, int content, int listHeight);
// One wheel notch: 10 row steps down (direction 1) or up, held to the range; true when it moved.
QIV_API bool WheelListBar(MScroll* bar, unsigned direction);
