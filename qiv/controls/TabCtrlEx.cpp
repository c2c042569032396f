#include "controls/TabCtrlEx.h"

TabCtrlEx::TabCtrlEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
TabCtrlEx::~TabCtrlEx() = default;
const wchar_t* TabCtrlEx::GetClassNameW() const { return L"TabCtrlEx"; }
void TabCtrlEx::DrawControl(HDC&, CRect) {}

void TabCtrlEx::Repaint() {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

int TabCtrlEx::AddItem(CString text, int data) {
  auto tab = std::make_unique<TabStripItem>();
  tab->text = text;
  tab->data = data;
  std::lock_guard<std::recursive_mutex> hold(m_tabLock);
  m_tabs.push_back(std::move(tab));
  return int(m_tabs.size()) - 1;
}

void TabCtrlEx::SetItemText(int index, CString text) {
  {
    std::lock_guard<std::recursive_mutex> hold(m_tabLock);
    if (index < 0 || index >= int(m_tabs.size())) return;
    m_tabs[size_t(index)]->text = text;
  }
  Repaint();
}

void TabCtrlEx::SetItemShow(int index, int show) {
  {
    std::lock_guard<std::recursive_mutex> hold(m_tabLock);
    if (index < 0 || index >= int(m_tabs.size())) return;
    m_tabs[size_t(index)]->visible = show ? 1 : 0;
  }
  Repaint();
}

int TabCtrlEx::GetItemShow(int index) const {
  std::lock_guard<std::recursive_mutex> hold(m_tabLock);
  return index >= 0 && index < int(m_tabs.size()) ? m_tabs[size_t(index)]->visible : 0;
}

void TabCtrlEx::SetSelectKeyType(int index) {
  {
    std::lock_guard<std::recursive_mutex> hold(m_tabLock);
    m_selected = index;
  }
  Repaint();
}

int TabCtrlEx::GetSelectItem() const {
  std::lock_guard<std::recursive_mutex> hold(m_tabLock);
  return m_selected;
}

void TabCtrlEx::SetCurData(int data) {
  {
    std::lock_guard<std::recursive_mutex> hold(m_tabLock);
    for (size_t i = 0; i < m_tabs.size(); ++i) {
      if (m_tabs[i]->data == data) {
        m_selected = int(i);
        break;
      }
    }
  }
  Repaint();
}

int TabCtrlEx::GetCurData() const {
  std::lock_guard<std::recursive_mutex> hold(m_tabLock);
  return m_selected >= 0 && m_selected < int(m_tabs.size()) ? m_tabs[size_t(m_selected)]->data : 0;
}

int TabCtrlEx::GetItemData(int index) const {
  std::lock_guard<std::recursive_mutex> hold(m_tabLock);
  return index >= 0 && index < int(m_tabs.size()) ? m_tabs[size_t(index)]->data : 0;
}

void TabCtrlEx::ClearAllItems() {
  {
    std::lock_guard<std::recursive_mutex> hold(m_tabLock);
    m_tabs.clear();
    m_hovered = -1;
    m_selected = 0;
  }
  Repaint();
}
