// Paint manager: hover and focus, mouse, wheel and key routing to the top-level
// controls, Tab cycling, the tooltip and the balloon tip.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdlib>
#include "controls/MAirBladder.h"
#include "core/PaintManager.h"

namespace {
constexpr UINT_PTR kToolId = 1313;
const CPoint kOutside(-1, -1);

bool Accepts(MControl* control, unsigned flags, CPoint point) {
  return control->PtInRect(point) && control->OnCheckMouseResponse(flags, point);
}

bool Responsive(MControl* control) { return control->IsVisible() && control->GetRresponse(); }
}  // namespace

unsigned PaintManager::ModifierCode() {
  unsigned code = 0;
  if (::GetKeyState(VK_MENU) < 0) code |= 0x12;
  if (::GetKeyState(VK_CONTROL) < 0) code |= 0x11;
  if (::GetKeyState(VK_SHIFT) < 0) code |= 0x10;
  return code;
}

int PaintManager::OnMouseMove(unsigned flags, CPoint point) {
  RoutingScope scope(*this);
  if (!m_bMouseTracking && IsWindowAlive()) {
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hPaintWnd, 400};
    m_bMouseTracking = ::_TrackMouseEvent(&tme) ? 1 : 0;
  }
  if (m_bDragArmed && (flags & MK_LBUTTON)) {
    const bool start = std::abs(point.x - m_lastDragPoint.x) <= 2 || std::abs(point.y - m_lastDragPoint.y) <= 2;
    m_lastDragPoint = point;
    if (start) return StartDrag();
  }
  if (m_pHover) {
    if (Accepts(m_pHover, flags, point) && m_bMouseTracking) {
      m_pHover->OnMouseMove(flags, point);
      return 1;
    }
    ClearTooltip();
  }
  if (m_bLButtonDown) return 1;
  if (!m_bMouseTracking) {
    m_pHover = nullptr;
    return 1;
  }
  MControl* hover = nullptr;
  WalkControls([&](MControl* control) {
    control->OnMouseMove(flags, point);
    if (control->PtInRect(point) && control->GetRresponse()) hover = control;
    return false;
  });
  // A control removed by a handler is never kept (removals are deferred to the scope's end).
  m_pHover = hover && std::find(m_controls.begin(), m_controls.end(), hover) != m_controls.end() ? hover : nullptr;
  return 1;
}

int PaintManager::OnMouseLeave(unsigned, long) {
  RoutingScope scope(*this);
  ClearTooltip();
  m_bMouseTracking = 0;
  if (m_bLButtonDown) return 1;
  if (MControl* hover = m_pHover) {
    m_pHover = nullptr;
    hover->OnMouseMove(0, kOutside);
  }
  return 1;
}

