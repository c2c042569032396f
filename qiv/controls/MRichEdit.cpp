#include "controls/MRichEdit.h"

MRichEdit::MRichEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int)
    : MPanel(parent, id, rect, visible) {
  SetControlTitle(text);
  SetTextColor(m_textColor);
}

MRichEdit::~MRichEdit() = default;
const wchar_t* MRichEdit::GetClassNameW() const { return L"MRichEdit"; }

void MRichEdit::SetTextColor(Gdiplus::Color color) {
  MPanel::SetTextColor(color);
  m_crText = color.ToCOLORREF();
}

int MRichEdit::SetControlFocus(int focus) {
  m_bFocused = focus ? 1 : 0;
  return MPanel::SetControlFocus(focus);
}

MEditEx::MEditEx(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled)
    : MRichEdit(parent, id, rect, text, visible, enabled) {}
MEditEx::~MEditEx() = default;
const wchar_t* MEditEx::GetClassNameW() const { return L"MEditEx"; }

CSpinButton::CSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MRichEdit(parent, id, rect, L"", visible, 1) {}
CSpinButton::~CSpinButton() = default;
const wchar_t* CSpinButton::GetClassNameW() const { return L"CSpinButton"; }
