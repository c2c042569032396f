// The LED page's six remembered colours (colour buttons 407-412), kept per profile as the
// settings "default_color1" to "default_color6" in decimal COLORREF text.
#pragma once
#include <windows.h>
#include <array>
#include "store/KeyboardDataStore.h"

class LedPenColours {
public:
  static constexpr int kFirstButton = 407;
  static constexpr int kLastButton = 412;

  // The six colours; a missing or non-numeric setting gives 0.
  static std::array<COLORREF, 6> Load(KeyboardDataStore& store, int profile);
  // Remembers a picked colour on its button's setting when the button is one of the six
  // (an existing setting only); answers whether it was stored.
  static bool Remember(KeyboardDataStore& store, int profile, int buttonId, COLORREF colour);
};
