// The model's layout: the catalogue entry, its profile database and its layout file.
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"

void KeyboardDlg::LoadDeviceLayout(int deviceType) {
  for (const DeviceCatalogEntry& k : m_catalogKeyboards) {
    if (k.deviceType != deviceType) continue;
    m_deviceType = deviceType;
    m_deviceName = k.name;
    if (m_store.IsOpened()) m_store.CloseDeviceDb();
    m_store.OpenDeviceDb(m_userDataFolder, k.name);
    m_store.SetModelId(deviceType);
    return;
  }
}

void KeyboardDlg::AddLayoutStrips() {}
