#include "widgets/KeyFuncType.h"
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/ListRows.h"

namespace {
constexpr int kBarWidth = 5;
}  // namespace

KeyFuncType::KeyFuncType(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MPanel(parent, id, rect, visible) {
  if (m_pScrollV) m_pScrollV->SetControlVisible(0);
  if (m_pScrollH) m_pScrollH->SetControlVisible(0);
}

KeyFuncType::~KeyFuncType() { m_store.Clear(); }
const wchar_t* KeyFuncType::GetClassNameW() const { return L"KeyFuncType"; }

// ---- items ----

void KeyFuncType::AddItem(CString text, int data, CString iconFile) { m_store.Add(text, data, iconFile); }

void KeyFuncType::ClearList() {
  m_store.Clear();
  Repaint();
}

void KeyFuncType::SetCurData(int data) {
  m_store.SelectData(data);
  Repaint();
}

int KeyFuncType::GetItemData(int index) { return m_store.Data(index); }
int KeyFuncType::GetCurData() { return m_store.Data(GetSelectItem()); }

void KeyFuncType::SetSelectItem(int index) {
  if (index == m_store.selected) return;
  m_store.selected = index;
  Repaint();
}

int KeyFuncType::GetSelectItem() {
  CriticalSectionLock guard(m_store.lock);
  return m_store.Selected();
}

int KeyFuncType::SetItemText(int index, CString text) { return m_store.SetText(index, text) ? 1 : 0; }
CString KeyFuncType::GetItemText(int index) { return m_store.Text(index); }

int KeyFuncType::GetItemCount() {
  CriticalSectionLock guard(m_store.lock);
  return static_cast<int>(m_store.items.size());
}

CRect KeyFuncType::GetItemRect(int index) {
  CriticalSectionLock guard(m_store.lock);
  return m_store.IsItem(index) ? m_store.items[static_cast<size_t>(index)]->rect : CRect();
}

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
  m_rcControl = rect;
  LayoutListBar(m_pScrollV, CRect(rect.right - kBarWidth, rect.top, rect.right, rect.bottom), m_contentHeight,
                rect.Height());
}

long KeyFuncType::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return MPanel::OnMessage(id, code, wParam, lParam);
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
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, width, h);
    RECT all = {0, 0, width, h};
    ::FillRect(m_hMemDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::BitBlt(m_hMemDC, 0, 0, width, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.SetTextRenderingHint(m_textRenderingHint);
    Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
    std::unique_ptr<Gdiplus::Font> font;
    if (family) font = std::make_unique<Gdiplus::Font>(family, 12.0f, m_fontStyle, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format(0x1800);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
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
      if (item.icon)
        g.DrawImage(item.icon.get(), r.left + (r.Width() - item.iconWidth) / 2, r.top + 5, item.iconWidth,
                    item.iconHeight);
      if (font)
        g.DrawString(item.text.GetString(), item.text.GetLength(), font.get(),
                     Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.bottom - 25),
                                    static_cast<Gdiplus::REAL>(m_cell.cx), 20),
                     &format, &brush);
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, width, h, m_hMemDC, 0, 0, SRCCOPY);
}

// ---- mouse ----

int KeyFuncType::OnControlMouseMove(unsigned, CPoint point) {
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

int KeyFuncType::OnControlLButtonDown(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  {
    CriticalSectionLock guard(m_store.lock);
    if (!m_rcControl.PtInRect(point) || !m_store.IsItem(m_store.hovered)) return 1;
    m_store.selected = m_store.hovered;
  }
  Repaint();
  return 1;
}

int KeyFuncType::OnControlLButtonUp(unsigned, CPoint point) {
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
