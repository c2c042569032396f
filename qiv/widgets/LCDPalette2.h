// The hue strip of the LED page: a draggable marker over a strip of fully saturated hues;
// the selected colour is the marker's hue.
#pragma once
#include "core/MControlFont.h"

class QIV_API LCDPalette2 : public MControlFont {
public:
  LCDPalette2(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDPalette2() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  // COLORREF of the marker's hue as last drawn (before the first draw: the marker's).
  unsigned long GetSelectColor() const;
  // Stored until the next draw replaces it with the marker's colour.
  void SetSelectColor(unsigned long colour);
  int GetMarkerX() const { return m_markerX; }

private:
  // The fully saturated colour of the marker's hue on a strip of the control's width.
  COLORREF MarkerColor() const;
  void MoveMarker(int x);

  int m_markerX = 180;
  CRect m_pickArea;
  int m_dragging = 0;
  unsigned long m_selectColor = 0;
};
