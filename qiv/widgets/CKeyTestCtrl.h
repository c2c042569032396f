// The key tester, the key-layer tabs and the battery indicator.
#pragma once
#include "core/MControlFont.h"

class QIV_API CKeyTestCtrl : public MControlFont {
public:
  CKeyTestCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CKeyTestCtrl() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API KeyLayerCtrl : public MControlFont {
public:
  KeyLayerCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyLayerCtrl() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API BatteryCtrl : public MControlFont {
public:
  BatteryCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~BatteryCtrl() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;

  // Level 0-100 (more is held at 100) and charging state; repaints only on a change.
  // Called from the worker: the two values are plain ints read by the painting.
  void SetBatteryInfo(int level, int charging);
  int GetBatteryLevel() const { return m_level; }
  int GetBatteryCharging() const { return m_charging; }

private:
  int m_level = 100;
  int m_charging = 0;
};
