#include "widgets/KeyFuncValue.h"
#include <algorithm>
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/ListRows.h"

namespace {
constexpr int kBarWidth = 5;
const CSize kCell(98, 50);
constexpr int kGap = 10;
}  // namespace

KeyFuncValue::KeyFuncValue(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MPanel(parent, id, rect, visible) {
  m_bDragDrop = 1;
  if (m_pScrollV) m_pScrollV->SetControlVisible(0);
  if (m_pScrollH) m_pScrollH->SetControlVisible(0);
}

KeyFuncValue::~KeyFuncValue() { m_store.Clear(); }
const wchar_t* KeyFuncValue::GetClassNameW() const { return L"KeyFuncValue"; }
int KeyFuncValue::IsDragDrop() { return m_bDragDrop; }

// ---- items ----

void KeyFuncValue::AddItem(CString text, int data, CString iconFile) { m_store.Add(text, data, iconFile); }

void KeyFuncValue::ClearList() {
  m_store.Clear();
  Repaint();
}

void KeyFuncValue::SetCurData(int data) {
  m_store.SelectData(data);
  Repaint();
}

int KeyFuncValue::GetItemData(int index) { return m_store.Data(index); }
int KeyFuncValue::GetCurData() { return m_store.Data(GetSelectItem()); }

void KeyFuncValue::SetSelectItem(int index) {
  if (index == m_store.selected) return;
  m_store.selected = index;
  Repaint();
}

int KeyFuncValue::GetSelectItem() {
  CriticalSectionLock guard(m_store.lock);
  return m_store.Selected();
}

int KeyFuncValue::SetItemText(int index, CString text) { return m_store.SetText(index, text) ? 1 : 0; }
CString KeyFuncValue::GetItemText(int index) { return m_store.Text(index); }

int KeyFuncValue::GetItemCount() {
  CriticalSectionLock guard(m_store.lock);
  return static_cast<int>(m_store.items.size());
}

CRect KeyFuncValue::GetItemRect(int index) {
  CriticalSectionLock guard(m_store.lock);
  return m_store.IsItem(index) ? m_store.items[static_cast<size_t>(index)]->rect : CRect();
}

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
  m_rcControl = rect;
  LayoutListBar(m_pScrollV, CRect(rect.right - kBarWidth, rect.top, rect.right, rect.bottom), m_contentHeight,
                rect.Height());
  Repaint();
}

long KeyFuncValue::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return MPanel::OnMessage(id, code, wParam, lParam);
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
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, width, h);
    RECT all = {0, 0, width, h};
    ::FillRect(m_hMemDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::BitBlt(m_hMemDC, 0, 0, width, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
    std::unique_ptr<Gdiplus::Font> font;
    if (family) font = std::make_unique<Gdiplus::Font>(family, 12.0f, m_fontStyle, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format(0x1800);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
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
      if (item.icon)
        g.DrawImage(item.icon.get(), r.left + (r.Width() - item.iconWidth) / 2, r.top + 5, item.iconWidth,
                    item.iconHeight);
      if (font)
        g.DrawString(item.text.GetString(), item.text.GetLength(), font.get(),
                     Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                                    static_cast<Gdiplus::REAL>(r.Width()), static_cast<Gdiplus::REAL>(r.Height())),
                     &format, brush);
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, width, h, m_hMemDC, 0, 0, SRCCOPY);
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

// ---- mouse ----

int KeyFuncValue::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int before = m_store.hovered;
  if (!m_rcControl.PtInRect(point)) {
    m_store.hovered = -1;
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  } else if (m_store.HoverHolds(point, m_rcControl.TopLeft())) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return 0;
  } else {
    m_store.hovered = -1;
    m_store.hovered = m_store.HitTest(point, m_rcControl.TopLeft());
  }
  if (m_store.hovered != before) Repaint();
  return 1;
}

int KeyFuncValue::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  {
    CriticalSectionLock guard(m_store.lock);
    if (!m_rcControl.PtInRect(point) || !m_store.IsItem(m_store.hovered)) return 1;
    m_store.selected = m_store.hovered;
  }
  Repaint();
  return 1;
}

int KeyFuncValue::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  int selected = -1;
  {
    CriticalSectionLock guard(m_store.lock);
    if (!m_rcControl.PtInRect(point) || !m_store.IsItem(m_store.hovered)) return 1;
    selected = m_store.selected;
  }
  SendMessageW(NOTIFY_CLICK, 0, selected);
  return 1;
}
