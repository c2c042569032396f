#include "controls/CirclePalette.h"
#include <algorithm>
#include <cmath>
#include "controls/DrawHelpers.h"
#include "core/PaintManager.h"

CirclePalette::CirclePalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1),
      m_cache(static_cast<size_t>(kCacheSize) * kCacheSize, 0) {}

CirclePalette::~CirclePalette() = default;
const wchar_t* CirclePalette::GetClassNameW() const { return L"CirclePalette"; }

void CirclePalette::Repaint() {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

void CirclePalette::SetControlRect(CRect rect) {
  if (rect == m_rcControl) return;
  m_rcControl = rect;
  m_rcMarker = CRect(rect.left + 60, rect.top + 10, rect.left + 70, rect.top + 20);
  Repaint();
}

int CirclePalette::SetImage(unsigned resId, CString type, int frames) {
  if (!m_pManager || frames < 1) return 0;
  ImgResInfo* info = m_pManager->AddImgResInfo(resId, type, frames, 1);
  if (!info || !info->image) return 0;
  m_pImage = info->image;
  m_imageCount = frames;
  m_frameWidth = info->frameWidth;
  m_frameHeight = info->height;
  return 1;
}

int CirclePalette::SetImage(const wchar_t* file, int frames) {
  if (!m_pManager || frames < 1) return 0;
  ImgResInfo* info = m_pManager->AddImgResInfo(file, frames);
  if (!info || !info->image) return 0;
  m_pImage = info->image;
  m_imageCount = frames;
  m_frameWidth = info->frameWidth;
  m_frameHeight = info->height;
  return 1;
}

COLORREF CirclePalette::GetCachedColor(int x, int y) const {
  if (x < 0 || y < 0 || x >= kCacheSize || y >= kCacheSize) return 0;
  return m_cache[static_cast<size_t>(x) * kCacheSize + y];
}

int CirclePalette::GetDistanse(CPoint point) const {
  const CPoint c((m_rcControl.right - m_rcControl.left) / 2 + m_rcControl.left,
                 (m_rcControl.bottom - m_rcControl.top) / 2 + m_rcControl.top);
  const double dx = point.x - c.x, dy = point.y - c.y;
  return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

int CirclePalette::MoveThumbPos(CPoint point) {
  if (GetDistanse(point) > kReach) return 0;
  m_last = point;
  const CRect marker(point.x - 5, point.y - 5, point.x + 5, point.y + 5);
  if (marker == m_rcMarker) return 0;
  m_rcMarker = marker;
  // The colour is the picture's under the mouse cursor itself, read from the cache.
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  if (m_pManager && m_pManager->GetPaintWnd()) ::ScreenToClient(m_pManager->GetPaintWnd(), &cursor);
  const int x = cursor.x - m_rcControl.left, y = cursor.y - m_rcControl.top;
  if (x >= 0 && y >= 0 && x < std::min<int>(kCacheSize, m_rcControl.Width()) &&
      y < std::min<int>(kCacheSize, m_rcControl.Height()))
    m_selected = GetCachedColor(x, y);
  Repaint();
  SendMessageW(NOTIFY_COLOR_CHANGED, 0, static_cast<long>(m_selected));
  return 0;
}

int CirclePalette::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcMarker.PtInRect(point)) m_state = 2;
  MoveThumbPos(point);
  return 0;
}

int CirclePalette::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_state == 2) {
    if (std::abs(point.x - m_last.x) > 5 || std::abs(point.y - m_last.y) > 5) MoveThumbPos(point);
    return 1;
  }
  m_state = m_rcMarker.PtInRect(point) ? 1 : 0;
  return 0;
}

int CirclePalette::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  m_state = m_rcMarker.PtInRect(point) ? 1 : 0;
  SendMessageW(NOTIFY_CLICK, 0, static_cast<long>(m_selected));
  return 0;
}

void CirclePalette::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    qiv_paint::Copy(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
    Gdiplus::Graphics g(m_hMemDC);
    if (m_pImage)
      g.DrawImage(m_pImage, Gdiplus::Rect(0, 0, w, h), 0, 0, m_frameWidth, m_frameHeight, Gdiplus::UnitPixel);
    g.Flush();
    if (GetCachedColor(0, 0) == 0 && GetCachedColor(10, 10) == 0) {
      for (int x = 0; x < std::min(w, static_cast<int>(kCacheSize)); ++x)
        for (int y = 0; y < std::min(h, static_cast<int>(kCacheSize)); ++y)
          m_cache[static_cast<size_t>(x) * kCacheSize + y] = ::GetPixel(m_hMemDC, x, y);
    }
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const float mx = static_cast<float>(m_rcMarker.left - m_rcControl.left);
    const float my = static_cast<float>(m_rcMarker.top - m_rcControl.top);
    Gdiplus::Pen white(Gdiplus::Color(0xFEFFFFFF), 1.0f), grey(Gdiplus::Color(0xFE808080), 1.0f);
    g.DrawEllipse(&white, mx, my, 8.0f, 8.0f);
    g.DrawEllipse(&grey, mx + 1, my + 1, 8.0f, 8.0f);
  }
  qiv_paint::Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
}
