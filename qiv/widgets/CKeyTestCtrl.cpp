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
