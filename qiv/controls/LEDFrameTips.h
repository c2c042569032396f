// The frame tip of the keyboard-screen picture grid: a title and a text in white on a dark
// framed box whose bottom edge lies on the anchor.
#pragma once
#include "controls/MTipWindow.h"

class QIV_API LEDFrameTips : public MTipWindow {
public:
  LEDFrameTips();
  ~LEDFrameTips() override;

  int OnPaint() override;

  // Title and text (null is empty) and the anchor in screen coordinates; nothing when all
  // three equal the current ones. Fits and paints; arms no timer. 1.
  int SetAirBladderMsg(const wchar_t* title, const wchar_t* text, POINT anchor);
  CString GetTitle() const { return m_title; }
  CString GetText() const { return m_text; }
  // Paints into a device context of w x h pixels.
  void Render(HDC dc, int width, int height);
  int GetPaintCount() const { return m_paints; }

private:
  void AutoFit();

  CString m_title;
  CString m_text;
  HFONT m_font = nullptr;
  int m_paints = 0;
};
