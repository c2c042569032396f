// A dark panel with a grid of preset colour swatches: the pointer outlines the swatch
// under it, a click chooses it and tells the owner (code 2), who reads GetSelectColor.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CriticalSection.h"
#include "core/MControlFont.h"

struct QIV_API ColorViewItem {
  Gdiplus::Color colour;
  RECT rect;  // relative to the control's top-left corner
};

class QIV_API ColorView : public MControlFont {
public:
  ColorView(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~ColorView() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  // Appends the 48 preset swatches (8 columns, 6 rows) after any already there.
  void InitColorView();
  // Frees every swatch; nothing hovered or chosen. Repaints.
  void ClearAllItem();
  // The colour of the swatch chosen last (COLORREF).
  int GetSelectColor() const { return static_cast<int>(m_selectedColor); }
  int GetItemCount();
  int GetHoverIndex() const { return m_hovered; }
  int GetSelectIndex() const { return m_selected; }

private:
  int HitTest(CPoint point);

  std::vector<std::unique_ptr<ColorViewItem>> m_items;
  CriticalSection m_itemLock;
  int m_hovered = -1;
  int m_selected = -1;
  COLORREF m_selectedColor = 0x1C1CB7;
};
