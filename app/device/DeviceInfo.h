// The keyboard's description (command 0x12) and its 64-byte settings block (0x14 / 0x15):
// the fields the program reads from them and the bytes it changes in them.
#pragma once
#include <cstdint>
#include <optional>

struct DeviceInfo {
  int firmwareVersion = 0;  // reads as hexadecimal digits: 0x0115 is version 1.15
  int protocolVersion = 0;  // 0-1 old table layouts, 2 and later the new ones
  int macroMemorySize = 0;  // bytes
  int zone0BrightnessMax = 0;
  int zone0SpeedMax = 0;
  bool zone2Present = false;
  int zone2BrightnessMax = 0;
  int zone2SpeedMax = 0;
  bool zone1Present = false;
  int zone1BrightnessMax = 0;
  int zone1SpeedMax = 0;
  bool matrixPresent = false;
  int matrixBrightnessMax = 0;
  int matrixSpeedMax = 0;
  bool knobPresent = false;
};

constexpr int kDeviceInfoSize = 56;
constexpr int kSettingsBlockSize = 64;

// `data` holds the 56 reply bytes; `model` decides where zone 2's brightness maximum is.
DeviceInfo ParseDeviceInfo(const uint8_t* data, int model);

// Light-zone records of the settings block.
constexpr int kZone0Record = 1;
constexpr int kColourSetIndexByte = 10;
constexpr int kZone2Record = 11;
constexpr int kZone1Record = 20;
constexpr int kMatrixRecord = 29;  // protocol 2 and later
constexpr uint8_t kCustomModeByte = 0xFD;

struct ZoneLight {
  int mode = 0;
  int brightness = 0;
  int speed = 0;
  int colorful = 0;
  int colorindex = 0;
  uint32_t color = 0;  // COLORREF: red in the low byte
};

// Writes one 9-byte zone record; the speed is stored as `speedMax` - speed.
void WriteZoneRecord(uint8_t* block, int offset, const ZoneLight& light, int speedMax);
// Changes only the mode byte of a zone record, for a mode whose other values are unknown.
void WriteZoneMode(uint8_t* block, int offset, int mode);

struct SystemSettings {
  int gameMode = 0;
  int macMode = 0;
  int lockWin = 0;
  int wasdMode = 0;
  int keyResponse = 0;
  int sleepSeconds = 0;
};

// The settings bytes of the protocol's layout.
SystemSettings ReadSystemSettings(const uint8_t* block, int protocolVersion);
void WriteSystemSettings(uint8_t* block, int protocolVersion, const SystemSettings& settings);

// Settings of which only some may be known (stored): an unknown one keeps the block's bytes.
struct KnownSystemSettings {
  std::optional<int> gameMode, macMode, lockWin, wasdMode, keyResponse, sleepSeconds;
  // The known ones, 0 for the others.
  SystemSettings OrZero() const;
};
void WriteKnownSystemSettings(uint8_t* block, int protocolVersion, const KnownSystemSettings& settings);
