// The battery indicator of the window frame: a status frame (low, middle, high or
// charging) and the stepped percentage.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

class QIV_API BatteryCtrl : public MControlFont {
public:
  BatteryCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~BatteryCtrl() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  using MControlFont::SetImage;
  // The status sprite from the skins folder; the control owns it. No repaint.
  int SetImage(const wchar_t* file, int frames) override;

  // Level 0-100 (more is held at 100) and charging state; repaints only on a change.
  // Called from the worker: the two values are plain ints read by the painting.
  void SetBatteryInfo(int level, int charging);
  int GetBatteryLevel() const { return m_level; }
  int GetBatteryCharging() const { return m_charging; }
  // Two icons kept for the owner; the indicator does not draw them.
  int SetBatteryIcon(const wchar_t* first, const wchar_t* second);
  void SetShowBattery(int show) { m_show = show; }
  int GetShowBattery() const { return m_show; }

private:
  int m_level = 100;
  int m_charging = 0;
  std::unique_ptr<Gdiplus::Image> m_sprite;
  std::unique_ptr<Gdiplus::Image> m_icon1, m_icon2;
  int m_icon1Width = 0, m_icon1Height = 0, m_icon2Width = 0, m_icon2Height = 0;
  int m_show = 0;
};
