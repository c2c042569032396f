#include "controls/CIconButton.h"

CIconButton::CIconButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
CIconButton::~CIconButton() = default;
const wchar_t* CIconButton::GetClassNameW() const { return L"CIconButton"; }
void CIconButton::DrawControl(HDC&, CRect) {}

CTimerButton::CTimerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
CTimerButton::~CTimerButton() = default;
const wchar_t* CTimerButton::GetClassNameW() const { return L"CTimerButton"; }
void CTimerButton::DrawControl(HDC&, CRect) {}

CHelpButton::CHelpButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
CHelpButton::~CHelpButton() = default;
const wchar_t* CHelpButton::GetClassNameW() const { return L"CHelpButton"; }
void CHelpButton::DrawControl(HDC&, CRect) {}
