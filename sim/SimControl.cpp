// The exported control interface: thin calls into the bus.
#include "SimControl.h"
#include "SimBus.h"

namespace sim {

bool LoadConfig(const std::wstring& path) { return SimBus::Get().LoadConfig(path); }
std::wstring StatePath() { return SimBus::Get().StatePath(); }
bool SaveState() { return SimBus::Get().SaveState(); }
bool Restart() { return SimBus::Get().Restart(); }
std::vector<std::string> Devices() { return SimBus::Get().Devices(); }
std::string InterfacePath(const std::string& device, int interfaceNumber) {
  return SimBus::Get().InterfacePath(device, interfaceNumber);
}
bool QueryCaps(const std::string& path, InterfaceCaps& caps) { return SimBus::Get().QueryCaps(path, caps); }
bool SetPlugged(const std::string& device, bool plugged) { return SimBus::Get().SetPlugged(device, plugged); }
bool SetLinked(const std::string& receiver, bool linked, bool report) {
  return SimBus::Get().SetLinked(receiver, linked, report);
}
bool SendUnasked(const std::string& device, const std::vector<uint8_t>& payload) {
  return SimBus::Get().SendUnasked(device, payload);
}
void SetInitFails(bool fails) { SimBus::Get().SetInitFails(fails); }
bool AddFault(const std::string& device, const Fault& fault) { return SimBus::Get().AddFault(device, fault); }
void ClearFaults() { SimBus::Get().ClearFaults(); }
void SetReportTime(int microseconds) { SimBus::Get().SetReportTime(microseconds); }
std::vector<LogEntry> Log() { return SimBus::Get().Log(); }
void ClearLog() { SimBus::Get().ClearLog(); }
void EnableLog(bool enabled) { SimBus::Get().EnableLog(enabled); }
int OpenHandles(const std::string& device) { return SimBus::Get().OpenHandles(device); }
bool ReadTable(const std::string& keyboard, Table table, int index, std::vector<uint8_t>& out) {
  return SimBus::Get().ReadTable(keyboard, table, index, out);
}
bool WriteTable(const std::string& keyboard, Table table, int index, const std::vector<uint8_t>& data) {
  return SimBus::Get().WriteTable(keyboard, table, index, data);
}

}  // namespace sim
