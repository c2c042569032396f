#include "core/MPopupWnd.h"
#include <cwchar>
#include "core/MControl.h"
#include "core/Manager.h"

MPopupWnd::MPopupWnd() = default;

MPopupWnd::~MPopupWnd() {
  // No message may reach a deleted object: a popup deleted while open closes first.
  if (HasWindow()) ::DestroyWindow(m_hWnd);
}

LRESULT MPopupWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (qiv_detail::DispatchToHandlers(*this, msg, wParam, lParam, result)) return result;
  if (LRESULT handled = m_pm.OnWindowMessage(msg, wParam, lParam)) return handled;
  return MWindow::OnWindowMessage(msg, wParam, lParam);
}

int MPopupWnd::PreTranslateMessage(MSG*) { return 0; }

int MPopupWnd::OnInitDialog() {
  m_pm.Init(m_hWnd, this);
  m_pm.EnableWndDrag(0);
  CRect client;
  if (HasWindow()) ::GetClientRect(m_hWnd, &client);
  InitUI(client);
  return 1;
}

MObject* MPopupWnd::GetParent() { return m_pParent; }
void MPopupWnd::InitUI(CRect) {}
void MPopupWnd::UISize(CRect) {}
LRESULT MPopupWnd::OnMessage(UINT, UINT, WPARAM, LPARAM) { return 0; }

void MPopupWnd::PostCloseMessage(WPARAM wParam, LPARAM lParam) {
  if (HasHandle()) ::PostMessageW(m_hWnd, WM_CLOSE, wParam, lParam);
}

LRESULT MPopupWnd::OnUserCloseWindow(WPARAM wParam, LPARAM lParam) {
  PostCloseMessage(wParam, lParam);
  return 1;
}

void MPopupWnd::CloseWindow() { PostCloseMessage(0, 0); }

int MPopupWnd::OnCreate(CREATESTRUCTW*) {
  if (!HasHandle()) return 1;
  qiv_detail::ApplySkinnedStyle(m_hWnd);
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  return 1;
}

int MPopupWnd::OnSize(UINT, int, int) {
  CRect client;
  if (HasWindow()) ::GetClientRect(m_hWnd, &client);
  UISize(client);
  if (HasWindow()) ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return 0;
}

int MPopupWnd::OnMouseMove(UINT, CPoint) { return 0; }
int MPopupWnd::OnMouseLeave(WPARAM, LPARAM) { return 0; }
int MPopupWnd::OnMouseHover(WPARAM, LPARAM) { return 0; }
int MPopupWnd::OnMouseWheel(UINT, short, CPoint) { return 0; }
int MPopupWnd::OnLButtonDown(UINT, CPoint) { return 0; }
int MPopupWnd::OnLButtonUp(UINT, CPoint) { return 0; }
int MPopupWnd::OnLButtonDblClk(UINT, CPoint) { return 0; }
int MPopupWnd::OnRButtonDown(UINT, CPoint) { return 0; }
int MPopupWnd::OnRButtonUp(UINT, CPoint) { return 0; }
int MPopupWnd::OnRButtonDblClk(UINT, CPoint) { return 0; }
int MPopupWnd::OnKeyDown(UINT, UINT, UINT) { return 0; }
int MPopupWnd::OnNcHitTest(CPoint) { return 0; }
int MPopupWnd::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
int MPopupWnd::OnNcCalcSize(WPARAM, LPARAM) { return 0; }

int MPopupWnd::OnNcActivate(int active) {
  if (!active) PostCloseMessage(0, 0);
  return 1;
}

int MPopupWnd::OnWindowPosChanging(WINDOWPOS*) { return 0; }

