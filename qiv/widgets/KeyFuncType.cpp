#include "widgets/KeyFuncType.h"
#include "core/MRender.h"
#include "core/Manager.h"

KeyFuncType::KeyFuncType(MObject* parent, unsigned id, CRect rect, int visible, int)
    : FuncGridPanel(parent, id, rect, visible, 0) {}

KeyFuncType::~KeyFuncType() { m_store.Clear(); }
const wchar_t* KeyFuncType::GetClassNameW() const { return L"KeyFuncType"; }

void KeyFuncType::SetItemImage(int index, CString file) {
  {
    CriticalSectionLock guard(m_store.lock);
    if (!m_store.IsItem(index) || ::GetFileAttributesW(GetSkinsFolder() + file) == INVALID_FILE_ATTRIBUTES) return;
    FUNCITEM_INFO& item = *m_store.items[static_cast<size_t>(index)];
    item.icon = LoadSkinIcon(file, item.iconWidth, item.iconHeight);
  }
  Repaint();
}

void KeyFuncType::SetWitdhAndHeight(int width, int height) { m_cell = CSize(width, height); }

void KeyFuncType::SetItemSplit(int horizontal, int vertical) {
  m_gapX = horizontal;
  m_gapY = vertical;
}

void KeyFuncType::SetAllItemHeight(int height) {
  m_contentHeight = height;
  Repaint();
}

// ---- layout and scrolling ----

int KeyFuncType::ScrollOffset() const {
  return m_pScrollV ? GridScrollOffset(m_pScrollV->m_nCurPos, m_contentHeight, m_rcControl.Height(),
                                       m_pScrollV->m_nMaxRange)
                    : 0;
}

void KeyFuncType::SetControlRect(CRect rect) {
  PlaceControlAndBar(rect);
}

int KeyFuncType::OnControlScroll(int, unsigned direction, CPoint) {
  if (WheelListBar(m_pScrollV, direction)) Repaint();
  return 1;
}

// ---- drawing ----

void KeyFuncType::DrawControl(HDC& hdc, CRect) {
  const int h = m_rcControl.Height();
  const int width = m_rcControl.Width() - (m_pScrollV && m_pScrollV->IsVisible() ? kBarWidth : 0);
  if (width <= 0 || h <= 0) return;
  if (BeginGridBitmap(hdc, width, h)) {
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.SetTextRenderingHint(m_textRenderingHint);
    const std::unique_ptr<Gdiplus::Font> font = CellFont();
    Gdiplus::StringFormat format(0x1800);
    CentreCellText(format);
    Gdiplus::SolidBrush brush(m_textColor);
    CriticalSectionLock guard(m_store.lock);
    const auto cells = LayoutGridCells(static_cast<int>(m_store.items.size()), width, m_cell, m_gapX, m_gapY,
                                       -ScrollOffset());
    for (size_t i = 0; i < cells.size(); ++i) {
      FUNCITEM_INFO& item = *m_store.items[i];
      const CRect& r = cells[i];
      item.rect = r;
      const bool lit = static_cast<int>(i) == m_store.selected || static_cast<int>(i) == m_store.hovered;
      MRender::DrawRoundRectange(g, static_cast<float>(r.left), static_cast<float>(r.top),
                                 static_cast<float>(r.Width()), static_cast<float>(r.Height()), 6.0f,
                                 lit ? Manager::GetDownColor() : Manager::GetNormalColor(), 1.0f,
                                 Manager::GetNormalColor());
      DrawCellIcon(g, item, r);
      if (font)
        g.DrawString(item.text.GetString(), item.text.GetLength(), font.get(),
                     Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.bottom - 25),
                                    static_cast<Gdiplus::REAL>(m_cell.cx), 20),
                     &format, &brush);
    }
  }
  ShowGridBitmap(hdc, width, h);
}
