// The macro record list.
#pragma once
#include "core/MPanel.h"

class QIV_API CRecordList : public MPanel {
public:
  CRecordList(MObject* parent, unsigned id, CRect rect, int visible);
  ~CRecordList() override;
  const wchar_t* GetClassNameW() const override;
};
