#include "widgets/CDeviceList.h"

CDeviceList::CDeviceList(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MPanel(parent, id, rect, visible) {}
CDeviceList::~CDeviceList() = default;
const wchar_t* CDeviceList::GetClassNameW() const { return L"CDeviceList"; }

CDeviceCtrl::CDeviceCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
CDeviceCtrl::~CDeviceCtrl() = default;
const wchar_t* CDeviceCtrl::GetClassNameW() const { return L"CDeviceCtrl"; }
void CDeviceCtrl::DrawControl(HDC&, CRect) {}
