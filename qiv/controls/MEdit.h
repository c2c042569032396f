// The owner-drawn edit over a native edit window.
#pragma once
#include "core/MControlFont.h"

class QIV_API MEdit : public MControlFont {
public:
  MEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MEdit() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
