// An image-only push button: a one-frame picture centred on a rounded highlight, or the
// four frames of a strip at natural size. While hovered it can show its title in the
// window's balloon tip.
#pragma once
#include "controls/MAirBladder.h"
#include "controls/MButton.h"

class QIV_API CImageButton : public MButton {
public:
  CImageButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CImageButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;

  // Placement of the balloon: 1 right of the button, 2 left of it, 0 none.
  void SetAlrBladderMode(AIRBLADDER_MODE mode) { m_balloonMode = mode; }
  AIRBLADDER_MODE GetAlrBladderMode() const { return m_balloonMode; }

private:
  void SetAirBladderInfo();

  AIRBLADDER_MODE m_balloonMode = static_cast<AIRBLADDER_MODE>(0);
};
