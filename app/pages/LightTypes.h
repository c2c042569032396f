// The codes that lighting rows carry: which controls a mode offers (config_func bits) and
// which light zone a row belongs to (the row's type).
#pragma once

// Bits of a lighting row's config_func.
enum LightConfigFunc : int {
  kLightBrightness = 0x001,   // brightness label and slider
  kLightSpeed = 0x002,        // speed label and slider
  kLightLeftRight = 0x004,    // direction radios left and right
  kLightUpDown = 0x008,       // direction radios up and down
  kLightColourGroup = 0x010,  // palette, RGB edits and colour buttons enabled
  kLightSwatch = 0x020,       // colour swatch, colourful check and apply button
  kLightPerKey = 0x100,       // per-key colour sets painted on the on-screen keyboard
  kLightPresets = 0x400,      // the matrix screen's PC effects
};

// A lighting row's type.
enum LightZoneType : int {
  kZoneMain = 0,     // the keys
  kZoneSecond = 1,
  kZoneThird = 2,
  kZoneSeeded = 10,  // seeded with the third zone's rows; nothing shows or sends it
  kZoneMatrix = 16,  // the 7 x 7 matrix screen
};

// Zone 0's modes 128-132 are the five per-key colour sets.
constexpr int kFirstColourSet = 128;
constexpr int kLastColourSet = 132;
constexpr bool IsColourSetMode(int mode) { return mode >= kFirstColourSet; }

// The worker tasks that the lighting pages queue (the worker's own list names them too).
enum LightTask : int {
  kTaskWriteColourSetMode = 12,  // a colour set as zone 0's mode
  kTaskWriteZoneMode = 13,       // the shown zone's mode, brightness, speed and colour
  kTaskWriteMatrixMode = 14,
  kTaskReadMatrixPicture = 15,
  kTaskWriteMatrixPicture = 16,
  kTaskReadColourSetKeys = 18,   // the keyboard's colours of the current set onto the keys
  kTaskWriteColourSetKeys = 19,  // the stored colours of the current set to the keyboard
};
