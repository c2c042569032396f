// What the visualiser frame step needs of the lighting canvas: its colour map and the
// colours of the light strips and matrix-light rings it computes from the music.
#pragma once
#include <windows.h>

class CanvasFrameTarget {
public:
  virtual ~CanvasFrameTarget() = default;
  virtual void SetColorMap(int column, int row, COLORREF colour) = 0;
  // rows x columns colours, row by row.
  virtual void GetMatrixLightsColors(COLORREF* out, int rows, int columns, bool rainbow, COLORREF colour) = 0;
  virtual void GetSideLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) = 0;
  virtual void GetTopLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) = 0;
};
