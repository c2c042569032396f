// The key-function value grid: cells drawn from the control's state picture with the
// function's name; the content height is the owner's; items can be dragged onto keys.
#pragma once
#include "widgets/FuncGridPanel.h"

class QIV_API KeyFuncValue : public FuncGridPanel<KeyFuncValue> {
public:
  KeyFuncValue(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyFuncValue() override;
  const wchar_t* GetClassNameW() const override;

  int IsDragDrop() override;
  // The items, scroll-bar messages and the mouse: FuncGridPanel's.
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  HBITMAP GetControlDropBitmap() override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  // The content height: shows or hides the scroll bar and gives it its range. No repaint.
  void SetAllHeight(int height);
  int GetAllHeight() const { return m_contentHeight; }
  // The selected item's data and text; both outputs are left as they are without one.
  void GetCurValue(int& data, CString& text);
  int GetScrollOffset() const { return ScrollOffset(); }

private:
  int ScrollOffset() const;
};
