#include "widgets/ListRows.h"
#include <algorithm>
#include <cwchar>
#include <cwctype>
#include "controls/MScroll.h"

RowWindow ComputeRowWindow(int count, int rowHeight, int visibleHeight, int position, int maxRange) {
  RowWindow w;
  w.bitmapHeight = std::max(visibleHeight, 0);
  if (count <= 0 || rowHeight <= 0) return w;
  const long long content = static_cast<long long>(count) * rowHeight;
  w.offset = maxRange > 0 ? static_cast<int>((content - visibleHeight) * position / maxRange) : 0;
  // A position left over from a longer list (rows deleted, or content that now fits)
  // must not push the rows out of the view.
  w.offset = static_cast<int>(std::clamp<long long>(w.offset, 0, std::max<long long>(0, content - visibleHeight)));
  w.first = std::max(0, w.offset / rowHeight);
  w.last = std::clamp((visibleHeight + w.offset) / rowHeight, 0, count - 1);
  w.first = std::min(w.first, w.last);
  w.bitmapHeight = std::max(visibleHeight, (w.last - w.first + 1) * rowHeight);
  w.bitmapOffset = std::max(0, w.offset - w.first * rowHeight);
  return w;
}

int ParseDelayText(const wchar_t* text) {
  long value = 0;
  if (text) {
    while (std::iswspace(*text)) ++text;
    wchar_t* end = nullptr;
    value = std::wcstol(text, &end, 10);
    if (end == text) value = 0;
  }
  return static_cast<int>(std::clamp<long>(value, 10, 65535));
}

void LayoutListBar(MScroll* bar, CRect barRect, int content, int listHeight) {
  if (!bar) return;
  MObject* parent = bar->GetParantObject();
  const CRect old = bar->GetRect();
  bar->SetControlRect(barRect);
  if (bar->IsVisible() && parent) {
    CRect both;
    both.UnionRect(old, barRect);
    parent->OnControlUpdate(both, 1, bar);
  }
  const int show = content > listHeight ? 1 : 0;
  if (show != (bar->IsVisible() ? 1 : 0)) {
    bar->SetControlVisible(show);
    if (parent) parent->OnControlUpdate(bar->GetRect(), 1, bar);
  }
  bar->SetScrollMaxRange(content);
}

bool WheelListBar(MScroll* bar, unsigned direction) {
  if (!bar) return false;
  return bar->ScrollRow(direction == 1 ? 10 : -10) != 0;
}
