#include "controls/MLevelCtrl.h"

MLevelCtrl::MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
MLevelCtrl::~MLevelCtrl() = default;
const wchar_t* MLevelCtrl::GetClassNameW() const { return L"MLevelCtrl"; }
void MLevelCtrl::DrawControl(HDC&, CRect) {}
