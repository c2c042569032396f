// The tile list.
#pragma once
#include "core/MPanel.h"

class QIV_API MListBoxEx : public MPanel {
public:
  MListBoxEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MListBoxEx() override;
  const wchar_t* GetClassNameW() const override;
};
