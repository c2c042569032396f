// The composite colour picker: eight preset colour buttons, the hue and lightness field,
// a swatch of the current colour, red, green and blue spin boxes and a hexadecimal edit,
// kept in step. Whichever of them the user changes, the others follow and the owner hears
// the new colour (code 27, lParam = COLORREF).
#pragma once
#include <array>
#include "core/MPanel.h"

class CColorButton;
class MEdit;
class MPalette;
class MSpinButton;
class MText;

class QIV_API CColorPalette : public MPanel {
public:
  enum : unsigned {
    kFieldId = 620,
    kSwatchId = 622,
    kFirstPresetId = 631,
    kFirstLabelId = 650,
    kFirstSpinId = 654,
    kHexId = 657,
  };

  CColorPalette(MObject* parent, unsigned id, CRect rect, int visible);
  ~CColorPalette() override;
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
  void SetTextColor(Gdiplus::Color colour) override;
  using MPanel::SetImage;
  // Passes the picture to the three spin boxes and the edit; 1.
  int SetImage(const wchar_t* file, int frames) override;

  // The field's colour; 0 before InitControl.
  unsigned long GetSelectColor() const;
  // The field's colour only (spins, edit and swatch are not updated).
  void SetSelectColor(unsigned long colour);
  int SetThumbImage(const wchar_t* file);
  void UpdateControlEx(int redraw);

  // "RRGGBB" of a COLORREF, upper case.
  static CString HexText(COLORREF colour);
  // The COLORREF of six hexadecimal digits; a pair that does not read as hexadecimal
  // gives 0. False (and nothing) when the text is not six characters long.
  static bool ParseHex(const CString& text, COLORREF& colour);

private:
  void SetSelItemColor(unsigned long colour);
  // Spins and edit take the colour.
  void ShowValues(COLORREF colour);
  void PlaceChildren(bool initial);
  void Repaint(int redraw);
  long Forward(unsigned id, unsigned code, unsigned wParam, long lParam);

  MPalette* m_field = nullptr;  // all children are owned by the panel
  CColorButton* m_swatch = nullptr;
  std::array<CColorButton*, 8> m_presets{};
  std::array<MSpinButton*, 3> m_spins{};
  MEdit* m_hex = nullptr;
  std::array<MText*, 4> m_labels{};
};
