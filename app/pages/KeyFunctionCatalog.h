// The functions a user can put on a key, in the order the lists show them: each entry
// pairs a category and value, exactly as a key row stores them, with its label.
// Macros are not in it; the key page lists them from the store.
#pragma once
#include <vector>
#include "core/CString.h"

struct KeyFunctionItem {
  int type = 0;   // KeyFuncCategory
  int value = 0;  // macro_value within the category
  CString label;  // shown in the list and stored as the key's macro_desc
  CString icon;   // picture file handed to the list control; empty for every entry
};

class KeyFunctionCatalog {
public:
  static constexpr int kKeyPageSize = 213;
  static constexpr int kKnobSize = 192;

  // The key page's catalogue: keyboard keys, mouse buttons, media keys, shortcuts and
  // device functions. Language labels are read now, in the current language.
  void Build();
  // The knob's catalogue: media keys, device functions without 18, 63 and 64 (the three
  // wheel functions named by their media texts), then the keyboard keys.
  void BuildForKnob();

  void Add(int type, int value, const CString& label, const CString& icon = CString());
  void Clear() { m_items.clear(); }

  const std::vector<KeyFunctionItem>& Items() const { return m_items; }
  int Size() const { return int(m_items.size()); }
  // The entries of one category, in catalogue order.
  std::vector<const KeyFunctionItem*> OfType(int type) const;
  // Index of the first entry with this type and value; -1 when none.
  int Find(int type, int value) const;

private:
  void AddKeyboardKeys();
  void AddMediaKeys();

  std::vector<KeyFunctionItem> m_items;
};
