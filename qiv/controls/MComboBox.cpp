#include "controls/MComboBox.h"

MComboBox::MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
MComboBox::~MComboBox() = default;
const wchar_t* MComboBox::GetClassNameW() const { return L"MComboBox"; }
void MComboBox::DrawControl(HDC&, CRect) {}

CComboBoxList::CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MPanel(parent, id, rect, visible) {}
CComboBoxList::~CComboBoxList() = default;
const wchar_t* CComboBoxList::GetClassNameW() const { return L"CComboBoxList"; }
