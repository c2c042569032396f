#include "widgets/BatteryLevel.h"

int ShownBatteryLevel(int level) {
  if (level <= 30) return 25;
  if (level <= 60) return 50;
  if (level <= 80) return 75;
  if (level <= 95) return 90;
  return level;
}

int BatteryIndicatorFrame(int level, int charging) {
  if (charging == 1) return STATUS_FRAME_CHARGING;
  if (level < 20) return STATUS_FRAME_LOW;
  if (level < 75) return STATUS_FRAME_MIDDLE;
  return STATUS_FRAME_HIGH;
}

int DeviceTileBatteryFrame(int level, int charging) {
  if (charging == 1) return STATUS_FRAME_CHARGING;
  return level <= 25 ? STATUS_FRAME_MIDDLE : STATUS_FRAME_HIGH;
}
