// The visible part of a list of equal rows whose view is scrolled by a vertical bar:
// which rows to draw, how tall their memory bitmap is and where the view sits in it.
// Pure arithmetic, shared by the combo list, the list box and the profile list.
#pragma once
#include "qiv_export.h"

struct RowView {
  int offset = 0;        // pixels of content scrolled above the view
  int first = 0;         // first and last row that meet the view
  int last = 0;
  int bitmapHeight = 0;  // the visible rows' height, at least the view's
  int bitmapTop = 0;     // where the view starts inside that bitmap
};

// `position` of `maxRange` is the bar's state. A range of 0 or less, a content that fits,
// a row height of 0 or less, or a position outside the range all leave the view unscrolled
// (offset 0) or clamped, never divided by zero.
QIV_API RowView ComputeRowView(int rows, int rowHeight, int viewHeight, int position, int maxRange);
