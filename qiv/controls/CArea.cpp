#include "controls/CArea.h"

CArea::CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControl(parent, id, rect, visible, 1, 0) {}
CArea::~CArea() = default;
const wchar_t* CArea::GetClassNameW() const { return L"CArea"; }
void CArea::DrawControl(HDC&, CRect) {}

CRoundArea::CRoundArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled) : MControl(parent, id, rect, visible, enabled, 0) {}
CRoundArea::~CRoundArea() = default;
const wchar_t* CRoundArea::GetClassNameW() const { return L"CRoundArea"; }
void CRoundArea::DrawControl(HDC&, CRect) {}

CTextArea::CTextArea(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled) : MControlFont(parent, id, rect, text, visible, enabled, 1) {}
CTextArea::~CTextArea() = default;
const wchar_t* CTextArea::GetClassNameW() const { return L"CTextArea"; }
void CTextArea::DrawControl(HDC&, CRect) {}
