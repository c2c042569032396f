#include "core/MWindow.h"
#include "core/Manager.h"

namespace {
constexpr wchar_t kControlProp[] = L"Control";
constexpr DWORD kFrameRefreshFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
}  // namespace

MWindow::MWindow() = default;
MWindow::~MWindow() = default;

const wchar_t* MWindow::GetWindowClassName() const { return L"TQXWindow"; }
const wchar_t* MWindow::GetSuperClassName() const { return nullptr; }

int MWindow::ShowWindow(int cmdShow) { return HasHandle() ? ::ShowWindow(m_hWnd, cmdShow) : 0; }

LRESULT MWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(m_OldWndProc, m_hWnd, msg, wParam, lParam);
}

int MWindow::PreTranslateMessage(MSG*) { return 0; }
int MWindow::OnInitDialog() { return 1; }
void MWindow::OnDestroyMessage(HWND) {}

bool MWindow::HasWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
bool MWindow::HasHandle() const { return m_hWnd && m_hWnd != reinterpret_cast<HWND>(-1); }

HWND MWindow::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect, HMENU menu) {
  if (HasHandle() && ::IsWindow(m_hWnd)) return m_hWnd;
  m_hParent = parent;
  int registered = GetSuperClassName() ? RegisterSuperClass() : RegisterWindowClass();
  if (!registered) return nullptr;
  m_hWnd = ::CreateWindowExW(exStyle, GetWindowClassName(), title, style, rect.left, rect.top,
                             rect.Width(), rect.Height(), parent, menu, Manager::GetInstance(), this);
  OnInitDialog();
  return m_hWnd;
}

HWND MWindow::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect) {
  return Create(parent, title, style, exStyle, rect, nullptr);
}
HWND MWindow::Create(HWND parent, CRect rect) { return Create(parent, L"TQXWindow", 0x80B, 0, rect, nullptr); }
HWND MWindow::Create(HWND parent) { return Create(parent, CRect(0, 0, 800, 600)); }

int MWindow::RegisterWindowClass() {
  WNDCLASSW wc = {};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = Manager::GetInstance();
  wc.lpszClassName = GetWindowClassName();
  if (::RegisterClassW(&wc)) return 1;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? 1 : 0;
}

int MWindow::RegisterSuperClass() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  if (!::GetClassInfoExW(nullptr, GetSuperClassName(), &wc) &&
      !::GetClassInfoExW(Manager::GetInstance(), GetSuperClassName(), &wc))
    return 0;
  m_OldWndProc = wc.lpfnWndProc;
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = Manager::GetInstance();
  wc.lpszClassName = GetWindowClassName();
  if (::RegisterClassExW(&wc)) return 1;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? 1 : 0;
}

int MWindow::DestroyWindow() { return HasWindow() ? ::DestroyWindow(m_hWnd) : 0; }

LRESULT CALLBACK MWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MWindow* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<MWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) {
      self->m_hWnd = hwnd;
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<MWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY && self) {
      LRESULT result = ::CallWindowProcW(self->m_OldWndProc, hwnd, msg, wParam, lParam);
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->m_hWnd = nullptr;
      self->OnDestroyMessage(hwnd);  // the object may end its own life here
      return result;
    }
  }
  if (self) return self->OnWindowMessage(msg, wParam, lParam);
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MWindow::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MWindow* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<MWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) {
      self->m_hWnd = hwnd;
      ::SetPropW(hwnd, kControlProp, self);
    }
  } else {
    self = static_cast<MWindow*>(::GetPropW(hwnd, kControlProp));
    if (msg == WM_NCDESTROY && self) {
      LRESULT result = ::CallWindowProcW(self->m_OldWndProc, hwnd, msg, wParam, lParam);
      ::RemovePropW(hwnd, kControlProp);
      self->m_hWnd = nullptr;
      self->OnDestroyMessage(hwnd);
      return result;
    }
  }
  if (self) return self->OnWindowMessage(msg, wParam, lParam);
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

