// Windows virtual-key codes to USB HID keyboard usages, HID modifier bits and the short
// display names of usages. Besides the virtual keys it knows the program's pseudo-codes
// for keys Windows does not report (254 = Fn, 666 = non-US #, 136-139, 301, 302).
#pragma once
#include <cstdint>
#include "core/CString.h"

class KeyCodeConverter {
public:
  static KeyCodeConverter& Instance();

  // The HID usage of a virtual key; 0 when it has none (or the pointer is null).
  unsigned VirtualKeyToHidUsage(const uint32_t* virtualKey) const;
  // The modifier byte's bit for a modifier's virtual key or usage; other codes unchanged.
  unsigned HidModifierBit(unsigned code) const;
  // Display name of a usage; empty when it has none.
  CString HidUsageName(unsigned usage) const;
};
