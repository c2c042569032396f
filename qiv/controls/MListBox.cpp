#include "controls/MListBox.h"

MListBox::MListBox(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
MListBox::~MListBox() = default;
const wchar_t* MListBox::GetClassNameW() const { return L"MListBox"; }
