// The scrolling list inside a combo box's drop-down window: 36-pixel rows of text, a hover
// and pressed highlight, wheel scrolling, and the chosen row reported to the window as
// (own id, 2, row, 19). Only the visible rows are drawn.
#pragma once
#include <memory>
#include <vector>
#include "controls/ComboItem.h"
#include "controls/RowView.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"

class QIV_API CComboBoxList : public MPanel {
public:
  enum : int { kRowHeight = 36 };

  CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CComboBoxList() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  void SetTextColor(Gdiplus::Color colour) override;

  int AddItem(const wchar_t* text, long data, const wchar_t* iconFile, Gdiplus::Color colour);
  int DelAllItems();
  int GetItemCount();
  int GetListHeight();
  CString GetItemText(int index);
  int GetHoverItem() const { return m_hovered; }
  int GetSelectItem() const { return m_selected; }
  RowView GetView() const { return m_view; }

private:
  void UpdateScrollBar();
  void Repaint() { UpdateControl(1, 0); }

  std::vector<std::unique_ptr<ComboItem>> m_items;
  CriticalSection m_itemLock;
  int m_hovered = -1;
  int m_selected = -1;
  int m_firstVisible = -1, m_lastVisible = -1;
  int m_bitmapTop = 0;
  RowView m_view;
  Gdiplus::Color m_highlight;
};
