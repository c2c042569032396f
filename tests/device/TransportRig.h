// A DeviceTransport wired to the simulated keyboards: waits are recorded, not slept, and
// interface capabilities come from the simulator.
#pragma once
#include <vector>
#include "device/DeviceTransport.h"
#include "sim/SimFixture.h"

namespace simtest {

inline bool SimCaps(const std::string& path, HidInterfaceCaps& caps) {
  sim::InterfaceCaps c;
  if (!sim::QueryCaps(path, c)) return false;
  caps.usagePage = c.usagePage;
  caps.usage = c.usage;
  caps.inputReportLength = c.inputReportLength;
  caps.outputReportLength = c.outputReportLength;
  return true;
}

struct TransportRig {
  DeviceTransport transport;
  std::vector<DWORD> sleeps;

  TransportRig() {
    transport.SetSleep([this](DWORD ms) { sleeps.push_back(ms); });
    transport.SetCapsQuery(SimCaps);
  }
  // Enumerates, chooses the model and starts the log afresh.
  void Open(int model) {
    transport.EnumerateDevice();
    transport.SetOpen(true);
    transport.SetCurrentModel(model);
    sim::ClearLog();
    sleeps.clear();
  }
};

}  // namespace simtest
