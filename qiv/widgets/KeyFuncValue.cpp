#include "widgets/KeyFuncValue.h"
#include <algorithm>
#include "core/MRender.h"
#include "core/Manager.h"

namespace {
const CSize kCell(98, 50);
constexpr int kGap = 10;
}  // namespace

KeyFuncValue::KeyFuncValue(MObject* parent, unsigned id, CRect rect, int visible, int)
    : FuncGridPanel(parent, id, rect, visible, 200) {
  m_bDragDrop = 1;
}

KeyFuncValue::~KeyFuncValue() { m_store.Clear(); }
const wchar_t* KeyFuncValue::GetClassNameW() const { return L"KeyFuncValue"; }
int KeyFuncValue::IsDragDrop() { return m_bDragDrop; }

void KeyFuncValue::GetCurValue(int& data, CString& text) {
  CriticalSectionLock guard(m_store.lock);
  const int selected = m_store.Selected();
  if (selected < 0) return;
  data = m_store.items[static_cast<size_t>(selected)]->data;
  text = m_store.items[static_cast<size_t>(selected)]->text;
}

// ---- layout and scrolling ----

void KeyFuncValue::SetAllHeight(int height) {
  m_contentHeight = height;
  if (!m_pScrollV) return;
  const int show = m_rcControl.Height() < height ? 1 : 0;
  if (show != (m_pScrollV->IsVisible() ? 1 : 0)) {
    m_pScrollV->SetControlVisible(show);
    m_pScrollV->UpdateControl(1, 1);
  }
  m_pScrollV->SetScrollMaxRange(height);
}

int KeyFuncValue::ScrollOffset() const {
  const int content = std::max(m_contentHeight, static_cast<int>(m_rcControl.Height()));
  return m_pScrollV ? GridScrollOffset(m_pScrollV->m_nCurPos, content, m_rcControl.Height(), m_pScrollV->m_nMaxRange)
                    : 0;
}

void KeyFuncValue::SetControlRect(CRect rect) {
  PlaceControlAndBar(rect);
  Repaint();
}

int KeyFuncValue::OnControlScroll(int, unsigned direction, CPoint) {
  if (m_rcControl.Height() >= m_contentHeight) return 0;
  if (WheelListBar(m_pScrollV, direction)) Repaint();
  return 1;
}

// ---- drawing ----

void KeyFuncValue::DrawControl(HDC& hdc, CRect) {
  const int h = m_rcControl.Height();
  const int width = m_rcControl.Width() - kBarWidth;
  if (width <= 0 || h <= 0) return;
  if (BeginGridBitmap(hdc, width, h)) {
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    const std::unique_ptr<Gdiplus::Font> font = CellFont();
    Gdiplus::StringFormat format(0x1800);
    CentreCellText(format);
    Gdiplus::SolidBrush normal(m_textColor);
    Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
    CriticalSectionLock guard(m_store.lock);
    const auto cells =
        LayoutGridCells(static_cast<int>(m_store.items.size()), width, kCell, kGap, kGap, -ScrollOffset());
    for (size_t i = 0; i < cells.size(); ++i) {
      FUNCITEM_INFO& item = *m_store.items[i];
      const CRect& r = cells[i];
      item.rect = r;
      int frame = 0;
      Gdiplus::Brush* brush = &normal;
      if (static_cast<int>(i) == m_store.selected) {
        frame = 2;
        brush = &white;
      } else if (static_cast<int>(i) == m_store.hovered) {
        frame = 1;
        brush = &white;
      }
      if (m_pImage && m_frameWidth > 0)
        g.DrawImage(m_pImage, Gdiplus::Rect(r.left, r.top, r.Width(), r.Height()), frame * m_frameWidth, 0,
                    m_frameWidth, m_frameHeight, Gdiplus::UnitPixel);
      DrawCellIcon(g, item, r);
      if (font)
        g.DrawString(item.text.GetString(), item.text.GetLength(), font.get(),
                     Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                                    static_cast<Gdiplus::REAL>(r.Width()), static_cast<Gdiplus::REAL>(r.Height())),
                     &format, brush);
    }
  }
  ShowGridBitmap(hdc, width, h);
}

HBITMAP KeyFuncValue::GetControlDropBitmap() {
  if (!m_bEnabled || !m_pManager) return nullptr;
  CRect part;
  {
    CriticalSectionLock guard(m_store.lock);
    if (!m_store.IsItem(m_store.hovered)) return nullptr;
    m_store.selected = m_store.hovered;
    part = m_store.items[static_cast<size_t>(m_store.hovered)]->rect;
  }
  part.InflateRect(2, 2);
  return m_pManager->GetDropBitmap(this, part, 0);
}
