// The report exchange with the current model's interface: single commands, chunked
// table transfers and the read wrapper that turns link reports into a window message.
#include <hidapi.h>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "device/DeviceTransport.h"
#include "device/ReportIo.h"

namespace {
constexpr int kReplyTimeoutMs = 200;
constexpr int kCheckedReplyTimeoutMs = 36;
constexpr int kRawReplyTimeoutMs = 2;
constexpr int kDrainTimeoutMs = 1;
constexpr int kTriesPerChunk = 6;
constexpr int kMaxSkippedLinkReports = 4;

bool EchoMatches(const uint8_t* reply, uint8_t command, uint32_t offset) {
  return reply[1] == command && reply[2] == (offset & 0xFF) && reply[3] == ((offset >> 8) & 0xFF);
}
}  // namespace

struct DeviceTransport::Port {
  hid_device* handle = nullptr;
  int inputLength = kFullReportLength;
  int outputLength = kFullReportLength;
  int chunk = kFullChunkSize;
  int delayMs = 0;
};

bool DeviceTransport::CurrentPort(Port& port) {
  if (!GetCurrentHandle()) return false;
  std::lock_guard<std::mutex> lock(m_currentLock);
  if (!m_cached || !m_cached->handle) return false;  // the model changed meanwhile
  port.handle = m_cached->handle;
  port.inputLength = m_cached->inputReportLength;
  port.outputLength = m_cached->outputReportLength;
  port.chunk = m_cached->ChunkSize();
  port.delayMs = m_delayMs;
  return true;
}

int DeviceTransport::HIDReadTimeout(hid_device* device, uint8_t* buffer, size_t length,
                                    int milliseconds) {
  int result = hid_read_timeout(device, buffer, length, milliseconds);
  if (result >= 14 && IsLinkReport(buffer, size_t(result))) {
    LinkReport link = ParseLinkReport(buffer);
    char line[96];
    std::snprintf(line, sizeof(line), "HIDReadTimeout: %02X %02X %02X %02X %02X %02X \n",
                  buffer[0], buffer[1], buffer[8], buffer[9], buffer[10], buffer[13]);
    OutputDebugStringA(line);
    // Without a window the message would land in the worker's own queue.
    if (m_notifyWindow) PostMessageW(m_notifyWindow, UM_DEVICE_LINK, 0, link.linked ? 1 : 0);
  }
  return result;
}

// Takes at most one pending report, so an unasked one is not read as the next reply.
void DeviceTransport::Drain(const Port& port, int length) {
  uint8_t scratch[kFullReportLength];
  HIDReadTimeout(port.handle, scratch, size_t(length), kDrainTimeoutMs);
}

bool DeviceTransport::Exchange(Port& port, DeviceReport& report, bool raw) {
  int writeLength = raw ? kFullReportLength : port.outputLength;
  int readLength = raw ? kFullReportLength : port.inputLength;
  if (WriteReport(port.handle, report, writeLength) <= 0) return false;
  uint8_t reply[kFullReportLength] = {};
  int got = HIDReadTimeout(port.handle, reply, size_t(readLength),
                           raw ? kRawReplyTimeoutMs : kReplyTimeoutMs);
  if (got <= 0) return false;
  std::copy(reply, reply + kReportPayloadSize, report.bytes);
  return true;
}

bool DeviceTransport::SendCommand(DeviceReport& report) {
  Port port;
  if (!CurrentPort(port)) return false;
  Pause(DWORD(port.delayMs));
  Drain(port, port.inputLength);
  if (report.bytes[4] > port.chunk) report.bytes[4] = uint8_t(port.chunk);
  return Exchange(port, report, false);
}

bool DeviceTransport::SendRawCommand(DeviceReport& report) {
  Port port;
  if (!CurrentPort(port)) return false;
  Drain(port, kFullReportLength);
  return Exchange(port, report, true);
}

bool DeviceTransport::SendConfigBegin() {
  DeviceReport report(kCmdConfigBegin);
  return SendCommand(report);
}

bool DeviceTransport::SendConfigEnd() {
  DeviceReport report(kCmdConfigEnd);
  return SendCommand(report);
}

bool DeviceTransport::Transfer(uint8_t command, uint8_t* buffer, uint32_t length) {
  return MoveTable(command, buffer, length, false);
}

bool DeviceTransport::TransferChecked(uint8_t command, uint8_t* buffer, uint32_t length) {
  return MoveTable(command, buffer, length, true);
}

// Reads the reply to a chunk. An unasked link report that arrives first is posted and
// passed over: taken as the reply, it would answer this chunk, and every later chunk
// would then read the reply of the one before.
int DeviceTransport::ReadChunkReply(const Port& port, uint8_t* reply, int milliseconds, bool skipLinkReports) {
  int got = HIDReadTimeout(port.handle, reply, size_t(port.inputLength), milliseconds);
  int skipped = 0;
  while (skipLinkReports && got > 0 && IsLinkReport(reply, size_t(got)) && skipped++ < kMaxSkippedLinkReports) {
    std::fill(reply, reply + kFullReportLength, uint8_t(0));
    got = HIDReadTimeout(port.handle, reply, size_t(port.inputLength), milliseconds);
  }
  return got;
}

// Every chunk carries the table bytes at its own offset and must be accepted (0x55)
// within six tries; otherwise the transfer fails and the caller's buffer stays as it was.
bool DeviceTransport::MoveTable(uint8_t command, uint8_t* buffer, uint32_t length, bool checked) {
  Port port;
  if (!CurrentPort(port)) return false;
  if (!checked) Pause(DWORD(port.delayMs));
  Drain(port, port.inputLength);
  if (length == 0 || !buffer) return false;
  const uint32_t chunk = uint32_t(port.chunk);
  const uint32_t count = (length + chunk - 1) / chunk;
  if ((count - 1) * chunk > 0xFFFF) return false;  // offsets are 16-bit on the wire

  std::vector<uint8_t> result(length);
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t offset = i * chunk;
    const uint32_t n = std::min(chunk, length - offset);
    DeviceReport request(command, uint16_t(offset), uint8_t(n));
    request.SetData(buffer + offset, n);
    bool accepted = false;
    for (int tries = 0; tries < kTriesPerChunk && !accepted;) {
      if (WriteReport(port.handle, request, port.outputLength) <= 0) return false;
      uint8_t reply[kFullReportLength] = {};
      int got = ReadChunkReply(port, reply, checked ? kCheckedReplyTimeoutMs : kReplyTimeoutMs,
                               command != kCmdReceiverLink);
      if (got <= 0) {
        if (!checked) return false;  // a lost reply ends a plain transfer at once
        ++tries;
        continue;
      }
      if (checked && !EchoMatches(reply, command, offset)) {
        ++tries;  // a late reply to an earlier report: send this chunk again
        continue;
      }
      if (reply[7] == kStatusAccepted) {
        std::copy(reply + kReportHeaderSize, reply + kReportHeaderSize + n, result.begin() + offset);
        accepted = true;
      } else {
        ++tries;  // refused or no verdict
      }
    }
    if (!accepted) return false;
  }
  std::copy(result.begin(), result.end(), buffer);
  return true;
}
