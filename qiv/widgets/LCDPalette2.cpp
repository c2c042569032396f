#include "widgets/LCDPalette2.h"
#include <algorithm>
#include "core/MRender.h"
#include "widgets/HslColor.h"

using namespace pickerhsl;

LCDPalette2::LCDPalette2(MObject* parent, unsigned id, CRect rect, int visible)
    // A strip made at its place is never moved there: its pick area starts with it.
    : MControlFont(parent, id, rect, L"", visible, 1, 1), m_pickArea(rect) {
  m_selectColor = 0xFF000000 | MarkerColor();
}

LCDPalette2::~LCDPalette2() = default;
const wchar_t* LCDPalette2::GetClassNameW() const { return L"LCDPalette2"; }

COLORREF LCDPalette2::MarkerColor() const {
  const int w = m_rcControl.Width();
  const int hue = w > 0 ? m_markerX * 360 / w : 0;
  return NonBlack(HslToRgb(hue / 360.0f, 1.0f, 0.5f));
}

unsigned long LCDPalette2::GetSelectColor() const { return m_selectColor & 0xFFFFFF; }

void LCDPalette2::SetSelectColor(unsigned long colour) {
  m_selectColor = colour;
  UpdateControl(1, 0);
}

void LCDPalette2::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    for (int k = 0; k <= w - 11; ++k) {
      const int hue = 360 * k / (w - 10);
      MRender::FillSolidRect(m_hMemDC, 10 + k, h - 20, 1, 20, NonBlack(HslToRgb(hue / 360.0f, 1.0f, 0.5f)));
    }
    if (m_pImage && m_frameWidth > 0) {
      Gdiplus::Graphics g(m_hMemDC);
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      g.DrawImage(m_pImage, m_markerX, h - m_frameHeight - 20, m_frameWidth, m_frameHeight);
    }
    m_selectColor = 0xFF000000 | MarkerColor();
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

long LCDPalette2::OnMessage(unsigned, unsigned, unsigned, long) { return 0; }

void LCDPalette2::SetControlRect(CRect rect) {
  if (rect == m_rcControl) return;
  m_rcControl = rect;
  m_pickArea = rect;
  UpdateControl(1, 0);
}

void LCDPalette2::SetControlEnabled(int enabled) {
  if (enabled == m_bEnabled) return;
  m_bEnabled = enabled;
  UpdateControl(1, 0);
}

void LCDPalette2::MoveMarker(int x) {
  m_markerX = std::clamp(static_cast<int>(x - m_rcControl.left - 5), 0, m_rcControl.Width());
  UpdateControl(1, 0);
}

int LCDPalette2::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point) || !m_pickArea.PtInRect(point)) return 1;
  const int x = point.x - m_rcControl.left;
  if (x >= m_markerX && x < m_markerX + 20) m_dragging = 1;
  MoveMarker(point.x);
  return 1;
}

int LCDPalette2::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_dragging && m_rcControl.PtInRect(point)) MoveMarker(point.x);
  return 1;
}

int LCDPalette2::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcControl.PtInRect(point) && m_pickArea.PtInRect(point)) SendMessageW(NOTIFY_CLICK, 0, 0);
  m_dragging = 0;
  return 1;
}

int LCDPalette2::OnControlScroll(int, unsigned direction, CPoint point) {
  if (!m_rcControl.PtInRect(point)) return 0;
  const int before = m_markerX;
  m_markerX = std::clamp(m_markerX + (direction == 1 ? -2 : 2), 0, m_rcControl.Width());
  if (m_markerX != before) UpdateControl(1, 0);
  return 1;
}
