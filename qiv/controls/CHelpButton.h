// A small picture that shows its title in the window's balloon tip while the pointer is
// over it; it reports nothing.
#pragma once
#include "controls/MAirBladder.h"
#include "core/MControlFont.h"

class QIV_API CHelpButton : public MControlFont {
public:
  CHelpButton(MObject* parent, unsigned id, CRect rect, const wchar_t* title, int visible, int enabled);
  ~CHelpButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;

  void SetAirbladderMode(AIRBLADDER_MODE mode) { m_mode = mode; }
  AIRBLADDER_MODE GetAirbladderMode() const { return m_mode; }

private:
  int m_state = 0;
  AIRBLADDER_MODE m_mode = AIRBLADDER_MODE_LEFT;
};
