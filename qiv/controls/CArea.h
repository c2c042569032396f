// Passive areas: a filled or framed rectangle, a rounded translucent one and a framed text.
#pragma once
#include "core/MControl.h"
#include "core/MControlFont.h"

class QIV_API CArea : public MControl {
public:
  CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CArea() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CRoundArea : public MControl {
public:
  CRoundArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CRoundArea() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CTextArea : public MControlFont {
public:
  CTextArea(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CTextArea() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