UINT MWindow::ShowModal(int cmdShow) { return RunModal(cmdShow, true); }
UINT MWindow::ShowModal2(int cmdShow) { return RunModal(cmdShow, false); }

UINT MWindow::RunModal(int cmdShow, bool disableOwner) {
  if (!HasWindow()) return 0xFFFFFFFF;
  const HWND window = m_hWnd;  // the object may be gone once its window is
  UINT result = 0;
  HWND owner = ::GetWindow(window, GW_OWNER);
  ::ShowWindow(window, cmdShow);
  if (disableOwner) ::EnableWindow(owner, FALSE);
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (::IsWindow(window)) {
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (msg.message == WM_CLOSE && msg.hwnd == window) {
      result = static_cast<UINT>(msg.wParam);
      ::EnableWindow(owner, TRUE);
      ::SetFocus(owner);
    }
    if (!PreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  if (disableOwner) ::EnableWindow(owner, TRUE);
  ::SetFocus(owner);
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

DWORD MWindow::GetStyle() const { return HasHandle() ? ::GetWindowLongW(m_hWnd, GWL_STYLE) : 0; }
DWORD MWindow::GetExStyle() const { return HasHandle() ? ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) : 0; }

int MWindow::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  if (!HasHandle()) return 0;
  DWORD old = GetStyle(), value = (old & ~remove) | add;
  if (value == old) return 0;
  ::SetWindowLongW(m_hWnd, GWL_STYLE, value);
  if (swpFlags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swpFlags | kFrameRefreshFlags);
  return 1;
}

int MWindow::ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags) {
  if (!HasHandle()) return 0;
  DWORD old = GetExStyle(), value = (old & ~remove) | add;
  if (value == old) return 0;
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, value);
  if (swpFlags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swpFlags | kFrameRefreshFlags);
  return 1;
}

int MWindow::GetClientRect(RECT* rect) const { return HasWindow() ? ::GetClientRect(m_hWnd, rect) : 0; }
int MWindow::GetWindowRect(RECT* rect) const { return HasWindow() ? ::GetWindowRect(m_hWnd, rect) : 0; }
void MWindow::SetWindowTextW(const wchar_t* text) { if (HasWindow()) ::SetWindowTextW(m_hWnd, text); }

void MWindow::GetWindowTextW(CString& text) const {
  if (!HasWindow()) return;
  int length = ::GetWindowTextLengthW(m_hWnd);
  ::GetWindowTextW(m_hWnd, text.GetBufferSetLength(length + 1), length + 1);
  text.ReleaseBuffer();
}

int MWindow::GetWindowTextLengthW() const { return HasWindow() ? ::GetWindowTextLengthW(m_hWnd) : -1; }
int MWindow::EnableWindow(int enable) { return HasWindow() ? ::EnableWindow(m_hWnd, enable) : 0; }
int MWindow::IsWindowEnabled() const { return HasWindow() ? ::IsWindowEnabled(m_hWnd) : 0; }
int MWindow::IsWindowVisible() const { return HasWindow() ? ::IsWindowVisible(m_hWnd) : 0; }
int MWindow::IsIconic() const { return HasWindow() ? ::IsIconic(m_hWnd) : 0; }
void MWindow::InvalidateRect(CRect rect, int erase) { if (HasWindow()) ::InvalidateRect(m_hWnd, &rect, erase); }
HWND MWindow::SetCapture() { return HasWindow() ? ::SetCapture(m_hWnd) : nullptr; }
HWND MWindow::SetFocus() { return HasWindow() ? ::SetFocus(m_hWnd) : nullptr; }
int MWindow::ReleaseCapture() { return HasWindow() ? ::ReleaseCapture() : 0; }

