#include "controls/CLogonEdit.h"
#include "controls/DrawHelpers.h"
#include "controls/MScroll.h"

using namespace qiv_paint;

CLogonEdit::CLogonEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled)
    : MRichEdit(parent, id, rect, text, visible, enabled) {
  m_style = WS_HSCROLL | ES_AUTOHSCROLL;
  m_fontSize = 16;
  m_padding = RECT{50, 16, 5, 5};
}

CLogonEdit::~CLogonEdit() = default;
const wchar_t* CLogonEdit::GetClassNameW() const { return L"CLogonEdit"; }

int CLogonEdit::OnControlMouseMove(unsigned, CPoint) { return 0; }

void CLogonEdit::SetControlRect(CRect rect) { LayOut(rect, 14, 5); }

void CLogonEdit::DrawControl(HDC& hdc, CRect paint) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    qiv_paint::Copy(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
    Gdiplus::Graphics g(m_hMemDC);
    if (m_icon && m_icon->GetLastStatus() == Gdiplus::Ok)
      g.DrawImage(m_icon, Gdiplus::Rect(5, 16, m_iconWidth, m_iconHeight), 0, 0, m_iconWidth, m_iconHeight,
                  Gdiplus::UnitPixel);
    Gdiplus::Pen line(Gdiplus::Color(0xFE898989), 1.0f);
    g.DrawLine(&line, 0, h - 1, w, h - 1);
    if (!m_tip.IsEmpty()) {
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      Gdiplus::StringFormat format;
      SetFormat(format, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
      const bool empty = m_title.IsEmpty();
      auto font = ControlFont(*this, empty ? 14 : 9);
      const int paddedTop = m_padding.top, paddedHeight = h - m_padding.top - m_padding.bottom;
      const int x = empty ? m_padding.left : 2;
      const int y = empty ? (paddedHeight - 16) / 2 + paddedTop + 1 : 0;
      Text(g, m_tip, *font, RectF(x, y, w - 60, 16), format, Gdiplus::Color(0xFE898989));
    }
  }
  qiv_paint::Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
  DrawServices(hdc, paint);
}
