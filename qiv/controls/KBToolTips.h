// A tooltip window class that keeps nothing and paints nothing; it answers the library's
// close request and takes the tip windows' style.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/MWindow.h"

class QIV_API KBToolTips : public MWindow {
public:
  KBToolTips();
  ~KBToolTips() override;

  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int OnInitDialog() override;
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  virtual void CloseWindow();
  virtual int OnCreate(CREATESTRUCTW* create);
  virtual int OnSize(UINT type, int cx, int cy);
  virtual int OnPaint();

  int LoadBKImage(CString file);
  // Keeps nothing; 1.
  int SetAirBladderMsg(const wchar_t* first, const wchar_t* second, const wchar_t* third, POINT anchor);

private:
  CString m_strings[3];
  POINT m_anchor = {0, 0};
  int m_type = 1;
  int m_mode = 3;
  std::unique_ptr<Gdiplus::StringFormat> m_format;
  std::unique_ptr<Gdiplus::Image> m_background;
};
