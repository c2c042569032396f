// A value from a small range shown as a row of cells lit from the left up to the value,
// with a text line below; a click on a cell sets the value and tells the owner (code 2,
// wParam = the new level).
#pragma once
#include "core/MControlFont.h"

// The cell geometry: n = maximum - minimum + 1 cells of width (W - 5n) / n, 5 pixels
// apart; a range with n below 1 has no cells.
struct QIV_API LevelCells {
  int count = 0;
  int width = 0;
  static LevelCells For(int controlWidth, int minimum, int maximum);
  // The left edge of cell k relative to the control.
  int Left(int k) const { return k * (width + 5); }
  // The cell under x (relative to the control), -1 between cells or outside.
  int At(int x) const;
};

class QIV_API MLevelCtrl : public MControlFont {
public:
  MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MLevelCtrl() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  // Clamps into the range; a new level repaints. No notification.
  void SetLevelValue(int value);
  int GetLevelValue() const { return m_level; }
  // Stores the range; the level is not clamped again and nothing repaints.
  void SetRangeValue(int minimum, int maximum);

private:
  int m_level = 0;
  int m_minimum = 0;
  int m_maximum = 15;
  int m_cellHeight = 12;
  int m_showText = 1;
};
