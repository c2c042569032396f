// The keyboard-screen frame list.
#pragma once
#include "core/MPanel.h"

class QIV_API LCDViewList : public MPanel {
public:
  LCDViewList(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDViewList() override;
  const wchar_t* GetClassNameW() const override;
};
