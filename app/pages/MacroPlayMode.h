// How the keyboard plays the macro on a key: mode 0 plays it a number of times (1-255),
// modes 1-3 are the keyboard's own play modes. The key row keeps the mode in
// macro_value2 and the count in macro_value3; the macro keeps them as play_type and
// play_times so that the next assignment of the macro starts from them.
#pragma once
#include "core/CString.h"
#include "store/StoreRecords.h"

class MacroPlayMode {
public:
  static constexpr int kMaxCount = 255;

  // The mode of the four radios (play count, modes 1, 2, 3); a later checked one wins.
  static int ModeOfRadios(bool mode1, bool mode2, bool mode3);
  // The count typed in the count edit: empty is 1, anything else is read as a decimal
  // number (0 when it is none) and held to 1-255.
  static int CountOfText(const CString& text);

  // The key row and the macro after choosing `mode` for macro `macroId` labelled
  // `label`. Mode 0 takes the typed count; the other modes keep the row's count.
  // Answers the count the macro keeps.
  static int Apply(KeyMacroRecord& row, MacroRecord& macro, int macroId, const CString& label, int mode,
                   const CString& countText);
};
