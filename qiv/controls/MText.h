// A static text: the title in the text colour with the control's alignment.
#pragma once
#include "core/MControlFont.h"

class QIV_API MText : public MControlFont {
public:
  MText(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible);
  ~MText() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
