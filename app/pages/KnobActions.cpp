#include "pages/KnobActions.h"

int KnobActions::ActionOfControl(int controlId) {
  switch (controlId) {
    case 39: return 0;
    case 35: return 1;
    case 41: return 2;
    default: return -1;
  }
}

void KnobActions::Set(const KeyMacroRecord (&knob)[KnobChoice::kActions][KnobChoice::kLayers], int layer) {
  if (layer < 0 || layer >= KnobChoice::kLayers) return;
  m_layer = layer;
  for (int a = 0; a < KnobChoice::kActions; ++a) m_actions[a] = knob[a][layer];
}

void KnobActions::Get(KeyMacroRecord& action0, KeyMacroRecord& action1, KeyMacroRecord& action2) const {
  action0 = m_actions[0];
  action1 = m_actions[1];
  action2 = m_actions[2];
}

int KnobActions::SelectedIndex(int action, const KeyFunctionCatalog& catalog) const {
  if (action < 0 || action >= KnobChoice::kActions) return -1;
  return catalog.Find(m_actions[action].macro_type, m_actions[action].macro_value);
}

bool KnobActions::Choose(int action, int index, const KeyFunctionCatalog& catalog) {
  if (action < 0 || action >= KnobChoice::kActions || index < 0 || index >= catalog.Size()) return false;
  const KeyFunctionItem& item = catalog.Items()[size_t(index)];
  KeyMacroRecord& record = m_actions[action];
  record.macro_type = item.type;
  record.macro_value = item.value;
  record.macro_desc = item.label;
  return true;
}

KnobChoice KnobActions::Choice(int action) const {
  KnobChoice choice;
  choice.action = action;
  choice.layer = m_layer;
  for (int a = 0; a < KnobChoice::kActions; ++a) choice.actions[a] = m_actions[a];
  return choice;
}
