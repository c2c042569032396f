#include "core/MPaintWindow.h"

MPaintWindow::MPaintWindow() = default;

MPaintWindow::~MPaintWindow() {
  if (HasWindow()) ::DestroyWindow(m_hWnd);
}

LRESULT MPaintWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (qiv_detail::DispatchToHandlers(*this, msg, wParam, lParam, result)) return result;
  if (LRESULT handled = m_pm.OnWindowMessage(msg, wParam, lParam)) return handled;
  return MWindow::OnWindowMessage(msg, wParam, lParam);
}

void MPaintWindow::InitUI(CRect) {}
void MPaintWindow::UISize(CRect) {}
LRESULT MPaintWindow::OnMessage(UINT, UINT, WPARAM, LPARAM) { return 0; }

void MPaintWindow::PostCloseMessage(WPARAM wParam, LPARAM lParam) {
  if (HasHandle()) ::PostMessageW(m_hWnd, WM_CLOSE, wParam, lParam);
}

LRESULT MPaintWindow::OnUserCloseWindow(WPARAM wParam, LPARAM lParam) {
  PostCloseMessage(wParam, lParam);
  return 1;
}

int MPaintWindow::OnCreate(CREATESTRUCTW*) {
  if (!HasHandle()) return 1;
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
  ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((style & 0xFF3BFFFF) | 0x06000008));
  return 1;
}

int MPaintWindow::OnSize(UINT, int, int) { return 0; }
int MPaintWindow::OnMouseMove(UINT, CPoint) { return 0; }
int MPaintWindow::OnMouseLeave(WPARAM, LPARAM) { return 0; }
int MPaintWindow::OnMouseHover(WPARAM, LPARAM) { return 0; }
int MPaintWindow::OnMouseWheel(UINT, short, CPoint) { return 0; }
int MPaintWindow::OnLButtonDown(UINT, CPoint) { return 0; }
int MPaintWindow::OnLButtonUp(UINT, CPoint) { return 0; }
int MPaintWindow::OnLButtonDblClk(UINT, CPoint) { return 0; }
int MPaintWindow::OnRButtonDown(UINT, CPoint) { return 0; }
int MPaintWindow::OnRButtonUp(UINT, CPoint) { return 0; }
int MPaintWindow::OnRButtonDblClk(UINT, CPoint) { return 0; }
int MPaintWindow::OnKeyDown(UINT, UINT, UINT) { return 0; }
int MPaintWindow::OnNcHitTest(CPoint) { return 0; }
int MPaintWindow::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
int MPaintWindow::OnNcCalcSize(WPARAM, LPARAM) { return 0; }
int MPaintWindow::OnNcActivate(int) { return 0; }
int MPaintWindow::OnWindowPosChanging(WINDOWPOS*) { return 1; }
int MPaintWindow::OnWindowPosChanged(WINDOWPOS*) { return 1; }
int MPaintWindow::OnPaint() { return 0; }
void MPaintWindow::OnTimer(UINT) {}
int MPaintWindow::OnNcPaint(HRGN) { return 0; }
int MPaintWindow::OnClose() { return 1; }
int MPaintWindow::OnDestroy() { return 0; }
int MPaintWindow::PostNcDestroy() { return 0; }

long MPaintWindow::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return static_cast<long>(OnMessage(id, code, wParam, lParam));
}

long MPaintWindow::OnControlUpdate(CRect rect, int redraw, MControl* control) {
  return m_pm.OnControlUpdate(rect, redraw, control);
}

MControl* MPaintWindow::CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title,
                                      int visible, int enabled) {
  return m_pm.CreateControl(1u, static_cast<MObject*>(this), className, id, rect, title, visible, enabled);
}

MControl* MPaintWindow::CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title,
                                   int visible, int enabled) {
  return m_pm.CreateControl(0u, static_cast<MObject*>(this), className, id, rect, title, visible, enabled);
}

MControl* MPaintWindow::GetControl(UINT id) { return m_pm.GetControl(id); }
int MPaintWindow::LoadBKImage(CString file) { return m_pm.LoadBKImage(file); }
int MPaintWindow::LoadBKImage(UINT resourceId, CString type) { return m_pm.LoadBKImage(resourceId, type); }
void MPaintWindow::SetBackMode(enumBackMode mode, int corner) { m_pm.SetBackMode(mode, corner); }
void MPaintWindow::SetScrollResID(UINT vertical, UINT horizontal) { m_pm.SetScrollResID(vertical, horizontal); }
void MPaintWindow::SetLayeredWindow(int layered) { m_pm.SetLayeredWindow(layered); }

void MPaintWindow::SetupBackTranslucent() {
  if (!HasWindow()) return;
  if (m_nAlpha != 255) {
    ModifyExStyle(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, 0, static_cast<BYTE>(m_nAlpha), LWA_ALPHA);
  } else if (m_crKey != 0xFFFFFF) {
    ModifyExStyle(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, m_crKey, 255, LWA_COLORKEY);
  }
}
