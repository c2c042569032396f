// The on-screen keyboard.
#pragma once
#include "core/MPanel.h"

class QIV_API KeyboardCtrl : public MPanel {
public:
  KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible);
  ~KeyboardCtrl() override;
  const wchar_t* GetClassNameW() const override;
};
