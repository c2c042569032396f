// Gives keys their keyboard's default action back: one key, a whole Fn layer, the knob's
// actions, or every key that played a macro that is going away. The defaults are the
// key maps the keyboard reported (one table per Fn layer, the action of key index k at
// byte 3 x k); the key code <-> key index maps come with them. The tables and maps are
// the caller's (the main window's) and must outlive this object.
#pragma once
#include <cstdint>
#include <map>
#include "store/KeyboardDataStore.h"
#include "store/StoreRecords.h"

class KeyDefaults {
public:
  static constexpr int kLayers = 4;
  static constexpr int kTableSize = 600;
  static constexpr int kKeysPerLayer = 128;

  KeyDefaults(KeyboardDataStore& store, const uint8_t (&tables)[kLayers][kTableSize],
              const std::map<int, int>& indexByCode, const std::map<int, int>& codeByIndex);

  // Decodes the default of `keyCode` on `layer` into its stored row (read first) and into
  // `row`, and stores it; a key without a row gets one when it has a default. False when
  // the key has no index, so nothing was restored.
  bool RestoreKey(int profile, int layer, int keyCode, KeyMacroRecord& row);
  // Every key of the layer that has a default action, its row inserted when it has none;
  // one transaction. Answers the rows written (0 when the store refused them).
  int RestoreLayer(int profile, int layer);
  // The knob's three actions of `layer` (held in memory, not in the store; the key
  // index of each action is the key_code of its layer-0 record).
  void RestoreKnobActions(KeyMacroRecord (&knob)[3][kLayers], int profile, int layer);
  // Every key row of every profile and layer that plays `macroId` gets the default of its
  // own layer. Answers how many rows played it (keys without an index keep the macro).
  int ClearMacroAssignments(int macroId);
  // How many keys of the profile (all layers) play a macro.
  int CountMacroKeys(int profile);

private:
  // The default table of a layer; all zeros outside 0-3.
  const uint8_t* Table(int layer) const;
  // The key index of a code, -1 when it has none that lies inside the table.
  int IndexOf(int keyCode) const;

  KeyboardDataStore& m_store;
  const uint8_t (&m_tables)[kLayers][kTableSize];
  const std::map<int, int>& m_indexByCode;
  const std::map<int, int>& m_codeByIndex;
};
