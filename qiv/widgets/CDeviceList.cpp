#include "widgets/CDeviceList.h"

CDeviceList::CDeviceList(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MPanel(parent, id, rect, visible) {}
CDeviceList::~CDeviceList() = default;
const wchar_t* CDeviceList::GetClassNameW() const { return L"CDeviceList"; }

void CDeviceList::Repaint() {
  if (IsVisible()) UpdateControl(1, 0);
}

CDeviceList::DeviceItem* CDeviceList::FindDevice(int deviceType) {
  for (DeviceItem& item : m_items) {
    if (item.deviceType == deviceType) return &item;
  }
  return nullptr;
}

const CDeviceList::DeviceItem* CDeviceList::GetItem(int index) const {
  return index >= 0 && index < int(m_items.size()) ? &m_items[size_t(index)] : nullptr;
}

void CDeviceList::ClearList() {
  m_items.clear();
  m_selected = -1;
  Repaint();
}

int CDeviceList::AddDevice(const std::wstring& name, int deviceType, const std::wstring& disconnectedPicture,
                           const std::wstring& connectedPicture) {
  DeviceItem item;
  item.name = name;
  item.deviceType = deviceType;
  item.disconnectedPicture = disconnectedPicture;
  item.connectedPicture = connectedPicture;
  m_items.push_back(item);
  Repaint();
  return int(m_items.size()) - 1;
}

void CDeviceList::AddColorImage(int deviceType, const std::wstring& path) {
  if (DeviceItem* item = FindDevice(deviceType)) item->colorImages.push_back(path);
}

void CDeviceList::SetAllDeviceState(int state) {
  for (DeviceItem& item : m_items) {
    item.state = state;
    item.batteryLevel = 0;
    item.batteryState = 0;
  }
  Repaint();
}

void CDeviceList::SetDeviceState(int deviceType, int linkMode, int state) {
  DeviceItem* item = FindDevice(deviceType);
  if (!item) return;
  if (linkMode == 0) {
    item->state = state;
    item->linkMode = 0;
  } else if (linkMode == 1 && item->state == 0) {
    item->state = state;
    item->linkMode = 1;
  } else {
    return;
  }
  Repaint();
}

void CDeviceList::SetDeviceBattery(int deviceType, int linkMode, int level, int batteryState) {
  DeviceItem* item = FindDevice(deviceType);
  if (!item) return;
  if (level > 100) level = 100;
  if (linkMode == 0 || (linkMode == 1 && item->batteryLevel == 0)) {
    item->batteryLevel = level;
    item->batteryState = batteryState;
    Repaint();
  }
}

void CDeviceList::SetSelectDevice(int deviceType) {
  m_selected = -1;
  for (size_t i = 0; i < m_items.size() && m_selected < 0; ++i) {
    if (m_items[i].deviceType == deviceType && m_items[i].state > 0) m_selected = int(i);
  }
  for (size_t i = 0; i < m_items.size() && m_selected < 0; ++i) {
    if (m_items[i].state > 0) m_selected = int(i);
  }
  Repaint();
}

int CDeviceList::GetSelectDevice() {
  if (m_items.empty()) return 0;
  if (m_selected < 0) m_selected = 0;
  return m_items[size_t(m_selected)].deviceType;
}

CDeviceCtrl::CDeviceCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
CDeviceCtrl::~CDeviceCtrl() = default;
const wchar_t* CDeviceCtrl::GetClassNameW() const { return L"CDeviceCtrl"; }
void CDeviceCtrl::DrawControl(HDC&, CRect) {}
