#include "controls/MSlider.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include "controls/DrawHelpers.h"
#include "core/Manager.h"

using namespace qiv_paint;

MSlider::MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  SetTextColor(Gdiplus::Color(0xFF050505));
  m_hAlign = 1;
  m_vAlign = 4;
  SetProgress(0);
  SetControlRect(rect);
}

MSlider::~MSlider() = default;
const wchar_t* MSlider::GetClassNameW() const { return L"MSlider"; }

int MSlider::Travel(int width, int thumbWidth, int showText) {
  return width - thumbWidth - (showText ? kTextWidth : 0);
}

int MSlider::ThumbOffset(int value, int minimum, int maximum, int travel) {
  const int64_t span = int64_t(maximum) - minimum;
  if (span <= 0 || travel <= 0) return 0;
  return static_cast<int>(std::clamp<int64_t>(int64_t(travel) * (int64_t(value) - minimum) / span, 0, travel));
}

int MSlider::ValueAt(int dx, int minimum, int maximum, int travel, int fallback) {
  const int64_t span = int64_t(maximum) - minimum;
  if (span <= 0 || travel <= 0) return fallback;
  const int64_t value = int64_t(dx) * (span + 1) / travel + minimum;
  return static_cast<int>(std::clamp<int64_t>(value, minimum, maximum));
}

CString MSlider::ValueText(const CString& title, int value, int maximum) {
  CString text;
  if (maximum == 100) {
    text.Format(L"%s%d%%", title.GetString(), value);
  } else if (maximum <= 20) {
    text.Format(L"%s%d", title.GetString(), value);
  } else {
    const float scaled = std::trunc(static_cast<float>(value) * 100.0f);
    text.Format(L"%s%d%%", title.GetString(), static_cast<int>(std::trunc(scaled / static_cast<float>(maximum))));
  }
  return text;
}

void MSlider::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

void MSlider::PlaceThumb() {
  const int travel = Travel(m_rcControl.Width(), m_thumbWidth, m_bShowText);
  const int x = ThumbOffset(m_value, m_min, m_max, travel);
  m_rcThumb = CRect(x, 0, x + m_thumbWidth, m_thumbHeight);
  m_rcThumb.OffsetRect(m_rcControl.left, m_rcControl.top);
}

void MSlider::SetControlRect(CRect rect) {
  if (m_max <= 0) return;
  m_rcControl = rect;
  PlaceThumb();
}

int MSlider::SetProgress(int value) {
  value = std::min(value, m_max);
  if (value < 0 || value == m_value) return m_value;
  m_value = value;
  SetControlRect(m_rcControl);
  Repaint(1);
  return m_value;
}

int MSlider::MoveThumbPos(CPoint point) {
  const int travel = Travel(m_rcControl.Width(), m_thumbWidth, m_bShowText);
  const int value = ValueAt(point.x - m_rcControl.left, m_min, m_max, travel, m_value);
  if (value == m_value) return m_value;
  m_value = value;
  PlaceThumb();
  Repaint(1);
  SendMessageW(NOTIFY_POSITION, static_cast<unsigned>(m_value), 0);
  return m_value;
}

int MSlider::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int before = m_thumbState;
  if (OnThumb(point)) {
    m_thumbState = 2;
    MoveThumbPos(point);
  } else {
    MoveThumbPos(point);
    if (OnThumb(point)) m_thumbState = 2;
  }
  if (m_thumbState == before) return 0;
  Repaint(0);
  return 1;
}

int MSlider::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_thumbState == 2) {
    MoveThumbPos(point);
    return 1;
  }
  if (m_bPressed) return 0;
  const int state = m_rcControl.PtInRect(point) && OnThumb(point) ? 1 : 0;
  if (state == m_thumbState && m_bUpdate) return 0;
  m_thumbState = state;
  m_bUpdate = 0;
  Repaint(0);
  return 1;
}

int MSlider::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int before = m_thumbState;
  m_thumbState = OnThumb(point) ? 1 : 0;
  SendMessageW(NOTIFY_CLICK, 0, 0);
  if (m_thumbState == before) return 0;
  Repaint(0);
  return 1;
}

int MSlider::OnControlScroll(int, unsigned direction, CPoint) {
  const int value = std::clamp(m_value + (direction == 1 ? -1 : 1), m_min, std::max(m_min, m_max));
  if (value != m_value) {
    SetProgress(value);
    SendMessageW(NOTIFY_CLICK, 0, 0);
  }
  return 1;
}

void MSlider::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    Copy(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    if (m_max > m_min) {
      const int x = m_rcThumb.left - m_rcControl.left;
      Gdiplus::SolidBrush track(Gdiplus::Color(0xFF1E1E1E)), down(Manager::m_down_color);
      g.FillRectangle(&track, 3, 7, w - (m_bShowText ? 66 : 6), 3);
      g.FillRectangle(&down, 3, 7, x + 10, 3);
      g.FillEllipse(&down, x, 0, m_thumbWidth, m_thumbHeight);
    }
    if (m_bShowText) {
      g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
      auto font = ControlFont(*this);
      Gdiplus::StringFormat format;
      SetFormat(format, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter);
      Text(g, GetValueText(), *font, RectF(w - kTextWidth, 0, kTextWidth, 20), format, m_textColor);
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
}