int PaintManager::OnLButtonDown(unsigned flags, CPoint point) {
  RoutingScope scope(*this);
  if (m_pFocus && m_pFocus != m_pHover) {
    MControl* old = m_pFocus;
    m_pFocus = nullptr;
    old->SetControlFocus(0);
  }
  MControl* hover = m_pHover;
  if (hover && Responsive(hover) && Accepts(hover, flags, point)) {
    if (hover->IsDragDrop() && hover->IsEnabled()) {
      if (m_hDragBitmap) ::DeleteObject(m_hDragBitmap);
      m_hDragBitmap = hover->GetDropBitmap();
      m_bDragArmed = m_hDragBitmap ? 1 : 0;
    }
    m_bLButtonDown = 1;
    m_pFocus = hover;
    int handled = hover->OnLButtonDown(flags, point);
    if (!m_bCaptured && m_pHover == hover && hover->OnCheckMouseResponse(flags, point)) {
      SetCapture();
      m_bCaptured = 1;
      return 1;
    }
    if (handled) return 1;
  }
  if (m_bWndDrag && IsWindowAlive()) {
    ReleaseCapture();
    ::SendMessageW(m_hPaintWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
  }
  return 1;
}

// A button release or double click goes to the hovered control; one that no longer
// responds, or that the pointer has left, stops being the hover control.
void PaintManager::DeliverToHover(int (MControl::*handler)(unsigned, CPoint), unsigned flags, CPoint point) {
  MControl* hover = m_pHover;
  if (!hover) return;
  if (!Responsive(hover)) {
    m_pHover = nullptr;
    return;
  }
  const CRect r = hover->GetRect();
  (hover->*handler)(flags, point);
  if (!r.PtInRect(point) && m_pHover == hover) m_pHover = nullptr;
}

int PaintManager::OnLButtonUp(unsigned flags, CPoint point) {
  RoutingScope scope(*this);
  if (m_bCaptured) {
    ReleaseCapture();
    m_bCaptured = 0;
  }
  m_bLButtonDown = 0;
  DeliverToHover(&MControl::OnLButtonUp, flags, point);
  m_bDragArmed = 0;
  return 1;
}

int PaintManager::OnLButtonDblClk(unsigned flags, CPoint point) {
  RoutingScope scope(*this);
  DeliverToHover(&MControl::OnLButtonDblClk, flags, point);
  return 1;
}

int PaintManager::OnRButtonDown(unsigned flags, CPoint point) {
  RoutingScope scope(*this);
  if (m_pFocus && m_pFocus != m_pHover) {
    MControl* old = m_pFocus;
    m_pFocus = nullptr;
    old->SetControlFocus(0);
  }
  MControl* hover = m_pHover;
  if (hover && Responsive(hover) && Accepts(hover, flags, point)) {
    m_pFocus = hover;
    hover->OnRButtonDown(flags, point);
    if (!m_bCaptured && m_pHover == hover && hover->OnCheckMouseResponse(flags, point)) {
      SetCapture();
      m_bCaptured = 1;
    }
  }
  return 1;
}

int PaintManager::OnRButtonUp(unsigned flags, CPoint point) {
  RoutingScope scope(*this);
  if (m_bCaptured) {
    ReleaseCapture();
    m_bCaptured = 0;
  }
  DeliverToHover(&MControl::OnRButtonUp, flags, point);
  return 1;
}

int PaintManager::OnRButtonDblClk(unsigned flags, CPoint point) {
  RoutingScope scope(*this);
  DeliverToHover(&MControl::OnRButtonDblClk, flags, point);
  return 1;
}

int PaintManager::OnMouseWheel(unsigned, short delta, CPoint screenPoint) {
  RoutingScope scope(*this);
  CPoint point = screenPoint;
  if (IsWindowAlive()) ::ScreenToClient(m_hPaintWnd, &point);
  const int notches = delta / 120;
  const unsigned direction = notches <= 0 ? 1 : 0;
  int taken = 0;
  for (int i = 0; i < std::abs(notches); ++i) {
    if (m_pHover && m_pHover->OnScroll(1, direction, point)) {
      taken = 1;
      continue;
    }
    WalkControls([&](MControl* control) {
      if (!control->OnScroll(1, direction, point)) return false;
      taken = 1;
      return true;
    });
  }
  return taken;
}

int PaintManager::OnKeyDown(unsigned key, long) {
  RoutingScope scope(*this);
  const unsigned modifiers = ModifierCode();
  if (m_pHover && m_pHover->OnKeyDown(key, 1, modifiers)) return 1;
  WalkControls([&](MControl* control) { return control->OnKeyDown(key, 1, modifiers) != 0; });
  return 1;
}

int PaintManager::OnKeyUp(unsigned, long) { return 0; }

int PaintManager::OnNcActivate(int active) {
  RoutingScope scope(*this);
  if (!active) {
    m_bMouseTracking = 0;
    m_bCaptured = 0;
    MControl* hover = m_pHover;
    m_pHover = nullptr;
    if (m_bLButtonDown) {
      m_bLButtonDown = 0;
      if (hover) hover->OnLButtonUp(0, kOutside);
    } else if (hover) {
      hover->OnMouseMove(0, kOutside);
    }
  }
  if (IsWindowAlive()) ::InvalidateRect(m_hPaintWnd, nullptr, m_bLayered ? TRUE : FALSE);
  return 1;
}

int PaintManager::PreTranslateMessage(MSG* msg) {
  if (!msg) return 0;
  if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_TAB) {
    const unsigned modifiers = ModifierCode();
    MControl* candidate = nullptr;
    if (modifiers == 0) candidate = GetNextFocusableControl();
    else if (modifiers == 0x10) candidate = GetPrevFocusableControl();
    else return 0;
    if (candidate != m_pFocus) {
      SetFocusControl(candidate);
      return 1;
    }
    return 0;
  }
  switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
      if (m_hToolTip && ::IsWindow(m_hToolTip)) ::SendMessageW(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
      break;
    default:
      break;
  }
  return 0;
}

