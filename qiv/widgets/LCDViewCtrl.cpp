#include "widgets/LCDViewCtrl.h"

LCDViewCtrl::LCDViewCtrl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
LCDViewCtrl::~LCDViewCtrl() = default;
const wchar_t* LCDViewCtrl::GetClassNameW() const { return L"LCDViewCtrl"; }
