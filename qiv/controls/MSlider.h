// The horizontal slider: a thin track, a filled part up to a round thumb and, optionally,
// the value as text at its right end. It reports the value while it follows the pointer
// (code 8, wParam = value) and a committed change (code 2) on release and wheel steps.
#pragma once
#include "controls/MProgress.h"
#include "controls/MSpinButton.h"
#include "core/MControlFont.h"

class QIV_API MSlider : public MControlFont {
public:
  enum : int { kTextWidth = 60 };

  MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MSlider() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  // Cut to the maximum; a negative or unchanged value changes nothing. No notification.
  int SetProgress(int value);
  int GetProgress() const { return m_value; }
  void SetMaxProgress(int maximum) { m_max = maximum; }
  int GetMaxProgress() const { return m_max; }
  void SetMinProgress(int minimum) { m_min = minimum; }
  int GetMinProgress() const { return m_min; }
  void SetShowText(int show) { m_bShowText = show; }
  void SetScale(int scale) { m_scale = scale; }
  // Moves value and thumb to the pointer; code 8 when the value changed. A slider without
  // a span (maximum <= minimum) or without travel ignores the pointer.
  int MoveThumbPos(CPoint point);
  CRect GetThumbRect() const { return m_rcThumb; }
  int GetThumbState() const { return m_thumbState; }
  CString GetValueText() const { return ValueText(m_title, m_value, m_max); }

  // Pixels the thumb can move in a control `width` wide.
  static int Travel(int width, int thumbWidth, int showText);
  // Thumb offset of `value`: 0 .. travel; 0 without a span or travel.
  static int ThumbOffset(int value, int minimum, int maximum, int travel);
  // Value under a pointer `dx` pixels from the left edge, clamped to the range; the
  // maximum is reached before the end of the travel. `fallback` without a span or travel.
  static int ValueAt(int dx, int minimum, int maximum, int travel, int fallback);
  // "57%" for a maximum of 100, "5" for maximums up to 20, else the percentage.
  static CString ValueText(const CString& title, int value, int maximum);

private:
  void PlaceThumb();
  void Repaint(int redraw);
  bool OnThumb(CPoint point) const { return m_rcThumb.PtInRect(point) != 0; }

  int m_thumbState = 0;
  int m_value = 0;
  int m_min = 0;
  int m_max = 10;
  int m_thumbWidth = 16, m_thumbHeight = 16;
  int m_scale = 1;
  CRect m_rcThumb;
  int m_bShowText = 1;
};
