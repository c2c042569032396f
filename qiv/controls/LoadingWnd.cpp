#include "controls/LoadingWnd.h"
#include "core/MRender.h"
#include "core/Manager.h"

LoadingWnd::LoadingWnd() {
  m_format.SetAlignment(Gdiplus::StringAlignmentCenter);
  m_format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  m_format.SetFormatFlags(0x1800);
}

LoadingWnd::~LoadingWnd() {
  if (HasWindow()) {
    KillTimer(kAnimationTimer);
    ::DestroyWindow(m_hWnd);
  }
}

bool LoadingWnd::Picture::Load(Gdiplus::Image* loaded) {
  if (!loaded) return false;
  image.reset(loaded);
  width = static_cast<int>(loaded->GetWidth());
  height = static_cast<int>(loaded->GetHeight());
  return true;
}

// ---- set-up ----

HWND LoadingWnd::CreateDlg(HWND parent, CRect rect) {
  LoadGifImage(L"loading\\loading.gif");
  m_logo.Load(MRender::LoadImageFromFile(GetSkinsFolder() + L"logo\\logo_loading.png"));
  return Create(parent, L"Loading Window", 0x96020000, 0, rect, nullptr);
}

int LoadingWnd::LoadBKImage(CString file) {
  return m_background.Load(MRender::LoadImageFromFile(GetSkinsFolder() + file)) ? 1 : 0;
}

int LoadingWnd::LoadBKImage(unsigned id, CString type) {
  return m_background.Load(MRender::LoadImageFromIDResource(id, type, Manager::GetInstance())) ? 1 : 0;
}

void LoadingWnd::SetBackMode(enumBackMode mode, int corner) {
  m_backMode = mode;
  m_corner = corner;
}

int LoadingWnd::LoadAnimateImage(CString file, int index) {
  if (index < 0 || index >= kExtraSlots) return 0;
  return m_extra[index].Load(MRender::LoadImageFromFile(GetSkinsFolder() + file)) ? 1 : 0;
}

int LoadingWnd::LoadGifImage(CString file) {
  std::unique_ptr<Gdiplus::Image> gif(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  m_frameCount = 0;
  if (gif) {
    const UINT dimensions = gif->GetFrameDimensionsCount();
    if (dimensions > 0) {
      GUID first = {};
      gif->GetFrameDimensionsList(&first, 1);
      m_frameCount = static_cast<int>(gif->GetFrameCount(&first));
    } else {
      gif.reset();
    }
  }
  m_gif = std::move(gif);
  m_wrap = m_frameCount;
  m_frame = 0;
  return 0;
}

// ---- window ----

int LoadingWnd::PreTranslateMessage(MSG*) { return 0; }

int LoadingWnd::OnInitDialog() {
  if (!HasWindow()) return 1;
  SetTimer(kAnimationTimer, kAnimationPeriod);
  m_bRunning = 1;
  if (m_close.Load(MRender::LoadImageFromFile(GetSkinsFolder() + L"img_sys_close.png"))) {
    m_closeFrameWidth = m_close.width / 4;
    CRect client;
    GetClientRect(&client);
    m_rcClose = CRect(client.right - 39, 10, client.right - 39 + m_closeFrameWidth, 10 + m_close.height);
  }
  return 1;
}

LRESULT LoadingWnd::OnUserCloseWindow(WPARAM, LPARAM) { return 1; }
void LoadingWnd::CloseWindow() {}

int LoadingWnd::OnCreate(CREATESTRUCTW*) {
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
  ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((style & 0xFF3BFFFF) | 0x06000008));
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  return 1;
}

int LoadingWnd::OnSize(UINT type, int, int) {
  if (type == SIZE_MINIMIZED) return 0;
  CRect r;
  GetWindowRect(&r);
  const int corner = type == SIZE_MAXIMIZED ? 0 : 3;
  if (HRGN region = ::CreateRoundRectRgn(0, 0, r.Width(), r.Height(), corner, corner)) {
    ::SetWindowRgn(m_hWnd, region, TRUE);
    ::DeleteObject(region);
  }
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return 0;
}

void LoadingWnd::SetCloseState(CPoint point, int over, int elsewhere) {
  m_closeState = m_rcClose.PtInRect(point) ? over : elsewhere;
}

int LoadingWnd::OnMouseMove(UINT, CPoint point) {
  if (!m_bTracking) {
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 400};
    ::TrackMouseEvent(&tme);
    m_bTracking = 1;
  }
  SetCloseState(point, 1, 0);
  return 0;
}

