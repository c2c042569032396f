// The key tip of the on-screen keyboard and the icon button: a heading (line 1) and a
// text (line 2) centred above the anchor on the skinned background; lines 3 and 4 are
// kept but not drawn.
#pragma once
#include "controls/MTipWindow.h"

class QIV_API CKeyboardTips : public MTipWindow {
public:
  CKeyboardTips();
  ~CKeyboardTips() override;

  int OnPaint() override;

  // The four lines (null is empty) and the anchor in screen coordinates; nothing when the
  // first line and the anchor equal the current ones. Fits and paints; arms no timer. 1.
  int SetAirBladderMsg(const wchar_t* line1, const wchar_t* line2, const wchar_t* line3, const wchar_t* line4,
                       POINT anchor);
  CString GetLine(int index) const;
  // Draws the tip into a top-down 32-bit buffer of w x h pixels.
  void Render(BYTE* bits, int width, int height);

private:
  void AutoFit();

  CString m_lines[4];
  std::unique_ptr<Gdiplus::StringFormat> m_format;
};
