// One item of a popup menu.
#pragma once
#include "core/MControlFont.h"

class QIV_API MenuItem : public MControlFont {
public:
  MenuItem(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MenuItem() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
