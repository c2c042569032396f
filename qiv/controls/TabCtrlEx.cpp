#include "controls/TabCtrlEx.h"
#include "controls/DrawHelpers.h"

using namespace qiv_paint;

namespace {
const Gdiplus::Color kBand(0xFFDEF1FC);
const Gdiplus::Color kBlue(0xFF4977E4);
}  // namespace

TabCtrlEx::TabCtrlEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
TabCtrlEx::~TabCtrlEx() = default;
const wchar_t* TabCtrlEx::GetClassNameW() const { return L"TabCtrlEx"; }

void TabCtrlEx::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

int TabCtrlEx::AddItem(CString text, int data) {
  auto tab = std::make_unique<TabStripItem>();
  tab->text = text;
  tab->data = data;
  CriticalSectionLock lock(m_tabLock);
  m_tabs.push_back(std::move(tab));
  return static_cast<int>(m_tabs.size()) - 1;
}

void TabCtrlEx::SetItemText(int index, CString text) {
  {
    CriticalSectionLock lock(m_tabLock);
    if (!Valid(index)) return;
    m_tabs[index]->text = text;
  }
  Repaint(1);
}

void TabCtrlEx::SetItemShow(int index, int show) {
  {
    CriticalSectionLock lock(m_tabLock);
    if (!Valid(index)) return;
    m_tabs[index]->visible = show ? 1 : 0;
    LayoutTabs(m_tabs, m_rcControl.Width());
  }
  Repaint(1);
}

int TabCtrlEx::GetItemShow(int index) {
  CriticalSectionLock lock(m_tabLock);
  return Valid(index) ? m_tabs[index]->visible : 0;
}

void TabCtrlEx::SetSelectKeyType(int index) {
  m_selected = index;
  Repaint(1);
}

void TabCtrlEx::SetCurData(int data) {
  {
    CriticalSectionLock lock(m_tabLock);
    for (size_t i = 0; i < m_tabs.size(); ++i) {
      if (m_tabs[i]->data == data) {
        m_selected = static_cast<int>(i);
        break;
      }
    }
  }
  Repaint(1);
}

int TabCtrlEx::GetCurData() { return GetItemData(m_selected); }

int TabCtrlEx::GetItemData(int index) {
  CriticalSectionLock lock(m_tabLock);
  return Valid(index) ? m_tabs[index]->data : 0;
}

int TabCtrlEx::GetItemCount() {
  CriticalSectionLock lock(m_tabLock);
  return static_cast<int>(m_tabs.size());
}

CRect TabCtrlEx::GetItemRect(int index) {
  CriticalSectionLock lock(m_tabLock);
  return Valid(index) ? CRect(m_tabs[index]->rect) : CRect();
}

void TabCtrlEx::ClearAllItems() {
  {
    CriticalSectionLock lock(m_tabLock);
    m_tabs.clear();
    m_hovered = -1;
    m_selected = 0;
  }
  Repaint(1);
}

void TabCtrlEx::LayoutTabs(std::vector<std::unique_ptr<TabStripItem>>& tabs, int width) {
  int y = 0;
  for (auto& tab : tabs) {
    if (!tab->visible) {
      tab->rect = RECT{};
      continue;
    }
    tab->rect = CRect(0, y, width, y + kTabHeight);
    y += kTabHeight;
  }
}

void TabCtrlEx::DrawControl(HDC& hdc, CRect) {
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (w <= 0 || h <= 0) return;
  CriticalSectionLock lock(m_tabLock);
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    Copy(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top);
    ::SetBkMode(m_hMemDC, TRANSPARENT);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(m_textRenderingHint);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    auto font = ControlFont(*this);
    Gdiplus::StringFormat format;
    SetFormat(format, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter);
    Gdiplus::SolidBrush band(kBand), bar(kBlue);
    LayoutTabs(m_tabs, w);
    for (size_t i = 0; i < m_tabs.size(); ++i) {
      const TabStripItem& tab = *m_tabs[i];
      if (!tab.visible) continue;
      const CRect r = tab.rect;
      const bool lit = static_cast<int>(i) == m_selected || static_cast<int>(i) == m_hovered;
      if (lit) {
        g.FillRectangle(&band, 0, static_cast<INT>(r.top), w, static_cast<INT>(kTabHeight));
        g.FillRectangle(&bar, w - 2, static_cast<INT>(r.top), 2, static_cast<INT>(kTabHeight));
      }
      Text(g, tab.text, *font, RectF(r.left, r.top, r.Width(), r.Height()), format, lit ? kBlue : m_textColor);
    }
  }
  Copy(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0);
}

int TabCtrlEx::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  CriticalSectionLock lock(m_tabLock);
  auto onScreen = [&](int i) {
    CRect r = m_tabs[i]->rect;
    r.OffsetRect(m_rcControl.left, m_rcControl.top);
    return r;
  };
  if (Valid(m_hovered) && onScreen(m_hovered).PtInRect(point)) return 1;
  const int before = m_hovered;
  m_hovered = -1;
  for (size_t i = 0; i < m_tabs.size(); ++i) {
    if (m_tabs[i]->visible && onScreen(static_cast<int>(i)).PtInRect(point)) {
      m_hovered = static_cast<int>(i);
      break;
    }
  }
  if (m_hovered == before) return 0;
  Repaint(1);
  return 1;
}

int TabCtrlEx::OnControlLButtonDown(unsigned, CPoint) { return 1; }

int TabCtrlEx::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  if (!m_rcControl.PtInRect(point) || !Valid(m_hovered)) return 0;
  const int before = m_selected;
  m_selected = m_hovered;
  SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(m_selected), 0);
  if (m_selected == before) return 0;
  Repaint(1);
  return 1;
}
