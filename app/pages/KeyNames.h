// Display names of keys seen by the input capture: the system's key-name text, replaced
// by fixed names for modifiers and media keys (raw input and the hooks each have their
// own set; they differ only for media and browser keys).
#pragma once
#include "core/CString.h"

class KeyNames {
public:
  enum class Source { RawInput, Hook };

  // The system's name of a virtual key in the calling thread's keyboard layout. The
  // navigation block (33-40, 45, 46) is asked with the extended bit, so it is not named
  // after the keypad.
  static CString SystemName(unsigned virtualKey);
  // The fixed name of a virtual key for `source`; null when the system name stands.
  static const wchar_t* FixedName(unsigned virtualKey, Source source);
  // The generic Shift, Ctrl and Alt become their left-hand keys; others stay.
  static unsigned LeftHandKey(unsigned virtualKey);
  // The name as a consumer shows it: fixed name, else the system name.
  static CString Name(unsigned virtualKey, Source source);
};
