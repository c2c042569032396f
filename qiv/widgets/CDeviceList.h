// The device list and its device tile.
#pragma once
#include "core/MControlFont.h"
#include "core/MPanel.h"
#include <string>
#include <vector>

class QIV_API CDeviceList : public MPanel {
public:
  CDeviceList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CDeviceList() override;
  const wchar_t* GetClassNameW() const override;

  // One entry per keyboard model of the catalogue.
  struct DeviceItem {
    std::wstring name;
    int deviceType = 0;
    std::wstring disconnectedPicture;
    std::wstring connectedPicture;
    std::vector<std::wstring> colorImages;
    int state = 0;     // above 0 = connected
    int linkMode = 0;  // 0 cable, 1 receiver
    int batteryLevel = 0;
    int batteryState = 0;
  };

  void ClearList();
  int AddDevice(const std::wstring& name, int deviceType, const std::wstring& disconnectedPicture,
                const std::wstring& connectedPicture);
  void AddColorImage(int deviceType, const std::wstring& path);
  void SetAllDeviceState(int state);
  // Cable (link mode 0) always sets; receiver (1) only while the entry is not connected.
  void SetDeviceState(int deviceType, int linkMode, int state);
  void SetDeviceBattery(int deviceType, int linkMode, int level, int batteryState);
  // The first connected entry of the model, else the first connected entry, else none.
  void SetSelectDevice(int deviceType);
  // Device type of the selection (entry 0 when none is selected); 0 for an empty list.
  int GetSelectDevice();
  int GetSelectItem() const { return m_selected; }
  int GetItemCount() const { return int(m_items.size()); }
  const DeviceItem* GetItem(int index) const;

private:
  DeviceItem* FindDevice(int deviceType);
  void Repaint();
  std::vector<DeviceItem> m_items;
  int m_selected = -1;
};

class QIV_API CDeviceCtrl : public MControlFont {
public:
  CDeviceCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CDeviceCtrl() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
