// The base of short-lived windows that pop up over a dialog, host a few owner-drawn
// controls and close as soon as they lose activation: a tool window without window
// dragging whose notifications go to an owner object. The window's end does not delete
// the object; its user does, and the paint manager's controls go with it.
#pragma once
#include <windows.h>
#include "core/MObject.h"
#include "core/MWindow.h"
#include "core/PaintManager.h"
#include "core/WindowDispatch.h"
#include "qiv_export.h"

class QIV_API MPopupWnd : public MWindow, public MObject {
public:
  MPopupWnd();
  ~MPopupWnd() override;

  // ---- MWindow part ----
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int PreTranslateMessage(MSG* msg) override;
  int OnInitDialog() override;

  virtual MObject* GetParent();
  virtual void InitUI(CRect client);
  virtual void UISize(CRect client);
  virtual LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  virtual void CloseWindow();
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
  virtual int PostNcDestroy();
  virtual int OnDestroy();

  // ---- MObject part ----
  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override;

  void SetParent(MObject* parent) { m_pParent = parent; }
  PaintManager* GetPaintManager() { return &m_pm; }
  MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int visible,
                          int enabled);
  MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int visible,
                       int enabled);
  MControl* GetControl(UINT id);
  // The parent object's OnMessage(0, code, ...); 0 without a parent.
  int SendMessageToParent(UINT code, WPARAM wParam, LPARAM lParam);
  int LoadBKImage(CString file);
  int LoadBKImage(UINT resourceId, CString type);
  void SetBackMode(enumBackMode mode, int corner);
  void SetScrollResID(UINT vertical, UINT horizontal);
  void SetLayeredWindow(int layered);
  void SetupBackTranslucent();
  // Gives the window a rounded-rectangle region with corner ellipses of `radius`.
  void SetupRegion(int radius);

protected:
  // Posts WM_CLOSE (wParam, lParam) to the window when it has a handle.
  void PostCloseMessage(WPARAM wParam, LPARAM lParam);

  MObject* m_pParent = nullptr;
  PaintManager m_pm;
  COLORREF m_crKey = 0xF1F1F1;
  int m_nAlpha = 255;

private:
  bool m_bInPosChanged = false;
};

// An integer under HKCU "SOFTWARE\<device name>": the value's text as a decimal number,
// 0 when it is missing; a missing key is created (empty).
QIV_API int ReadRegistryInt(const wchar_t* valueName);
