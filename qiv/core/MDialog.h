// The skinned dialog every dialog of the program derives from: an MWindow whose
// embedded paint manager owns, paints and routes its controls, with overridable handlers
// for the window messages, the close-with-result protocol and forwarders to the paint
// manager.
#pragma once
#include <windows.h>
#include <vector>
#include "core/MObject.h"
#include "core/MWindow.h"
#include "core/PaintManager.h"
#include "core/WindowDispatch.h"
#include "qiv_export.h"

// UM_CLOSEWINDOW (WindowDispatch.h) is posted by the close operations with the dialog's
// result in wParam; the window turns it into a posted WM_CLOSE that ShowModal returns. It
// may be posted from any thread.

class QIV_API MDialog : public MWindow, public MObject {
public:
  MDialog();
  ~MDialog() override;

  // ---- MWindow part ----
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int PreTranslateMessage(MSG* msg) override;
  int OnInitDialog() override;
  void OnDestroyMessage(HWND oldWindow) override;

  virtual POINT GetAirBladderPoint(MControl* control, UINT where);
  virtual void OnMinimize();
  virtual void OnMaximize();
  virtual void InitUI(CRect client);
  virtual void UISize(CRect client);
  virtual LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  virtual int OnCreate(CREATESTRUCTW* create);
  virtual int OnSize(UINT type, int cx, int cy);
  virtual int OnMouseMove(UINT flags, CPoint point);
  virtual int OnMouseLeave(WPARAM wParam, LPARAM lParam);
  virtual int OnMouseHover(WPARAM wParam, LPARAM lParam);
  virtual int OnMouseWheel(UINT flags, short delta, CPoint point);
  virtual int OnLButtonDown(UINT flags, CPoint point);
  virtual int OnLButtonUp(UINT flags, CPoint point);
  virtual int OnLButtonDblClk(UINT flags, CPoint point);
  virtual int OnRButtonDown(UINT flags, CPoint point);
  virtual int OnRButtonUp(UINT flags, CPoint point);
  virtual int OnRButtonDblClk(UINT flags, CPoint point);
  virtual int OnKeyDown(UINT key, UINT repeat, UINT flags);
  virtual int OnNcHitTest(CPoint point);
  virtual int OnGetMinMaxInfo(MINMAXINFO* info);
  virtual int OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  virtual int OnNcActivate(int active);
  virtual int OnWindowPosChanging(WINDOWPOS* pos);
  virtual int OnWindowPosChanged(WINDOWPOS* pos);
  virtual int OnPaint();
  virtual void OnTimer(UINT id);
  virtual int OnNcPaint(HRGN region);
  virtual int OnClose();
  virtual int OnDestroy();
  virtual int PostNcDestroy();

  // ---- MObject part ----
  const wchar_t* GetClassNameW() const override;
  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override;

  // ---- close operations: post UM_CLOSEWINDOW with the result ----
  void DoOK();      // 1
  void DoCancel();  // 2
  void DoClose();   // 2
  void DoYes();     // 6
  void DoNo();      // 7

  // ---- forwarders to the paint manager ----
  PaintManager* GetPaintManager() { return &m_pm; }
  MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int visible,
                          int enabled);
  MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int visible,
                       int enabled);
  MControl* GetControl(UINT id);
  std::vector<MControl*> GetControls();
  void SetFocusControl(MControl* control);
  void SetMTimer(UINT periodMs);
  void KillMTimer(UINT id);
  int LoadBKImage(CString file);
  int LoadBKImage(UINT resourceId, CString type);
  void SetBackMode(enumBackMode mode, int corner);
  void SetScrollResID(UINT vertical, UINT horizontal);
  void SetLayeredWindow(int layered);
  void EnableWndDrag(int enable);
  void SetTooltip(CString text, CRect rect);
  void ClearTooltip();
  void SetMessage(CString text, CRect rect, MsgLevel level);
  void SetProgress(int percent, CString text, CRect rect);
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
  void SetupBackTranslucent();
  void SetupRegion(int radius);
  // The rectangle SetMessage uses when it is given an empty one.
  CRect GetDefaultMessageRect() const;
  CRect GetLastClientRect() const { return m_rcClient; }

protected:
  PaintManager m_pm;
  COLORREF m_crKey = 0xFFFFFF;
  int m_nAlpha = 255;
  int m_nMsgOffset = 0;
  int m_nTooltipCtrlID = 0;
  CRect m_rcClient;

private:
  void PostClose(WPARAM result);
};
