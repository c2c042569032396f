// A row of level cells lit up to the current value.
#pragma once
#include "core/MControlFont.h"

class QIV_API MLevelCtrl : public MControlFont {
public:
  MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MLevelCtrl() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
