// Scroll-bar chores shared by the widget lists that derive from MPanel but measure their
// content from their own items rather than from child controls.
#pragma once
#include "core/Geometry.h"
#include "qiv_export.h"

class MPanel;
class MScroll;

// Places the panel's vertical bar in the right strip and its horizontal bar in the bottom
// strip of `rect` (`thickness` px); a visible bar has the union of its old and new places
// repainted. Visibility and ranges are left alone.
QIV_API void PlacePanelBars(MPanel& panel, const CRect& rect, int thickness);

// Shows the bar exactly when `content` exceeds `extent` (repainting it when that changes),
// makes `content` its maximum range (a derived scroll size is derived again) and lays it
// out.
QIV_API void UpdatePanelBar(MScroll* bar, int content, int extent);
