#include "device/DeviceTransport.h"
#include <hidapi.h>

DeviceTransport& DeviceTransport::Instance() {
  static DeviceTransport instance;
  return instance;
}

DeviceTransport::DeviceTransport()
    : m_sleep([](DWORD ms) { ::Sleep(ms); }), m_capsQuery(QueryHidInterfaceCaps) {
  // Under Wine hid_init fails; that only means no device is ever found.
  m_hidReady = hid_init() == 0;
}

DeviceTransport::~DeviceTransport() {
  CloseAll();
  hid_exit();
}

void DeviceTransport::SetSleep(SleepFunction sleep) {
  m_sleep = sleep ? std::move(sleep) : SleepFunction([](DWORD ms) { ::Sleep(ms); });
}

void DeviceTransport::SetCapsQuery(CapsQuery query) { m_capsQuery = std::move(query); }

bool DeviceTransport::QueryInterfaceCaps(const std::string& path, HidInterfaceCaps& caps) const {
  return m_capsQuery && m_capsQuery(path, caps);
}

void DeviceTransport::Pause(DWORD ms) const {
  if (ms) m_sleep(ms);
}

// ---- known devices ----

void DeviceTransport::AddKnownDevice(int vid, int pid, const CString& productName, int deviceType,
                                     int linkMode) {
  m_known.push_back(KnownDevice{vid, pid, productName, deviceType, linkMode});
}

// A null name matches every entry of vid and pid (the keyboard behind a receiver is
// known only by its ids).
const KnownDevice* DeviceTransport::FindKnown(int vid, int pid, const CString* name) const {
  for (const KnownDevice& k : m_known) {
    if (k.vid != vid || k.pid != pid) continue;
    if (!name || k.productName.IsEmpty() || k.productName == *name) return &k;
  }
  return nullptr;
}

int DeviceTransport::KeyboardModel(int vid, int pid) const {
  const KnownDevice* k = FindKnown(vid, pid, nullptr);
  return k ? k->deviceType : 0;
}

bool DeviceTransport::IsProduct(int vid, int pid, const CString& name) const {
  return FindKnown(vid, pid, &name) != nullptr;
}

int DeviceTransport::GetKnownMode(int vid, int pid, const CString& name) const {
  const KnownDevice* k = FindKnown(vid, pid, &name);
  return k ? k->linkMode : 0;
}

int DeviceTransport::GetKnownModel(int vid, int pid, const CString& name) const {
  const KnownDevice* k = FindKnown(vid, pid, &name);
  return k ? k->deviceType : 0;
}

// ---- records ----

void DeviceTransport::CloseAll() {
  {
    std::lock_guard<std::mutex> lock(m_currentLock);
    m_cached = nullptr;  // it points into the records freed below
  }
  m_open = false;
  for (auto& record : m_devices) {
    if (record->handle) hid_close(record->handle);
  }
  m_devices.clear();
}

bool DeviceTransport::GetModelDevices(std::vector<HidDeviceRecord*>& out) const {
  out.clear();
  if (m_devices.empty()) return false;
  int model = GetCurrentModel();
  for (const auto& record : m_devices) {
    if (model == 0 || record->model == model) out.push_back(record.get());
  }
  return true;
}

int DeviceTransport::GetConnectionKind() const {
  int model = GetCurrentModel();
  auto has = [&](int linkMode) {
    for (const auto& r : m_devices) {
      if ((model == 0 || r->model == model) && r->linkMode == linkMode) return true;
    }
    return false;
  };
  if (has(kLinkWired)) return 0;
  if (has(kLinkReceiver)) return 1;
  if (has(kLinkOther)) return 2;
  return -1;
}

int DeviceTransport::GetLinkState(int model, int linkMode) const {
  for (const auto& r : m_devices) {
    if (r->model == model && r->linkMode == linkMode) return r->linked;
  }
  return -1;
}

bool DeviceTransport::GetBattery(int model, int& level, int& state) const {
  const HidDeviceRecord* r = ChooseRecord(model);
  if (!r) return false;
  level = r->batteryLevel;
  state = r->batteryState;
  return true;
}

int DeviceTransport::FindLinkState(int vid, int pid, const CString& name, int linkMode) const {
  for (const auto& r : m_devices) {
    if (r->vid != vid || r->pid != pid || r->linkMode != linkMode) continue;
    if (!name.IsEmpty() && r->productName != name) continue;
    return r->linked;
  }
  return -1;
}

// ---- current model and its interface ----

void DeviceTransport::SetCurrentModel(int model) {
  std::lock_guard<std::mutex> lock(m_currentLock);
  m_currentModel = model;
  m_cached = nullptr;
}

int DeviceTransport::GetCurrentModel() const {
  std::lock_guard<std::mutex> lock(m_currentLock);
  return m_currentModel;
}

void DeviceTransport::ClearCachedHandle() {
  std::lock_guard<std::mutex> lock(m_currentLock);
  m_cached = nullptr;
}

// A cable is preferred to another link, and both to a receiver, which counts only while
// its keyboard is linked. Model 0 (none chosen) takes any record.
HidDeviceRecord* DeviceTransport::ChooseRecord(int model) const {
  for (int linkMode : {kLinkWired, kLinkOther, kLinkReceiver}) {
    for (const auto& r : m_devices) {
      if ((model != 0 && r->model != model) || r->linkMode != linkMode) continue;
      if (linkMode == kLinkReceiver && r->linked != 1) continue;
      return r.get();
    }
  }
  return nullptr;
}

hid_device* DeviceTransport::GetCurrentHandle() {
  std::lock_guard<std::mutex> lock(m_currentLock);
  if (!m_cached) {
    m_cached = ChooseRecord(m_currentModel);
    if (m_cached) m_delayMs = m_cached->linkMode == kLinkReceiver ? 6 : 2;
  }
  return m_cached ? m_cached->handle : nullptr;
}
