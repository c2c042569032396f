#include "widgets/PanelBars.h"
#include "controls/MScroll.h"
#include "core/MPanel.h"

namespace {
void PlaceBar(MScroll* bar, const CRect& place) {
  if (!bar) return;
  const CRect old = bar->GetRect();
  bar->SetControlRect(place);
  MObject* parent = bar->GetParantObject();
  if (bar->IsVisible() && parent) {
    CRect both;
    both.UnionRect(old, place);
    parent->OnControlUpdate(both, 1, bar);
  }
}
}  // namespace

void PlacePanelBars(MPanel& panel, const CRect& rect, int thickness) {
  PlaceBar(panel.GetScrollVertical(), CRect(rect.right - thickness, rect.top, rect.right, rect.bottom));
  PlaceBar(panel.GetScrollHorizontal(), CRect(rect.left, rect.bottom - thickness, rect.right, rect.bottom));
}

void UpdatePanelBar(MScroll* bar, int content, int extent) {
  if (!bar) return;
  const int show = content > extent ? 1 : 0;
  if (show != (bar->IsVisible() ? 1 : 0)) {
    bar->SetControlVisible(show);
    if (MObject* parent = bar->GetParantObject()) parent->OnControlUpdate(bar->GetRect(), 1, bar);
  }
  bar->m_nMaxRange = content;
  if (bar->m_bAutoSize) bar->m_nScrollSize = 0;
  bar->SetRange();
}
