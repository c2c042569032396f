// The control side of the bus: loading the configuration, the state file, plugging,
// linking, faults, the log and the tables.
#include <windows.h>
#include <algorithm>
#include <fstream>
#include <sstream>
#include "SimBus.h"

namespace sim {
namespace {

std::wstring ModuleFolder() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModuleFolder), &module);
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
  std::wstring folder(path, n);
  size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

bool ReadFile(const std::wstring& path, std::string& text) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  s.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    s += digits[b >> 4];
    s += digits[b & 15];
  }
  return s;
}

bool Unhex(const std::string& s, std::vector<uint8_t>& bytes) {
  if (s.size() % 2) return false;
  bytes.resize(s.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    int v = 0;
    for (int k = 0; k < 2; ++k) {
      char c = s[2 * i + k];
      int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (d < 0) return false;
      v = v * 16 + d;
    }
    bytes[i] = uint8_t(v);
  }
  return true;
}

std::vector<InterfaceSpec> InterfacesOf(const UsbConfig& u) {
  // The vendor interface sits among the keyboard's others, as on a real keyboard.
  const InterfaceSpec others[] = {{0, 0x0001, 0x0006}, {2, 0x000C, 0x0001}, {3, 0xFF60, 0x0062}};
  std::vector<InterfaceSpec> list;
  if (u.otherInterfaces > 0) list.push_back(others[0]);
  list.push_back({1, 0xFF60, 0x0061});
  for (int i = 1; i < u.otherInterfaces && i < 3; ++i) list.push_back(others[i]);
  return list;
}

}  // namespace

void SimBus::EnsureLoaded() {
  if (!m_loaded) LoadLocked(std::wstring(), true);
}

bool SimBus::LoadLocked(const std::wstring& requested, bool fromEnvironment) {
  std::wstring path = requested;
  if (path.empty() && fromEnvironment) {
    wchar_t env[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"QUENBY_SIM_CONFIG", env, MAX_PATH);
    if (n > 0 && n < MAX_PATH) path.assign(env, n);
  }
  std::string text = DefaultConfigText();
  if (!path.empty() && !ReadFile(path, text)) {
    OutputDebugStringA("simulated keyboards: the configuration file cannot be read\n");
    if (!m_loaded) m_loaded = true;  // stay empty rather than retry on every call
    return false;
  }
  SimConfig config;
  std::string error;
  if (!ParseConfig(text, config, error)) {
    OutputDebugStringA(("simulated keyboards: " + error + "\n").c_str());
    if (!m_loaded) m_loaded = true;
    return false;
  }
  if (m_loaded) SaveLocked();  // what the previous set still holds

  ++m_generation;  // every open handle goes dead
  for (hid_device* h : m_handles) h->dead = true;
  m_keyboards.clear();
  m_devices.clear();
  m_log.clear();
  for (const KeyboardConfig& k : config.keyboards) m_keyboards.push_back(std::make_unique<SimKeyboard>(k));
  for (const UsbConfig& u : config.usb) {
    UsbDevice d;
    d.config = u;
    d.keyboard = FindKeyboard(u.keyboard);
    d.plugged = u.plugged;
    d.linked = u.linked;
    d.interfaces = InterfacesOf(u);
    m_devices.push_back(std::move(d));
  }
  m_configPath = path;
  m_loaded = true;
  LoadStateLocked();
  return true;
}

std::wstring SimBus::StatePath() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  if (m_configPath.empty()) return ModuleFolder() + L"hidapi-sim.state";
  std::wstring path = m_configPath;
  size_t slash = path.find_last_of(L"\\/");
  size_t dot = path.find_last_of(L'.');
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.erase(dot);
  return path + L".state";
}

void SimBus::LoadStateLocked() {
  std::string text;
  if (!ReadFile(StatePath(), text)) return;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string id, name, hex;
    if (!(fields >> id >> name >> hex) || id[0] == '#') continue;
    SimKeyboard* k = FindKeyboard(id);
    if (!k) continue;
    auto tables = k->Persistent();
    auto it = tables.find(name);
    std::vector<uint8_t> bytes;
    // A damaged line or a table of another size (the model changed) keeps the defaults.
    if (it != tables.end() && Unhex(hex, bytes) && bytes.size() == it->second->size()) *it->second = bytes;
  }
  for (auto& k : m_keyboards) k->ClearDirty();
}

bool SimBus::SaveLocked() {
  if (!m_loaded) return false;
  bool dirty = false;
  for (auto& k : m_keyboards) dirty = dirty || k->Dirty();
  if (!dirty) return true;
  const std::wstring path = StatePath();
  const std::wstring temp = path + L".tmp";
  {
    std::ofstream out(temp.c_str(), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << "# state of the simulated keyboards: keyboard table bytes\n";
    for (auto& k : m_keyboards) {
      for (auto& [name, table] : k->Persistent()) out << k->Config().id << ' ' << name << ' ' << Hex(*table) << '\n';
    }
    if (!out.flush()) return false;
  }
  // Replaced in one step, so an interrupted save never leaves half a file.
  if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return false;
  for (auto& k : m_keyboards) k->ClearDirty();
  return true;
}

bool SimBus::LoadConfig(const std::wstring& path) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  return LoadLocked(path, path.empty());
}

