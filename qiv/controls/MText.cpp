#include "controls/MText.h"

MText::MText(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible)
    : MControlFont(parent, id, rect, text, visible, 0, 1) {}

MText::~MText() = default;
const wchar_t* MText::GetClassNameW() const { return L"MText"; }

void MText::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(m_textRenderingHint);
    g.SetSmoothingMode(m_smoothingMode);
    Gdiplus::FontFamily* family = GetFontFamily(m_fontName);
    Gdiplus::Font font(family ? family : Gdiplus::FontFamily::GenericSansSerif(), static_cast<Gdiplus::REAL>(m_fontSize),
                       m_fontStyle, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetAlignment(m_hAlign == 1 ? Gdiplus::StringAlignmentCenter
                        : m_hAlign == 2 ? Gdiplus::StringAlignmentFar
                                        : Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(m_vAlign == 4 ? Gdiplus::StringAlignmentCenter
                            : m_vAlign == 8 ? Gdiplus::StringAlignmentFar
                                            : Gdiplus::StringAlignmentNear);
    if (m_textBrush)
      g.DrawString(m_title.GetString(), m_title.GetLength(), &font,
                   Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(w), static_cast<Gdiplus::REAL>(h)), &format,
                   m_textBrush.get());
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}
