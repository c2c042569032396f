// The records and codes of the lighting canvas: key items (read in place by the
// program, so the field order is fixed), music light layers, the effect modes, the
// canvas presets and the music layer types.
#pragma once
#include <windows.h>
#include "core/CString.h"
#include "core/Geometry.h"

// One key of the canvas: key codes 300 and above are the light strips' pseudo-keys;
// 255 marks a key that is coloured but not drawn on screen.
struct KEYITEM_INFO {
  int column = 0;  // cell of the colour map, 0-31
  int row = 0;     // 0-7
  DWORD keyCode = 0;
  CString name;
  CRect rect;  // layout coordinates, displaced by the key offset when drawn
  int selected = 0;
  COLORREF color = 0;
};

// One music light layer.
struct LAYERITEM_INFO {
  int type = 0;  // LightLayerType, unique within a canvas
  float scale = 1.0f;
  int colourful = 1;
  COLORREF color = 0xE57749;
  CRect rect;  // relative to the control's top-left corner
  int reserved = 0;
};

enum ZephraEffectMode {
  ZEPHRA_COLOR_MAP = 1,
  ZEPHRA_MUSIC = 2,
  ZEPHRA_SCREEN = 3,
  ZEPHRA_WINDOW = 4,
  ZEPHRA_GIF = 5,
  ZEPHRA_GAME = 6,
  ZEPHRA_PRESET = 7,
};

enum ZephraPresetMode {
  PRESET_COUNTDOWN = 0,
  PRESET_CLOCK = 1,
  PRESET_HEARTBEAT = 2,
  PRESET_HEART_PIERCE = 3,
  PRESET_BREATHING = 4,
  PRESET_LIGHTNING = 5,
  PRESET_RAINBOW_WAVE = 6,
  PRESET_FIRE = 7,
  PRESET_BLUE_FIRE = 8,
  PRESET_SOS = 9,
  PRESET_RIPPLE = 10,
  PRESET_STARRY = 11,
  PRESET_TEXT_FLOW = 12,
  PRESET_AUDIO_SPECTRUM = 13,
};

enum LightLayerType {
  LAYER_LED_SPECTRUM_BARS = 1,
  LAYER_MIRROR_RHYTHM = 2,
  LAYER_CLASSIC_SPECTRUM = 3,
  LAYER_RADIAL_PULSE = 4,
  LAYER_HORIZONTAL_BARS = 5,
  LAYER_LEFT_TO_RIGHT = 6,
  LAYER_CENTER_MIRROR = 7,
  LAYER_ENERGY_RIPPLES = 8,
  LAYER_HEART_BEAT = 9,
  LAYER_LINEAR_WAVE = 10,
  LAYER_ROTATING_RAYS = 11,
  LAYER_BREATHING = 12,
  LAYER_TRIANGLE_WAVE = 13,
  LAYER_TIDAL_RESONANCE = 14,
  LAYER_AFTERNOON_SUN = 15,
  LAYER_THREE_BODY = 16,
  LAYER_GRAVITY_FIELD = 17,
  LAYER_FLAME_GRADIENT = 18,
  LAYER_SOUND_WAVE = 19,
  LAYER_RADIAL_GRADIENT = 20,
};

// The desktop part that the screen effect captures.
enum SCREEN_CAPTURE_TYPE { CAPTURE_MONITOR = 0, CAPTURE_RECT = 1, CAPTURE_FOREGROUND = 2, CAPTURE_PROCESS = 3 };
// 1: one averaged colour for every cell; anything else: one colour per cell.
enum SCREEN_EFFECT_TYPE { SCREEN_EFFECT_CELLS = 0, SCREEN_EFFECT_AVERAGE = 1 };
// The capture interval is 1000 / (choice x 5 + 10) ms.
enum SCREEN_FPS_CHOICE { SCREEN_FPS_10 = 0, SCREEN_FPS_15 = 1, SCREEN_FPS_20 = 2, SCREEN_FPS_25 = 3 };

struct ScreenCaptureConfig {
  int captureType = CAPTURE_MONITOR;
  int effectType = SCREEN_EFFECT_CELLS;
  int fpsChoice = SCREEN_FPS_25;
  int monitorIndex = 0;
  CRect captureRect;  // screen coordinates
  CString processName;
  bool brightnessOn = true;
  float brightness = 1.2f;
  bool saturationOn = true;
  float saturation = 1.5f;
  bool hueShiftOn = false;
  float hueShift = 0.0f;  // degrees
  bool flip = false;
};
