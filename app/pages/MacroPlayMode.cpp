#include "pages/MacroPlayMode.h"
#include <algorithm>
#include <cwchar>
#include "pages/KeyActionCodec.h"

int MacroPlayMode::ModeOfRadios(bool mode1, bool mode2, bool mode3) {
  int mode = 0;
  if (mode1) mode = 1;
  if (mode2) mode = 2;
  if (mode3) mode = 3;
  return mode;
}

int MacroPlayMode::CountOfText(const CString& text) {
  if (text.IsEmpty()) return 1;
  // Read as a wide integer so a long run of digits cannot overflow into a small count.
  const long long typed = std::wcstoll(text.GetString(), nullptr, 10);
  return int(std::clamp<long long>(typed, 1, kMaxCount));
}

int MacroPlayMode::Apply(KeyMacroRecord& row, MacroRecord& macro, int macroId, const CString& label, int mode,
                         const CString& countText) {
  row.macro_type = kFuncMacro;
  row.macro_value = macroId;
  row.macro_value2 = mode;
  row.macro_desc = label;
  int count = row.macro_value3;
  if (mode == 0) {
    count = CountOfText(countText);
    row.macro_value3 = count;
  }
  macro.play_type = mode;
  macro.play_times = count;
  return count;
}
