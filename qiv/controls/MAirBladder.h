// The balloon tip that a paint manager creates once per window: a layered, per-pixel-alpha
// popup with a short white text on a skinned background, sized to the text and placed
// next to an anchor point on the screen. Any kind but 4 hides itself after 5 seconds.
#pragma once
#include "controls/MTipWindow.h"

// Where a balloon of `textWidth` x `textHeight` (the measured text, `lines` lines) goes for
// an anchor and a placement; an unknown placement gives an empty rectangle.
CRect QIV_API BalloonRect(POINT anchor, int textWidth, int textHeight, int lines, AIRBLADDER_MODE mode);
// `rect` moved (not resized) to lie inside `area` as far as it fits; left and top win.
CRect QIV_API KeepInside(CRect rect, const CRect& area);

class QIV_API MAirBladder : public MTipWindow {
public:
  MAirBladder();
  ~MAirBladder() override;

  int OnPaint() override;

  int LoadArrowLImage(CString file);
  int LoadArrowLImage(unsigned id, CString type);
  int LoadArrowRImage(CString file);
  int LoadArrowRImage(unsigned id, CString type);
  int LoadArrowTImage(CString file);
  int LoadArrowTImage(unsigned id, CString type);
  // Sets the text (null is empty), the anchor in screen coordinates, kind and placement;
  // fits and places the balloon and, unless the kind is 4, arms the hide timer. Nothing is
  // done when all four equal the current ones. 1.
  int SetAirBladderMsg(const wchar_t* text, POINT anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);

  CString GetText() const { return m_text; }
  int GetLineCount() const { return m_lines; }
  // 1 when the text is laid out centred (one line, or placed above the anchor).
  int IsCentred() const;
  // Draws the balloon into a top-down premultiplied 32-bit buffer of w x h pixels.
  void Render(BYTE* bits, int width, int height);

private:
  void AutoFit();

  CString m_text;
  std::unique_ptr<Gdiplus::StringFormat> m_format;
  std::unique_ptr<Gdiplus::Image> m_arrowLeft, m_arrowRight, m_arrowTop;
  int m_arrowLeftW = 0, m_arrowLeftH = 0, m_arrowRightW = 0, m_arrowRightH = 0, m_arrowTopW = 0, m_arrowTopH = 0;
  int m_lines = 1;
};
