// Finding the vendor interfaces of known devices, and what receivers say about the
// keyboard behind them (link state, ids, battery).
#include <hidapi.h>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include "device/DeviceTransport.h"
#include "device/ReportIo.h"
#include "support/WriteLog.h"

namespace {
constexpr DWORD kOpenSettleMs = 200;
constexpr DWORD kReceiverQuerySettleMs = 10;
constexpr int kQueryTimeoutMs = 200;
constexpr int kNotifyTimeoutMs = 5;

// Reads one reply straight from hidapi: a receiver's answer to its own query is not an
// unasked link report, so nothing is posted for it.
int ReadReply(hid_device* device, uint8_t (&reply)[kFullReportLength], int length, int ms) {
  std::fill(std::begin(reply), std::end(reply), uint8_t(0));
  return hid_read_timeout(device, reply, size_t(length), ms);
}

int Le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
}  // namespace

std::unique_ptr<HidDeviceRecord> DeviceTransport::OpenRecord(const hid_device_info& info) {
  WriteLog(0, "hid_open_path: vendor_id: %x - product_id: %x", info.vendor_id, info.product_id);
  Pause(kOpenSettleMs);
  hid_device* handle = hid_open_path(info.path);
  if (!handle) return nullptr;
  auto record = std::make_unique<HidDeviceRecord>();
  record->index = int(m_devices.size());
  record->vid = info.vendor_id;
  record->pid = info.product_id;
  record->path = info.path;
  record->productName = CString(info.product_string ? info.product_string : L"");
  record->handle = handle;
  record->releaseNumber = info.release_number;
  record->model = GetKnownModel(record->vid, record->pid, record->productName);
  record->linkMode = GetKnownMode(record->vid, record->pid, record->productName);
  HidInterfaceCaps caps;
  if (QueryInterfaceCaps(record->path, caps)) {
    record->inputReportLength = WireReportLength(caps.inputReportLength);
    record->outputReportLength = WireReportLength(caps.outputReportLength);
  }
  return record;
}

void DeviceTransport::EnumerateDevice() {
  WriteLog(0, "EnumerateDevice!");
  hid_device_info* list = m_hidReady ? hid_enumerate(0, 0) : nullptr;
  for (hid_device_info* info = list; info; info = info->next) {
    WriteLog(0, "EnumerateDevice: vendor_id: %x - product_id: %x", info->vendor_id, info->product_id);
    CString product(info->product_string ? info->product_string : L"");
    if (!info->path || !IsProduct(info->vendor_id, info->product_id, product)) continue;
    if (info->usage_page != kVendorUsagePage || info->usage != kVendorUsage) continue;
    std::unique_ptr<HidDeviceRecord> record = OpenRecord(*info);
    if (!record) continue;

    if (record->linkMode != kLinkWired) {
      int vid = 0, pid = 0, linked = record->linked;
      QueryReceiverLink(*record, vid, pid, linked, false);
      // Some receivers report product id 0 while linked; ConfigBegin names the keyboard.
      if (pid == 0 && linked) QueryReceiverLink(*record, vid, pid, linked, true);
      record->linked = linked;
      record->model = KeyboardModel(vid, pid);
    }
    if (record->linked == 1) QueryBattery(*record, record->batteryLevel, record->batteryState);
    m_devices.push_back(std::move(record));
  }
  hid_free_enumeration(list);
  WriteLog(0, "hid_free_enumeration!");
}

bool DeviceTransport::QueryReceiverLink(const HidDeviceRecord& record, int& vid, int& pid,
                                        int& linked, bool ask) {
  Pause(kReceiverQuerySettleMs);
  vid = pid = 0;
  if (!record.handle) return false;
  const uint8_t chunk = uint8_t(record.ChunkSize());
  uint8_t reply[kFullReportLength];
  if (ask) {
    int wrote = WriteReport(record.handle, DeviceReport(kCmdConfigBegin, 0, chunk), record.outputReportLength);
    int got = wrote > 0 ? ReadReply(record.handle, reply, record.inputReportLength, kQueryTimeoutMs) : 0;
    if (got >= 13 && Le16(reply + 9) == kMakerVendorId) {
      vid = kMakerVendorId;
      pid = Le16(reply + 11);
      linked = 1;
      return true;
    }
  }
  ReadReply(record.handle, reply, record.inputReportLength, 1);  // drop a pending report
  if (WriteReport(record.handle, DeviceReport(kCmdReceiverLink, 0, chunk), record.outputReportLength) <= 0)
    return false;
  int got = ReadReply(record.handle, reply, record.inputReportLength, kQueryTimeoutMs);
  if (got >= 14 && IsLinkReport(reply, size_t(got))) {
    LinkReport link = ParseLinkReport(reply);
    vid = link.vid;
    pid = link.pid;
    linked = link.linked ? 1 : 0;
  }
  return true;
}

bool DeviceTransport::QueryBattery(const HidDeviceRecord& record, int& level, int& state) {
  if (!record.handle) return false;
  const uint8_t chunk = uint8_t(record.ChunkSize());
  const int outLength = record.outputReportLength;
  uint8_t reply[kFullReportLength];
  if (WriteReport(record.handle, DeviceReport(kCmdConfigBegin), outLength) > 0)
    ReadReply(record.handle, reply, record.inputReportLength, kQueryTimeoutMs);
  int wrote = WriteReport(record.handle, DeviceReport(kCmdReadBattery, 0, chunk), outLength);
  int got = wrote > 0 ? ReadReply(record.handle, reply, record.inputReportLength, kQueryTimeoutMs) : 0;
  if (got >= 10) {
    level = reply[8];
    state = reply[9];
  }
  if (WriteReport(record.handle, DeviceReport(kCmdConfigEnd), outLength) > 0)
    ReadReply(record.handle, reply, record.inputReportLength, kQueryTimeoutMs);
  return true;
}

bool DeviceTransport::GetDeviceNotify(uint8_t* buffer, int& model) {
  if (!buffer) return false;
  for (auto& record : m_devices) {
    if (record->linkMode != kLinkReceiver || !record->handle) continue;
    int got = hid_read_timeout(record->handle, buffer, kFullReportLength, kNotifyTimeoutMs);
    if (got <= 0) continue;
    if (got < 14 || !IsLinkReport(buffer, size_t(got))) return true;

    char line[112];
    std::snprintf(line, sizeof(line),
                  "GetDeviceNotify 11 device notify data: %02X %02X %02X %02X %02X %02X \n",
                  buffer[0], buffer[1], buffer[8], buffer[9], buffer[10], buffer[13]);
    OutputDebugStringA(line);
    LinkReport link = ParseLinkReport(buffer);
    record->linked = link.linked ? 1 : 0;
    if (link.pid == 0 && record->linked) {
      int linked = record->linked;
      QueryReceiverLink(*record, link.vid, link.pid, linked, true);
      QueryBattery(*record, record->batteryLevel, record->batteryState);
    }
    record->model = KeyboardModel(link.vid, link.pid);
    model = record->model;
    ClearCachedHandle();  // the model's interface may have changed
    return true;
  }
  return false;
}
