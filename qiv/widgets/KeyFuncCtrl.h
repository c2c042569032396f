// The grouped key-function palette.
#pragma once
#include "core/MPanel.h"

class QIV_API KeyFuncCtrl : public MPanel {
public:
  KeyFuncCtrl(MObject* parent, unsigned id, CRect rect, int visible);
  ~KeyFuncCtrl() override;
  const wchar_t* GetClassNameW() const override;
};
