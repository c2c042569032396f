// The key-function type and value lists and the menu list of key functions.
#pragma once
#include "core/MControlFont.h"
#include "core/MPanel.h"

class QIV_API KeyFuncType : public MPanel {
public:
  KeyFuncType(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyFuncType() override;
  const wchar_t* GetClassNameW() const override;
};

class QIV_API KeyFuncValue : public MPanel {
public:
  KeyFuncValue(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyFuncValue() override;
  const wchar_t* GetClassNameW() const override;
};

class QIV_API KeyMenuFuncType : public MControlFont {
public:
  KeyMenuFuncType(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~KeyMenuFuncType() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
