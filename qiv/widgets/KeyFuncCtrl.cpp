#include "widgets/KeyFuncCtrl.h"

KeyFuncCtrl::KeyFuncCtrl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
KeyFuncCtrl::~KeyFuncCtrl() = default;
const wchar_t* KeyFuncCtrl::GetClassNameW() const { return L"KeyFuncCtrl"; }
