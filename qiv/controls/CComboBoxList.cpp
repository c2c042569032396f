#include "controls/CComboBoxList.h"
#include <algorithm>
#include "controls/DrawHelpers.h"
#include "controls/ListScrollBar.h"
#include "core/Manager.h"

using namespace qiv_paint;

CComboBoxList::CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int)
    : MPanel(parent, id, rect, visible), m_highlight(Manager::m_select_color) {
  m_bEnabled = 1;
}

CComboBoxList::~CComboBoxList() = default;

const wchar_t* CComboBoxList::GetClassNameW() const { return L"CComboBoxList"; }

int CComboBoxList::AddItem(const wchar_t* text, long data, const wchar_t* iconFile, Gdiplus::Color colour) {
  auto item = std::make_unique<ComboItem>();
  item->text = text;
  item->iconFile = iconFile;
  item->colour = colour.GetValue();
  item->data = data;
  m_items.push_back(std::move(item));
  const int count = static_cast<int>(m_items.size());
  if (count >= 6) UpdateScrollBar();
  return count - 1;
}

int CComboBoxList::DelAllItems() {
  {
    CriticalSectionLock lock(m_itemLock);
    if (m_items.empty()) return 0;
    m_title.Empty();
    m_items.clear();
    m_hovered = m_selected = -1;
  }
  Repaint();
  return 0;
}

int CComboBoxList::GetItemCount() { return static_cast<int>(m_items.size()); }
int CComboBoxList::GetListHeight() { return GetItemCount() * kRowHeight; }

CString CComboBoxList::GetItemText(int index) {
  CriticalSectionLock lock(m_itemLock);
  return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index]->text : CString();
}

void CComboBoxList::SetTextColor(Gdiplus::Color colour) { MPanel::SetTextColor(colour); }

void CComboBoxList::UpdateScrollBar() {
  qiv_list::UpdateBar(m_pScrollV, GetListHeight(), m_rcControl.Height());
}

void CComboBoxList::SetControlRect(CRect rect) {
  if (rect == m_rcControl) return;
  m_rcControl = rect;
  qiv_list::PlaceBar(m_pScrollV, qiv_list::RightStrip(rect, m_scrollThickness));
  qiv_list::PlaceBar(m_pScrollH, qiv_list::BottomStrip(rect, m_scrollThickness));
  UpdateScrollBar();
}

long CComboBoxList::OnMessage(unsigned id, unsigned code, unsigned, long) {
  if (id == 1 && code == NOTIFY_POSITION) Repaint();
  return 1;
}

int CComboBoxList::OnControlMouseMove(unsigned, CPoint point) {
  CriticalSectionLock lock(m_itemLock);
  if (m_items.empty()) return 0;
  int hovered = -1;
  if (m_rcControl.PtInRect(point)) {
    if (m_hovered >= 0 && m_hovered < static_cast<int>(m_items.size()) &&
        CRect(m_items[m_hovered]->rect).PtInRect(point))
      return 1;
    for (int i = std::max(0, m_firstVisible); i <= m_lastVisible && i < static_cast<int>(m_items.size()); ++i) {
      if (CRect(m_items[i]->rect).PtInRect(point)) {
        hovered = i;
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

int CComboBoxList::OnControlLButtonDown(unsigned, CPoint) {
  if (m_items.empty()) return 0;
  if (m_selected != m_hovered) {
    m_selected = m_hovered;
    Repaint();
  }
  return 0;
}

int CComboBoxList::OnControlLButtonUp(unsigned, CPoint) {
  if (m_selected != -1 && m_pParent) m_pParent->OnBaseMessage(m_uID, NOTIFY_CLICK, m_selected, 19);
  return 0;
}

int CComboBoxList::OnControlScroll(int, unsigned direction, CPoint) {
  const int rows = GetItemCount();
  if (rows * kRowHeight <= m_rcControl.Height() || !m_pScrollV) return 0;
  const int step = rows < 13 ? 2 : 6;
  if (m_pScrollV->ScrollRow(direction == 1 ? step : -step)) Repaint();
  return 1;
}

void CComboBoxList::DrawControl(HDC& hdc, CRect) {
  const int bar = m_pScrollV && m_pScrollV->IsVisible() ? m_scrollThickness : 0;
  const int W = m_rcControl.Width() - bar, H = m_rcControl.Height();
  if (W <= 0 || H <= 0) return;
  CriticalSectionLock lock(m_itemLock);
  const int n = static_cast<int>(m_items.size());
  m_view = ComputeRowView(n, kRowHeight, H, m_pScrollV ? m_pScrollV->m_nCurPos : 0,
                          m_pScrollV ? m_pScrollV->m_nMaxRange : 0);
  m_firstVisible = m_view.first;
  m_lastVisible = n ? m_view.last : -1;
  m_bitmapTop = m_view.bitmapTop;
  const int y1 = m_bitmapTop;
  if (!m_bUpdate || !m_hMemDC || m_memHeight != m_view.bitmapHeight || m_memWidth != W) {
    UpdateMemDC(hdc, W, m_view.bitmapHeight);
    FillWhite(m_hMemDC, W, m_view.bitmapHeight);
    Copy(m_hMemDC, 0, y1, W, H, hdc, m_rcControl.left, m_rcControl.top);
    if (n) {
      Gdiplus::Graphics g(m_hMemDC);
      g.SetTextRenderingHint(m_textRenderingHint);
      g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      auto font = ControlFont(*this);
      Gdiplus::StringFormat format;
      SetFormat(format, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
      Gdiplus::SolidBrush highlight(m_highlight);
      for (int i = m_view.first; i <= m_view.last; ++i) {
        const int k = i - m_view.first;
        ComboItem& row = *m_items[i];
        const int top = m_rcControl.top + kRowHeight * k - y1;
        row.rect = CRect(m_rcControl.left, top, m_rcControl.right - 5, top + kRowHeight);
        Gdiplus::Color colour = m_textColor;
        if (i == m_selected || i == m_hovered) {
          g.FillRectangle(&highlight, 1, kRowHeight * k + 3, W - 2, 30);
          colour = Gdiplus::Color(0xFFFFFFFF);
        }
        Text(g, row.text, *font, RectF(3, kRowHeight * k, W - 6, kRowHeight), format, colour);
      }
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, W, H, m_hMemDC, 0, y1);
}
