// The tab strip and the page panel it shows.
#pragma once
#include "core/CString.h"
#include "core/MControlFont.h"
#include "core/MPanel.h"
#include <mutex>
#include <vector>

class QIV_API MTabCtrl : public MControlFont {
public:
  MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MTabCtrl() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;

  // Appends a visible tab showing `page` while it is selected; answers 1.
  int InsertItem(unsigned id, const wchar_t* text, const wchar_t* image, MControl* page, int frames, int width);
  // Selects the tab at `index` (hidden tabs too), tells the parent (code 2, the index)
  // and shows that tab's page only. The current index or one outside the tabs changes
  // nothing. Answers the previous selection.
  int SetSelectItem(int index);
  int GetSelectItem() const;
  // A bad index is ignored (setter) or answers 0 (getters).
  void SetItemVisible(int index, int visible);
  int GetItemVisible(int index) const;
  int GetItemID(int index) const;
  int GetItemCount() const;

private:
  struct Item {
    unsigned id = 0;
    CString text;
    CString image;
    MControl* page = nullptr;  // the page's parent owns it
    int frames = 0;
    int width = 0;
    int visible = 1;
  };
  // Both the user-interface thread and the worker select and show tabs.
  mutable std::recursive_mutex m_itemsLock;
  std::vector<Item> m_items;
  int m_selected = -1;
};

class QIV_API MTabLayout : public MPanel {
public:
  MTabLayout(MObject* parent, unsigned id, CRect rect, int visible);
  ~MTabLayout() override;
  const wchar_t* GetClassNameW() const override;
};
