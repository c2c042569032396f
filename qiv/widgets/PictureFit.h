// Placing a picture inside a box without enlarging it, as every thumbnail, preview and
// animation canvas of the widgets does.
#pragma once
#include "core/Geometry.h"
#include "qiv_export.h"

// The rectangle a w x h picture takes in `box`. A picture that fits keeps its size. One
// larger in both directions is scaled to the box width when w / h exceeds `wideRatio`
// (normally the box's own aspect ratio), else to the box height; one larger in a single
// direction is scaled along that direction. Integer arithmetic keeps the aspect ratio
// (truncating), and the result is centred in the box. A picture without area gives an
// empty rectangle at the box's centre.
QIV_API CRect FitPictureRect(int w, int h, const CRect& box, double wideRatio);

// FitPictureRect with the box's own aspect ratio as the threshold.
QIV_API CRect FitPictureRect(int w, int h, const CRect& box);
