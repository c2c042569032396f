// Geometry of the device list's tiles: their size for a number of online devices, where
// the row starts, how a picture fits its area and how far a sliding picture has moved.
#pragma once
#include "core/Geometry.h"
#include "qiv_export.h"

// 770 x 500 for none or one online device, 500 x 500 for two, 400 x 500 for three,
// 280 x 300 for four or more.
QIV_API CSize DeviceTileSize(int online);
// The tiles stand 20 px apart, centred in a control of `width` x `height`.
QIV_API CPoint FirstTileOrigin(int width, int height, int online);
// Where a picture of width x height is drawn in `area`: tiny pictures (a side below 11)
// fill it, fitting ones keep their size, larger ones shrink keeping their proportions;
// the result is centred.
QIV_API CRect FitPicture(int width, int height, CRect area);
// The eased slide distance after `progress` (0-255) across an area `areaWidth` wide.
QIV_API int SlideDistance(int progress, int areaWidth);
