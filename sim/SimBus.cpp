// hidapi's side of the bus: enumeration, handles, report writes and reads, and how the
// devices answer them (with injected faults).
#include "SimBus.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace sim {
namespace {
constexpr size_t kLogLimit = 200000;

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && _strnicmp(a.c_str(), b.c_str(), a.size()) == 0;
}

unsigned Fnv(const std::string& s) {
  unsigned h = 2166136261u;
  for (unsigned char c : s) h = (h ^ c) * 16777619u;
  return h;
}
}  // namespace

int UsbDevice::VendorInterface() const {
  for (const InterfaceSpec& i : interfaces) {
    if (i.usagePage == 0xFF60 && i.usage == 0x61) return i.number;
  }
  return -1;
}

std::string UsbDevice::Path(int interfaceNumber) const {
  char path[160];
  std::snprintf(path, sizeof(path),
                "\\\\?\\hid#vid_%04x&pid_%04x&mi_%02d#7&%08x&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                config.vid, config.pid, interfaceNumber, Fnv(config.id));
  return path;
}

SimBus& SimBus::Get() {
  static SimBus bus;
  return bus;
}

bool SimBus::Alive(hid_device* handle) const {
  return handle && std::find(m_handles.begin(), m_handles.end(), handle) != m_handles.end();
}

void SimBus::AddLog(const UsbDevice& device, int interfaceNumber, bool write, int result,
                    int timeoutMs, const unsigned char* bytes, size_t size) {
  if (!m_logEnabled) return;
  LogEntry e;
  e.device = device.config.id;
  e.interfaceNumber = interfaceNumber;
  e.write = write;
  e.result = result;
  e.timeoutMs = timeoutMs;
  if (bytes && size) e.bytes.assign(bytes, bytes + size);
  m_log.push_back(std::move(e));
  if (m_log.size() > kLogLimit) m_log.pop_front();
}

// ---- enumeration and handles ----

int SimBus::Init() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  return m_initFails ? -1 : 0;
}

void SimBus::Exit() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  SaveLocked();
}

hid_device_info* SimBus::Enumerate(unsigned short vid, unsigned short pid) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  if (m_initFails) return nullptr;
  hid_device_info* head = nullptr;
  hid_device_info** tail = &head;
  for (const UsbDevice& d : m_devices) {
    if (!d.plugged || (vid && d.config.vid != vid) || (pid && d.config.pid != pid)) continue;
    for (const InterfaceSpec& i : d.interfaces) {
      auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
      info->path = _strdup(d.Path(i.number).c_str());
      info->vendor_id = static_cast<unsigned short>(d.config.vid);
      info->product_id = static_cast<unsigned short>(d.config.pid);
      info->serial_number = _wcsdup(L"");
      info->release_number = static_cast<unsigned short>(d.config.release);
      info->manufacturer_string = _wcsdup(L"");
      info->product_string = _wcsdup(d.config.product.c_str());
      info->usage_page = i.usagePage;
      info->usage = i.usage;
      info->interface_number = i.number;
      info->bus_type = HID_API_BUS_USB;
      *tail = info;
      tail = &info->next;
    }
  }
  return head;
}

void SimBus::FreeEnumeration(hid_device_info* list) {
  while (list) {
    hid_device_info* next = list->next;
    std::free(list->path);
    std::free(list->serial_number);
    std::free(list->manufacturer_string);
    std::free(list->product_string);
    std::free(list);
    list = next;
  }
}

hid_device* SimBus::Open(const char* path) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  if (!path) return nullptr;
  for (size_t n = 0; n < m_devices.size(); ++n) {
    const UsbDevice& d = m_devices[n];
    if (!d.plugged) continue;
    for (const InterfaceSpec& i : d.interfaces) {
      if (!SameText(d.Path(i.number), path)) continue;
      auto* handle = new hid_device_;
      handle->generation = m_generation;
      handle->device = n;
      handle->interfaceNumber = i.number;
      handle->vendor = i.number == d.VendorInterface();
      m_handles.push_back(handle);
      return handle;
    }
  }
  return nullptr;
}

