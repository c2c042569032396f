#include "controls/MEdit.h"

MEdit::MEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
MEdit::~MEdit() = default;
const wchar_t* MEdit::GetClassNameW() const { return L"MEdit"; }
void MEdit::DrawControl(HDC&, CRect) {}
