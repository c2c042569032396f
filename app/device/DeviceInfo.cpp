#include "device/DeviceInfo.h"

DeviceInfo ParseDeviceInfo(const uint8_t* d, int model) {
  DeviceInfo info;
  info.firmwareVersion = d[6] | (d[7] << 8);
  info.protocolVersion = d[8];
  info.macroMemorySize = d[13] * 256;
  info.zone0BrightnessMax = d[16];
  info.zone0SpeedMax = d[17];
  info.zone2Present = d[19] == 1;
  info.zone2BrightnessMax = d[21];
  info.zone2SpeedMax = d[22];
  info.zone1Present = d[25] == 1;
  bool newLayout = info.protocolVersion >= 2;
  if (newLayout) {
    if (model == 103) info.zone2BrightnessMax = d[31];
    info.zone1BrightnessMax = d[28];
    info.zone1SpeedMax = d[29];
    info.matrixPresent = d[31] != 0;
    info.matrixBrightnessMax = d[35];
    info.matrixSpeedMax = d[36];
    info.knobPresent = d[37] != 0;
  } else {
    info.zone1BrightnessMax = d[27];
    info.zone1SpeedMax = d[28];
  }
  return info;
}

void WriteZoneRecord(uint8_t* block, int offset, const ZoneLight& light, int speedMax) {
  uint8_t* r = block + offset;
  r[0] = 0;
  r[1] = uint8_t(light.mode);
  r[2] = uint8_t(light.brightness);
  r[3] = uint8_t(speedMax - light.speed);
  r[4] = uint8_t(light.colorful);
  r[5] = uint8_t(light.colorindex);
  r[6] = uint8_t(light.color & 0xFF);
  r[7] = uint8_t((light.color >> 8) & 0xFF);
  r[8] = uint8_t((light.color >> 16) & 0xFF);
}

void WriteZoneMode(uint8_t* block, int offset, int mode) { block[offset + 1] = uint8_t(mode); }

namespace {
struct SettingsLayout {
  int first;  // game_mode, mac_mode, lock_win, wasd_mode, key_keyresponse
  int sleep;  // 24-bit seconds, low byte first
};
SettingsLayout LayoutOf(int protocolVersion) {
  return protocolVersion >= 2 ? SettingsLayout{38, 46} : SettingsLayout{29, 35};
}
}  // namespace

SystemSettings ReadSystemSettings(const uint8_t* block, int protocolVersion) {
  SettingsLayout l = LayoutOf(protocolVersion);
  SystemSettings s;
  s.gameMode = block[l.first];
  s.macMode = block[l.first + 1];
  s.lockWin = block[l.first + 2];
  s.wasdMode = block[l.first + 3];
  s.keyResponse = block[l.first + 4];
  s.sleepSeconds = block[l.sleep] | (block[l.sleep + 1] << 8) | (block[l.sleep + 2] << 16);
  return s;
}

void WriteSystemSettings(uint8_t* block, int protocolVersion, const SystemSettings& s) {
  SettingsLayout l = LayoutOf(protocolVersion);
  block[l.first] = uint8_t(s.gameMode);
  block[l.first + 1] = uint8_t(s.macMode);
  block[l.first + 2] = uint8_t(s.lockWin);
  block[l.first + 3] = uint8_t(s.wasdMode);
  block[l.first + 4] = uint8_t(s.keyResponse);
  block[l.sleep] = uint8_t(s.sleepSeconds & 0xFF);
  block[l.sleep + 1] = uint8_t((s.sleepSeconds >> 8) & 0xFF);
  block[l.sleep + 2] = uint8_t((s.sleepSeconds >> 16) & 0xFF);
}

SystemSettings KnownSystemSettings::OrZero() const {
  SystemSettings s;
  s.gameMode = gameMode.value_or(0);
  s.macMode = macMode.value_or(0);
  s.lockWin = lockWin.value_or(0);
  s.wasdMode = wasdMode.value_or(0);
  s.keyResponse = keyResponse.value_or(0);
  s.sleepSeconds = sleepSeconds.value_or(0);
  return s;
}

void WriteKnownSystemSettings(uint8_t* block, int protocolVersion, const KnownSystemSettings& s) {
  SettingsLayout l = LayoutOf(protocolVersion);
  const std::optional<int>* bytes[] = {&s.gameMode, &s.macMode, &s.lockWin, &s.wasdMode, &s.keyResponse};
  for (int i = 0; i < 5; ++i) {
    if (*bytes[i]) block[l.first + i] = uint8_t(**bytes[i]);
  }
  if (s.sleepSeconds) {
    const int seconds = *s.sleepSeconds;
    block[l.sleep] = uint8_t(seconds & 0xFF);
    block[l.sleep + 1] = uint8_t((seconds >> 8) & 0xFF);
    block[l.sleep + 2] = uint8_t((seconds >> 16) & 0xFF);
  }
}