hid_device* SimBus::Open(unsigned short vid, unsigned short pid) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  for (const UsbDevice& d : m_devices) {
    if (d.plugged && d.config.vid == vid && d.config.pid == pid && d.VendorInterface() >= 0)
      return Open(d.Path(d.VendorInterface()).c_str());
  }
  return nullptr;
}

void SimBus::Close(hid_device* handle) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  if (!Alive(handle)) return;
  m_handles.erase(std::find(m_handles.begin(), m_handles.end(), handle));
  delete handle;
  SaveLocked();
}

bool SimBus::Strings(hid_device* handle, int which, wchar_t* out, size_t max) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  if (!Alive(handle) || handle->dead || !out || max == 0) return false;
  std::wstring text = which == 1 ? m_devices[handle->device].config.product : std::wstring();
  wcsncpy(out, text.c_str(), max - 1);
  out[max - 1] = L'\0';
  return true;
}

// ---- reports ----

std::vector<uint8_t> SimBus::LinkReport(const UsbDevice& device) const {
  std::vector<uint8_t> report(64, 0);
  const KeyboardConfig& k = device.keyboard->Config();
  const int pid = device.linked && device.config.pidZeroWhileLinked ? 0 : k.pid;
  report[0] = 0xAA;
  report[1] = 0xD0;
  report[9] = uint8_t(k.vid);
  report[10] = uint8_t(k.vid >> 8);
  report[11] = uint8_t(pid);
  report[12] = uint8_t(pid >> 8);
  report[13] = device.linked ? 4 : 2;
  return report;
}

UsbDevice::Rule* SimBus::MatchFault(UsbDevice& device, int command) {
  UsbDevice::Rule* chosen = nullptr;
  for (UsbDevice::Rule& rule : device.faults) {
    if (rule.fault.command != -1 && rule.fault.command != command) continue;
    ++rule.seen;
    bool due = rule.seen > rule.fault.skip && (rule.fault.times == 0 || rule.applied < rule.fault.times);
    if (due && !chosen) {
      ++rule.applied;
      chosen = &rule;
    }
  }
  return chosen;
}

// The device's own answer, as its firmware gives it; false when it stays silent.
bool SimBus::Answer(UsbDevice& device, const uint8_t* request, uint8_t* reply) {
  const int capacity = device.PayloadSize() - 8;
  const uint8_t command = request[1];
  if (!device.config.receiver) return device.keyboard->Handle(request, capacity, reply);

  if (request[0] == 0xAA && command == 0xD0) {
    std::vector<uint8_t> link = LinkReport(device);
    std::copy(link.begin(), link.end(), reply);
    reply[2] = request[2];
    reply[3] = request[3];
    reply[7] = 0x55;
    return true;
  }
  if (!device.linked) {
    if (request[0] != 0xAA || command != 0x10) return false;  // the keyboard is off
    std::memset(reply, 0, 64);
    std::copy(request, request + 5, reply);
    reply[7] = 0x55;
    return true;
  }
  if (!device.keyboard->Handle(request, capacity, reply)) return false;
  if (command == 0x10) {  // a receiver names the linked keyboard in its ConfigBegin reply
    const KeyboardConfig& k = device.keyboard->Config();
    reply[9] = uint8_t(k.vid);
    reply[10] = uint8_t(k.vid >> 8);
    reply[11] = uint8_t(k.pid);
    reply[12] = uint8_t(k.pid >> 8);
  }
  return true;
}

int SimBus::Write(hid_device* handle, const unsigned char* data, size_t length) {
  const int reportUs = m_reportTimeUs;
  if (reportUs <= 0) return WriteNow(handle, data, length);
  LARGE_INTEGER frequency, start, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  const int result = WriteNow(handle, data, length);
  // Sleep() steps are too coarse for a millisecond: the rest of the time is waited out.
  const LONGLONG end = start.QuadPart + frequency.QuadPart * reportUs / 1000000;
  do {
    ::SwitchToThread();
    ::QueryPerformanceCounter(&now);
  } while (now.QuadPart < end);
  return result;
}

