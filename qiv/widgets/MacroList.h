// The macro list box.
#pragma once
#include "core/MPanel.h"

class QIV_API MacroList : public MPanel {
public:
  MacroList(MObject* parent, unsigned id, CRect rect, int visible);
  ~MacroList() override;
  const wchar_t* GetClassNameW() const override;
};
