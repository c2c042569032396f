#include "core/MShadow.h"
#include <cstring>
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace {
constexpr wchar_t kShadowClass[] = L"ShadowWnd";
bool s_bHasInit = false;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }
}  // namespace

std::map<HWND, MShadow*>& GetShadowMap() {
  static std::map<HWND, MShadow*> map;
  return map;
}

MShadow::MShadow() = default;

MShadow::~MShadow() {
  Detach();
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  m_hWnd = nullptr;
}

// Stops following the parent: a shadow may go before its parent's window does.
void MShadow::Detach() {
  if (!m_hParent) return;
  auto& map = GetShadowMap();
  auto it = map.find(m_hParent);
  if (it != map.end() && it->second == this) map.erase(it);
  if (::IsWindow(m_hParent) && m_OldParentProc &&
      reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hParent, GWLP_WNDPROC)) == ParentProc)
    ::SetWindowLongPtrW(m_hParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldParentProc));
  m_hParent = nullptr;
}

int MShadow::Initialize(HINSTANCE instance, bool force) {
  if (s_bHasInit && !force) return 0;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kShadowClass;
  ::RegisterClassExW(&wc);
  s_bHasInit = true;
  return 1;
}

void MShadow::Create(PaintManager* manager) {
  if (!m_bShow || !manager) return;
  HWND parent = manager->GetPaintWnd();
  // One shadow window per parent: a second Create would subclass the parent twice.
  if (!parent || !::IsWindow(parent) || (m_hWnd && ::IsWindow(m_hWnd))) return;
  m_pManager = manager;
  m_hParent = parent;
  GetShadowMap()[parent] = this;

  const LONG_PTR parentStyle = ::GetWindowLongPtrW(parent, GWL_STYLE);
  const DWORD style = 0x80880000 | static_cast<DWORD>(parentStyle & WS_DLGFRAME);
  // Owned by the parent's owner, not by the parent: an owned window always stays above
  // its owner, and the shadow belongs just below the parent. It follows the parent
  // through the parent's messages.
  m_hWnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW, kShadowClass, nullptr, style,
                             CW_USEDEFAULT, 0, 0, 0, ::GetWindow(parent, GW_OWNER), nullptr, Manager::GetInstance(),
                             nullptr);
  if (m_hWnd) ::SetWindowPos(m_hWnd, parent, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  FollowParentState();
  m_OldParentProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ParentProc)));
}

void MShadow::DisableShadow(int disable) {
  m_bDisabled = disable;
  if (!m_hWnd || !::IsWindow(m_hWnd)) return;
  if (disable) {
    ::ShowWindow(m_hWnd, SW_HIDE);
    return;
  }
  FollowParentState();
}

void MShadow::FollowParentState() {
  const LONG_PTR style = ::GetWindowLongPtrW(m_hParent, GWL_STYLE);
  if (!(style & WS_VISIBLE)) {
    m_Status = kEnabled;
  } else if (style & (WS_MINIMIZE | WS_MAXIMIZE)) {
    m_Status = kEnabled | kParentVisible;
  } else {
    m_Status = kEnabled | kVisible | kParentVisible;
    ShowBelowParent();
    Update(m_hParent);
  }
}

