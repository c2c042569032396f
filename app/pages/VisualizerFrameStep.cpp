#include "pages/VisualizerFrameStep.h"
#include <algorithm>
#include "audio/Visualizer.h"
#include "pages/MusicSettings.h"

namespace {
constexpr COLORREF kRed = 0x0000FF;
constexpr int kOverlayRows = 7;
constexpr int kOverlayColumns = 19;
constexpr int kStripBuffer = 32;
}  // namespace

bool VisualizerFrameStep::SamplesBackground(int barMode) { return barMode == MusicSettings::kMatrixOverlay; }

int VisualizerFrameStep::StripScale(int brightness) {
  // In whole numbers: b x 255 / 100 is b x 2.55 cut to an integer, exactly.
  return std::clamp(brightness, 0, 100) * 255 / 100;
}

COLORREF VisualizerFrameStep::ScaleStripColour(COLORREF colour, int scale) {
  return RGB(GetRValue(colour) * scale / 256, GetGValue(colour) * scale / 256, GetBValue(colour) * scale / 256);
}

void VisualizerFrameStep::Run(const VisualizerGeometry& geometry, const Input& input, CanvasFrameTarget& canvas) {
  if (!input.frame || input.layoutRows < 1 || input.layoutColumns < 1) return;
  // The colour map has 8 rows and 32 columns; so do the sampling tables.
  const int rows = std::min(input.layoutRows, VisualizerGeometry::kMaxRows);
  const int columns = std::min(input.layoutColumns, VisualizerGeometry::kMaxColumns);
  for (int r = 0; r < rows; ++r) {
    const int y = std::clamp(geometry.SampleRow(r), 0, Visualizer::kHeight - 1);
    for (int c = 0; c < columns; ++c) {
      const int x = std::clamp(geometry.SampleColumn(c), 0, Visualizer::kWidth - 1);
      canvas.SetColorMap(c, r, input.frame[y * Visualizer::kWidth + x]);
    }
  }
  if (input.barMode == MusicSettings::kMatrixOverlay) MatrixOverlay(canvas);
  const int scale = StripScale(input.stripBrightness);
  if (input.deviceType == 101) StripsOf101(canvas, scale);
  else if (input.deviceType == 102) StripOf102(canvas, scale);
}

void VisualizerFrameStep::MatrixOverlay(CanvasFrameTarget& canvas) {
  COLORREF rings[kOverlayRows * kOverlayColumns] = {};
  canvas.GetMatrixLightsColors(rings, kOverlayRows, kOverlayColumns, true, kRed);
  // Black and near-black ring cells (0 and 1) let the sampled colour show through.
  for (int row = 0; row < kOverlayRows; ++row) {
    for (int column = 0; column < kOverlayColumns; ++column) {
      const COLORREF ring = rings[row * kOverlayColumns + column];
      if (ring > 1) canvas.SetColorMap(column, row, ring);
    }
  }
}

void VisualizerFrameStep::StripsOf101(CanvasFrameTarget& canvas, int scale) {
  // Both side strips and the top strip go black first.
  for (int r = 0; r <= 10; ++r) canvas.SetColorMap(0, r, 0);
  for (int c = 1; c <= 24; ++c) canvas.SetColorMap(c, 0, 0);
  for (int r = 0; r <= 10; ++r) canvas.SetColorMap(24, r, 0);
  COLORREF side[kStripBuffer] = {};
  COLORREF top[kStripBuffer] = {};
  canvas.GetSideLightsColors(side, 10, true, kRed);
  canvas.GetTopLightsColors(top, 24, true, kRed);
  for (int k = 1; k <= 24; ++k) canvas.SetColorMap(k, 0, ScaleStripColour(top[k - 1], scale));
  // Side entry 10 is the buffer's zeroed eleventh: the lowest light stays black.
  for (int k = 0; k <= 10; ++k) {
    const COLORREF colour = ScaleStripColour(side[k], scale);
    canvas.SetColorMap(0, k, colour);
    canvas.SetColorMap(24, k, colour);
  }
}

void VisualizerFrameStep::StripOf102(CanvasFrameTarget& canvas, int scale) {
  COLORREF top[kStripBuffer] = {};
  canvas.GetTopLightsColors(top, 27, true, kRed);
  for (int k = 0; k <= 26; ++k) canvas.SetColorMap(k, 7, ScaleStripColour(top[k], scale));
}
