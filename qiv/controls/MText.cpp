#include "controls/MText.h"
#include <algorithm>
#include <optional>
#include "controls/DrawHelpers.h"
#include "core/MRender.h"
#include "core/RenderCanvas.h"

using namespace qiv_paint;

MText::MText(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible)
    : MControlFont(parent, id, rect, text, visible, 0, 1) {}

MText::~MText() = default;
const wchar_t* MText::GetClassNameW() const { return L"MText"; }

void MText::Repaint() {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

long MText::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  OnMessage(id, code, wParam, lParam);
  return 0;
}

long MText::OnMessage(unsigned id, unsigned code, unsigned, long) {
  if (id == 1 && code == NOTIFY_POSITION) Repaint();
  return 0;
}

void MText::SetControlRect(CRect rect) { m_rcControl = rect; }
int MText::OnControlScroll(int, unsigned, CPoint) { return 1; }

void MText::SetMarkText(const wchar_t* mark) {
  const CString m(mark);
  if (m == m_mark) return;
  m_mark = m;
  Repaint();
}

void MText::SetMarkText(const wchar_t* mark, Gdiplus::Color colour, int start) {
  const CString m(mark);
  if (m == m_mark && colour.GetValue() == m_markColour.GetValue() && start == m_markStart) return;
  m_mark = m;
  m_markColour = colour;
  m_markStart = start;
  Repaint();
}

void MText::SetTitleMarkText(const wchar_t* title, const wchar_t* mark, int) {
  const CString t(title), m(mark);
  if (t == m_title && m == m_mark) return;
  m_title = t;
  m_mark = m;
  Repaint();
}

void MText::SetMarkText(const wchar_t* title, const wchar_t* mark, Gdiplus::Color colour, int start) {
  const CString t(title), m(mark);
  if (t == m_title && m == m_mark && colour.GetValue() == m_markColour.GetValue() && start == m_markStart) return;
  m_title = t;
  m_mark = m;
  m_markColour = colour;
  m_markStart = start;
  Repaint();
}

void MText::EnableTextBack(int enable, Gdiplus::Color colour) {
  if ((enable != 0) != (m_bBack != 0)) {
    m_bBack = enable;
    m_backColour = colour;
  }
  Repaint();
}

int MText::FindMark(const CString& title, const CString& mark, int start) {
  if (mark.IsEmpty() || start < 0 || start > title.GetLength()) return -1;
  return title.Find(mark, start);
}

void MText::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    // Rendered on the window's canvas with its kept font, so text comes from the memo.
    RenderCanvas canvas(GetManager(), hdc, w, h);
    std::optional<Gdiplus::Graphics> own;
    HDC target = canvas.Ok() ? canvas.Dc() : m_hMemDC;
    if (m_bBack) {
      if (canvas.Ok()) Copy(target, 0, 0, w, h, m_hMemDC, 0, 0);  // under a translucent back, as before
    } else {
      Copy(target, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
    }
    ::SetBkMode(m_hMemDC, TRANSPARENT);
    if (!canvas.Ok()) own.emplace(m_hMemDC);
    Gdiplus::Graphics& g = canvas.Ok() ? canvas.Graphics() : *own;
    if (m_bBack) MRender::FillRectangle(g, m_backColour, 0, 0, w, h);
    g.SetTextRenderingHint(m_textRenderingHint);
    g.SetSmoothingMode(m_smoothingMode);
    std::unique_ptr<Gdiplus::Font> made;
    const Gdiplus::Font* font = GetFont();
    if (!font) {
      made = ControlFont(*this);
      font = made.get();
    }
    Gdiplus::StringFormat format;
    if (m_hAlign == 0) format.SetAlignment(Gdiplus::StringAlignmentNear);
    else if (m_hAlign == 1) format.SetAlignment(Gdiplus::StringAlignmentCenter);
    else if (m_hAlign == 2) format.SetAlignment(Gdiplus::StringAlignmentFar);
    if (m_vAlign == 0) format.SetLineAlignment(Gdiplus::StringAlignmentNear);
    else if (m_vAlign == 4) format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    else if (m_vAlign == 8) format.SetLineAlignment(Gdiplus::StringAlignmentFar);
    if (m_bMultiLine) {
      format.SetFormatFlags(0x4800);
      if (m_bVCenter) format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    } else {
      format.SetFormatFlags(0x1800);
    }
    const int at = FindMark(m_title, m_mark, m_markStart);
    if (at >= 0) {
      // The parts follow one another from the left edge; each keeps the label's vertical
      // alignment over the label's height (drawn at bare points, a centred line would sit
      // on the label's top edge, half cut off).
      Gdiplus::StringFormat parts(&format);
      parts.SetAlignment(Gdiplus::StringAlignmentNear);
      const CString left = m_title.Left(at);
      const CString right = m_title.Mid(at + m_mark.GetLength());
      const float wL = left.IsEmpty() ? 0.0f : static_cast<float>(MRender::GetTextBounds(*font, format, left).Width);
      const float wM = static_cast<float>(MRender::GetTextBounds(*font, format, m_mark).Width);
      auto draw = [&](const CString& text, float x, float y, Gdiplus::Color colour) {
        if (text.IsEmpty()) return;
        Gdiplus::SolidBrush brush(colour);
        const Gdiplus::RectF layout(x, y, std::max(0.0f, static_cast<float>(w) - x), static_cast<float>(h));
        MRender::DrawString(g, text.GetString(), text.GetLength(), *font, layout, parts, brush);
      };
      if (m_bShadow) {
        draw(left, 1, 1, m_shadowColour);
        draw(m_mark, wL + 3, 1, m_shadowColour);
        draw(right, wL + wM + 5, 1, m_shadowColour);
      }
      draw(left, 0, 0, m_textColor);
      draw(m_mark, wL + 2, 0, m_markColour);
      draw(right, wL + wM + 4, 0, m_textColor);
    } else {
      auto text = [&](int x, int y, Gdiplus::Color colour) {
        if (m_title.IsEmpty()) return;
        Gdiplus::SolidBrush brush(colour);
        MRender::DrawString(g, m_title.GetString(), m_title.GetLength(), *font, RectF(x, y, w, h), format, brush);
      };
      if (m_bShadow) text(1, 1, m_shadowColour);
      text(0, 0, m_textColor);
    }
    if (canvas.Ok()) Copy(m_hMemDC, 0, 0, w, h, canvas.Dc(), 0, 0);
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
}
