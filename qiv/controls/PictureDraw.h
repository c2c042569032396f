// How the picture controls lay the first frame of an image into their rectangle.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include "core/Geometry.h"
#include "qiv_export.h"

enum enumShowMode : int {
  SHOWMODE_NORMAL = 0,    // natural size, placed by the alignment
  SHOWMODE_TILE = 1,      // tiled from the top-left corner
  SHOWMODE_STRETCH = 2,   // stretched to the whole control
  SHOWMODE_NINEGRID = 3,  // nine-grid, one corner size
  SHOWMODE_NINEGRID_MID = 4,  // nine-grid, four border sizes
  SHOWMODE_CUSTOM = 5,    // a source rectangle stretched to the whole control
};

// The edge a slider picture is revealed from.
enum SLIDER_MODE : int {
  SLIDER_LEFT_TO_RIGHT = 1,
  SLIDER_TOP_TO_BOTTOM = 2,
  SLIDER_RIGHT_TO_LEFT = 3,
};

struct QIV_API PictureLayout {
  enumShowMode mode = SHOWMODE_NORMAL;
  int param = 0;                    // corner size of mode 3
  int left = 0, top = 0, right = 0, bottom = 0;  // borders of mode 4
  CRect custom;                     // source of mode 5
  unsigned hAlign = 0;              // 0 left, 2 right, else centred
  unsigned vAlign = 4;              // 0 top, 8 bottom, else centred

  // Takes a mode (and the corner size of mode 3); false when that changes nothing.
  bool SetMode(enumShowMode newMode, int newParam) {
    if (newMode == mode && (newMode != SHOWMODE_NINEGRID || newParam == param)) return false;
    mode = newMode;
    param = newParam;
    return true;
  }
  // Nine-grid with four border sizes (mode 4).
  void SetNineGridBorders(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
    mode = SHOWMODE_NINEGRID_MID;
  }
};

// Draws frame (0, 0, fw, fh) of `image` into (x0, 0, w, h) of `g` as `layout` says.
QIV_API void DrawPicture(Gdiplus::Graphics& g, Gdiplus::Image* image, int fw, int fh, int x0, int w, int h,
                         const PictureLayout& layout);
