// The keyboard's 3-byte key action (type, value 1, value 2) and the stored key
// assignment it stands for.
#pragma once
#include <cstdint>
#include "store/StoreRecords.h"

struct KeyActionCode {
  uint8_t type = 0;
  uint8_t value1 = 0;
  uint8_t value2 = 0;
};

class KeyActionCodec {
public:
  // Fills macro_type, macro_value, macro_value2 and macro_desc from the action.
  static void Decode(const uint8_t action[3], KeyMacroRecord& record);
  // The action of a stored assignment.
  static void Encode(const KeyMacroRecord& record, uint8_t action[3]);
};
