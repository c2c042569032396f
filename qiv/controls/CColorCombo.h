// A small button-like control that shows a filled colour area in four state frames
// (normal, hover, pressed, disabled); pressed inside it sends code 1, released inside 2.
#pragma once
#include "core/MControlFont.h"

class QIV_API CColorCombo : public MControlFont {
public:
  CColorCombo(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CColorCombo() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  using MControlFont::SetImage;
  // Kept (through the window's image cache), not drawn.
  int SetImage(const wchar_t* file, int frames) override;

  void SetAreaColor(Gdiplus::Color colour);
  Gdiplus::Color GetAreaColor() const { return m_area; }
  void SetIsOpen(bool open) { m_bOpen = open; }
  bool GetIsOpen() const { return m_bOpen; }
  int GetState() const { return m_state; }

private:
  void SetState(int state);

  Gdiplus::Color m_area{0xFEFFFF00};
  int m_state = 0;
  bool m_bOpen = false;
};
