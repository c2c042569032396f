#include "controls/MTipWindow.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/WindowDispatch.h"

namespace {
std::unique_ptr<Gdiplus::Image> Sized(Gdiplus::Image* image, int& width, int& height) {
  width = image ? static_cast<int>(image->GetWidth()) : 0;
  height = image ? static_cast<int>(image->GetHeight()) : 0;
  return std::unique_ptr<Gdiplus::Image>(image);
}
}  // namespace

std::unique_ptr<Gdiplus::Image> LoadTipImage(const CString& file, int& width, int& height) {
  return Sized(MRender::LoadImageFromFile(GetSkinsFolder() + file), width, height);
}

std::unique_ptr<Gdiplus::Image> LoadTipImage(unsigned id, const CString& type, int& width, int& height) {
  return Sized(MRender::LoadImageFromIDResource(id, type, Manager::GetInstance()), width, height);
}

MTipWindow::MTipWindow() = default;
MTipWindow::~MTipWindow() = default;

int MTipWindow::PreTranslateMessage(MSG*) { return 0; }

int MTipWindow::OnInitDialog() {
  HINSTANCE module = Manager::GetResourceInstance();
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(106), L"ttf");
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return 1;
  // The family draws from the collection's font data: the collection is kept with it.
  auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
  if (collection->AddMemoryFont(data, static_cast<INT>(::SizeofResource(module, found))) != Gdiplus::Ok) return 1;
  if (collection->GetFamilyCount() < 1) return 1;
  Gdiplus::FontFamily first;
  INT families = 0;
  collection->GetFamilies(1, &first, &families);
  if (families != 1) return 1;
  m_family.reset(first.Clone());
  m_collection = std::move(collection);
  return 1;
}

const Gdiplus::FontFamily* MTipWindow::TipFamily() const {
  if (m_family && m_family->IsAvailable()) return m_family.get();
  return Gdiplus::FontFamily::GenericSansSerif();
}

LRESULT MTipWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
      break;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_KILLFOCUS:
      OnKillFocus(reinterpret_cast<HWND>(wParam));
      break;
    case WM_PAINT:
      OnPaint();
      break;
    case WM_TIMER:
      OnTimer(static_cast<UINT>(wParam));
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

LRESULT MTipWindow::OnUserCloseWindow(WPARAM wParam, LPARAM lParam) {
  if (HasHandle()) ::PostMessageW(m_hWnd, WM_CLOSE, wParam, lParam);
  return 1;
}

void MTipWindow::CloseWindow() {
  if (HasHandle()) ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

int MTipWindow::OnCreate(CREATESTRUCTW*) {
  const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
  ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & 0xFF3BFFFF) | 0x06000008);
  ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  return 0;
}

int MTipWindow::OnSize(UINT type, int cx, int cy) {
  if (type == SIZE_MINIMIZED) return 0;
  const int corner = type == SIZE_MAXIMIZED ? 0 : 3;
  HRGN region = ::CreateRoundRectRgn(0, 0, cx + 1, cy + 1, corner, corner);
  if (region && !::SetWindowRgn(m_hWnd, region, TRUE)) ::DeleteObject(region);
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return 0;
}

int MTipWindow::OnKillFocus(HWND) {
  if (m_mode != AIRBLADDER_MODE_RIGHT_RAISED) ShowWindow(SW_HIDE);
  KillTimer(kHideTimer);
  return 0;
}

// The default window procedure validates the window after the tip has painted.
int MTipWindow::OnPaint() { return 0; }

void MTipWindow::OnTimer(UINT id) {
  if (id != kHideTimer) return;
  KillTimer(kHideTimer);
  if (IsWindowVisible()) ShowWindow(SW_HIDE);
}

void MTipWindow::ArmHideTimer() {
  if (HasWindow()) SetTimer(kHideTimer, m_hideDelay);
}

int MTipWindow::LoadBKImage(CString file) {
  m_background = LoadTipImage(file, m_bkWidth, m_bkHeight);
  return m_background ? 1 : 0;
}

int MTipWindow::LoadBKImage(unsigned id, CString type) {
  m_background = LoadTipImage(id, type, m_bkWidth, m_bkHeight);
  return m_background ? 1 : 0;
}

void MTipWindow::SetBackMode(enumBackMode mode, int corner) {
  m_backMode = mode;
  m_backCorner = corner;
}
