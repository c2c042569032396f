#include "pages/LightDefaults.h"
#include "pages/LightTypes.h"

namespace {

LightRecord Row(int profile, int type, int mode, int nameId, int configFunc, int brightness) {
  LightRecord r;
  r.profile = profile;
  r.name.Format(L"%d", nameId);
  r.type = type;
  r.mode = mode;
  r.brightness = brightness;
  r.speed = 3;
  r.direction = 0;
  r.colorful = 1;
  r.colorindex = 0;
  r.color_value = 0x0000FF;  // red
  r.config_func = configFunc;
  return r;
}

constexpr int kZoneBrightness = 200;
constexpr int kMatrixBrightness = 80;

}  // namespace

std::vector<LightRecord> LightDefaults::ZoneRows(int profile, int deviceType) {
  static const int kZone0Funcs[21] = {0, 51, 3, 51, 49, 51, 3, 51, 51, 51, 51, 51, 3, 51, 51, 51, 51, 51, 51, 51, 51};
  std::vector<LightRecord> rows;
  for (int mode = 0; mode <= 20; ++mode)
    rows.push_back(Row(profile, kZoneMain, mode, 120 + mode, kZone0Funcs[mode], kZoneBrightness));
  for (int set = kFirstColourSet; set <= kLastColourSet; ++set)
    rows.push_back(Row(profile, kZoneMain, set, 141, kLightBrightness | kLightColourGroup | kLightPerKey, kZoneBrightness));
  const int zone1Funcs[5] = {51, 51, 3, 51, 49};
  for (int mode = 0; mode <= 4; ++mode)
    rows.push_back(Row(profile, kZoneSecond, mode, 150 + mode, zone1Funcs[mode], kZoneBrightness));
  const int zone2Funcs[5] = {51, 51, 3, 51, deviceType == 103 ? 17 : 49};
  for (int mode = 0; mode <= 4; ++mode)
    rows.push_back(Row(profile, kZoneThird, mode, 160 + mode, zone2Funcs[mode], kZoneBrightness));
  const int zone10Funcs[5] = {51, 51, 3, 51, 49};
  for (int mode = 0; mode <= 4; ++mode)
    rows.push_back(Row(profile, kZoneSeeded, mode, 160 + mode, zone10Funcs[mode], kZoneBrightness));
  return rows;
}

std::vector<LightRecord> LightDefaults::MatrixRows(int profile) {
  static const struct {
    int mode, nameId, configFunc;
  } kRows[] = {{0, 900, 0x013}, {1, 901, 0x033}, {2, 902, 0x033}, {3, 903, 0x033},
               {4, 904, 0x033}, {5, 905, 0x131}, {6, 906, 0x131}, {128, 907, 0x433}};
  std::vector<LightRecord> rows;
  for (const auto& r : kRows) rows.push_back(Row(profile, kZoneMatrix, r.mode, r.nameId, r.configFunc, kMatrixBrightness));
  return rows;
}

bool LightDefaults::SeedZones(KeyboardDataStore& store, int profile, int deviceType) {
  if (store.GetLightCount(profile) >= 1) return false;
  for (const LightRecord& row : ZoneRows(profile, deviceType)) store.AddLight(row);
  for (int zone : {kZoneMain, kZoneSecond, kZoneThird}) store.SetActiveLightMode(profile, zone, 1);
  return true;
}

void LightDefaults::SeedMatrix(KeyboardDataStore& store, int profile) {
  for (const LightRecord& row : MatrixRows(profile)) store.AddLight(row);
  store.SetActiveLightMode(profile, kZoneMatrix, 0);
}
