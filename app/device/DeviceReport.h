// The keyboard's report format: every request and reply is a 64-byte payload behind
// report id 0 on the vendor interface.
//
// Request: 0xAA, command, offset (16-bit, low byte first), data length, three zero
// bytes, then up to 56 data bytes. Reply: 0xAA, command echo, offset echo, ...,
// status at byte 7 (0x55 accepted, 0x0F failed, anything else no verdict), data from
// byte 8.
#pragma once
#include <windows.h>
#include <cstdint>
#include <cstring>

// Posted to the notify window when a receiver reports a link change (lParam 1 = linked).
constexpr UINT UM_DEVICE_LINK = 0x6B3;

enum DeviceCommand : uint8_t {
  kCmdConfigBegin = 0x10,
  kCmdConfigEnd = 0x11,
  kCmdReadDeviceInfo = 0x12,
  kCmdReadSettings = 0x14,
  kCmdWriteSettings = 0x15,
  kCmdReadFactoryKeyMap0 = 0x16,  // layers 0-3: 0x16-0x19
  kCmdReadKeyMap0 = 0x1A,         // layers 0-3: 0x1A, 0x1C, 0x1E, 0x20
  kCmdWriteKeyMap0 = 0x1B,        // layers 0-3: 0x1B, 0x1D, 0x1F, 0x21
  kCmdReadColourSet0 = 0x22,      // sets 128-132: 0x22, 0x24, ... 0x2A
  kCmdWriteColourSet0 = 0x23,     // sets 128-132: 0x23, 0x25, ... 0x2B
  kCmdWriteMacroMemory = 0x2D,
  kCmdCanvasFrame = 0x2E,
  kCmdReadBattery = 0x30,
  kCmdFactoryReset = 0x31,
  kCmdReadLedIndexMap = 0x32,
  kCmdReadLiveColours = 0x34,     // protocol 2 and later
  kCmdReadLiveColoursOld = 0x36,  // protocols 0 and 1; also a presence probe
  kCmdReadMatrixColours = 0x3A,
  kCmdWriteMatrixColours = 0x3B,
  kCmdMatrixFrame = 0x3C,
  kCmdMatrixLightPrepare = 0x3D,
  kCmdReadKnobKeys = 0x3E,
  kCmdReceiverLink = 0xD0,
};

// Commands of the per-layer and per-set tables; layer 0-3, colour set mode 128-132.
constexpr uint8_t ReadFactoryKeyMapCommand(int layer) { return uint8_t(kCmdReadFactoryKeyMap0 + layer); }
constexpr uint8_t ReadKeyMapCommand(int layer) { return uint8_t(kCmdReadKeyMap0 + 2 * layer); }
constexpr uint8_t WriteKeyMapCommand(int layer) { return uint8_t(kCmdWriteKeyMap0 + 2 * layer); }
constexpr uint8_t ReadColourSetCommand(int mode) { return uint8_t(kCmdReadColourSet0 + 2 * (mode - 128)); }
constexpr uint8_t WriteColourSetCommand(int mode) { return uint8_t(kCmdWriteColourSet0 + 2 * (mode - 128)); }

constexpr uint8_t kReportMagic = 0xAA;
constexpr uint8_t kStatusAccepted = 0x55;
constexpr uint8_t kStatusFailed = 0x0F;
constexpr uint8_t kLinkStateLinked = 4;

constexpr int kReportPayloadSize = 64;
constexpr int kReportHeaderSize = 8;
constexpr int kFullReportLength = 65;  // report id + 64 payload bytes
constexpr int kFullChunkSize = 56;
constexpr int kShortChunkSize = 24;    // 32-byte payload: 8 header + 24 data bytes

// Chunk size of an interface with the given output report length (report id included).
constexpr int ChunkSizeForOutputLength(int outputReportLength) {
  return outputReportLength >= 64 ? kFullChunkSize : kShortChunkSize;
}

struct DeviceReport {
  uint8_t bytes[kReportPayloadSize] = {};

  DeviceReport() = default;
  DeviceReport(uint8_t command, uint16_t offset = 0, uint8_t length = 0) {
    bytes[0] = kReportMagic;
    bytes[1] = command;
    SetOffset(offset);
    bytes[4] = length;
  }

  uint8_t Command() const { return bytes[1]; }
  uint16_t Offset() const { return uint16_t(bytes[2] | (bytes[3] << 8)); }
  void SetOffset(uint16_t offset) {
    bytes[2] = uint8_t(offset & 0xFF);
    bytes[3] = uint8_t(offset >> 8);
  }
  uint8_t Length() const { return bytes[4]; }
  uint8_t Status() const { return bytes[7]; }
  uint8_t* Data() { return bytes + kReportHeaderSize; }
  const uint8_t* Data() const { return bytes + kReportHeaderSize; }

  // Copies at most the 56 data bytes.
  void SetData(const uint8_t* data, size_t size) {
    if (size > sizeof(bytes) - kReportHeaderSize) size = sizeof(bytes) - kReportHeaderSize;
    if (data && size) std::memcpy(Data(), data, size);
  }
};

// A receiver's link report: 0xAA 0xD0, keyboard vendor and product id at bytes 9-12,
// link state at byte 13.
struct LinkReport {
  int vid = 0;
  int pid = 0;
  bool linked = false;
};

inline bool IsLinkReport(const uint8_t* payload, size_t size) {
  return size >= 2 && payload[0] == kReportMagic && payload[1] == kCmdReceiverLink;
}

// Reads the ids and state of a link report; the payload must hold at least 14 bytes.
inline LinkReport ParseLinkReport(const uint8_t* payload) {
  LinkReport r;
  r.vid = payload[9] | (payload[10] << 8);
  r.pid = payload[11] | (payload[12] << 8);
  r.linked = payload[13] == kLinkStateLinked;
  return r;
}
