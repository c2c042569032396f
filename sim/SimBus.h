// The simulated USB bus: the configured keyboards and USB devices, the open handles
// with their input queues, fault injection, the report log and the state file. One lock
// guards all of it; hidapi's functions and the control interface both come through here.
#pragma once
#include <hidapi.h>
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include "SimConfig.h"
#include "SimControl.h"
#include "SimKeyboard.h"

namespace sim {

struct Pending {
  std::vector<uint8_t> payload;
  bool failRead = false;  // the read that takes it fails
};

struct InterfaceSpec {
  int number = 0;  // the path's mi_ number
  unsigned short usagePage = 0;
  unsigned short usage = 0;
};

struct UsbDevice {
  UsbConfig config;
  SimKeyboard* keyboard = nullptr;
  bool plugged = true;
  bool linked = true;
  std::vector<InterfaceSpec> interfaces;  // enumeration order
  struct Rule {
    Fault fault;
    int seen = 0;
    int applied = 0;
  };
  std::vector<Rule> faults;

  int VendorInterface() const;
  std::string Path(int interfaceNumber) const;
  int PayloadSize() const { return config.shortReports ? 32 : 64; }
};

}  // namespace sim

// hidapi's opaque device handle.
struct hid_device_ {
  int generation = 0;
  size_t device = 0;
  int interfaceNumber = 0;
  bool vendor = false;
  bool dead = false;
  std::deque<sim::Pending> input;
  std::deque<sim::Pending> late;  // replies that arrive once the current read has timed out
};

namespace sim {

class SimBus {
public:
  static SimBus& Get();

  // hidapi
  int Init();
  void Exit();
  hid_device_info* Enumerate(unsigned short vid, unsigned short pid);
  static void FreeEnumeration(hid_device_info* list);
  hid_device* Open(const char* path);
  hid_device* Open(unsigned short vid, unsigned short pid);
  int Write(hid_device* handle, const unsigned char* data, size_t length);
  int WriteNow(hid_device* handle, const unsigned char* data, size_t length);
  int Read(hid_device* handle, unsigned char* data, size_t length, int milliseconds);
  void Close(hid_device* handle);
  bool Strings(hid_device* handle, int which, wchar_t* out, size_t max);

  // control
  bool LoadConfig(const std::wstring& path);
  std::wstring StatePath();
  bool SaveState();
  bool Restart();
  std::vector<std::string> Devices();
  std::string InterfacePath(const std::string& device, int interfaceNumber);
  bool QueryCaps(const std::string& path, InterfaceCaps& caps);
  bool SetPlugged(const std::string& device, bool plugged);
  bool SetLinked(const std::string& receiver, bool linked, bool report);
  bool SendUnasked(const std::string& device, const std::vector<uint8_t>& payload);
  void SetInitFails(bool fails);
  bool AddFault(const std::string& device, const Fault& fault);
  void ClearFaults();
  void SetReportTime(int microseconds) { m_reportTimeUs = microseconds > 0 ? microseconds : 0; }
  std::vector<LogEntry> Log();
  void ClearLog();
  void EnableLog(bool enabled);
  int OpenHandles(const std::string& device);
  bool ReadTable(const std::string& keyboard, Table table, int index, std::vector<uint8_t>& out);
  bool WriteTable(const std::string& keyboard, Table table, int index, const std::vector<uint8_t>& data);

private:
  SimBus() = default;
  void EnsureLoaded();
  bool LoadLocked(const std::wstring& path, bool fromEnvironment);
  bool SaveLocked();
  void LoadStateLocked();
  UsbDevice* FindDevice(const std::string& id, size_t* index = nullptr);
  SimKeyboard* FindKeyboard(const std::string& id);
  bool Alive(hid_device* handle) const;
  void AddLog(const UsbDevice& device, int interfaceNumber, bool write, int result, int timeoutMs,
              const unsigned char* bytes, size_t size);
  UsbDevice::Rule* MatchFault(UsbDevice& device, int command);
  bool Answer(UsbDevice& device, const uint8_t* request, uint8_t* reply);
  std::vector<uint8_t> LinkReport(const UsbDevice& device) const;
  void Queue(size_t device, const std::vector<uint8_t>& payload);

  std::recursive_mutex m_lock;
  bool m_loaded = false;
  bool m_initFails = false;
  bool m_logEnabled = true;
  int m_generation = 0;
  std::atomic<int> m_reportTimeUs{0};
  std::wstring m_configPath;  // empty: the default set
  std::vector<std::unique_ptr<SimKeyboard>> m_keyboards;
  std::vector<UsbDevice> m_devices;
  std::vector<hid_device*> m_handles;
  std::deque<LogEntry> m_log;
};

}  // namespace sim
