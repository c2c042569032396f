// A dark panel with a grid of preset colour swatches.
#pragma once
#include "core/MControlFont.h"

class QIV_API ColorView : public MControlFont {
public:
  ColorView(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~ColorView() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
