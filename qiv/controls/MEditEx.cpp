#include "controls/MEditEx.h"
#include "controls/MScroll.h"

MEditEx::MEditEx(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled)
    : MRichEdit(parent, id, rect, text, visible, enabled) {
  m_style = WS_HSCROLL | ES_AUTOHSCROLL;
}

MEditEx::~MEditEx() = default;
const wchar_t* MEditEx::GetClassNameW() const { return L"MEditEx"; }

void MEditEx::SetControlRect(CRect rect) { LayOut(rect, rect.Height() / 2 - 8, rect.Height() / 2 - 8); }

void MEditEx::LayOut(CRect rect, int top, int bottom) {
  m_rcControl = rect;
  m_padding.top = top;
  m_padding.bottom = bottom;
  if (!m_host) return;
  CRect text = PaddedArea();
  const int t = m_scrollThickness;
  if ((m_style & ES_MULTILINE) && m_pScrollV) {
    m_pScrollV->SetControlRect(CRect(text.right - t, text.top, text.right, text.bottom));
    text.right -= t;
  }
  if ((m_style & (WS_HSCROLL | ES_AUTOHSCROLL)) && m_pScrollH)
    m_pScrollH->SetControlRect(CRect(text.left, text.bottom - t, text.right, text.bottom));
  m_host->SetClientRect(text);
}

void MEditEx::DrawControl(HDC& hdc, CRect paint) {
  if (m_rcControl.IsRectEmpty()) return;
  DrawBackground(hdc, m_rcControl.Width(), true, true, 2);
  DrawServices(hdc, paint);
}
