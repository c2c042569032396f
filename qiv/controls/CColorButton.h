// The colour swatch button and the on/off switch.
#pragma once
#include "core/MControlFont.h"

class QIV_API CColorButton : public MControlFont {
public:
  CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CColorButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CSwitchButton : public MControlFont {
public:
  CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CSwitchButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
