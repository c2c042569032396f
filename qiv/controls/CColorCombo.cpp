#include "controls/CColorCombo.h"
#include <algorithm>
#include "core/PaintManager.h"

CColorCombo::CColorCombo(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  m_state = enabled ? 0 : 3;
}

CColorCombo::~CColorCombo() = default;

const wchar_t* CColorCombo::GetClassNameW() const { return L"CColorCombo"; }

void CColorCombo::SetState(int state) {
  if (state == m_state) return;
  m_state = state;
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 0, this);
}

void CColorCombo::SetAreaColor(Gdiplus::Color colour) {
  m_area = colour;
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

int CColorCombo::SetImage(const wchar_t* file, int frames) { return MControlFont::SetImage(file, frames); }

void CColorCombo::SetControlRect(CRect rect) { m_rcControl = rect; }

void CColorCombo::SetControlEnabled(int enabled) {
  m_bEnabled = enabled;
  SetState(enabled ? 0 : 3);
}

int CColorCombo::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled || m_state == 2) return 0;
  SetState(m_rcControl.PtInRect(point) ? 1 : 0);
  return 1;
}

int CColorCombo::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  SetState(2);
  SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  return 1;
}

int CColorCombo::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  SetState(1);
  SendMessageW(NOTIFY_CLICK, 0, 0);
  return 1;
}

void CColorCombo::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, 4 * w, h);
    Gdiplus::Graphics g(m_hMemDC);
    Gdiplus::SolidBrush fill(m_area);
    for (int i = 0; i < 4; ++i) {
      ::BitBlt(m_hMemDC, i * w, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
      g.FillRectangle(&fill, i * w, 0, w, h);
      Gdiplus::Pen outline(Gdiplus::Color(i == 3 ? 0xFE808080 : 0xFE050505), 1.0f);
      g.DrawRectangle(&outline, i * w, 0, w - 1, h - 1);
    }
    Gdiplus::Pen red(Gdiplus::Color(0xFEFF0000), 1.0f);
    g.DrawLine(&red, 3 * w, h, 4 * w, 0);
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, std::clamp(m_state, 0, 3) * w, 0, SRCCOPY);
}
