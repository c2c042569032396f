#include "device/HidCaps.h"
#include <windows.h>
// mingw's HID headers declare the functions without C linkage.
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}
#include "support/Utf8.h"

namespace {
// Closes the interface handle and frees the preparsed data on every path out.
struct InterfaceHandle {
  HANDLE file = INVALID_HANDLE_VALUE;
  PHIDP_PREPARSED_DATA data = nullptr;
  ~InterfaceHandle() {
    if (data) HidD_FreePreparsedData(data);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
};
}  // namespace

bool QueryHidInterfaceCaps(const std::string& path, HidInterfaceCaps& caps) {
  CString widePath = FromUtf8(path.c_str());
  if (widePath.IsEmpty()) return false;
  InterfaceHandle h;
  // No access rights are needed to read attributes and capabilities, so an interface
  // that another program holds open exclusively still answers.
  h.file = CreateFileW(widePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (h.file == INVALID_HANDLE_VALUE) return false;
  if (!HidD_GetPreparsedData(h.file, &h.data)) return false;
  HIDP_CAPS hidCaps = {};
  if (HidP_GetCaps(h.data, &hidCaps) != HIDP_STATUS_SUCCESS) return false;
  caps.usagePage = hidCaps.UsagePage;
  caps.usage = hidCaps.Usage;
  caps.inputReportLength = hidCaps.InputReportByteLength;
  caps.outputReportLength = hidCaps.OutputReportByteLength;
  return true;
}
