// A text-only push button: its title in one of four colours by state, no image.
#pragma once
#include "core/MControlFont.h"

class QIV_API CTextButton : public MControlFont {
public:
  CTextButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CTextButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  // Normal (the text colour), hover, pressed and disabled colours; repaints.
  void SetTextButtonColor(Gdiplus::Color normal, Gdiplus::Color hover, Gdiplus::Color pressed,
                          Gdiplus::Color disabled);
  int GetState() const { return m_state; }

private:
  Gdiplus::Color m_hoverColor{0xFF4977E5};
  Gdiplus::Color m_pressedColor{0xFF4977E5};
  Gdiplus::Color m_disabledColor{0xFF808080};
  int m_state = 0;
};
