// The knob dialog's working data: the three actions of one Fn layer, edited by choosing
// entries of the knob's function catalogue. Only macro_type, macro_value and macro_desc
// change; the key index and the other fields stay as they came in.
#pragma once
#include "pages/KeyFunctionCatalog.h"
#include "pages/KnobChoice.h"

class KnobActions {
public:
  // The combo box of each action: 39, 35 and 41 for actions 0, 1 and 2.
  static int ActionOfControl(int controlId);

  // Copies the records of `layer`; a layer outside 0-3 copies nothing.
  void Set(const KeyMacroRecord (&knob)[KnobChoice::kActions][KnobChoice::kLayers], int layer);
  void Get(KeyMacroRecord& action0, KeyMacroRecord& action1, KeyMacroRecord& action2) const;
  const KeyMacroRecord& Action(int action) const { return m_actions[action]; }
  int Layer() const { return m_layer; }

  // The catalogue entry an action shows: the first with its type and value; -1 when none.
  int SelectedIndex(int action, const KeyFunctionCatalog& catalog) const;
  // Gives `action` the entry at `index`; false (nothing changed) for an action or index
  // outside.
  bool Choose(int action, int index, const KeyFunctionCatalog& catalog);
  // The choice to send after `action` changed.
  KnobChoice Choice(int action) const;

private:
  KeyMacroRecord m_actions[KnobChoice::kActions];
  int m_layer = 0;
};
