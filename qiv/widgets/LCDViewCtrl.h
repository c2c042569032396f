// The keyboard-screen picture grid.
#pragma once
#include "core/MPanel.h"

class QIV_API LCDViewCtrl : public MPanel {
public:
  LCDViewCtrl(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDViewCtrl() override;
  const wchar_t* GetClassNameW() const override;
};
