#include "device/DeviceListState.h"
#include <cstddef>

void DeviceListState::Clear() {
  m_entries.clear();
  m_selected = -1;
}

void DeviceListState::AddDevice(int deviceType) { m_entries.push_back(Entry{deviceType, 0}); }

DeviceListState::Entry* DeviceListState::Find(int deviceType) {
  for (Entry& entry : m_entries) {
    if (entry.deviceType == deviceType) return &entry;
  }
  return nullptr;
}

void DeviceListState::SetAllDeviceState(int state) {
  for (Entry& entry : m_entries) entry.state = state;
}

void DeviceListState::SetDeviceState(int deviceType, int linkMode, int state) {
  Entry* entry = Find(deviceType);
  if (!entry) return;
  if (linkMode == 0 || (linkMode == 1 && entry->state == 0)) entry->state = state;
}

void DeviceListState::SetSelectDevice(int deviceType) {
  m_selected = -1;
  for (std::size_t i = 0; i < m_entries.size() && m_selected < 0; ++i) {
    if (m_entries[i].deviceType == deviceType && m_entries[i].state > 0) m_selected = int(i);
  }
  for (std::size_t i = 0; i < m_entries.size() && m_selected < 0; ++i) {
    if (m_entries[i].state > 0) m_selected = int(i);
  }
}

int DeviceListState::GetSelectDevice() {
  if (m_entries.empty()) return 0;
  if (m_selected < 0) m_selected = 0;
  return m_entries[std::size_t(m_selected)].deviceType;
}

int DeviceListState::GetState(int deviceType) const {
  for (const Entry& entry : m_entries) {
    if (entry.deviceType == deviceType) return entry.state;
  }
  return 0;
}
