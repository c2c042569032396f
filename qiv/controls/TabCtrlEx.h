// The vertical strip of text tabs; each tab carries a value and can be hidden.
#pragma once
#include "core/CString.h"
#include "core/MControlFont.h"
#include <memory>
#include <mutex>
#include <vector>

struct TabStripItem {
  CString text;
  int data = 0;
  int visible = 1;
  RECT rect = {};
};

class QIV_API TabCtrlEx : public MControlFont {
public:
  TabCtrlEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~TabCtrlEx() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;

  // Appends a visible tab; answers its index (no repaint).
  int AddItem(CString text, int data);
  // Bad indexes change nothing; each change repaints.
  void SetItemText(int index, CString text);
  void SetItemShow(int index, int show);
  int GetItemShow(int index) const;
  void SetSelectKeyType(int index);
  int GetSelectItem() const;
  void SetCurData(int data);
  int GetCurData() const;
  int GetItemData(int index) const;
  void ClearAllItems();

private:
  void Repaint();
  mutable std::recursive_mutex m_tabLock;
  std::vector<std::unique_ptr<TabStripItem>> m_tabs;
  int m_hovered = -1;
  int m_selected = 0;
};
