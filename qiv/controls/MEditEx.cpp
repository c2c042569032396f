#include "controls/MEditEx.h"
#include "controls/MScroll.h"

MEditEx::MEditEx(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled)
    : MRichEdit(parent, id, rect, text, visible, enabled) {
  m_style = WS_HSCROLL | ES_AUTOHSCROLL;
}

MEditEx::~MEditEx() = default;
const wchar_t* MEditEx::GetClassNameW() const { return L"MEditEx"; }

void MEditEx::SetControlRect(CRect rect) { LayOut(rect, rect.Height() / 2 - 8, rect.Height() / 2 - 8); }

void MEditEx::DrawControl(HDC& hdc, CRect paint) {
  if (m_rcControl.IsRectEmpty()) return;
  DrawBackground(hdc, m_rcControl.Width(), true, true, 2);
  DrawServices(hdc, paint);
}
