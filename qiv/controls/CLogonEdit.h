// An input field with a floating label: the tip is a 14-pixel placeholder while the field
// is empty and a 9-pixel label at the top left once text is typed; an optional icon at
// the left and a grey line along the bottom.
#pragma once
#include "controls/MEditEx.h"

class QIV_API CLogonEdit : public MRichEdit {
public:
  CLogonEdit(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CLogonEdit() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
};
