#include "widgets/KeyFuncControl.h"

KeyFuncControl::KeyFuncControl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
KeyFuncControl::~KeyFuncControl() = default;
const wchar_t* KeyFuncControl::GetClassNameW() const { return L"KeyFuncControl"; }
