// Control interface of the simulated keyboards, exported by the simulator's hidapi.dll
// beside hidapi's C functions. Tests and benchmarks use it to choose the devices, plug
// and link them, inject faults, read the report log and look into the keyboards' tables.
//
// Devices are named by the ids of the configuration file (README.md): keyboards by
// their [keyboard <id>] section, USB devices (cables, receivers) by their [usb <id>].
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#ifdef SIM_BUILDING_DLL
#define SIM_API __declspec(dllexport)
#else
#define SIM_API __declspec(dllimport)
#endif

namespace sim {

// The tables a simulated keyboard holds. `index` picks the layer (key maps, 0-3) or the
// colour set (0-4 for modes 128-132); other tables ignore it.
enum class Table {
  DeviceInfo,     // 56 bytes, read with 0x12
  Settings,       // 64 bytes, 0x14 / 0x15
  FactoryKeyMap,  // 384 bytes per layer, 0x16-0x19
  KeyMap,         // 384 bytes per layer, 0x1A/0x1B ... 0x20/0x21
  ColourSet,      // 384 bytes per set, 0x22/0x23 ... 0x2A/0x2B
  MacroMemory,    // DeviceInfo byte 13 x 256 bytes, 0x2D
  LedIndexMap,    // 128 bytes, 0x32
  KnobKeys,       // 56 bytes, 0x3E
  LiveColours,    // 384 bytes, 0x34 (protocol 2+) and 0x36
  MatrixColours,  // 147 bytes, 0x3A / 0x3B
  CanvasFrame,    // the last canvas frame, 0x2E (length by model)
  MatrixFrame,    // the last matrix frame, 98 bytes, 0x3C
  Battery,        // 56 bytes: level, charging state; 0x30
};

enum class FaultKind {
  Refuse,             // status 0x0F; the command is not carried out
  NoVerdict,          // status 0x00; not carried out
  NoReply,            // nothing comes back; not carried out
  LateReply,          // carried out; the reply arrives after the read that waited for it
  WrongEcho,          // carried out; the reply echoes another command and offset
  WriteError,         // hid_write fails
  ReadError,          // carried out; the read of its reply fails
  LinkReportBefore,   // an unasked link report arrives ahead of the reply
  LinkReportInstead,  // an unasked link report arrives and no reply; not carried out
  Unplug,             // the device is pulled out: this write and all later I/O fail
};

// Applies to the reports written to a USB device's vendor interface whose command is
// `command` (-1 = every report): the first `skip` of them pass, the next `times` (0 =
// all from then on) get the fault.
struct Fault {
  FaultKind kind = FaultKind::Refuse;
  int command = -1;
  int skip = 0;
  int times = 1;
};

struct LogEntry {
  std::string device;      // USB device id
  int interfaceNumber = 0; // the interface's mi_ number
  bool write = false;      // false: a read
  int result = 0;          // what hid_write / hid_read_timeout returned
  int timeoutMs = 0;       // reads only
  std::vector<uint8_t> bytes;  // written bytes (report id first) or the bytes read
};

struct InterfaceCaps {
  unsigned short usagePage = 0;
  unsigned short usage = 0;
  int inputReportLength = 0;  // report id included
  int outputReportLength = 0;
};

// Loads a configuration file and the state file beside it, replacing every device; open
// handles go dead. An empty path takes the file named by QUENBY_SIM_CONFIG, or the
// default set when that is not set. False when the file cannot be read.
SIM_API bool LoadConfig(const std::wstring& path);
// The state file of the loaded configuration.
SIM_API std::wstring StatePath();
// Writes the keyboards' state now (it is also written at ConfigEnd, close and hid_exit).
SIM_API bool SaveState();
// Saves, then loads configuration and state again as a new process would.
SIM_API bool Restart();

// USB device ids of the configuration, and the path of one of its interfaces
// (`interfaceNumber` -1 = the vendor interface).
SIM_API std::vector<std::string> Devices();
SIM_API std::string InterfacePath(const std::string& device, int interfaceNumber = -1);
// HID capabilities of a plugged interface, by path (compared without case).
SIM_API bool QueryCaps(const std::string& path, InterfaceCaps& caps);

SIM_API bool SetPlugged(const std::string& device, bool plugged);
// Links or unlinks the keyboard behind a receiver; with `report` the receiver sends an
// unasked link report on its open vendor handles.
SIM_API bool SetLinked(const std::string& receiver, bool linked, bool report = true);
// Queues an unasked 64-byte report on the device's open vendor handles.
SIM_API bool SendUnasked(const std::string& device, const std::vector<uint8_t>& payload);
// Makes hid_init fail and hid_enumerate find nothing, as hidapi does under Wine.
SIM_API void SetInitFails(bool fails);

SIM_API bool AddFault(const std::string& device, const Fault& fault);
SIM_API void ClearFaults();
// How long every report write takes, as a USB transfer does (a report per
// polling interval, about 1000 us on a real keyboard); 0 (the default) takes no time.
// A write returns once that much wall time has passed since it began; the bus is not
// held meanwhile.
SIM_API void SetReportTime(int microseconds);

SIM_API std::vector<LogEntry> Log();
SIM_API void ClearLog();
SIM_API void EnableLog(bool enabled);
// Handles of the device's interfaces that are still open (not closed by hid_close).
SIM_API int OpenHandles(const std::string& device);

SIM_API bool ReadTable(const std::string& keyboard, Table table, int index, std::vector<uint8_t>& out);
// Replaces the table's bytes from the start; longer data than the table is refused.
SIM_API bool WriteTable(const std::string& keyboard, Table table, int index,
                        const std::vector<uint8_t>& data);

}  // namespace sim
