// One step of the canvas's music colour map (canvas mode 1), run by the worker before it
// streams the canvas: the visualiser's frame is sampled into the colour map, bar mode 22
// lays the matrix-light rings over it, and models 101 and 102 get their light strips.
#pragma once
#include <windows.h>
#include "pages/CanvasFrameTarget.h"
#include "pages/VisualizerGeometry.h"

class VisualizerFrameStep {
public:
  struct Input {
    // 256 x 64 pixels, row by row: the visualiser's front frame, or its background layer
    // in bar mode 22 (SamplesBackground).
    const COLORREF* frame = nullptr;
    int layoutRows = 0;
    int layoutColumns = 0;
    int barMode = 0;
    int deviceType = 0;
    int stripBrightness = 100;  // the bar brightness slider's position, 0-100
  };

  static bool SamplesBackground(int barMode);
  // Nothing happens without a frame or without layout rows and columns.
  static void Run(const VisualizerGeometry& geometry, const Input& input, CanvasFrameTarget& canvas);

  // The strip colours' scale for a brightness 0-100: trunc(brightness x 2.55).
  static int StripScale(int brightness);
  static COLORREF ScaleStripColour(COLORREF colour, int scale);

private:
  static void MatrixOverlay(CanvasFrameTarget& canvas);
  static void StripsOf101(CanvasFrameTarget& canvas, int scale);
  static void StripOf102(CanvasFrameTarget& canvas, int scale);
};
