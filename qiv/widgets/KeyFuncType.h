// The key-function type grid: rounded cells, each with an icon above its name; cell size
// and gaps are settable and the owner gives the content height.
#pragma once
#include "widgets/FuncGridPanel.h"
// The value grid and the menu list came with this header before they had their own.
#include "widgets/KeyFuncValue.h"
#include "widgets/KeyMenuFuncType.h"

class QIV_API KeyFuncType : public FuncGridPanel<KeyFuncType> {
public:
  KeyFuncType(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyFuncType() override;
  const wchar_t* GetClassNameW() const override;

  // The items, scroll-bar messages and the mouse: FuncGridPanel's.
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  void SetItemImage(int index, CString file);
  void SetWitdhAndHeight(int width, int height);
  void SetItemSplit(int horizontal, int vertical);
  void SetAllItemHeight(int height);

private:
  int ScrollOffset() const;

  CSize m_cell{80, 70};
  int m_gapX = 10;
  int m_gapY = 10;
};
