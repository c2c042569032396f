#include "pages/LightControls.h"
#include "pages/LightTypes.h"

LightControls LightControls::For(const LightRecord& row) {
  LightControls c;
  const int f = row.config_func;
  c.configFunc = f;
  c.brightnessShown = (f & kLightBrightness) != 0;
  c.brightness = c.brightnessShown ? row.brightness : 0;
  c.speedShown = (f & kLightSpeed) != 0;
  c.speed = c.speedShown ? row.speed : 0;
  if (f & kLightLeftRight) {
    c.direction = Direction::LeftRight;
    c.checkedRadio = row.direction == 1 ? 133 : 134;
  } else if (f & kLightUpDown) {
    c.direction = Direction::UpDown;
    c.checkedRadio = row.direction == 2 ? 135 : 136;
  }
  c.swatchShown = (f & kLightSwatch) != 0;
  if (c.swatchShown) {
    c.swatch = COLORREF(row.color_value);
    c.colourfulChecked = row.colorful == 1;
  }
  c.perKeyPainting = (f & kLightPerKey) != 0;
  c.applyShown = c.swatchShown || c.perKeyPainting;
  c.colourSetsShown = c.perKeyPainting;
  c.colourGroupEnabled = (f & (kLightColourGroup | kLightPerKey)) != 0;
  // A multicolour mode shows red in the edits, whatever colour it keeps.
  if (f & kLightColourGroup) c.rgbEdits = row.colorful == 1 ? COLORREF(0x0000FF) : COLORREF(row.color_value);
  return c;
}
