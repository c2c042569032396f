// The list box with in-place rename.
#pragma once
#include "core/MPanel.h"

class QIV_API MListBox : public MPanel {
public:
  MListBox(MObject* parent, unsigned id, CRect rect, int visible);
  ~MListBox() override;
  const wchar_t* GetClassNameW() const override;
};
