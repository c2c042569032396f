// The profile list.
#pragma once
#include "core/MPanel.h"

class QIV_API ProfileList : public MPanel {
public:
  ProfileList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~ProfileList() override;
  const wchar_t* GetClassNameW() const override;
};
