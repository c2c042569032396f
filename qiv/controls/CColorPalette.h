// Composite colour pickers built from other controls.
#pragma once
#include "core/MPanel.h"

class QIV_API CColorPalette : public MPanel {
public:
  CColorPalette(MObject* parent, unsigned id, CRect rect, int visible);
  ~CColorPalette() override;
  const wchar_t* GetClassNameW() const override;
};

class QIV_API CColorSelect : public MPanel {
public:
  CColorSelect(MObject* parent, unsigned id, CRect rect, int visible);
  ~CColorSelect() override;
  const wchar_t* GetClassNameW() const override;
};
