// A skinned push button with a red "1" badge in its corner while an update is pending.
#pragma once
#include "core/MControlFont.h"

class QIV_API UpgradeButton : public MControlFont {
public:
  UpgradeButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~UpgradeButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  // 0 nothing pending; any other value shows the badge. A change repaints.
  void SetUpgradeStatus(int status);
  int GetUpgradeStatus() const { return m_upgradeStatus; }
  int GetState() const { return m_state; }

private:
  int m_state = 0;
  int m_frameSize = 8;
  int m_upgradeStatus = 0;
};