int MPopupWnd::OnWindowPosChanged(WINDOWPOS* pos) {
  // The frame refresh below can be reported as a further position change; that report is
  // not acted on again.
  if (m_bInPosChanged || !pos) return 1;
  m_bInPosChanged = true;
  SetWindowPos(nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOSENDCHANGING);
  if (HasHandle()) {
    ::SendMessageW(m_hWnd, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
    ::SendMessageW(m_hWnd, WM_SIZE, 0, MAKELPARAM(pos->cx, pos->cy));
  }
  OnSize(0, pos->cx, pos->cy);
  m_bInPosChanged = false;
  return 1;
}

int MPopupWnd::OnPaint() { return 0; }
void MPopupWnd::OnTimer(UINT) {}
int MPopupWnd::OnNcPaint(HRGN) { return 0; }
int MPopupWnd::OnClose() { return 1; }
int MPopupWnd::PostNcDestroy() { return 0; }
int MPopupWnd::OnDestroy() { return 0; }

long MPopupWnd::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return static_cast<long>(OnMessage(id, code, wParam, lParam));
}

long MPopupWnd::OnControlUpdate(CRect rect, int redraw, MControl* control) {
  return m_pm.OnControlUpdate(rect, redraw, control);
}

MControl* MPopupWnd::CreateControl(const wchar_t* className, UINT id, CRect rect, const wchar_t* title,
                                   int visible, int enabled) {
  return m_pm.CreateControl(1u, static_cast<MObject*>(this), className, id, rect, title, visible, enabled);
}

MControl* MPopupWnd::CreateArea(const wchar_t* className, UINT id, CRect rect, const wchar_t* title, int visible,
                                int enabled) {
  return m_pm.CreateControl(0u, static_cast<MObject*>(this), className, id, rect, title, visible, enabled);
}

MControl* MPopupWnd::GetControl(UINT id) { return m_pm.GetControl(id); }

int MPopupWnd::SendMessageToParent(UINT code, WPARAM wParam, LPARAM lParam) {
  // The parent of a popup is a control; it takes the notification as a control message.
  auto* parent = dynamic_cast<MControl*>(GetParent());
  if (!parent) return 0;
  return static_cast<int>(
      parent->OnMessage(0, code, static_cast<unsigned>(wParam), static_cast<long>(lParam)));
}

int MPopupWnd::LoadBKImage(CString file) { return m_pm.LoadBKImage(file); }
int MPopupWnd::LoadBKImage(UINT resourceId, CString type) { return m_pm.LoadBKImage(resourceId, type); }
void MPopupWnd::SetBackMode(enumBackMode mode, int corner) { m_pm.SetBackMode(mode, corner); }
void MPopupWnd::SetScrollResID(UINT vertical, UINT horizontal) { m_pm.SetScrollResID(vertical, horizontal); }
void MPopupWnd::SetLayeredWindow(int layered) { m_pm.SetLayeredWindow(layered); }

void MPopupWnd::SetupBackTranslucent() {
  if (HasWindow()) qiv_detail::ApplyBackTranslucent(*this, m_crKey, m_nAlpha);
}

void MPopupWnd::SetupRegion(int radius) {
  CRect r;
  if (!GetWindowRect(&r)) return;
  HRGN region = ::CreateRoundRectRgn(0, 0, r.Width(), r.Height(), radius, radius);
  if (!region) return;
  ::SetWindowRgn(m_hWnd, region, TRUE);
  ::DeleteObject(region);
}

int ReadRegistryInt(const wchar_t* valueName) {
  CString path;
  path.Format(L"SOFTWARE\\%s", Manager::GetDeviceName().GetString());
  HKEY key = nullptr;
  const LONG opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key);
  if (opened == ERROR_FILE_NOT_FOUND) {
    HKEY created = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &created, nullptr) == ERROR_SUCCESS)
      ::RegCloseKey(created);
    return 0;
  }
  if (opened != ERROR_SUCCESS) return 0;
  wchar_t buffer[256] = {};
  DWORD type = REG_SZ, bytes = 255;
  ::RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
  ::RegCloseKey(key);
  buffer[255] = 0;
  return static_cast<int>(std::wcstol(buffer, nullptr, 10));
}
