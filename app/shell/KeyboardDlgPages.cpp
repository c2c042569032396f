// The page reloads that the worker runs after it has changed what the pages show. They
// read the store into the page state; the pages draw from it when they are shown.
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"

void KeyboardDlg::LoadKeyAssignments(int profile) {
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  m_store.GetLayerKeyMacros(profile, m_fnLayer, rows);
  std::map<int, KeyMacroRecord> shown;
  for (const auto& row : rows) shown[row->key_code] = *row;
  {
    std::lock_guard<std::mutex> hold(m_pageStateLock);
    m_keyAssignments = std::move(shown);
  }
  OnWindowThread([this] { ShowKeyLabels(); });
}

void KeyboardDlg::LoadSystemSettings() {
  SystemSettings s = StoredSystemSettings().OrZero();
  {
    std::lock_guard<std::mutex> hold(m_pageStateLock);
    m_shownSettings = s;
  }
  ShowSystemSettings();
}
