// The device list and its device tile.
#pragma once
#include "core/MControlFont.h"
#include "core/MPanel.h"

class QIV_API CDeviceList : public MPanel {
public:
  CDeviceList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CDeviceList() override;
  const wchar_t* GetClassNameW() const override;
};

class QIV_API CDeviceCtrl : public MControlFont {
public:
  CDeviceCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CDeviceCtrl() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
