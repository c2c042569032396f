// What the lighting page's mode offers: from the row of the current mode, which of the
// page's controls show, what they show and whether the colour group takes input. The
// page applies it to its controls (the ids below are the lighting page's).
#pragma once
#include <windows.h>
#include <optional>
#include "store/StoreRecords.h"

struct LightControls {
  enum class Direction { None, LeftRight, UpDown };

  int configFunc = 0;
  // Brightness label 128 and slider 129; speed label 130 and slider 131. A hidden slider
  // is set to 0.
  bool brightnessShown = false;
  int brightness = 0;
  bool speedShown = false;
  int speed = 0;
  // Direction label 132 with radios 133/134 (left, right) or 135/136 (up, down); the
  // radio to check.
  Direction direction = Direction::None;
  int checkedRadio = 0;
  // Swatch 137 and colourful check 138, set only when shown.
  bool swatchShown = false;
  COLORREF swatch = 0;
  bool colourfulChecked = false;
  bool applyShown = false;      // button 157
  bool colourSetsShown = false;  // label 158 and list 159
  // Palette 141, RGB edits 145-147 and colour buttons 148-156.
  bool colourGroupEnabled = false;
  // What the RGB edits show, when the mode gives them a colour.
  std::optional<COLORREF> rgbEdits;
  // Per-key painting on the on-screen keyboard: frame selection on, checks cleared.
  bool perKeyPainting = false;

  static LightControls For(const LightRecord& row);
};