int LoadingWnd::OnMouseLeave(WPARAM, LPARAM) {
  m_closeState = 0;
  return 0;
}

int LoadingWnd::OnLButtonDown(UINT, CPoint point) {
  SetCloseState(point, 2, 0);
  return 0;
}

int LoadingWnd::OnLButtonUp(UINT, CPoint point) {
  SetCloseState(point, 1, 0);
  if (m_closeState == 1 && m_hParent) ::PostMessageW(m_hParent, UM_LOADING_CLOSE, 0, 0);
  return 0;
}

bool LoadingWnd::Tick() {
  if (++m_ticks < m_ticksPerFrame) return false;
  m_ticks = 0;
  if (++m_frame >= m_wrap) m_frame = 0;
  return true;
}

void LoadingWnd::OnTimer(UINT id) {
  if (id != kAnimationTimer || !m_bRunning) return;
  if (Tick()) DrawWindow();
}

int LoadingWnd::OnPaint() {
  if (!IsIconic()) DrawWindow();
  return 0;
}

int LoadingWnd::OnClose() {
  m_bRunning = 0;
  return 1;
}

int LoadingWnd::OnDestroy() {
  m_bRunning = 0;
  return 0;
}

LRESULT LoadingWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  switch (msg) {
    case UM_CLOSEWINDOW: return OnUserCloseWindow(wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_CREATE: OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)); break;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), point.x, point.y); break;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), point); break;
    case WM_MOUSELEAVE: OnMouseLeave(wParam, lParam); break;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), point); break;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), point); break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      ::BeginPaint(m_hWnd, &ps);
      ::EndPaint(m_hWnd, &ps);
      OnPaint();
      return 0;
    }
    case WM_TIMER: OnTimer(static_cast<UINT>(wParam)); return 0;
    case WM_CLOSE: OnClose(); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_NCDESTROY: m_bRunning = 0; break;
    default: break;
  }
  return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

// ---- drawing ----

void LoadingWnd::Render(HDC dc, CSize size) {
  const int w = size.cx, h = size.cy;
  Gdiplus::Graphics g(dc);
  g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  Gdiplus::SolidBrush clear(Gdiplus::Color(0, 0, 0, 0));
  g.FillRectangle(&clear, 0, 0, w, h);
  g.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
  if (m_background.image && m_background.image->GetLastStatus() == Gdiplus::Ok) {
    MRender::DrawImageFrame(g, m_background.image.get(), CRect(0, 0, w, h), 0, 0, m_background.width,
                            m_background.height, 10);
  } else {
    Gdiplus::SolidBrush white(Gdiplus::Color(0xF0FFFFFF));
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    g.FillRectangle(&white, 0, 0, w, h);
    g.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
  }
  if (m_logo.image)
    g.DrawImage(m_logo.image.get(), Gdiplus::Rect((w - m_logo.width) / 2, (h - kGifHeight) / 2 - m_logo.height - 20,
                                                  m_logo.width, m_logo.height));
  if (m_gif && m_frameCount > 1) {
    if (m_frame < m_frameCount) m_gif->SelectActiveFrame(&Gdiplus::FrameDimensionTime, static_cast<UINT>(m_frame));
    g.DrawImage(m_gif.get(), Gdiplus::Rect((w - kGifWidth) / 2, (h - kGifHeight) / 2, kGifWidth, kGifHeight));
  }
  if (m_close.image)
    g.DrawImage(m_close.image.get(), Gdiplus::Rect(m_rcClose.left, m_rcClose.top, m_closeFrameWidth, m_close.height),
                m_closeState * m_closeFrameWidth, 0, m_closeFrameWidth, m_close.height, Gdiplus::UnitPixel);
}

void LoadingWnd::DrawWindow() {
  if (!HasWindow()) return;
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  BYTE* bits = nullptr;
  HBITMAP dib = MRender::CreateARGB32Bitmap(screen, client.Width(), client.Height(), &bits);
  HGDIOBJ old = ::SelectObject(dc, dib);
  Render(dc, client.Size());
  ModifyExStyle(0, WS_EX_LAYERED);
  CRect window;
  GetWindowRect(&window);
  POINT at = {window.left, window.top}, origin = {0, 0};
  SIZE size = {client.Width(), client.Height()};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::UpdateLayeredWindow(m_hWnd, screen, &at, &size, dc, &origin, 0, &blend, ULW_ALPHA);
  ::SelectObject(dc, old);
  ::DeleteObject(dib);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
}
