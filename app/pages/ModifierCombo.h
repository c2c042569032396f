// A key with modifiers put together on the key page: eight modifier toggles and a
// captured key become a keyboard-key assignment (HID usage plus modifier bits).
#pragma once
#include <cstdint>
#include "core/CString.h"
#include "store/StoreRecords.h"

class ModifierCombo {
public:
  static constexpr int kToggleCount = 8;
  // The toggles in the order they are examined: control id, modifier bit, label word.
  struct Toggle {
    int controlId;
    uint8_t bit;
    const wchar_t* word;
  };
  static const Toggle& ToggleAt(int i);
  static const Toggle* ToggleOfControl(int controlId);

  // "LCtrl+ LShift": the first set bit's word, then every later one with "+ " in front.
  static CString ModifierText(uint8_t bits);
  // Both parts: "<modifiers> + <key>"; otherwise whichever part is not empty.
  static CString Label(const CString& modifierText, const CString& keyName);

  // The selected key's row after applying the combination: keyboard key with the
  // captured key's usage (0 when there is none) and the bits; macro_value3 is kept.
  static void Apply(KeyMacroRecord& row, uint32_t captureVirtualKey, const CString& keyName, uint8_t bits);
};
