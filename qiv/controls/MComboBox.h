// The combo box and its drop-down list.
#pragma once
#include "core/MControlFont.h"
#include "core/MPanel.h"

class QIV_API MComboBox : public MControlFont {
public:
  MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MComboBox() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CComboBoxList : public MPanel {
public:
  CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CComboBoxList() override;
  const wchar_t* GetClassNameW() const override;
};
