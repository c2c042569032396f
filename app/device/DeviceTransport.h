// The process-wide HID device manager: the known-device table from the catalogue, one
// record per opened vendor interface of a known keyboard or receiver, the choice of the
// interface through which the current model is reached, and the report exchange with it.
//
// Device I/O runs on the worker thread only. The user-interface thread sets the notify
// window once; the current model is the worker's to change, between two of its tasks, so
// that a task's reports all reach the keyboard it began with. Each exchange takes its
// interface once at its start.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include "core/CString.h"
#include "device/DeviceReport.h"
#include "device/HidCaps.h"
#include "device/HidDeviceRecord.h"

// The maker's USB vendor id, which a receiver names in its ConfigBegin reply.
constexpr int kMakerVendorId = 0x3F1D;

class DeviceTransport {
public:
  using SleepFunction = std::function<void(DWORD ms)>;
  using CapsQuery = std::function<bool(const std::string& path, HidInterfaceCaps& caps)>;

  static DeviceTransport& Instance();

  DeviceTransport();  // delay 6 ms, then hid_init
  ~DeviceTransport(); // CloseAll, hid_exit
  DeviceTransport(const DeviceTransport&) = delete;
  DeviceTransport& operator=(const DeviceTransport&) = delete;

  // Seams: the waits between and before reports, and the capability query that gives an
  // interface's report lengths and confirms an arriving vendor interface.
  void SetSleep(SleepFunction sleep);
  void SetCapsQuery(CapsQuery query);
  bool QueryInterfaceCaps(const std::string& path, HidInterfaceCaps& caps) const;
  // False when hid_init failed: every enumeration is then empty.
  bool IsHidReady() const { return m_hidReady; }

  void SetNotifyWindow(HWND window) { m_notifyWindow = window; }
  HWND GetNotifyWindow() const { return m_notifyWindow; }

  // ---- known devices (the catalogue) ----
  void AddKnownDevice(int vid, int pid, const CString& productName, int deviceType, int linkMode);
  const std::vector<KnownDevice>& GetKnownDevices() const { return m_known; }
  // The first entry with vid and pid whose product name is empty or equals `name`.
  bool IsProduct(int vid, int pid, const CString& name) const;
  int GetKnownMode(int vid, int pid, const CString& name) const;   // 0 when none
  int GetKnownModel(int vid, int pid, const CString& name) const;  // 0 when none

  // ---- records ----
  // Opens every vendor interface of a known device and adds its record.
  void EnumerateDevice();
  // Closes every record and forgets the cached interface.
  void CloseAll();
  bool IsOpen() const { return m_open; }
  void SetOpen(bool open) { m_open = open; }
  // False when there is no record; else all records (current model 0) or those of the
  // current model.
  bool GetModelDevices(std::vector<HidDeviceRecord*>& out) const;
  const std::vector<std::unique_ptr<HidDeviceRecord>>& Records() const { return m_devices; }
  // For the current model: 0 wired, 1 receiver (linked or not), 2 other link, -1 none.
  int GetConnectionKind() const;
  // Linked flag of the first record with that model and link mode, -1 when none.
  int GetLinkState(int model, int linkMode) const;
  // Battery of the model, from the record it is reached through (cable first).
  bool GetBattery(int model, int& level, int& state) const;
  // Linked flag of the first record with vid, pid and link mode (and product string when
  // `name` is not empty), -1 when none.
  int FindLinkState(int vid, int pid, const CString& name, int linkMode) const;

  // ---- current model and its interface ----
  void SetCurrentModel(int model);  // also forgets the cached interface
  int GetCurrentModel() const;
  void ClearCachedHandle();
  // Cable, then other link, then a linked receiver of the current model; null when none.
  hid_device* GetCurrentHandle();
  int GetDelay() const { return m_delayMs; }

  // ---- report exchange (worker thread) ----
  // One request, one reply (200 ms); on success the payload holds the reply.
  bool SendCommand(DeviceReport& report);
  // Moves a table in chunks; on success the buffer holds the replies' data. On failure
  // the buffer is untouched.
  bool Transfer(uint8_t command, uint8_t* buffer, uint32_t length);
  // As Transfer without the inter-command delay, 36 ms replies that must echo the
  // chunk's command and offset; used for streamed frames.
  bool TransferChecked(uint8_t command, uint8_t* buffer, uint32_t length);
  // A fixed 65-byte write with a 2 ms reply wait, for the macro-memory upload.
  bool SendRawCommand(DeviceReport& report);
  bool SendConfigBegin();
  bool SendConfigEnd();
  // hid_read_timeout that posts UM_DEVICE_LINK for a link report it reads.
  int HIDReadTimeout(hid_device* device, uint8_t* buffer, size_t length, int milliseconds);

  // ---- receivers ----
  // Polls every receiver for an unasked report (5 ms each). True when one delivered data
  // into `buffer` (65 bytes); for a link report `model` is the keyboard behind it.
  bool GetDeviceNotify(uint8_t* buffer, int& model);
  // Asks a receiver (or other link) which keyboard is behind it and whether it is linked.
  bool QueryReceiverLink(const HidDeviceRecord& record, int& vid, int& pid, int& linked, bool ask);
  bool QueryBattery(const HidDeviceRecord& record, int& level, int& state);

private:
  struct Port;  // the interface of one exchange: handle and report lengths
  bool CurrentPort(Port& port);
  bool Exchange(Port& port, DeviceReport& report, bool raw);
  bool MoveTable(uint8_t command, uint8_t* buffer, uint32_t length, bool checked);
  void Drain(const Port& port, int length);
  int ReadChunkReply(const Port& port, uint8_t* reply, int milliseconds, bool skipLinkReports);
  void Pause(DWORD ms) const;

  const KnownDevice* FindKnown(int vid, int pid, const CString* name) const;
  // Model of a keyboard known only by its ids (behind a receiver); 0 when unknown.
  int KeyboardModel(int vid, int pid) const;
  HidDeviceRecord* ChooseRecord(int model) const;
  std::unique_ptr<HidDeviceRecord> OpenRecord(const struct hid_device_info& info);

  HWND m_notifyWindow = nullptr;
  bool m_open = false;
  bool m_hidReady = false;
  std::vector<std::unique_ptr<HidDeviceRecord>> m_devices;
  std::vector<KnownDevice> m_known;
  // Current model and the record chosen for it, changed by both threads.
  mutable std::mutex m_currentLock;
  int m_currentModel = 0;
  HidDeviceRecord* m_cached = nullptr;
  int m_delayMs = 6;
  SleepFunction m_sleep;
  CapsQuery m_capsQuery;
};
