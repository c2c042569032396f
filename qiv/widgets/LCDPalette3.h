// The lightness field of the LED page: for one hue and saturation, a ramp from white to
// near black; a click picks the drawn colour under the cursor.
#pragma once
#include "core/MControlFont.h"

class QIV_API LCDPalette3 : public MControlFont {
public:
  LCDPalette3(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDPalette3() override;
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

  unsigned long GetSelectColor() const { return m_selectColor; }
  // Takes the colour's hue and saturation for the field and puts the cursor at the top
  // left. Before the control has a window the field is filled when it is made.
  void SetSelectColor(unsigned long colour);
  void SetPalletHeight(int height);
  int GetPalletHeight() const { return m_palletHeight; }

  int GetHue() const { return m_hue; }
  int GetSaturation() const { return m_saturation; }
  int GetLightness() const { return m_lightness; }
  CPoint GetCursorPos() const { return m_cursor; }
  // The field's pixel (COLORREF) at a column and row; 0 while there is no field.
  COLORREF GetFieldPixel(int column, int row) const;

private:
  // Fills the 200 x 360 ramp of the current hue and saturation into the field.
  void UpdateBarData();

  HDC m_fieldDC = nullptr;
  HBITMAP m_field = nullptr;
  HGDIOBJ m_fieldPrevious = nullptr;
  BYTE* m_fieldBits = nullptr;  // top-down 32-bit rows of the field
  int m_fieldStride = 0;
  unsigned long m_selectColor = 255;
  int m_hue = 180;
  int m_saturation = 200;
  int m_lightness = 120;
  CPoint m_cursor;
  int m_palletHeight = 0;
  int m_barHeight = 30;
};
