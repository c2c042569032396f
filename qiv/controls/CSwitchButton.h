// An on/off switch drawn from two four-frame strips, one per position; every click flips
// it and tells the parent the new position (code 2, lParam).
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MControlFont.h"

class QIV_API CSwitchButton : public MControlFont {
public:
  CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~CSwitchButton() override;
  const wchar_t* GetClassNameW() const override;

  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  // The switch takes no keys.
  int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) override;

  using MControlFont::SetImage;
  // Loads the on and off strips (skins folder) of `frames` frames each; 1 only when both
  // loaded. A count below 1 loads nothing and answers 0. No repaint.
  int SetImage(const wchar_t* onFile, const wchar_t* offFile, int frames);
  int GetCheck() const { return m_on; }
  // The position and the normal look, also while disabled; no notification.
  int SetCheck(int on);
  int GetState() const { return m_state; }

private:
  int m_state = 0;
  std::unique_ptr<Gdiplus::Image> m_onImage;
  std::unique_ptr<Gdiplus::Image> m_offImage;
  int m_onFrameWidth = 0, m_onFrameHeight = 0;
  int m_offFrameWidth = 0, m_offFrameHeight = 0;
  int m_on = 0;
  int m_pressing = 0;
};
