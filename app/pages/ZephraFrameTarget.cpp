#include "pages/ZephraFrameTarget.h"
#include "canvas/ZephraEffect.h"

void ZephraFrameTarget::SetColorMap(int column, int row, COLORREF colour) { m_canvas.SetColorMap(column, row, colour); }

void ZephraFrameTarget::GetMatrixLightsColors(COLORREF* out, int rows, int columns, bool rainbow, COLORREF colour) {
  m_canvas.GetMatrixLightsColors(out, rows, columns, rainbow, colour);
}

void ZephraFrameTarget::GetSideLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) {
  m_canvas.GetSideLightsColors(out, count, rainbow, colour);
}

void ZephraFrameTarget::GetTopLightsColors(COLORREF* out, int count, bool rainbow, COLORREF colour) {
  m_canvas.GetTopLightsColors(out, count, rainbow, colour);
}
