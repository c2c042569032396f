// How stored macro names are shown. Names the program made itself carry a fixed prefix
// in the language they were made in ("New Macro 3", "Custom 2", "M1 Copy"); on screen
// the prefix or suffix is replaced by the current language's word. Stored names never
// change.
#pragma once
#include "core/CString.h"

class MacroNames {
public:
  // The label of a macro on a key and in the key page's macro list: a leading
  // "New Macro" (or its Chinese forms) becomes text 351.
  static CString KeyLabel(const CString& name);
  // The name in the macro page's list: a leading "Custom" (or its Chinese form) becomes
  // text 351, then a trailing "Copy" (or its Chinese form) becomes " " + text 31.
  static CString ListLabel(const CString& name);
};
