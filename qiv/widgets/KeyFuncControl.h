// The keyboard key picker.
#pragma once
#include "core/MPanel.h"

class QIV_API KeyFuncControl : public MPanel {
public:
  KeyFuncControl(MObject* parent, unsigned id, CRect rect, int visible);
  ~KeyFuncControl() override;
  const wchar_t* GetClassNameW() const override;
};
