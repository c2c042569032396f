// The key-function type grid: rounded cells, each with an icon above its name; cell size
// and gaps are settable and the owner gives the content height.
#pragma once
#include "core/MPanel.h"
#include "widgets/KeyFuncGrid.h"
// The value grid and the menu list came with this header before they had their own.
#include "widgets/KeyFuncValue.h"
#include "widgets/KeyMenuFuncType.h"

class QIV_API KeyFuncType : public MPanel {
public:
  KeyFuncType(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyFuncType() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  // Appends an item; the icon file is looked up in the skins folder. No repaint.
  void AddItem(CString text, int data, CString iconFile);
  void ClearList();
  // Selects the first item with that data; the selection stays when none has it.
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

  void SetItemImage(int index, CString file);
  void SetWitdhAndHeight(int width, int height);
  void SetItemSplit(int horizontal, int vertical);
  void SetAllItemHeight(int height);

private:
  void Repaint() { UpdateControl(1, 0); }
  int ScrollOffset() const;

  FuncItemStore m_store;
  CSize m_cell{80, 70};
  int m_gapX = 10;
  int m_gapY = 10;
  int m_contentHeight = 0;
};
