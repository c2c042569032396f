// One key or mouse-button event as the input consumers see it, decoded from raw input or
// from a low-level hook.
#pragma once
#include "core/CString.h"

enum InputKind {
  kInputNone = 0,  // ignored by every consumer (an empty read, an auto-repeated press)
  kInputMouse = 1,
  kInputKeyboard = 2,
  kInputOther = 3,  // another raw-input device
};

struct InputEvent {
  int kind = kInputNone;
  int up = 0;  // 0 press, 1 release
  // Keyboard: the Windows virtual key. Mouse from raw input: 1 left, 2 middle, 3 right,
  // 7 fourth, 8 fifth button; from the hooks the button bit (1, 2, 4, 8, 16).
  int code = 0;
  CString name;  // display name of the key or button; empty when none
};
