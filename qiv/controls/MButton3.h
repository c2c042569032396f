// A push button that toggles a checked state on every release inside it; a checked
// button shows its pressed look.
#pragma once
#include "controls/MButton.h"

class QIV_API MButton3 : public MButton {
public:
  MButton3(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~MButton3() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  int GetCheck() const { return m_checked; }
  // While enabled: stores a new value and repaints; no notification. Returns the flag.
  int SetCheck(int check);

private:
  int m_checked = 0;
};
