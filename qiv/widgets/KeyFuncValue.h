// The key-function value grid: cells drawn from the control's state picture with the
// function's name; the content height is the owner's; items can be dragged onto keys.
#pragma once
#include "core/MPanel.h"
#include "widgets/KeyFuncGrid.h"

class QIV_API KeyFuncValue : public MPanel {
public:
  KeyFuncValue(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyFuncValue() override;
  const wchar_t* GetClassNameW() const override;

  int IsDragDrop() override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  HBITMAP GetControlDropBitmap() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  void AddItem(CString text, int data, CString iconFile);
  void ClearList();
  void SetCurData(int data);
  int GetItemData(int index);
  int GetCurData();
  // Any index is kept; one outside the list reads as no selection.
  void SetSelectItem(int index);
  int GetSelectItem();
  int SetItemText(int index, CString text);
  CString GetItemText(int index);
  int GetItemCount();
  int GetHoverItem() const { return m_store.hovered; }
  CRect GetItemRect(int index);

  // The content height: shows or hides the scroll bar and gives it its range. No repaint.
  void SetAllHeight(int height);
  int GetAllHeight() const { return m_contentHeight; }
  // The selected item's data and text; both outputs are left as they are without one.
  void GetCurValue(int& data, CString& text);
  int GetScrollOffset() const { return ScrollOffset(); }

private:
  void Repaint() { UpdateControl(1, 0); }
  int ScrollOffset() const;

  FuncItemStore m_store;
  int m_contentHeight = 200;
};
