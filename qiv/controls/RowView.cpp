#include "controls/RowView.h"
#include <algorithm>
#include <cstdint>

RowView ComputeRowView(int rows, int rowHeight, int viewHeight, int position, int maxRange) {
  RowView v;
  viewHeight = std::max(0, viewHeight);
  v.bitmapHeight = viewHeight;
  if (rows <= 0 || rowHeight <= 0) return v;
  const int64_t content = int64_t(rows) * rowHeight;
  const int64_t hidden = std::max<int64_t>(0, content - viewHeight);
  if (maxRange > 0 && hidden > 0) {
    const int64_t pos = std::clamp<int64_t>(position, 0, maxRange);
    v.offset = static_cast<int>(hidden * pos / maxRange);
  }
  v.first = std::max(0, v.offset / rowHeight);
  v.last = std::clamp((v.offset + viewHeight) / rowHeight, 0, rows - 1);
  v.first = std::min(v.first, v.last);
  v.bitmapHeight = std::max(viewHeight, (v.last - v.first + 1) * rowHeight);
  v.bitmapTop = std::max(0, v.offset - v.first * rowHeight);
  return v;
}
