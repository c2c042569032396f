#include "controls/KBToolTips.h"
#include "controls/MTipWindow.h"
#include "core/WindowDispatch.h"

KBToolTips::KBToolTips() : m_format(std::make_unique<Gdiplus::StringFormat>()) {}
KBToolTips::~KBToolTips() = default;

int KBToolTips::OnInitDialog() { return 1; }

LRESULT KBToolTips::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
      break;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_PAINT:
      OnPaint();
      break;
    case WM_ERASEBKGND:
      return 1;
    case UM_CLOSEWINDOW:
      return OnUserCloseWindow(wParam, lParam);
    default:
      break;
  }
  return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

LRESULT KBToolTips::OnUserCloseWindow(WPARAM wParam, LPARAM lParam) {
  if (HasHandle()) ::PostMessageW(m_hWnd, WM_CLOSE, wParam, lParam);
  return 1;
}

void KBToolTips::CloseWindow() {
  if (HasHandle()) ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

int KBToolTips::OnCreate(CREATESTRUCTW*) {
  const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
  ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & 0xFF3BFFFF) | 0x06000008);
  ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  return 0;
}

int KBToolTips::OnSize(UINT, int, int) {
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return 0;
}

int KBToolTips::OnPaint() { return 0; }

int KBToolTips::LoadBKImage(CString file) {
  int w = 0, h = 0;
  m_background = LoadTipImage(file, w, h);
  return m_background ? 1 : 0;
}

int KBToolTips::SetAirBladderMsg(const wchar_t*, const wchar_t*, const wchar_t*, POINT) { return 1; }
