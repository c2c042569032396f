// Small helpers the window's page files share: a control found by id as its own class, and a
// colour given as one ARGB number.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <cstdint>
#include "core/MControl.h"

template <typename T>
inline T* As(MControl* control) {
  return dynamic_cast<T*>(control);
}

inline Gdiplus::Color Argb(uint32_t argb) { return Gdiplus::Color(Gdiplus::ARGB(argb)); }
