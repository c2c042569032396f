// What a matrix-screen mode offers: from the mode's row, which of the matrix page's
// controls show and what they and the preview show. The ids below are the matrix page's.
#pragma once
#include <windows.h>
#include <optional>
#include "store/StoreRecords.h"

struct MatrixControls {
  int configFunc = 0;
  // Brightness label 291 and slider 292, speed label 293 and slider 294; a hidden slider
  // is set to 0.
  bool brightnessShown = false;
  int brightness = 0;
  bool speedShown = false;
  int speed = 0;
  // Swatch 300 and colourful check 301, set only when shown.
  bool swatchShown = false;
  COLORREF swatch = 0;
  bool colourfulChecked = false;
  // Palette 304, RGB edits 308-310 and colour buttons 311-319.
  bool colourGroupEnabled = false;
  std::optional<COLORREF> rgbEdits;
  bool presetsShown = false;  // label 278 and list 279

  // What the preview takes from the row.
  std::optional<float> previewBrightness;
  std::optional<float> previewSpeed;
  std::optional<bool> previewColourful;
  std::optional<COLORREF> previewColour;

  // `brightnessMax` is the keyboard's matrix brightness maximum.
  static MatrixControls For(const LightRecord& row, int brightnessMax);
  // The preview's brightness 0-1: the row's brightness over the keyboard's maximum. A
  // keyboard that reports no maximum (0) shows the preview at full brightness.
  static float PreviewBrightness(int brightness, int brightnessMax);
};
