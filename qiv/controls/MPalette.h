// The hue and lightness field and the colour wheel.
#pragma once
#include "core/MControlFont.h"

class QIV_API MPalette : public MControlFont {
public:
  MPalette(MObject* parent, unsigned id, CRect rect, int visible);
  ~MPalette() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CirclePalette : public MControlFont {
public:
  CirclePalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CirclePalette() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
