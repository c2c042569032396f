#include "pages/MatrixControls.h"
#include <algorithm>
#include "pages/LightTypes.h"

float MatrixControls::PreviewBrightness(int brightness, int brightnessMax) {
  if (brightnessMax <= 0) return 1.0f;
  return std::clamp(float(brightness) / float(brightnessMax), 0.0f, 1.0f);
}

MatrixControls MatrixControls::For(const LightRecord& row, int brightnessMax) {
  MatrixControls c;
  const int f = row.config_func;
  c.configFunc = f;
  c.brightnessShown = (f & kLightBrightness) != 0;
  if (c.brightnessShown) {
    c.brightness = row.brightness;
    c.previewBrightness = PreviewBrightness(row.brightness, brightnessMax);
  }
  c.speedShown = (f & kLightSpeed) != 0;
  if (c.speedShown) {
    c.speed = row.speed;
    c.previewSpeed = float(row.speed);
  }
  c.swatchShown = (f & kLightSwatch) != 0;
  if (c.swatchShown) {
    c.swatch = COLORREF(row.color_value);
    c.colourfulChecked = row.colorful == 1;
    c.previewColourful = row.colorful == 1;
    c.previewColour = COLORREF(row.color_value);
  }
  if (f & kLightColourGroup) c.rgbEdits = row.colorful == 1 ? COLORREF(0x0000FF) : COLORREF(row.color_value);
  c.colourGroupEnabled = (f & (kLightColourGroup | kLightPerKey | kLightPresets)) != 0;
  c.presetsShown = (f & kLightPresets) != 0;
  return c;
}
