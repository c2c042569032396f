// The skinned dialog every dialog of the program derives from: a skinned window whose
// close operations post UM_CLOSEWINDOW with the dialog's result (the value ShowModal
// returns), with forwarders to its paint manager and drop shadow that the program calls.
#pragma once
#include <windows.h>
#include <vector>
#include "core/MPaintWindow.h"
#include "qiv_export.h"

class QIV_API MDialog : public MPaintWindow {
public:
  MDialog();
  ~MDialog() override;

  int PreTranslateMessage(MSG* msg) override;
  // Binds the paint manager to the window and builds the controls with InitUI.
  int OnInitDialog() override;
  // Releases the paint manager's data (controls, timers, images, fonts) with the window.
  void OnDestroyMessage(HWND oldWindow) override;

  // Screen point under a control for a balloon tip: bottom edge at its left end, middle
  // (where 1) or right end (where 2).
  virtual POINT GetAirBladderPoint(MControl* control, UINT where);
  virtual void OnMinimize();
  virtual void OnMaximize();
  int OnSize(UINT type, int cx, int cy) override;

  const wchar_t* GetClassNameW() const override;

  // ---- close operations: post UM_CLOSEWINDOW with the result ----
  void DoOK();      // 1
  void DoCancel();  // 2
  void DoClose();   // 2
  void DoYes();     // 6
  void DoNo();      // 7

  // ---- forwarders to the paint manager and its shadow ----
  std::vector<MControl*> GetControls();
  void SetFocusControl(MControl* control);
  void SetMTimer(UINT periodMs);
  void KillMTimer(UINT id);
  void EnableWndDrag(int enable);
  void SetTooltip(CString text, CRect rect);
  void ClearTooltip();
  // An empty or all-zero rectangle means the default message rectangle.
  void SetMessage(CString text, CRect rect, MsgLevel level);
  void SetProgress(int percent, CString text, CRect rect);
  // 0 and nothing shown for a point with a zero coordinate.
  int SetAirBladderMsg(const wchar_t* text, POINT at, AIRBLADDER_TYPE type);
  void CreateShadow(int show, bool force);
  int SetSize(int size);
  int SetSharpness(UINT sharpness);
  int SetDarkness(UINT darkness);
  int SetPosition(int x, int y);
  int SetShadowColor(COLORREF color);
  void SetShadowImage(const wchar_t* file, CRect corners);
  void SetShadowImage(UINT resourceId, CRect corners);
  void SetShadowShow(int show);
  void SetTooltipCtrlID(int id) { m_nTooltipCtrlID = id; }
  int GetTooltipCtrlID() const { return m_nTooltipCtrlID; }
  void SetupRegion(int radius);
  // The rectangle SetMessage uses when it is given an empty one.
  CRect GetDefaultMessageRect() const;
  CRect GetLastClientRect() const { return m_rcClient; }

protected:
  int m_nMsgOffset = 0;
  int m_nTooltipCtrlID = 0;
  CRect m_rcClient;

private:
  void PostClose(WPARAM result);
};
