// Icon, timer and help buttons.
#pragma once
#include "core/MControlFont.h"

class QIV_API CIconButton : public MControlFont {
public:
  CIconButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CIconButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CTimerButton : public MControlFont {
public:
  CTimerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CTimerButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CHelpButton : public MControlFont {
public:
  CHelpButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CHelpButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
