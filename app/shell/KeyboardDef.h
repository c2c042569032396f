// The main window's control pointers that the device link uses. The window's builder
// sets them when it creates the controls; the window's paint manager owns the controls,
// so the pointers are valid only while the window exists and are null before.
#pragma once

class CDeviceList;
class KeyboardCtrl;
class ZephraEffect;
class MatrixScreen;

struct KeyboardDef {
  CDeviceList* m_deviceList = nullptr;      // 81
  KeyboardCtrl* m_keyboardCtrl = nullptr;   // 58
  ZephraEffect* m_zephraEffect = nullptr;   // 59
  MatrixScreen* m_matrixScreen = nullptr;   // 277
};
