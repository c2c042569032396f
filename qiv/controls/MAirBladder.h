// The balloon tip window that a paint manager creates once per window.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MWindow.h"

// Placement of the balloon relative to its anchor.
enum AIRBLADDER_MODE : int {
  AIRBLADDER_MODE_RIGHT = 1,
  AIRBLADDER_MODE_LEFT = 2,
  AIRBLADDER_MODE_BOTTOM = 3,
  AIRBLADDER_MODE_TOP = 4,
  AIRBLADDER_MODE_RIGHT_RAISED = 5,
};

// 4 keeps the balloon until it is hidden; any other kind hides it after 5000 ms.
enum AIRBLADDER_TYPE : int {
  AIRBLADDER_TYPE_TIMED = 1,
  AIRBLADDER_TYPE_KEEP = 4,
  AIRBLADDER_TYPE_HOVER = 5,
};

class QIV_API MAirBladder : public MWindow {
public:
  MAirBladder();
  ~MAirBladder() override;

  int LoadBKImage(CString file);
  int LoadArrowLImage(CString file);
  int LoadArrowRImage(CString file);
  int LoadArrowTImage(CString file);
  // Stores the text, anchor (screen coordinates), kind and placement; 1.
  int SetAirBladderMsg(const wchar_t* text, POINT anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);

  CString GetText() const { return m_text; }
  POINT GetAnchor() const { return m_anchor; }
  AIRBLADDER_TYPE GetType() const { return m_type; }
  AIRBLADDER_MODE GetMode() const { return m_mode; }

private:
  CString m_text;
  POINT m_anchor = {0, 0};
  AIRBLADDER_TYPE m_type = AIRBLADDER_TYPE_TIMED;
  AIRBLADDER_MODE m_mode = AIRBLADDER_MODE_BOTTOM;
  std::unique_ptr<Gdiplus::Image> m_background;
  std::unique_ptr<Gdiplus::Image> m_arrowLeft;
  std::unique_ptr<Gdiplus::Image> m_arrowRight;
  std::unique_ptr<Gdiplus::Image> m_arrowTop;
};
