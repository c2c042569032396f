// Pictures: a picture with show modes, a framed picture with a state overlay, a picture revealed step by step and an animated picture.
#pragma once
#include "core/MControlFont.h"

class QIV_API MPicture : public MControlFont {
public:
  MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~MPicture() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CPhotoFrame : public MControlFont {
public:
  CPhotoFrame(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CPhotoFrame() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CSliderPicture : public MControlFont {
public:
  CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CSliderPicture() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};

class QIV_API CGifPicture : public MControlFont {
public:
  CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CGifPicture() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