void MShadow::ShowBelowParent() {
  ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  // Showing may put the window on top of the screen's stack; it belongs below its parent.
  ::SetWindowPos(m_hWnd, m_hParent, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MShadow::Refresh() {
  if (m_hWnd && ::IsWindow(m_hWnd) && (m_Status & kVisible)) Update(m_hParent);
}

int MShadow::SetSize(int size) {
  if (!InRange(size, -35, 35)) return 0;
  m_nSize = static_cast<signed char>(size);
  Refresh();
  return 1;
}

int MShadow::SetSharpness(UINT sharpness) {
  if (sharpness > 35) return 0;
  m_nSharpness = static_cast<BYTE>(sharpness);
  Refresh();
  return 1;
}

int MShadow::SetDarkness(UINT darkness) {
  if (darkness > 255) return 0;
  m_nDarkness = static_cast<BYTE>(darkness);
  Refresh();
  return 1;
}

int MShadow::SetPosition(int x, int y) {
  if (!InRange(x, -35, 35) || !InRange(y, -35, 35)) return 0;
  m_nxOffset = static_cast<signed char>(x);
  m_nyOffset = static_cast<signed char>(y);
  Refresh();
  return 1;
}

int MShadow::SetColor(DWORD color) {
  m_Color = color;
  Refresh();
  return 1;
}

int MShadow::SetImage(const wchar_t* file) {
  if (!file) return 0;
  m_bImageMode = 1;
  m_imageFile = file;
  m_pImage.reset(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  m_imageWidth = m_pImage ? static_cast<int>(m_pImage->GetWidth()) : 0;
  m_imageHeight = m_pImage ? static_cast<int>(m_pImage->GetHeight()) : 0;
  Refresh();
  return 1;
}

int MShadow::SetImage(UINT resourceId) {
  m_pImage.reset();
  m_bImageMode = 1;
  m_imageResId = resourceId;
  m_pImage.reset(MRender::LoadImageFromIDResource(resourceId, L"PNG", Manager::GetInstance()));
  m_imageWidth = m_pImage ? static_cast<int>(m_pImage->GetWidth()) : 0;
  m_imageHeight = m_pImage ? static_cast<int>(m_pImage->GetHeight()) : 0;
  Refresh();
  return 0;
}

int MShadow::SetShadowCorner(int left, int top, int right, int bottom) {
  if (left < 0 || top < 0 || right < 0 || bottom < 0) return 0;
  m_corners = {left, top, right, bottom};
  Refresh();
  return 1;
}

int MShadow::CopyShadow(MShadow* other) {
  if (!other) return 0;
  [&] {
    if (m_bImageMode) {
      other->SetImage(m_imageFile.GetString());
      if (m_corners.left >= 0 && m_corners.top >= 0 && m_corners.right >= 0 && m_corners.bottom >= 0)
        other->SetShadowCorner(m_corners.left, m_corners.top, m_corners.right, m_corners.bottom);
      if (InRange(m_nSize, -35, 35)) other->SetSize(m_nSize);
      return;
    }
    if (!other->SetSize(m_nSize)) return;
    if (!other->SetSharpness(m_nSharpness)) return;
    if (!other->SetDarkness(m_nDarkness)) return;
    other->SetColor(m_Color);
    other->SetPosition(m_nxOffset, m_nyOffset);
  }();
  other->m_bShow = m_bShow;
  return 1;
}

ShadowParams MShadow::GetParams() const {
  ShadowParams p;
  p.size = m_nSize;
  p.sharpness = m_nSharpness;
  p.darkness = m_nDarkness;
  p.xOffset = m_nxOffset;
  p.yOffset = m_nyOffset;
  p.color = m_Color;
  return p;
}

CPoint MShadow::Origin(const RECT& parentRect) const {
  if (m_bImageMode) return CPoint(parentRect.left - m_corners.left, parentRect.top - m_corners.top);
  return CPoint(parentRect.left + m_nxOffset - m_nSize, parentRect.top + m_nyOffset - m_nSize);
}

void MShadow::Move(HWND parent) {
  RECT r;
  if (!m_hWnd || !::GetWindowRect(parent, &r)) return;
  const CPoint at = Origin(r);
  ::SetWindowPos(m_hWnd, parent, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

HBITMAP MShadow::CreatePictureBitmap(CSize size, DWORD** pixels) {
  // Top-down rows, so that the picture's row r is the r-th row on screen.
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = size.cx;
  bmi.bmiHeader.biHeight = -size.cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* raw = nullptr;
  HBITMAP dib = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &raw, nullptr, 0);
  *pixels = static_cast<DWORD*>(raw);
  return dib;
}

CSize MShadow::PictureSize(HWND parent) const {
  RECT r;
  if (!::GetWindowRect(parent, &r)) return CSize(0, 0);
  int extraW, extraH;
  if (m_bImageMode) {
    if (m_imageFile.IsEmpty() && m_imageResId == 0) return CSize(0, 0);
    extraW = m_corners.left + m_corners.right;
    extraH = m_corners.top + m_corners.bottom;
  } else {
    if (m_nSize == 0) return CSize(0, 0);
    extraW = extraH = 2 * m_nSize;
  }
  const int W = r.right - r.left + extraW, H = r.bottom - r.top + extraH;
  return W > 0 && H > 0 ? CSize(W, H) : CSize(0, 0);
}

void MShadow::ComposePicture(HWND parent, DWORD* pixels, CSize size) const {
  RECT r;
  if (!pixels || !::GetWindowRect(parent, &r)) return;
  if (m_bImageMode) {
    // Without a loaded image the picture stays transparent: the region picture would be
    // sized for the shadow size, not for this bitmap.
    if (!m_pImage) return;
    Gdiplus::Bitmap canvas(size.cx, size.cy, size.cx * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels));
    Gdiplus::Graphics g(&canvas);
    MRender::DrawImageFrameMID(g, m_pImage.get(), CRect(0, 0, size.cx, size.cy), 0, 0, m_imageWidth, m_imageHeight,
                               m_corners.left, m_corners.top, m_corners.right, m_corners.bottom);
    return;
  }
  const int parentW = r.right - r.left, parentH = r.bottom - r.top;
  if (size.cx != parentW + 2 * m_nSize || size.cy != parentH + 2 * m_nSize) return;
  std::vector<ShadowSpan> spans;
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  const int kind = region ? ::GetWindowRgn(parent, region) : ERROR;
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
    spans = ShadowPicture::ParentSpans(parentW, parentH,
                                       [&](int x, int y) { return ::PtInRegion(region, x, y) != FALSE; });
  } else {
    // A parent without a region of its own casts the shadow of its window rectangle.
    spans = ShadowPicture::RectSpans(parentW, parentH);
  }
  if (region) ::DeleteObject(region);
  ShadowPicture::MakeShadow(pixels, spans, parentW, parentH, GetParams());
}

int MShadow::Update(HWND parent) {
  if (!m_bShow || !(m_Status & kVisible) || !m_hWnd) return 0;
  RECT r;
  if (!::GetWindowRect(parent, &r)) return 0;
  const CSize size = PictureSize(parent);
  if (size.cx <= 0 || size.cy <= 0) return 0;

  // Without the bitmap or its DC nothing is drawn and the shadow keeps its last picture.
  DWORD* pixels = nullptr;
  HBITMAP dib = CreatePictureBitmap(size, &pixels);
  if (!dib || !pixels) {
    if (dib) ::DeleteObject(dib);
    return 0;
  }
  HDC mem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = mem ? ::SelectObject(mem, dib) : nullptr;
  if (!mem || !old) {
    if (mem) ::DeleteDC(mem);
    ::DeleteObject(dib);
    return 0;
  }
  std::memset(pixels, 0, static_cast<size_t>(size.cx) * size.cy * 4);
  ComposePicture(parent, pixels, size);

  const CPoint at = Origin(r);
  ::MoveWindow(m_hWnd, at.x, at.y, size.cx, size.cy, FALSE);
  POINT dst = {at.x, at.y}, src = {0, 0};
  SIZE extent = {size.cx, size.cy};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const BOOL shown = ::UpdateLayeredWindow(m_hWnd, nullptr, &dst, &extent, mem, &src, 0, &blend, ULW_ALPHA);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::DeleteObject(dib);
  return shown ? 1 : 0;
}

LRESULT CALLBACK MShadow::ParentProc(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& map = GetShadowMap();
  auto it = map.find(parent);
  if (it == map.end()) return ::DefWindowProcW(parent, msg, wParam, lParam);
  MShadow* self = it->second;
  const WNDPROC forward = self->m_OldParentProc;
  if (self->m_bDisabled) return ::CallWindowProcW(forward, parent, msg, wParam, lParam);

  switch (msg) {
    case WM_DESTROY:
      if (self->m_hWnd && ::IsWindow(self->m_hWnd)) ::DestroyWindow(self->m_hWnd);
      self->m_hWnd = nullptr;
      self->m_Status = 0;
      break;
    case WM_MOVE:
      if (self->m_Status & kVisible) self->Move(parent);
      break;
    case WM_SIZE:
      if (self->m_Status & kEnabled) {
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
          ::ShowWindow(self->m_hWnd, SW_HIDE);
          self->m_Status &= static_cast<BYTE>(~kVisible);
        } else if (self->m_Status & kParentVisible) {
          if (LOWORD(lParam) > LOWORD(self->m_WndSize) || HIWORD(lParam) > HIWORD(self->m_WndSize))
            self->m_bUpdate = 1;
          else
            self->Update(parent);
          if (!(self->m_Status & kVisible)) {
            self->ShowBelowParent();
            self->m_Status |= kVisible;
          }
        }
        self->m_WndSize = lParam;
      }
      break;
    case WM_PAINT:
      if (self->m_bUpdate) {
        self->Update(parent);
        self->m_bUpdate = 0;
      }
      break;
    case WM_SHOWWINDOW:
      if (self->m_Status & kEnabled) {
        if (!wParam) {
          ::ShowWindow(self->m_hWnd, SW_HIDE);
          self->m_Status &= static_cast<BYTE>(~(kVisible | kParentVisible));
        } else if (!(self->m_Status & kParentVisible)) {
          // Drawn now rather than at the parent's first paint: the shadow then appears
          // before its parent does and stays beneath it on displays that stack windows
          // in the order they first appear.
          self->m_Status |= kVisible | kParentVisible;
          self->ShowBelowParent();
          self->Update(parent);
          self->m_bUpdate = 0;
        }
      }
      break;
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
      if (self->m_hWnd)
        ::SetWindowPos(self->m_hWnd, parent, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
      break;
    case WM_WINDOWPOSCHANGED:
      self->Move(parent);
      break;
    case WM_NCDESTROY:
      // The window object may delete this shadow while the message goes on.
      map.erase(it);
      self->m_hParent = nullptr;
      return ::CallWindowProcW(forward, parent, msg, wParam, lParam);
    case WM_EXITSIZEMOVE:
      if (self->m_Status & kVisible) self->Update(parent);
      break;
    default:
      break;
  }
  return ::CallWindowProcW(forward, parent, msg, wParam, lParam);
}
