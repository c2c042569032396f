#include "controls/MListBoxEx.h"

MListBoxEx::MListBoxEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MPanel(parent, id, rect, visible) {}
MListBoxEx::~MListBoxEx() = default;
const wchar_t* MListBoxEx::GetClassNameW() const { return L"MListBoxEx"; }
