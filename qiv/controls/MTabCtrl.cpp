#include "controls/MTabCtrl.h"

MTabCtrl::MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
MTabCtrl::~MTabCtrl() = default;
const wchar_t* MTabCtrl::GetClassNameW() const { return L"MTabCtrl"; }
void MTabCtrl::DrawControl(HDC&, CRect) {}

MTabLayout::MTabLayout(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
MTabLayout::~MTabLayout() = default;
const wchar_t* MTabLayout::GetClassNameW() const { return L"MTabLayout"; }
