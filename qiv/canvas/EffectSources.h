// Where the lighting effects take time, randomness and screen pixels from. Each canvas
// and matrix screen holds one; a test replaces members to make steps repeatable.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>
#include "qiv_export.h"

struct QIV_API EffectSources {
  // Pixels are 0xAARRGGBB words, rows top first.
  using ScreenGrab = std::function<bool(const RECT& source, int width, int height, std::vector<DWORD>& pixels)>;
  using WindowGrab = std::function<bool(HWND window, int width, int height, std::vector<DWORD>& pixels)>;

  std::function<DWORD()> tickMs;       // the system tick count
  std::function<double()> preciseMs;   // performance counter in milliseconds
  std::function<unsigned()> seed;      // seeds a fresh Mersenne Twister at every canvas step
  std::function<int()> rand15;         // 0-32767, like the runtime's rand()
  ScreenGrab grabScreen;               // stretches a desktop rectangle into width x height
  WindowGrab grabWindow;               // stretches a window's client area into width x height

  // The real clock, random device, rand() and desktop.
  static EffectSources System();
};

// Writes a line to the debugger output (UTF-8 text is passed through the wide call).
void EffectDebugLine(const wchar_t* format, ...);
