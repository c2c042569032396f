// The main window's control block: one pointer per control id (30-441). The window's
// builder fills a slot when it creates the control; the window's paint manager owns the
// controls, so the pointers are valid only while the window exists and are null before.
// The typed pointers are the same controls for the callers that use their own interfaces.
#pragma once

class MControl;
class CDeviceList;
class KeyboardCtrl;
class ZephraEffect;
class MatrixScreen;
class MTabCtrl;
class BatteryCtrl;
class TabCtrlEx;

struct KeyboardDef {
  static constexpr int kFirstControlId = 30;
  static constexpr int kLastControlId = 441;

  MControl* m_controls[kLastControlId + 1] = {};

  CDeviceList* m_deviceList = nullptr;      // 81
  KeyboardCtrl* m_keyboardCtrl = nullptr;   // 58
  ZephraEffect* m_zephraEffect = nullptr;   // 59
  MatrixScreen* m_matrixScreen = nullptr;   // 277
  MTabCtrl* m_mainTab = nullptr;            // 68
  BatteryCtrl* m_batteryCtrl = nullptr;     // 46
  TabCtrlEx* m_zoneTypeTab = nullptr;       // 117

  // The control of that id, or null (not built, or an id outside the block).
  MControl* Control(int id) const {
    return id >= 0 && id <= kLastControlId ? m_controls[id] : nullptr;
  }
  void SetControl(int id, MControl* control) {
    if (id >= 0 && id <= kLastControlId) m_controls[id] = control;
  }
  // Visibility and titles of controls that may not be built; a missing one is skipped.
  void ShowControl(int id, int show) const;
  int IsControlVisible(int id) const;
  void SetControlTitle(int id, const wchar_t* title) const;

  // The device view of the frame (model title, profile area, battery, about button,
  // dividers, on-screen keyboard), shown (1) or hidden (0) together.
  void ShowDeviceFrame(int show) const;
  // The frame controls of the key-assignment page: Fn layers 56, key tester 57, buttons 60, 61.
  void ShowKeyPageGroup(int show) const;
  // The caption button that shares id 64 with the about picture button.
  MControl* m_aboutCaption = nullptr;
};
