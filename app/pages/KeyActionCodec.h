// The keyboard's 3-byte key action (type, value 1, value 2) and the stored key
// assignment it stands for (macro_type, macro_value, macro_value2, macro_value3 and the
// label macro_desc of a key row).
//
// Macro actions name a macro by its position in the store's macro list (table order),
// the same order in which the keyboard's macro memory is written; the row keeps the
// macro's id. Both directions therefore read the macro list, but only for macro actions.
#pragma once
#include <cstdint>
#include "store/KeyboardDataStore.h"
#include "store/StoreRecords.h"

struct KeyActionCode {
  uint8_t type = 0;
  uint8_t value1 = 0;
  uint8_t value2 = 0;
};

// macro_type of a key row.
enum KeyFuncCategory {
  kFuncNone = 0,
  kFuncSpecialAction = 1,
  kFuncKeyboardKey = 2,
  kFuncMacro = 3,
  kFuncMouse = 5,
  kFuncConsumer = 6,
  kFuncShortcut = 7,
  kFuncSpecialNumber = 8,  // 8-11 all send the special number
  kFuncDevice = 12,
  kFuncCombination = 13,  // the key page's modifier-combination tab; never stored
};

class KeyActionCodec {
public:
  using MacroList = KeyboardDataStore::RecordList<MacroRecord>;

  // Sets macro_type, macro_value, macro_value2 and macro_value3 from the action, and
  // macro_desc when the action is recognised (otherwise the old label stays). Other
  // fields of the record are left alone. An unknown type byte gives macro_type 0.
  static void Decode(const uint8_t action[3], KeyMacroRecord& record);
  static void Decode(const uint8_t action[3], KeyMacroRecord& record, KeyboardDataStore& store);
  static void Decode(const uint8_t action[3], KeyMacroRecord& record, const MacroList& macros);

  // Writes the action of a stored assignment. macro_type 0 leaves the destination as
  // it was; anything that cannot be sent (an unknown category, a deleted macro) gives
  // a zero action.
  static void Encode(const KeyMacroRecord& record, uint8_t action[3]);
  static void Encode(const KeyMacroRecord& record, uint8_t action[3], KeyboardDataStore& store);
  static void Encode(const KeyMacroRecord& record, uint8_t action[3], const MacroList& macros);

private:
  // `macros` when the caller read the list already, else `store`'s list when needed.
  static void DecodeWith(const uint8_t action[3], KeyMacroRecord& record, const MacroList* macros,
                         KeyboardDataStore* store);
  static void EncodeWith(const KeyMacroRecord& record, uint8_t action[3], const MacroList* macros,
                         KeyboardDataStore* store);
};
