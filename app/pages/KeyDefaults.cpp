#include "pages/KeyDefaults.h"
#include <vector>
#include "pages/KeyActionCodec.h"

namespace {
const uint8_t kNoDefaults[KeyDefaults::kTableSize] = {};
}  // namespace

KeyDefaults::KeyDefaults(KeyboardDataStore& store, const uint8_t (&tables)[kLayers][kTableSize],
                         const std::map<int, int>& indexByCode, const std::map<int, int>& codeByIndex)
    : m_store(store), m_tables(tables), m_indexByCode(indexByCode), m_codeByIndex(codeByIndex) {}

const uint8_t* KeyDefaults::Table(int layer) const {
  return layer >= 0 && layer < kLayers ? m_tables[layer] : kNoDefaults;
}

int KeyDefaults::IndexOf(int keyCode) const {
  auto it = m_indexByCode.find(keyCode);
  if (it == m_indexByCode.end() || it->second < 0 || it->second * 3 + 3 > kTableSize) return -1;
  return it->second;
}

namespace {
// A key without a stored row (a profile made without default rows, a key the layout did
// not list) gets one when it is given an action: the identity fields come from the caller.
void NewRow(int profile, int layer, int keyCode, KeyMacroRecord& row) {
  row = KeyMacroRecord();
  row.profile = profile;
  row.fn_layer = layer;
  row.key_code = keyCode;
  row.layout_value = keyCode;
}
}  // namespace

bool KeyDefaults::RestoreKey(int profile, int layer, int keyCode, KeyMacroRecord& row) {
  const int index = keyCode >= 1 ? IndexOf(keyCode) : -1;
  if (index < 0) return false;
  const bool stored = m_store.GetKeyMacro(profile, layer, keyCode, row);
  if (!stored) NewRow(profile, layer, keyCode, row);
  KeyActionCodec::Decode(Table(layer) + 3 * index, row, m_store);
  // A missing row is inserted, unless the key has no default to store in it.
  if (stored || row.macro_type > 0) m_store.AssignKeyMacro(row);
  return true;
}

int KeyDefaults::RestoreLayer(int profile, int layer) {
  const uint8_t* table = Table(layer);
  KeyActionCodec::MacroList macros;
  m_store.GetMacros(macros);
  std::vector<KeyMacroRecord> rows;
  for (int i = 0; i < kKeysPerLayer; ++i) {
    auto code = m_codeByIndex.find(i);
    if (code == m_codeByIndex.end() || code->second < 1 || table[3 * i] == 0) continue;
    KeyMacroRecord row;
    if (!m_store.GetKeyMacro(profile, layer, code->second, row)) NewRow(profile, layer, code->second, row);
    KeyActionCodec::Decode(table + 3 * i, row, macros);
    if (row.macro_type > 0) rows.push_back(row);
  }
  // Updates and inserts of the layer in one transaction: all of them or none.
  const bool written = m_store.RunInTransaction([&] {
    for (const KeyMacroRecord& row : rows)
      if (!m_store.AssignKeyMacro(row)) return false;
    return true;
  });
  return written ? static_cast<int>(rows.size()) : 0;
}

void KeyDefaults::RestoreKnobActions(KeyMacroRecord (&knob)[3][kLayers], int profile, int layer) {
  if (layer < 0 || layer >= kLayers || knob[0][0].key_code < 0) return;
  for (int action = 0; action < 3; ++action) {
    const int index = knob[action][0].key_code;
    if (index < 0 || index >= kKeysPerLayer) continue;
    KeyMacroRecord& record = knob[action][layer];
    KeyActionCodec::Decode(Table(layer) + 3 * index, record, m_store);
    record.profile = profile;
    record.fn_layer = layer;
  }
}

int KeyDefaults::ClearMacroAssignments(int macroId) {
  KeyboardDataStore::RecordList<KeyMacroRecord> all;
  m_store.GetAllKeyMacros(all);
  int matched = 0;
  for (const auto& key : all) {
    if (key->macro_type != kFuncMacro || key->macro_value != macroId) continue;
    ++matched;
    const int index = IndexOf(key->key_code);
    if (index < 0) continue;
    KeyMacroRecord row;
    if (!m_store.GetKeyMacro(key->profile, key->fn_layer, key->key_code, row)) continue;
    // The row's own layer: a key on layer 2 gets layer 2's default, whatever layer is shown.
    KeyActionCodec::Decode(Table(key->fn_layer) + 3 * index, row, m_store);
    m_store.UpdateKeyMacro(row);
  }
  return matched;
}

int KeyDefaults::CountMacroKeys(int profile) {
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  m_store.GetProfileKeyMacros(profile, rows);
  int count = 0;
  for (const auto& row : rows) count += row->macro_type == kFuncMacro;
  return count;
}
