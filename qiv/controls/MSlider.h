// Value controls: progress bar, slider and the spin box panel.
#pragma once
#include "core/MControlFont.h"
#include "core/MPanel.h"

class QIV_API MProgress : public MControlFont {
public:
  MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MProgress() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API MSlider : public MControlFont {
public:
  MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MSlider() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API MSpinButton : public MPanel {
public:
  MSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MSpinButton() override;
  const wchar_t* GetClassNameW() const override;
};
