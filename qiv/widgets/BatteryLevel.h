// How a battery level is shown: the stepped percentage of the device list and the battery
// indicator, and the frame of the status picture each of them draws.
#pragma once
#include "qiv_export.h"

// Frames of the status picture "icon\icon_devicestatus.png", six side by side.
enum DeviceStatusFrame {
  STATUS_FRAME_LOW = 0,
  STATUS_FRAME_MIDDLE = 1,
  STATUS_FRAME_HIGH = 2,
  STATUS_FRAME_CHARGING = 3,
  STATUS_FRAME_USB = 4,
  STATUS_FRAME_24G = 5,
};

// Up to 30 shows 25, 31-60 shows 50, 61-80 shows 75, 81-95 shows 90, above that itself.
QIV_API int ShownBatteryLevel(int level);
// The battery indicator: charging, else low below 20, middle below 75, high from 75.
QIV_API int BatteryIndicatorFrame(int level, int charging);
// A device tile: charging, else middle up to 25 and high above.
QIV_API int DeviceTileBatteryFrame(int level, int charging);
