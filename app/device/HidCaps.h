// What the HID capabilities of an interface say: its top-level usage and report lengths.
#pragma once
#include <string>

constexpr unsigned short kVendorUsagePage = 0xFF60;
constexpr unsigned short kVendorUsage = 0x61;

struct HidInterfaceCaps {
  unsigned short usagePage = 0;
  unsigned short usage = 0;
  int inputReportLength = 0;   // report id included; 0 = unknown
  int outputReportLength = 0;
};

inline bool IsVendorInterface(const HidInterfaceCaps& caps) {
  return caps.usagePage == kVendorUsagePage && caps.usage == kVendorUsage;
}

// Opens the device-interface path (UTF-8, as hidapi gives it) and reads its HID
// capabilities. False when the path does not open or has no capabilities.
bool QueryHidInterfaceCaps(const std::string& path, HidInterfaceCaps& caps);
