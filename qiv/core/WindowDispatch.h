// Pieces shared by the window classes that embed a paint manager (dialog, popup, menus):
// the dispatch of each message to the window's handler of the same name (after which it
// goes on to the paint manager and then the previous window procedure, so a handler
// cannot swallow it), the translucency set-up and the skinned style.
#pragma once
#include <windows.h>
#include "core/Geometry.h"
#include "core/MWindow.h"
#include "core/PaintManager.h"

// Posted by the close operations with the result in wParam (see MDialog).
constexpr UINT UM_CLOSEWINDOW = WM_USER + 66;

namespace qiv_detail {

// Calls the handler of `msg` on `window` (the handler set of MDialog / MPopupWnd). True
// when the message is answered here with `result`; otherwise the caller passes it on to
// the paint manager and then to the previous window procedure.
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

// Layered-window attributes from a constant alpha (255 = opaque) or a colour key
// (0xFFFFFF = none); nothing when neither is set.
inline void ApplyBackTranslucent(MWindow& window, COLORREF key, int alpha) {
  if (alpha != 255) {
    window.ModifyExStyle(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window.GetSafeHwnd(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
  } else if (key != 0xFFFFFF) {
    window.ModifyExStyle(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window.GetSafeHwnd(), key, 255, LWA_COLORKEY);
  }
}

// The style every skinned window takes at WM_CREATE: no caption or sizing frame.
inline void ApplySkinnedStyle(HWND window) {
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  ::SetWindowLongW(window, GWL_STYLE, static_cast<LONG>((static_cast<DWORD>(style) & 0xFF3BFFFF) | 0x06000008));
}

}  // namespace qiv_detail