UINT_PTR MWindow::SetTimer(UINT id, UINT elapse, TIMERPROC proc) {
  return HasWindow() ? ::SetTimer(m_hWnd, id, elapse, proc) : 0;
}
int MWindow::KillTimer(UINT id) { return HasWindow() ? ::KillTimer(m_hWnd, id) : 0; }
int MWindow::ClientToScreen(POINT* pt) const { return HasWindow() ? ::ClientToScreen(m_hWnd, pt) : 0; }
int MWindow::ScreenToClient(POINT* pt) const { return HasWindow() ? ::ScreenToClient(m_hWnd, pt) : 0; }

int MWindow::ClientToScreen(RECT* rect) const {
  if (!HasWindow() || !::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&rect->left))) return 0;
  return ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&rect->right));
}

int MWindow::ScreenToClient(RECT* rect) const {
  if (!HasWindow() || !::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect->left))) return 0;
  return ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect->right));
}

int MWindow::SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
  return HasWindow() ? ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags) : 0;
}
int MWindow::MoveWindow(int x, int y, int width, int height, int repaint) {
  return HasWindow() ? ::MoveWindow(m_hWnd, x, y, width, height, repaint) : 0;
}
int MWindow::MoveWindow(const RECT* rect, int repaint) {
  return MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

LRESULT MWindow::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return HasHandle() ? ::SendMessageW(m_hWnd, msg, wParam, lParam) : 0;
}
LRESULT MWindow::PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return HasHandle() ? ::PostMessageW(m_hWnd, msg, wParam, lParam) : 0;
}

void MWindow::SetIcon(UINT resourceId) {
  HINSTANCE instance = Manager::GetInstance();
  HICON big = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                              ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
  HICON small = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void MWindow::CenterWindow(MWindow* center) {
  if (!HasWindow()) return;
  DWORD style = GetStyle();
  HWND reference = nullptr;
  if (center && center->GetSafeHwnd()) reference = center->GetSafeHwnd();
  else if (style & WS_CHILD) reference = ::GetParent(m_hWnd);
  else reference = ::GetWindow(m_hWnd, GW_OWNER);

  CRect self, area, ref;
  ::GetWindowRect(m_hWnd, &self);
  if (style & WS_CHILD) {
    HWND parent = ::GetParent(m_hWnd);
    ::GetClientRect(parent, &area);
    ::GetClientRect(reference, &ref);
    ::MapWindowPoints(reference, parent, reinterpret_cast<POINT*>(&ref), 2);
  } else {
    if (reference) {
      DWORD refStyle = ::GetWindowLongW(reference, GWL_STYLE);
      if (!(refStyle & WS_VISIBLE) || (refStyle & WS_MINIMIZE)) reference = nullptr;
    }
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromWindow(reference ? reference : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    area = mi.rcWork;
    if (reference) ::GetWindowRect(reference, &ref);
    else ref = area;
  }
  int width = self.Width(), height = self.Height();
  int x = (ref.left + ref.right) / 2 - width / 2;
  int y = (ref.top + ref.bottom) / 2 - height / 2;
  if (x + width > area.right) x = area.right - width;
  if (x < area.left) x = area.left;
  if (y + height > area.bottom) y = area.bottom - height;
  if (y < area.top) y = area.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MWindow::BringToTop() {
  if (!HasWindow()) return;
  HWND foreground = ::GetForegroundWindow();
  DWORD ownThread = ::GetWindowThreadProcessId(m_hWnd, nullptr);
  DWORD foreThread = ::GetWindowThreadProcessId(foreground, nullptr);
  if (foreThread == ownThread) {
    ::SetForegroundWindow(m_hWnd);
  } else {
    ::AttachThreadInput(foreThread, ownThread, TRUE);
    ::AllowSetForegroundWindow(ASFW_ANY);
    ::SetForegroundWindow(m_hWnd);
    ::AttachThreadInput(foreThread, ownThread, FALSE);
  }
  ::ShowWindow(m_hWnd, (GetStyle() & WS_MINIMIZE) ? SW_RESTORE : SW_SHOW);
}
