#include "controls/MTabCtrl.h"

MTabCtrl::MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}
MTabCtrl::~MTabCtrl() = default;
const wchar_t* MTabCtrl::GetClassNameW() const { return L"MTabCtrl"; }
void MTabCtrl::DrawControl(HDC&, CRect) {}

int MTabCtrl::InsertItem(unsigned id, const wchar_t* text, const wchar_t* image, MControl* page, int frames,
                         int width) {
  Item item;
  item.id = id;
  item.text = text ? text : L"";
  item.image = image ? image : L"";
  item.page = page;
  item.frames = frames == -1 ? 3 : frames;
  item.width = width;
  std::lock_guard<std::recursive_mutex> hold(m_itemsLock);
  m_items.push_back(item);
  return 1;
}

int MTabCtrl::SetSelectItem(int index) {
  int previous = 0;
  {
    std::lock_guard<std::recursive_mutex> hold(m_itemsLock);
    previous = m_selected;
    if (index == m_selected || index < 0 || index >= int(m_items.size())) return previous;
    m_selected = index;
  }
  // The parent hears of the change before the pages switch; it is told outside the lock
  // because its handler may ask the strip about its tabs.
  if (m_pParent) m_pParent->OnBaseMessage(m_uID, 2, unsigned(index), 0);
  std::vector<std::pair<MControl*, bool>> pages;
  {
    std::lock_guard<std::recursive_mutex> hold(m_itemsLock);
    for (size_t i = 0; i < m_items.size(); ++i) {
      if (m_items[i].page) pages.emplace_back(m_items[i].page, int(i) == m_selected);
    }
  }
  for (auto& [page, show] : pages) page->SetVisible(show ? 1 : 0);
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 0, this);
  return previous;
}

int MTabCtrl::GetSelectItem() const {
  std::lock_guard<std::recursive_mutex> hold(m_itemsLock);
  return m_selected;
}

void MTabCtrl::SetItemVisible(int index, int visible) {
  {
    std::lock_guard<std::recursive_mutex> hold(m_itemsLock);
    if (index < 0 || index >= int(m_items.size())) return;
    m_items[size_t(index)].visible = visible ? 1 : 0;
  }
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

int MTabCtrl::GetItemVisible(int index) const {
  std::lock_guard<std::recursive_mutex> hold(m_itemsLock);
  return index >= 0 && index < int(m_items.size()) ? m_items[size_t(index)].visible : 0;
}

int MTabCtrl::GetItemID(int index) const {
  std::lock_guard<std::recursive_mutex> hold(m_itemsLock);
  return index >= 0 && index < int(m_items.size()) ? int(m_items[size_t(index)].id) : 0;
}

int MTabCtrl::GetItemCount() const {
  std::lock_guard<std::recursive_mutex> hold(m_itemsLock);
  return int(m_items.size());
}

MTabLayout::MTabLayout(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}
MTabLayout::~MTabLayout() = default;
const wchar_t* MTabLayout::GetClassNameW() const { return L"MTabLayout"; }
