// The lighting canvas control as the visualiser frame step's target.
#pragma once
#include "pages/CanvasFrameTarget.h"

class ZephraEffect;

class ZephraFrameTarget : public CanvasFrameTarget {
public:
  explicit ZephraFrameTarget(ZephraEffect& canvas) : m_canvas(canvas) {}
  void SetColorMap(int column, int row, COLORREF colour) override;
  void GetMatrixLightsColors(COLORREF* out, int rows, int columns, bool rainbow, COLORREF colour) override;
  void GetSideLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) override;
  void GetTopLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) override;

private:
  ZephraEffect& m_canvas;
};
