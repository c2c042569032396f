// Raw report writes shared by the exchange and the receiver queries.
#pragma once
#include <hidapi.h>
#include <cstring>
#include "device/DeviceReport.h"

// Writes report id 0 and the payload; `length` (at most 65) is the number of bytes
// handed to hid_write, so a short interface gets only the first bytes of the payload.
inline int WriteReport(hid_device* device, const DeviceReport& report, int length) {
  unsigned char out[kFullReportLength] = {};
  std::memcpy(out + 1, report.bytes, sizeof(report.bytes));
  if (length > kFullReportLength) length = kFullReportLength;
  return hid_write(device, out, size_t(length));
}

// Report length to use for an interface: unknown (0 or less) means full size, and a
// longer report is still exchanged as 65 bytes (hidapi pads shorter writes).
inline int WireReportLength(int capsLength) {
  if (capsLength <= 0 || capsLength > kFullReportLength) return kFullReportLength;
  return capsLength;
}
