// Check, radio and selection buttons (checkable, grouped by name).
#pragma once
#include "core/MControlFont.h"

class QIV_API CCheckButton : public MControlFont {
public:
  CCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CCheckButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API TextCheckButton : public MControlFont {
public:
  TextCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~TextCheckButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CRadioButton : public MControlFont {
public:
  CRadioButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CRadioButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API KeyLayerButton : public MControlFont {
public:
  KeyLayerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~KeyLayerButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CSelectButton : public MControlFont {
public:
  CSelectButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CSelectButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
