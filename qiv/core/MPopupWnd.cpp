#include "core/MPopupWnd.h"
#include <cwchar>
#include "core/MControl.h"
#include "core/Manager.h"

MPopupWnd::MPopupWnd() { m_crKey = 0xF1F1F1; }
MPopupWnd::~MPopupWnd() = default;

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

void MPopupWnd::CloseWindow() { PostCloseMessage(0, 0); }

int MPopupWnd::OnCreate(CREATESTRUCTW* create) {
  MPaintWindow::OnCreate(create);
  if (HasHandle()) ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  return 1;
}

int MPopupWnd::OnSize(UINT, int, int) {
  CRect client;
  if (HasWindow()) ::GetClientRect(m_hWnd, &client);
  UISize(client);
  if (HasWindow()) ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return 0;
}

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

int MPopupWnd::SendMessageToParent(UINT code, WPARAM wParam, LPARAM lParam) {
  // The parent of a popup is a control; it takes the notification as a control message.
  auto* parent = dynamic_cast<MControl*>(GetParent());
  if (!parent) return 0;
  return static_cast<int>(
      parent->OnMessage(0, code, static_cast<unsigned>(wParam), static_cast<long>(lParam)));
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
