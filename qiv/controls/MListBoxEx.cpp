#include "controls/MListBoxEx.h"
#include <algorithm>
#include <cstdint>
#include "controls/DrawHelpers.h"
#include "controls/ListScrollBar.h"
#include "core/MRender.h"
#include "core/Manager.h"

using namespace qiv_paint;

MListBoxEx::MListBoxEx(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MPanel(parent, id, rect, visible) {}

MListBoxEx::~MListBoxEx() = default;

const wchar_t* MListBoxEx::GetClassNameW() const { return L"MListBoxEx"; }

void MListBoxEx::AddItem(CString name, int data, CString iconFile) {
  auto item = std::make_unique<ProfileListItem>();
  item->name = name;
  item->data = data;
  const CString path = GetSkinsFolder() + iconFile;
  if (!iconFile.IsEmpty() && ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
    item->icon.reset(MRender::LoadImageFromFile(path));
    if (item->icon) {
      item->iconWidth = static_cast<int>(item->icon->GetWidth()) / 2;
      item->iconHeight = static_cast<int>(item->icon->GetHeight());
    }
  }
  m_items.push_back(std::move(item));
}

void MListBoxEx::ClearList() {
  {
    CriticalSectionLock lock(m_itemLock);
    m_items.clear();
    m_hovered = m_selected = -1;
  }
  Repaint();
}

void MListBoxEx::SetCurData(int data) {
  {
    CriticalSectionLock lock(m_itemLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
      if (m_items[i]->data == data) {
        m_selected = static_cast<int>(i);
        break;
      }
    }
  }
  Repaint();
}

void MListBoxEx::SetSelectItem(int index) {
  if (index == m_selected) return;
  m_selected = index;
  Repaint();
}

int MListBoxEx::GetItemData(int index) {
  CriticalSectionLock lock(m_itemLock);
  return Valid(index) ? m_items[index]->data : 0;
}

int MListBoxEx::GetCurData() { return GetItemData(m_selected); }

int MListBoxEx::SetItemText(int index, CString name) {
  CriticalSectionLock lock(m_itemLock);
  if (!Valid(index)) return 0;
  m_items[index]->name = name;
  return 1;
}

CString MListBoxEx::GetItemText(int index) {
  CriticalSectionLock lock(m_itemLock);
  return Valid(index) ? m_items[index]->name : CString();
}

CRect MListBoxEx::GetTileRect(int index) {
  CriticalSectionLock lock(m_itemLock);
  return Valid(index) ? CRect(m_items[index]->rect) : CRect();
}

void MListBoxEx::SetWitdhAndHeight(int width, int height) {
  m_tileWidth = width;
  m_tileHeight = height;
}

void MListBoxEx::SetItemSplit(int horizontal, int vertical) {
  m_gapX = horizontal;
  m_gapY = vertical;
}

void MListBoxEx::SetAllItemHeight(int height) {
  m_contentHeight = height;
  SetControlRect(m_rcControl);
  Repaint();
}

void MListBoxEx::SetControlRect(CRect rect) {
  m_rcControl = rect;
  qiv_list::PlaceBar(m_pScrollV, qiv_list::RightStrip(rect, m_scrollThickness));
  qiv_list::UpdateBar(m_pScrollV, m_contentHeight, rect.Height());
}

long MListBoxEx::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

void MListBoxEx::DrawControl(HDC& hdc, CRect) {
  const bool bar = m_pScrollV && m_pScrollV->IsVisible();
  const int W = m_rcControl.Width() - (bar ? m_scrollThickness : 0), H = m_rcControl.Height();
  const int C = std::max(m_contentHeight, H);
  if (W <= 0 || H <= 0) return;
  int g = 0;
  if (m_pScrollV && m_pScrollV->m_nMaxRange > 0 && H < m_contentHeight)
    g = static_cast<int>(int64_t(std::clamp(m_pScrollV->m_nCurPos, 0, m_pScrollV->m_nMaxRange)) *
                         (m_contentHeight - H) / m_pScrollV->m_nMaxRange);
  CriticalSectionLock lock(m_itemLock);
  if (!m_bUpdate || !m_hMemDC || m_memWidth != W || m_memHeight != C) {
    UpdateMemDC(hdc, W, C);
    FillWhite(m_hMemDC, W, C);
    Copy(m_hMemDC, 0, 0, W, H, hdc, m_rcControl.left, m_rcControl.top);
    Gdiplus::Graphics gr(m_hMemDC);
    gr.SetTextRenderingHint(m_textRenderingHint);
    gr.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    auto font = ControlFont(*this);
    Gdiplus::StringFormat format;
    SetFormat(format, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter);
    ::SetBkMode(m_hMemDC, TRANSPARENT);
    int x = 0, y = -g;
    for (size_t i = 0; i < m_items.size(); ++i) {
      ProfileListItem& tile = *m_items[i];
      tile.rect = CRect(x, y, x + m_tileWidth, y + m_tileHeight);
      const int frame = static_cast<int>(i) == m_selected ? 2 : static_cast<int>(i) == m_hovered ? 1 : 0;
      if (m_pImage)
        gr.DrawImage(m_pImage, Gdiplus::Rect(x, y, m_tileWidth, m_tileHeight), frame * m_frameWidth, 0, m_frameWidth,
                     m_frameHeight, Gdiplus::UnitPixel);
      Text(gr, tile.name, *font, RectF(x, y, m_tileWidth, m_tileHeight), format, m_textColor);
      x += m_tileWidth + m_gapX;
      if (x >= W - m_tileWidth) {
        y += m_tileHeight + m_gapY;
        x = 0;
      }
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, W, H, m_hMemDC, 0, 0);
}

int MListBoxEx::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  CriticalSectionLock lock(m_itemLock);
  auto onScreen = [&](int i) {
    CRect r = m_items[i]->rect;
    r.OffsetRect(m_rcControl.left, m_rcControl.top);
    return r;
  };
  int hovered = -1;
  if (!m_rcControl.PtInRect(point)) {
    SetCursorEx(CursorArrow);
  } else {
    if (Valid(m_hovered) && onScreen(m_hovered).PtInRect(point)) {
      SetCursorEx(CursorHand);
      return 0;
    }
    for (size_t i = 0; i < m_items.size(); ++i) {
      if (onScreen(static_cast<int>(i)).PtInRect(point)) {
        hovered = static_cast<int>(i);
        break;
      }
    }
  }
  if (hovered != m_hovered) {
    m_hovered = hovered;
    Repaint();
  }
  return 1;
}

int MListBoxEx::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcControl.PtInRect(point) && Valid(m_hovered)) {
    m_selected = m_hovered;
    Repaint();
  }
  return 1;
}

int MListBoxEx::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (m_rcControl.PtInRect(point) && Valid(m_hovered)) SendMessageW(NOTIFY_CLICK, 0, m_selected);
  return 1;
}

int MListBoxEx::OnControlScroll(int, unsigned direction, CPoint) {
  if (!m_pScrollV) return 1;
  if (qiv_list::WheelBar(*m_pScrollV, direction)) Repaint();
  return 1;
}