int SimBus::WriteNow(hid_device* handle, const unsigned char* data, size_t length) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  if (!Alive(handle)) return -1;
  UsbDevice& device = m_devices[handle->device];
  const bool usable = !handle->dead && handle->generation == m_generation && device.plugged;
  if (!usable || !data || length < 1) {
    AddLog(device, handle->interfaceNumber, true, -1, 0, data, data ? length : 0);
    return -1;
  }
  const int payloadSize = device.PayloadSize();
  const int result = int(std::max(length, size_t(payloadSize + 1)));
  if (!handle->vendor) {  // nothing answers on the other interfaces
    AddLog(device, handle->interfaceNumber, true, result, 0, data, length);
    return result;
  }
  uint8_t request[64] = {};
  std::memcpy(request, data + 1, std::min(length - 1, size_t(payloadSize)));
  UsbDevice::Rule* rule = request[0] == 0xAA ? MatchFault(device, request[1]) : nullptr;
  const FaultKind fault = rule ? rule->fault.kind : FaultKind::Refuse;

  if (rule && (fault == FaultKind::WriteError || fault == FaultKind::Unplug)) {
    AddLog(device, handle->interfaceNumber, true, -1, 0, data, length);
    if (fault == FaultKind::Unplug) SetPlugged(device.config.id, false);
    return -1;
  }
  AddLog(device, handle->interfaceNumber, true, result, 0, data, length);

  uint8_t reply[64] = {};
  if (rule && (fault == FaultKind::Refuse || fault == FaultKind::NoVerdict)) {
    std::copy(request, request + 5, reply);
    reply[7] = fault == FaultKind::Refuse ? 0x0F : 0x00;
  } else if (rule && fault == FaultKind::NoReply) {
    return result;
  } else if (rule && fault == FaultKind::LinkReportInstead) {
    handle->input.push_back(Pending{LinkReport(device), false});
    return result;
  } else {
    if (!Answer(device, request, reply)) return result;
    if (request[1] == 0x11 && device.keyboard->Dirty()) SaveLocked();
  }

  Pending pending{std::vector<uint8_t>(reply, reply + payloadSize), false};
  if (rule) {
    switch (fault) {
      case FaultKind::LateReply:
        handle->late.push_back(std::move(pending));
        return result;
      case FaultKind::WrongEcho:
        pending.payload[1] ^= 0x80;
        pending.payload[2] ^= 0x5A;
        break;
      case FaultKind::ReadError:
        pending.failRead = true;
        break;
      case FaultKind::LinkReportBefore:
        handle->input.push_back(Pending{LinkReport(device), false});
        break;
      default:
        break;
    }
  }
  handle->input.push_back(std::move(pending));
  return result;
}

int SimBus::Read(hid_device* handle, unsigned char* data, size_t length, int milliseconds) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  if (!Alive(handle)) return -1;
  UsbDevice& device = m_devices[handle->device];
  const int iface = handle->interfaceNumber;
  if (handle->dead || handle->generation != m_generation || !device.plugged || !data) {
    AddLog(device, iface, false, -1, milliseconds, nullptr, 0);
    return -1;
  }
  if (!handle->input.empty()) {
    Pending p = std::move(handle->input.front());
    handle->input.pop_front();
    if (p.failRead) {
      AddLog(device, iface, false, -1, milliseconds, nullptr, 0);
      return -1;
    }
    size_t n = std::min(length, p.payload.size());
    std::memcpy(data, p.payload.data(), n);
    AddLog(device, iface, false, int(n), milliseconds, data, n);
    return int(n);
  }
  // Nothing within the time-out; a late reply turns up right after it.
  for (Pending& p : handle->late) handle->input.push_back(std::move(p));
  handle->late.clear();
  AddLog(device, iface, false, 0, milliseconds, nullptr, 0);
  return 0;
}

void SimBus::Queue(size_t device, const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> bytes(payload);
  bytes.resize(size_t(m_devices[device].PayloadSize()), 0);
  for (hid_device* h : m_handles) {
    if (h->device == device && h->vendor && !h->dead && h->generation == m_generation)
      h->input.push_back(Pending{bytes, false});
  }
}

}  // namespace sim
