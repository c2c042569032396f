// The close message of the skinned windows and the routing of a window message to the
// handler of the same name (MPaintWindow's dispatch).
#pragma once
#include <windows.h>
#include "core/Geometry.h"

// Posted by a dialog's close operations with the result in wParam; the window turns it
// into a posted WM_CLOSE whose wParam ShowModal returns. May be posted from any thread.
constexpr UINT UM_CLOSEWINDOW = WM_USER + 66;

namespace qiv_detail {

// Calls the handler of `msg` on `window`. True when the message is answered here with
// `result`; otherwise the caller passes it on to the paint manager and then to the
// previous window procedure.
template <class Window>
bool DispatchToHandlers(Window& window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  const CPoint point(x, y);
  const UINT flags = static_cast<UINT>(wParam);
  switch (msg) {
    case WM_CREATE: window.OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)); break;
    case WM_DESTROY: window.OnDestroy(); break;
    case WM_SIZE: window.OnSize(flags, x, y); break;
    case WM_PAINT: window.OnPaint(); break;
    case WM_CLOSE: window.OnClose(); break;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_WINDOWPOSCHANGING: window.OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_WINDOWPOSCHANGED: window.OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_NCACTIVATE: window.OnNcActivate(static_cast<int>(wParam)); break;
    case WM_TIMER: window.OnTimer(flags); break;
    case WM_MOUSEMOVE: window.OnMouseMove(flags, point); break;
    case WM_LBUTTONDOWN: window.OnLButtonDown(flags, point); break;
    case WM_LBUTTONUP: window.OnLButtonUp(flags, point); break;
    case WM_LBUTTONDBLCLK: window.OnLButtonDblClk(flags, point); break;
    case WM_RBUTTONDOWN: window.OnRButtonDown(flags, point); break;
    case WM_RBUTTONUP: window.OnRButtonUp(flags, point); break;
    case WM_RBUTTONDBLCLK: window.OnRButtonDblClk(flags, point); break;
    case WM_MOUSEHOVER: window.OnMouseHover(wParam, lParam); break;
    case WM_MOUSELEAVE: window.OnMouseLeave(wParam, lParam); break;
    case UM_CLOSEWINDOW:
      result = window.OnUserCloseWindow(wParam, lParam);
      return true;
    default: break;
  }
  return false;
}

}  // namespace qiv_detail
