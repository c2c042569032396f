// The colour wheel: a picture of colours drawn over the control, a marker the user drags
// within 50 pixels of the centre, and the colour under the pointer read from a cache of
// the drawn picture (code 27, lParam = the colour; code 2 on release).
#pragma once
#include <vector>
#include "core/MControlFont.h"

class QIV_API CirclePalette : public MControlFont {
public:
  enum : int { kCacheSize = 200, kReach = 50 };

  CirclePalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CirclePalette() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int SetImage(unsigned resId, CString type, int frames) override;
  int SetImage(const wchar_t* file, int frames) override;

  unsigned long GetSelectColor() const { return m_selected; }
  int MoveThumbPos(CPoint point);
  int GetDistanse(CPoint point) const;
  CRect GetMarkerRect() const { return m_rcMarker; }
  int GetState() const { return m_state; }
  // The cached picture colour at (x, y) relative to the control; 0 outside the cache.
  COLORREF GetCachedColor(int x, int y) const;

private:
  void Repaint();

  int m_state = 0;
  CRect m_rcMarker;
  unsigned long m_selected = 0x0000FF;
  CPoint m_last;
  std::vector<COLORREF> m_cache;
};
