// The key-addressed effects of the canvas: the game-key highlight and the fourteen
// preset animations. Each step writes the colours of the keys it is given (the caller
// holds the key lock) and keeps its phases in PresetState; no window code.
#pragma once
#include <windows.h>
#include <vector>
#include "canvas/CanvasTypes.h"
#include "core/CString.h"
#include "qiv_export.h"

struct StarRecord {
  int keyIndex = 0;  // position in the key list
  COLORREF color = 0;
  float birth = 0;  // preset phase
  float lifetime = 0;
  float brightness = 0;
};

struct PresetState {
  int preset = PRESET_HEARTBEAT;
  float phase = 0;
  float phase2 = 0;  // Heartbeat's own phase
  int countdown = 10;
  CString flowText = L"HELLO WORLD";
  int flowPosition = 0;
  int hour = 12, minute = 0;
  std::vector<StarRecord> stars;
};

namespace CanvasPresets {
// The colour of a game key by name (case-insensitive), scaled by f; 0x1E1E1E for others.
QIV_API COLORREF GameKeyColour(const CString& name, float f);
// One game step: the phase advances by 0.1 (back to 0 at 6.28) and every key takes its
// colour with the common pulse sin(phase) x 0.35 + 0.65.
QIV_API void GameStep(float& phase, const std::vector<KEYITEM_INFO*>& keys);
// One preset step on the canvas's grid of rows x columns; the random numbers of this step come
// from a Mersenne Twister seeded with `seed`.
QIV_API void PresetStep(PresetState& state, const std::vector<KEYITEM_INFO*>& keys, int rows, int columns,
                         unsigned seed);
// The key code a TextFlow character lights, or 0.
QIV_API DWORD TextFlowKeyCode(wchar_t ch);
}  // namespace CanvasPresets
