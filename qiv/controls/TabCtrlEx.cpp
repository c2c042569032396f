#include "controls/TabCtrlEx.h"

TabCtrlEx::TabCtrlEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
TabCtrlEx::~TabCtrlEx() = default;
const wchar_t* TabCtrlEx::GetClassNameW() const { return L"TabCtrlEx"; }
void TabCtrlEx::DrawControl(HDC&, CRect) {}
