// What the low-level hooks report, as InputEvents for the macro recorder and the
// key-capture edit: keypad keys named by their keypad virtual keys whatever the Num Lock
// state, the hooks' own key names, mouse buttons as button bits, and auto-repeated
// presses marked so that they are not recorded.
#pragma once
#include <windows.h>
#include <map>
#include "pages/InputEvent.h"

class HookInput {
public:
  // The event of a keyboard hook message; false for a message that is not a key press or
  // release, or for a key without a virtual key. Held keys are not looked at here.
  static bool KeyEvent(WPARAM message, const KBDLLHOOKSTRUCT& info, InputEvent& event);
  // The event of a mouse hook message; false for moves, wheels and unknown buttons.
  static bool MouseEvent(WPARAM message, const MSLLHOOKSTRUCT& info, InputEvent& event);

  // The virtual key of a hook event after the keypad remapping: with no flag but the
  // release flag, the keypad's scan codes give the keypad keys 96-105 and 110; the
  // extended Enter (scan code 28) gives 108.
  static unsigned KeypadKey(unsigned virtualKey, unsigned scanCode, unsigned flags, bool release);

  // Keeps `held` (key code -> 1) current and marks a press of a key already held as an
  // auto-repeat (kind 0).
  static void TrackHeldKey(std::map<int, int>& held, InputEvent& event);
};
