#include "widgets/CKeyTestCtrl.h"

CKeyTestCtrl::CKeyTestCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
CKeyTestCtrl::~CKeyTestCtrl() = default;
const wchar_t* CKeyTestCtrl::GetClassNameW() const { return L"CKeyTestCtrl"; }
void CKeyTestCtrl::DrawControl(HDC&, CRect) {}

KeyLayerCtrl::KeyLayerCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
KeyLayerCtrl::~KeyLayerCtrl() = default;
const wchar_t* KeyLayerCtrl::GetClassNameW() const { return L"KeyLayerCtrl"; }
void KeyLayerCtrl::DrawControl(HDC&, CRect) {}

BatteryCtrl::BatteryCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
BatteryCtrl::~BatteryCtrl() = default;
const wchar_t* BatteryCtrl::GetClassNameW() const { return L"BatteryCtrl"; }
void BatteryCtrl::DrawControl(HDC&, CRect) {}

void BatteryCtrl::SetBatteryInfo(int level, int charging) {
  if (level > 100) level = 100;
  if (level == m_level && charging == m_charging) return;
  m_level = level;
  m_charging = charging;
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}
