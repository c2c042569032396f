#include "widgets/LCDPalette.h"
#include <algorithm>
#include "core/MRender.h"
#include "widgets/HslColor.h"

using namespace pickerhsl;

namespace {
constexpr int kSwatchLightness[9] = {190, 175, 150, 125, 100, 75, 50, 25, 10};  // of 200
constexpr int kSwatchPitch = 40;

Gdiplus::Color Opaque(COLORREF c) { return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)); }
}  // namespace

LCDPalette::LCDPalette(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1) {
  // A control made at its place is never moved there: its active areas start with it.
  m_hueBar = CRect(rect.left, rect.top, rect.right, rect.top + 20);
  m_swatchRow = CRect(rect.left, rect.top + 35, rect.right, rect.top + 51);
  m_selectColor = SwatchColor(m_swatch);
}

LCDPalette::~LCDPalette() = default;
const wchar_t* LCDPalette::GetClassNameW() const { return L"LCDPalette"; }

COLORREF LCDPalette::SwatchColor(int swatch) const {
  return NonBlack(HslToRgb(m_marker / 360.0f, 1.0f, kSwatchLightness[std::clamp(swatch, 0, 8)] / 200.0f));
}

void LCDPalette::SetSelectColor(unsigned long colour) {
  m_selectColor = colour;
  UpdateControl(1, 0);
}

void LCDPalette::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    for (int i = 0; i <= w - 21; ++i)
      MRender::FillSolidRect(m_hMemDC, 10 + i, 0, 1, 20, NonBlack(HslToRgb(i / 360.0f, 1.0f, 0.5f)));
    for (int k = 0; k < 9; ++k)
      MRender::FillSolidRect(m_hMemDC, 10 + kSwatchPitch * k, 35, 39, 16, SwatchColor(k));
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
    g.FillEllipse(&white, m_marker, 0, 20, 19);
    const Gdiplus::Color chosen = Opaque(SwatchColor(m_swatch));
    MRender::DrawRoundRectange(g, static_cast<float>(10 + kSwatchPitch * m_swatch), 31.0f, 39.0f, 24.0f, 2.0f, chosen,
                               1.0f, chosen);
    m_selectColor = SwatchColor(m_swatch);
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

long LCDPalette::OnMessage(unsigned, unsigned, unsigned, long) { return 0; }

void LCDPalette::SetControlRect(CRect rect) {
  if (rect == m_rcControl) return;
  m_rcControl = rect;
  m_hueBar = CRect(rect.left, rect.top, rect.right, rect.top + 20);
  m_swatchRow = CRect(rect.left, rect.top + 35, rect.right, rect.top + 51);
  UpdateControl(1, 0);
}

void LCDPalette::SetControlEnabled(int enabled) {
  if (enabled == m_bEnabled) return;
  m_bEnabled = enabled;
  UpdateControl(1, 0);
}

void LCDPalette::MoveMarker(int x) {
  m_marker = std::clamp(static_cast<int>(x - m_rcControl.left - 10), 0, 360);
  m_swatch = 4;
  UpdateControl(1, 0);
}

int LCDPalette::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point)) return 1;
  const CPoint local(point.x - m_rcControl.left, point.y - m_rcControl.top);
  if (local.y < 20) {
    if (CRect(m_marker, 0, m_marker + 20, 19).PtInRect(local)) m_dragging = 1;
    MoveMarker(point.x);
  } else if (local.y >= 35 && local.y < 51) {
    const int k = (local.x - 10) / kSwatchPitch;
    const bool onSwatch = local.x >= 10 && k < 9 && local.x < 49 + kSwatchPitch * k;
    if (onSwatch && k != m_swatch) {
      m_swatch = k;
      UpdateControl(1, 0);
    }
  }
  return 1;
}

int LCDPalette::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_dragging && m_rcControl.PtInRect(point)) MoveMarker(point.x);
  return 1;
}

int LCDPalette::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_hueBar.PtInRect(point) || m_swatchRow.PtInRect(point)) SendMessageW(NOTIFY_CLICK, 0, 0);
  m_dragging = 0;
  return 1;
}

int LCDPalette::OnControlScroll(int, unsigned direction, CPoint point) {
  if (!m_rcControl.PtInRect(point)) return 0;
  const int before = m_marker;
  m_marker = std::clamp(m_marker + (direction == 1 ? -2 : 2), 0, 360);
  if (m_marker != before) {
    m_swatch = 4;
    UpdateControl(1, 0);
  }
  return 1;
}
