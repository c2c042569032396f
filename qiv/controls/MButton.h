// The push button base and the buttons drawn from a skin strip or in text colours.
#pragma once
#include "core/MControlFont.h"

class QIV_API MButton : public MControlFont {
public:
  MButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CImageButton : public MButton {
public:
  CImageButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CImageButton() override;
  const wchar_t* GetClassNameW() const override;
};

class QIV_API MButton3 : public MButton {
public:
  MButton3(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~MButton3() override;
  const wchar_t* GetClassNameW() const override;
};

class QIV_API CTextButton : public MControlFont {
public:
  CTextButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~CTextButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API UpgradeButton : public MControlFont {
public:
  UpgradeButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~UpgradeButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API DownloadButton : public MControlFont {
public:
  DownloadButton(MObject* parent, unsigned id, CRect rect, const wchar_t* text, int visible, int enabled);
  ~DownloadButton() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
