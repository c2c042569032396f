// The vertical strip of text tabs, each 43 pixels high and as wide as the control; the
// selected and the hovered tab sit on a pale band with a blue bar at the right edge.
// Tabs carry a value and can be hidden, which removes their row. A click selects a tab
// and tells the owner (code 2, wParam = index).
#pragma once
#include <memory>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/MControlFont.h"

struct TabStripItem {
  CString text;
  int data = 0;
  int visible = 1;
  RECT rect = {};  // relative to the control's top-left at the last drawing; empty when hidden
};

class QIV_API TabCtrlEx : public MControlFont {
public:
  enum : int { kTabHeight = 43 };

  TabCtrlEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~TabCtrlEx() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  // Appends a visible tab; answers its index (no repaint).
  int AddItem(CString text, int data);
  // Bad indexes change nothing; each change repaints.
  void SetItemText(int index, CString text);
  void SetItemShow(int index, int show);
  int GetItemShow(int index);
  // Stores any value; an index that is not a tab highlights nothing and has no data.
  void SetSelectKeyType(int index);
  int GetSelectItem() const { return m_selected; }
  void SetCurData(int data);
  int GetCurData();
  int GetItemData(int index);
  int GetItemCount();
  CRect GetItemRect(int index);
  int GetHoverItem() const { return m_hovered; }
  void ClearAllItems();

  // Lays the tabs out from the top: hidden tabs get an empty rectangle and no row.
  static void LayoutTabs(std::vector<std::unique_ptr<TabStripItem>>& tabs, int width);

private:
  void Repaint(int redraw);
  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_tabs.size()); }

  CriticalSection m_tabLock;
  std::vector<std::unique_ptr<TabStripItem>> m_tabs;
  int m_hovered = -1;
  int m_selected = 0;
};
