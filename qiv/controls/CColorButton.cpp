#include "controls/CColorButton.h"

CColorButton::CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
CColorButton::~CColorButton() = default;
const wchar_t* CColorButton::GetClassNameW() const { return L"CColorButton"; }
void CColorButton::DrawControl(HDC&, CRect) {}

CSwitchButton::CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
CSwitchButton::~CSwitchButton() = default;
const wchar_t* CSwitchButton::GetClassNameW() const { return L"CSwitchButton"; }
void CSwitchButton::DrawControl(HDC&, CRect) {}
