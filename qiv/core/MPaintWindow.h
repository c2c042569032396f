// The skeleton of the library's skinned windows (dialogs, popups, menus): an MWindow with
// the owner interface its controls call and an embedded paint manager that owns, paints
// and routes them. Each window message goes to the handler of the same name, then to the
// paint manager, then to the previous window procedure, so a handler cannot swallow it;
// a class that must, overrides OnWindowMessage and calls this dispatch for the rest.
#pragma once
#include <windows.h>
#include "core/MObject.h"
#include "core/MWindow.h"
#include "core/PaintManager.h"
#include "core/WindowDispatch.h"
#include "qiv_export.h"

class QIV_API MPaintWindow : public MWindow, public MObject {
public:
  MPaintWindow();
  // A window object deleted with its window still open takes the window down first, so
  // that no message reaches a deleted object.
  ~MPaintWindow() override;

  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  virtual void InitUI(CRect client);
  virtual void UISize(CRect client);
  virtual LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam);
  // Posts WM_CLOSE with the same values; 1.
  virtual LRESULT OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
  // Takes away the caption and sizing frame; 1.
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

  long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override;

  PaintManager* GetPaintManager() { return &m_pm; }
  MControl* CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int visible,
                          int enabled);
  MControl* CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int visible,
                       int enabled);
  MControl* GetControl(UINT id);
  int LoadBKImage(CString file);
  int LoadBKImage(UINT resourceId, CString type);
  void SetBackMode(enumBackMode mode, int corner);
  void SetScrollResID(UINT vertical, UINT horizontal);
  void SetLayeredWindow(int layered);
  // Layered-window attributes from the constant alpha (255 = opaque) or else the colour
  // key (0xFFFFFF = none); nothing when neither is set.
  void SetupBackTranslucent();

protected:
  // Posts WM_CLOSE (wParam, lParam) to the window when it has a handle.
  void PostCloseMessage(WPARAM wParam, LPARAM lParam);

  PaintManager m_pm;
  COLORREF m_crKey = 0xFFFFFF;
  int m_nAlpha = 255;
};
