// A one-line rich edit whose 16-pixel text line is centred vertically in the control.
#pragma once
#include "controls/MRichEdit.h"

class QIV_API MEditEx : public MRichEdit {
public:
  MEditEx(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MEditEx() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
};
