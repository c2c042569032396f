#include "pages/RawInputSink.h"

namespace {

constexpr USHORT kGenericDesktop = 1;
constexpr USHORT kMouse = 2;
constexpr USHORT kKeyboard = 6;

void RegisterBoth(DWORD flags, HWND target) {
  RAWINPUTDEVICE devices[2] = {
      {kGenericDesktop, kMouse, flags, target},
      {kGenericDesktop, kKeyboard, flags, target},
  };
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (RegisterRawInputDevices(devices, 2, sizeof(RAWINPUTDEVICE))) return;
  }
}

}  // namespace

void RegisterRawInputSink(HWND window) { RegisterBoth(RIDEV_INPUTSINK, window); }

void UnregisterRawInput(HWND) { RegisterBoth(RIDEV_REMOVE, nullptr); }
