// The tile list: items as a grid of equal tiles filled left to right and wrapped into
// rows, each a stretched three-state picture with the name centred on it. A press
// selects a tile; the owner hears the release (code 2, lParam = tile). The owner states
// the grid's total height itself (SetAllItemHeight), which sets the scroll range.
#pragma once
#include <memory>
#include <vector>
#include "controls/ProfileListItem.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"

class QIV_API MListBoxEx : public MPanel {
public:
  MListBoxEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MListBoxEx() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  void AddItem(CString name, int data, CString iconFile);
  void ClearList();
  void SetCurData(int data);
  // Stores any value; every reader treats an index that is not a tile as no selection.
  void SetSelectItem(int index);
  int GetSelectItem() const { return m_selected; }
  int GetItemData(int index);
  int GetCurData();
  int SetItemText(int index, CString name);
  CString GetItemText(int index);
  int GetLightCount() const { return static_cast<int>(m_items.size()); }
  void SetWitdhAndHeight(int width, int height);
  void SetItemSplit(int horizontal, int vertical);
  void SetAllItemHeight(int height);
  int GetHoverItem() const { return m_hovered; }
  // The tile's rectangle at the last drawing, relative to the list's top-left.
  CRect GetTileRect(int index);

private:
  void Repaint() { UpdateControl(1, 0); }
  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }

  std::vector<std::unique_ptr<ProfileListItem>> m_items;
  CriticalSection m_itemLock;
  int m_hovered = -1;
  int m_selected = -1;
  int m_tileWidth = 130, m_tileHeight = 50;
  int m_gapX = 5, m_gapY = 5;
  int m_contentHeight = 0;
};
