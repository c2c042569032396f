// The page reloads that the worker runs after it has changed what the pages show. They
// read the store into the page state; the pages draw from it when they are shown.
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"

void KeyboardDlg::LoadKeyAssignments(int profile) {
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  m_store.GetLayerKeyMacros(profile, m_fnLayer, rows);
  std::map<int, KeyMacroRecord> shown;
  for (const auto& row : rows) shown[row->key_code] = *row;
  std::lock_guard<std::mutex> hold(m_pageStateLock);
  m_keyAssignments = std::move(shown);
}

void KeyboardDlg::LoadSystemSettings() {
  SystemSettings s = StoredSystemSettings().OrZero();
  {
    std::lock_guard<std::mutex> hold(m_pageStateLock);
    m_shownSettings = s;
  }
  ShowSystemSettings();
}

void KeyboardDlg::LoadLedPage() {
  // The animation list of the current model as the store now holds it (after a reset:
  // none, and the page shows its empty state).
  KeyboardDataStore::RecordList<LedLayerRecord> layers;
  m_store.GetLedLayers(m_profileId, layers);
  std::lock_guard<std::mutex> hold(m_pageStateLock);
  m_ledLayerCount = int(layers.size());
}

void KeyboardDlg::OnLightModeSelected(int code) {
  if (code != 2) return;
  // The mode shown is the page's current mode; it becomes the zone's active mode again and
  // goes to the keyboard.
  m_store.SetActiveLightMode(m_profileId, m_lightZone, m_lightMode);
  if (m_lightMode < 128) {
    AddTask(kTaskLightMode);
  } else {
    AddTask(kTaskCustomLightMode);
    AddTask(kTaskReadColourSet);
    m_liveKeyColors = 0;
  }
  m_store.SetConfigValue(m_profileId, L"enable_light", L"1");
}
