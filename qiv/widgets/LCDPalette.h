// A hue bar with nine lightness swatches of the chosen hue.
#pragma once
#include "core/MControlFont.h"
// The LED page's two other pickers came with this header before they had their own.
#include "widgets/LCDPalette2.h"
#include "widgets/LCDPalette3.h"

class QIV_API LCDPalette : public MControlFont {
public:
  LCDPalette(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDPalette() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  // The selected swatch's colour as last drawn.
  unsigned long GetSelectColor() const { return m_selectColor; }
  void SetSelectColor(unsigned long colour);
  int GetMarker() const { return m_marker; }
  int GetSelectSwatch() const { return m_swatch; }
  // The colour of swatch 0-8 for the current hue.
  COLORREF SwatchColor(int swatch) const;

private:
  void MoveMarker(int x);

  unsigned long m_selectColor = 0;
  int m_marker = 180;
  int m_swatch = 4;
  CRect m_hueBar;
  CRect m_swatchRow;
  int m_dragging = 0;
};
