#include "pages/KeyActionCodec.h"

// The stored assignment keeps the action's three bytes as they are; the key page's
// function catalogue gives them their names.
void KeyActionCodec::Decode(const uint8_t action[3], KeyMacroRecord& record) {
  record.macro_type = action[0];
  record.macro_value = action[1];
  record.macro_value2 = action[2];
  record.macro_desc.Format(L"%02X %02X %02X", action[0], action[1], action[2]);
}

void KeyActionCodec::Encode(const KeyMacroRecord& record, uint8_t action[3]) {
  action[0] = uint8_t(record.macro_type);
  action[1] = uint8_t(record.macro_value);
  action[2] = uint8_t(record.macro_value2);
}
