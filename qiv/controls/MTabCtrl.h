// The tab strip and the page panel it shows.
#pragma once
#include "core/MControlFont.h"
#include "core/MPanel.h"

class QIV_API MTabCtrl : public MControlFont {
public:
  MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MTabCtrl() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API MTabLayout : public MPanel {
public:
  MTabLayout(MObject* parent, unsigned id, CRect rect, int visible);
  ~MTabLayout() override;
  const wchar_t* GetClassNameW() const override;
};