void PaintManager::SetFocusControl(MControl* control) {
  if (control == m_pFocus) return;
  MControl* old = m_pFocus;
  m_pFocus = control;
  if (old) old->SetControlFocus(0);
  if (control) control->SetControlFocus(1);
}

namespace {
bool Focusable(MControl* c) { return c && c->IsVisible() && c->IsEnabled() && c->IsTabStop(); }

// Tab order over `order` (the controls list forwards or backwards).
template <class Iter>
MControl* NextFocusable(Iter begin, Iter end, MControl* focus, MControl*& hover) {
  bool met = false;
  for (Iter it = begin; it != end; ++it) {
    if (met && Focusable(*it)) return *it;
    if (*it && *it == focus) met = true;
  }
  if (!focus) met = true;
  for (Iter it = begin; it != end && met; ++it) {
    if (!hover) hover = *it;
    if (Focusable(*it)) return *it;
  }
  return nullptr;
}
}  // namespace

MControl* PaintManager::GetNextFocusableControl() {
  CriticalSectionLock lock(m_controlsLock);
  return NextFocusable(m_controls.begin(), m_controls.end(), m_pFocus, m_pHover);
}

MControl* PaintManager::GetPrevFocusableControl() {
  CriticalSectionLock lock(m_controlsLock);
  return NextFocusable(m_controls.rbegin(), m_controls.rend(), m_pFocus, m_pHover);
}

HWND PaintManager::SetCapture() { return IsWindowAlive() ? ::SetCapture(m_hPaintWnd) : nullptr; }
int PaintManager::ReleaseCapture() { return IsWindowAlive() ? ::ReleaseCapture() : 0; }

void PaintManager::SetTooltip(const wchar_t* text, CRect) {
  const bool empty = !text || !*text;
  TOOLINFOW ti = {};
  ti.cbSize = sizeof(ti);
  ti.hwnd = m_hPaintWnd;
  ti.uId = kToolId;
  if (empty) {
    if (m_hToolTip && ::IsWindow(m_hToolTip)) {
      ti.lpszText = const_cast<wchar_t*>(L"");
      ::SendMessageW(m_hToolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
      ::SendMessageW(m_hToolTip, TTM_ACTIVATE, FALSE, 0);
    }
    return;
  }
  if (!m_hToolTip) {
    if (!IsWindowAlive()) return;
    m_hToolTip = ::CreateWindowExW(WS_EX_TOPMOST, L"tooltips_class32", L"tooltips_class32", 0x80000003,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hPaintWnd, nullptr,
                                   nullptr, nullptr);
    if (!m_hToolTip) return;
    ::SendMessageW(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 256);
    ::SendMessageW(m_hToolTip, TTM_SETTIPBKCOLOR, 0xF5F5F5, 0);
    ti.uFlags = TTF_PARSELINKS;
    ::GetClientRect(m_hPaintWnd, &ti.rect);
    ti.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    ti.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(m_hToolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    if (::GetACP() == 936) {
      RECT margin = {2, 3, 0, 0};
      ::SendMessageW(m_hToolTip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    }
  } else {
    ti.uFlags = 0x10A0;
    ti.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(m_hToolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  ::SendMessageW(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
}

void PaintManager::ClearTooltip() {
  if (m_hToolTip && ::IsWindow(m_hToolTip)) {
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hPaintWnd;
    ti.uId = kToolId;
    ti.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(m_hToolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageW(m_hToolTip, TTM_ACTIVATE, FALSE, 0);
  }
  m_nTooltipOwner = 0;
}

int PaintManager::SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode) {
  if (!m_pAirBladder) {
    m_pAirBladder = std::make_unique<MAirBladder>();
    m_pAirBladder->Create(m_hPaintWnd, L"AirBladder Window", 0x96020080, 0, CRect());
    m_pAirBladder->LoadBKImage(L"img_tip_bk.png");
    m_pAirBladder->LoadArrowLImage(L"img_tip_arrow_left.png");
    m_pAirBladder->LoadArrowRImage(L"img_tip_arrow_right.png");
    m_pAirBladder->LoadArrowTImage(L"img_tip_arrow_top.png");
  }
  return m_pAirBladder->SetAirBladderMsg(text ? text : L"", point, type, mode);
}

int PaintManager::ShowAirBladder(int show, int key) {
  if (!m_pAirBladder) return 0;
  if (key) {
    if (show) m_nAirBladderKey = key;
    else if (key != m_nAirBladderKey) return 0;
  }
  return m_pAirBladder->ShowWindow(show);
}
