// The native window wrapper every library window derives from: registers the
// "TQXWindow" class (or a superclass of a system class), binds the handle to the
// object, routes messages to OnWindowMessage and runs the modal loops. Every Win32
// wrapper is harmless when the object has no window.
#pragma once
#include <windows.h>
#include "core/CString.h"
#include "core/Geometry.h"
#include "qiv_export.h"

class QIV_API MWindow {
public:
  MWindow();
  virtual ~MWindow();

  virtual const wchar_t* GetWindowClassName() const;
  virtual const wchar_t* GetSuperClassName() const;
  virtual int ShowWindow(int cmdShow);
  virtual LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual int PreTranslateMessage(MSG* msg);
  virtual int OnInitDialog();
  virtual void OnDestroyMessage(HWND oldWindow);

  HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect, HMENU menu);
  HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect);
  HWND Create(HWND parent, CRect rect);
  HWND Create(HWND parent);
  int RegisterWindowClass();
  int RegisterSuperClass();
  int DestroyWindow();

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  UINT ShowModal(int cmdShow);
  UINT ShowModal2(int cmdShow);

  HWND GetSafeHwnd() const { return m_hWnd; }
  HWND GetParentHwnd() const { return m_hParent; }
  operator HWND() const { return m_hWnd; }

  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  int ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  int ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  int GetClientRect(RECT* rect) const;
  int GetWindowRect(RECT* rect) const;
  void SetWindowTextW(const wchar_t* text);
  void GetWindowTextW(CString& text) const;
  int GetWindowTextLengthW() const;
  int EnableWindow(int enable);
  int IsWindowEnabled() const;
  int IsWindowVisible() const;
  int IsIconic() const;
  void InvalidateRect(CRect rect, int erase);
  HWND SetCapture();
  HWND SetFocus();
  int ReleaseCapture();
  UINT_PTR SetTimer(UINT id, UINT elapse, TIMERPROC proc = nullptr);
  int KillTimer(UINT id);
  int ClientToScreen(POINT* pt) const;
  int ScreenToClient(POINT* pt) const;
  int ClientToScreen(RECT* rect) const;
  int ScreenToClient(RECT* rect) const;
  int SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags);
  int MoveWindow(int x, int y, int width, int height, int repaint = 1);
  int MoveWindow(const RECT* rect, int repaint = 1);
  LRESULT SendMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT PostMessageW(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  void SetIcon(UINT resourceId);
  void CenterWindow(MWindow* center = nullptr);
  void BringToTop();

protected:
  // A window that exists (non-null handle that IsWindow accepts).
  bool HasWindow() const;
  // The cheaper test some wrappers make: the handle is neither null nor -1.
  bool HasHandle() const;

  HWND m_hParent = nullptr;
  HWND m_hWnd = nullptr;
  WNDPROC m_OldWndProc = ::DefWindowProcW;

private:
  UINT RunModal(int cmdShow, bool disableOwner);
};
