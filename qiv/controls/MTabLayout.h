// A page of a tab strip: a plain panel that lets the mouse through wherever none of its
// children lies.
#pragma once
#include "core/MPanel.h"

class QIV_API MTabLayout : public MPanel {
public:
  MTabLayout(MObject* parent, unsigned id, CRect rect, int visible);
  ~MTabLayout() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  int DrawSubControls(HDC& hdc, CRect paint) override;
  int OnCheckMouseResponse(unsigned flags, CPoint point) override;
};
