// The worker's own copy of what the device list shows: one entry per catalogue model with
// its connection state, and the selected entry. It keeps the list's rules, so the worker
// knows which model is chosen without reading the list, a control that belongs to the
// window thread.
#pragma once
#include <vector>

class DeviceListState {
public:
  void Clear();
  void AddDevice(int deviceType);
  // Every entry not connected (0) or connected.
  void SetAllDeviceState(int state);
  // On the first entry of the model: a cable (link mode 0) always sets the state; a
  // receiver (1) only while the entry is not connected, so a cable wins; others nothing.
  void SetDeviceState(int deviceType, int linkMode, int state);
  // The first connected entry of the model, else the first connected entry, else none.
  void SetSelectDevice(int deviceType);
  // Device type of the selection; with none selected entry 0 becomes the selection.
  // 0 for an empty list.
  int GetSelectDevice();
  // Index of the selected entry, -1 when none.
  int GetSelectItem() const { return m_selected; }
  int GetState(int deviceType) const;

private:
  struct Entry {
    int deviceType = 0;
    int state = 0;
  };
  Entry* Find(int deviceType);

  std::vector<Entry> m_entries;
  int m_selected = -1;
};