bool SimBus::SaveState() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  for (auto& k : m_keyboards) k->MarkDirty();
  return SaveLocked();
}

bool SimBus::Restart() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  if (!SaveLocked()) return false;
  m_loaded = false;  // nothing of this run is saved again over the file
  return LoadLocked(m_configPath, false);
}

UsbDevice* SimBus::FindDevice(const std::string& id, size_t* index) {
  for (size_t n = 0; n < m_devices.size(); ++n) {
    if (m_devices[n].config.id != id) continue;
    if (index) *index = n;
    return &m_devices[n];
  }
  return nullptr;
}

SimKeyboard* SimBus::FindKeyboard(const std::string& id) {
  for (auto& k : m_keyboards) {
    if (k->Config().id == id) return k.get();
  }
  return nullptr;
}

std::vector<std::string> SimBus::Devices() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  std::vector<std::string> ids;
  for (const UsbDevice& d : m_devices) ids.push_back(d.config.id);
  return ids;
}

std::string SimBus::InterfacePath(const std::string& id, int interfaceNumber) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  UsbDevice* d = FindDevice(id);
  if (!d) return std::string();
  int number = interfaceNumber < 0 ? d->VendorInterface() : interfaceNumber;
  for (const InterfaceSpec& i : d->interfaces) {
    if (i.number == number) return d->Path(number);
  }
  return std::string();
}

bool SimBus::QueryCaps(const std::string& path, InterfaceCaps& caps) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  for (const UsbDevice& d : m_devices) {
    if (!d.plugged) continue;
    for (const InterfaceSpec& i : d.interfaces) {
      std::string p = d.Path(i.number);
      if (p.size() != path.size() || _strnicmp(p.c_str(), path.c_str(), p.size()) != 0) continue;
      caps.usagePage = i.usagePage;
      caps.usage = i.usage;
      caps.inputReportLength = caps.outputReportLength = d.PayloadSize() + 1;
      return true;
    }
  }
  return false;
}

bool SimBus::SetPlugged(const std::string& id, bool plugged) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  size_t index = 0;
  UsbDevice* d = FindDevice(id, &index);
  if (!d) return false;
  d->plugged = plugged;
  if (!plugged) {  // handles of a pulled-out device never work again
    for (hid_device* h : m_handles) {
      if (h->device == index) h->dead = true;
    }
  }
  return true;
}

bool SimBus::SetLinked(const std::string& id, bool linked, bool report) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  size_t index = 0;
  UsbDevice* d = FindDevice(id, &index);
  if (!d || !d->config.receiver) return false;
  d->linked = linked;
  if (report) Queue(index, LinkReport(*d));
  return true;
}

bool SimBus::SendUnasked(const std::string& id, const std::vector<uint8_t>& payload) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  size_t index = 0;
  if (!FindDevice(id, &index)) return false;
  Queue(index, payload);
  return true;
}

void SimBus::SetInitFails(bool fails) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  m_initFails = fails;
}

bool SimBus::AddFault(const std::string& id, const Fault& fault) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  UsbDevice* d = FindDevice(id);
  if (!d) return false;
  d->faults.push_back(UsbDevice::Rule{fault, 0, 0});
  return true;
}

void SimBus::ClearFaults() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  for (UsbDevice& d : m_devices) d.faults.clear();
}

std::vector<LogEntry> SimBus::Log() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  return std::vector<LogEntry>(m_log.begin(), m_log.end());
}

void SimBus::ClearLog() {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  m_log.clear();
}

void SimBus::EnableLog(bool enabled) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  m_logEnabled = enabled;
}

int SimBus::OpenHandles(const std::string& id) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  size_t index = 0;
  if (!FindDevice(id, &index)) return 0;
  return int(std::count_if(m_handles.begin(), m_handles.end(), [&](hid_device* h) {
    return h->device == index && h->generation == m_generation;
  }));
}

bool SimBus::ReadTable(const std::string& keyboard, Table table, int index, std::vector<uint8_t>& out) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  SimKeyboard* k = FindKeyboard(keyboard);
  std::vector<uint8_t>* t = k ? k->Find(table, index) : nullptr;
  if (!t) return false;
  out = *t;
  return true;
}

bool SimBus::WriteTable(const std::string& keyboard, Table table, int index, const std::vector<uint8_t>& data) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  EnsureLoaded();
  SimKeyboard* k = FindKeyboard(keyboard);
  std::vector<uint8_t>* t = k ? k->Find(table, index) : nullptr;
  if (!t || data.size() > t->size()) return false;
  std::copy(data.begin(), data.end(), t->begin());
  k->MarkDirty();
  return true;
}

}  // namespace sim
