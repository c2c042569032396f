// A single-device tile button: the device's picture and caption with hover and pressed
// looks, both rendered once into one cached bitmap side by side.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

class QIV_API CDeviceCtrl : public MControlFont {
public:
  CDeviceCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CDeviceCtrl() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  using MControlFont::SetImage;
  // Loads the picture from `file` as given (not the skins folder); 0 when it cannot load.
  int SetImage(const wchar_t* file, int frames) override;

  void SetBackColor(Gdiplus::Color colour) { m_backColor = colour; }
  void SetDeviceStatus(int status);
  void SetShowMode(int mode);
  int GetMouseState() const { return m_mouseState; }

private:
  void DrawCopy(Gdiplus::Graphics& g, HDC hdc, int offset, int shift);
  void SetMouseState(int state);
  bool Responds() const { return m_bEnabled && m_status != 0; }

  int m_mouseState = 0;  // 0 normal, 1 hovered, 2 pressed
  Gdiplus::Color m_backColor{0x3CFFFFFF};
  int m_status = 0;      // 0 offline
  int m_showMode = 0;    // 0 picture over caption, else picture left and caption right
  std::unique_ptr<Gdiplus::Image> m_picture;
};
