#include "widgets/KeyboardCtrl.h"

KeyboardCtrl::KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
KeyboardCtrl::~KeyboardCtrl() = default;
const wchar_t* KeyboardCtrl::GetClassNameW() const { return L"KeyboardCtrl"; }
