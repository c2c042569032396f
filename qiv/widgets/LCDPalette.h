// Colour pickers of the LED animation page.
#pragma once
#include "core/MControlFont.h"

class QIV_API LCDPalette : public MControlFont {
public:
  LCDPalette(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDPalette() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API LCDPalette2 : public MControlFont {
public:
  LCDPalette2(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDPalette2() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API LCDPalette3 : public MControlFont {
public:
  LCDPalette3(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDPalette3() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
