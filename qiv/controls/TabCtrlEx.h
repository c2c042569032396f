// The vertical strip of text tabs.
#pragma once
#include "core/MControlFont.h"

class QIV_API TabCtrlEx : public MControlFont {
public:
  TabCtrlEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~TabCtrlEx() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
