// Mouse editing of the lighting canvas: selecting, moving, resizing and scaling music
// layers, moving the keys or the GIF, and the right-button frame selection.
#include "canvas/ZephraEffect.h"

#include <algorithm>
#include <cstdlib>

namespace {
bool Inside(CPoint p, int l, int t, int r, int b) { return p.x >= l && p.x < r && p.y >= t && p.y < b; }
}  // namespace

int ZephraEffect::GetDragType(CPoint p, CRect rc) const {
  const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
  if (Inside(p, l - 8, t - 8, l + 8, t + 8)) return 6;
  if (Inside(p, r - 8, t - 8, r + 8, t + 8)) return 7;
  if (Inside(p, l - 8, b - 8, l + 8, b + 8)) return 8;
  if (Inside(p, r - 8, b - 8, r + 8, b + 8)) return 9;
  if (std::abs(p.x - l) < 8 && p.y >= t && p.y <= b) return 2;
  if (std::abs(p.x - r) < 8 && p.y >= t && p.y <= b) return 4;
  if (std::abs(p.y - t) < 8 && p.x >= l && p.x <= r) return 3;
  if (std::abs(p.y - b) < 8 && p.x >= l && p.x <= r) return 5;
  if (rc.PtInRect(p)) return 1;
  return 0;
}

const wchar_t* ZephraEffect::GetDragCursor(int type) {
  switch (type) {
    case 6: case 9: return IDC_SIZENWSE;
    case 7: case 8: return IDC_SIZENESW;
    case 2: case 4: return IDC_SIZEWE;
    case 3: case 5: return IDC_SIZENS;
    case 1: return IDC_SIZEALL;
    default: return IDC_ARROW;
  }
}

int ZephraEffect::OnControlMouseMove(unsigned flags, CPoint point) {
  if (!m_bEnabled) return 0;
  const bool dragging = (flags & MK_LBUTTON) != 0;
  if (!dragging) {
    const int hoverBefore = m_hoverLayer;
    if (m_zephraMode == ZEPHRA_MUSIC) {
      CriticalSectionLock lock(m_layerLock);
      const int count = int(m_layers.size());
      if (m_selectedLayer >= 0 && m_selectedLayer < count) {
        CRect r = LayerDisplayRect(*m_layers[size_t(m_selectedLayer)]);
        r.OffsetRect(m_rcControl.TopLeft());
        const int type = GetDragType(point, r);
        ::SetCursor(::LoadCursorW(nullptr, GetDragCursor(type)));
        if (type != 0) return 0;
      }
      m_hoverLayer = -1;
      for (int i = count - 1; i >= 0; --i) {
        CRect r = LayerDisplayRect(*m_layers[size_t(i)]);
        r.OffsetRect(m_rcControl.TopLeft());
        if (r.PtInRect(point)) {
          m_hoverLayer = i;
          ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
          break;
        }
      }
    } else {
      if (m_rcControl.PtInRect(point)) ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      m_hoverLayer = -1;
    }
    if (m_hoverLayer != hoverBefore) Repaint();
    return 0;
  }
  if (!m_rcControl.PtInRect(point) || m_dragType == 0) return 1;
  const int dx = point.x - m_downPoint.x, dy = point.y - m_downPoint.y;
  if (m_zephraMode == ZEPHRA_MUSIC) {
    CriticalSectionLock lock(m_layerLock);
    if (m_selectedLayer >= 0 && m_selectedLayer < int(m_layers.size())) {
      CRect r = m_dragRect;
      switch (m_dragType) {
        case 1: r.OffsetRect(dx, dy); break;
        case 2: r.left += dx; break;
        case 3: r.top += dy; break;
        case 4: r.right += dx; break;
        case 5: r.bottom += dy; break;
        case 6: r.left += dx, r.top += dy; break;
        case 7: r.right += dx, r.top += dy; break;
        case 8: r.left += dx, r.bottom += dy; break;
        case 9: r.right += dx, r.bottom += dy; break;
        default: break;
      }
      if (r.Width() > 49 && r.Height() > 49) m_layers[size_t(m_selectedLayer)]->rect = r;
      Repaint();
      return 1;
    }
  }
  if (m_dragType == 1 && (std::abs(dx) > 2 || std::abs(dy) > 2)) {
    if (m_zephraMode == ZEPHRA_GIF) {
      m_gifPosition.x += dx, m_gifPosition.y += dy;
    } else {
      m_keyOffset.x += dx, m_keyOffset.y += dy;
    }
    m_downPoint = point;
    Repaint();
  }
  return 1;
}

int ZephraEffect::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point)) return 0;
  m_downPoint = point;
  if (m_zephraMode == ZEPHRA_MUSIC) {
    CriticalSectionLock lock(m_layerLock);
    const int count = int(m_layers.size());
    m_dragType = 0;
    auto grab = [&](int index) {
      CRect r = LayerDisplayRect(*m_layers[size_t(index)]);
      r.OffsetRect(m_rcControl.TopLeft());
      m_dragType = GetDragType(point, r);
      m_dragRect = m_layers[size_t(index)]->rect;
    };
    if (m_selectedLayer >= 0 && m_selectedLayer < count) {
      grab(m_selectedLayer);
      if (m_dragType == 0) m_dragRect.SetRectEmpty();
    }
    if (m_dragType == 0) {
      if (m_hoverLayer < 0 || m_hoverLayer >= count) {
        m_selectedLayer = -1;
        m_dragType = 1;
      } else {
        m_selectedLayer = m_hoverLayer;
        grab(m_selectedLayer);
      }
    }
  } else {
    m_dragType = 1;
  }
  Repaint();
  return 1;
}

int ZephraEffect::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  m_dragType = 0;
  m_dragRect.SetRectEmpty();
  if (m_rcControl.PtInRect(point) && m_pParent) m_pParent->OnBaseMessage(m_uID, 2, 0, 0);
  return 1;
}

int ZephraEffect::OnControlRButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  m_rdownPoint = point;
  m_selectedLayer = m_hoverLayer;
  return 1;
}

int ZephraEffect::OnControlRButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  if (m_pParent) m_pParent->OnBaseMessage(m_uID, 5, unsigned(-1), 0);
  return 1;
}

int ZephraEffect::OnControlScroll(int, unsigned direction, CPoint) {
  if (!m_bEnabled) return 0;
  const bool towardsUser = direction == 1;
  if (m_zephraMode == ZEPHRA_GIF) {
    CriticalSectionLock lock(m_gifLock);
    m_gifScale = towardsUser ? std::max(0.01f, m_gifScale - 0.15f) : std::min(5.0f, m_gifScale + 0.15f);
    RecomputeGifSize();
  } else if (m_zephraMode == ZEPHRA_MUSIC) {
    CriticalSectionLock lock(m_layerLock);
    if (m_selectedLayer >= 0 && m_selectedLayer < int(m_layers.size())) {
      float& scale = m_layers[size_t(m_selectedLayer)]->scale;
      scale = towardsUser ? std::max(0.1f, scale - 0.15f) : std::min(5.0f, scale + 0.15f);
    }
  }
  Repaint();
  return 1;
}
