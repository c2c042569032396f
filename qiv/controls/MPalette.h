// The hue and lightness field with a saturation bar beside it, both computed from the HSL
// colour model. A press in the field or the bar picks a colour (code 27, wParam = the
// colour); dragging in the bar reports every move (code 27 with 0, 0).
#pragma once
#include <memory>
#include "controls/CirclePalette.h"
#include "core/MControlFont.h"

class QIV_API MPalette : public MControlFont {
public:
  MPalette(MObject* parent, unsigned id, CRect rect, int visible);
  ~MPalette() override;
  const wchar_t* GetClassNameW() const override;

  void InitControl(PaintManager* manager) override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;

  unsigned long GetSelectColor() const;
  void SetSelectColor(unsigned long colour);
  // Loads the marker shown beside the bar; answers 0 whether it loaded or not.
  int SetThumbImage(const wchar_t* file);
  void SetPalletHeight(int height);
  int GetPalletHeight() const { return m_paletteHeight; }

  int GetHue() const { return m_hue; }
  int GetSaturation() const { return m_saturation; }
  int GetLightness() const { return m_lightness; }
  CPoint GetMarker() const { return m_marker; }
  CRect GetFieldRect() const { return m_rcField; }
  CRect GetBarRect() const { return m_rcBar; }
  // The pixel of the field or bar image at (column, row), 0x00RRGGBB; 0 before InitControl.
  COLORREF GetImagePixel(int column, int row) const;

private:
  void UpdatePaletteData();
  void UpdateBarData();
  void PlaceMarker();
  void SetRects();
  void Repaint();
  void PickInField(CPoint point, CRect limit);
  void PickInBar(CPoint point);
  void PutPixel(int column, int row, COLORREF colour);

  HDC m_paletteDC = nullptr;
  HBITMAP m_paletteBitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
  BYTE* m_bits = nullptr;  // the palette bitmap's pixels (a 32-bit top-down DIB section)
  std::unique_ptr<Gdiplus::Image> m_thumb;
  int m_thumbWidth = 0, m_thumbHeight = 0;
  unsigned long m_selected = 0;
  int m_hue = 180, m_saturation = 200, m_lightness = 120;
  int m_paletteHeight = 150;
  int m_barWidth = 16;
  CPoint m_marker;
  CRect m_rcField, m_rcBar, m_rcThumb;
  int m_bDragBar = 0, m_bDragField = 0;
};
