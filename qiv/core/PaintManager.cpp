// Paint manager: window binding, control lists, repaint requests and message dispatch.
#include "core/PaintManager.h"
#include <shlwapi.h>
#include <algorithm>
#include "controls/MAirBladder.h"
#include "core/ControlFactory.h"
#include "core/MWindow.h"
#include "core/Manager.h"

namespace {
bool Meets(const RECT& a, const RECT& b) {
  CRect r;
  return r.IntersectRect(a, b);
}
}  // namespace

PaintManager::PaintManager() = default;

PaintManager::~PaintManager() {
  if (m_hToolTip && ::IsWindow(m_hToolTip)) ::DestroyWindow(m_hToolTip);
  m_hToolTip = nullptr;
  if (m_pAirBladder) m_pAirBladder->DestroyWindow();
  m_pAirBladder.reset();
  if (m_hDragBitmap) ::DeleteObject(m_hDragBitmap);
  m_hDragBitmap = nullptr;
  DestroyData();
  // A manager that was never bound still stops its timers and frees what it holds.
  MTimer::KillTimer();
  WaitForCallbacks();
  ClearAreaControls();
  ClearControls();
  ClearImgResInfo();
  ClearTempFont();
  ReleasePaintBuffers();
}

void PaintManager::Init(HWND window, MWindow* owner) {
  if (!window || !::IsWindow(window)) return;
  if (window != m_hPaintWnd) {
    if (m_hPaintDC && m_hPaintWnd) ::ReleaseDC(m_hPaintWnd, m_hPaintDC);
    m_hPaintWnd = window;
    m_hPaintDC = ::GetDC(window);
  }
  m_pOwner = owner;
  InitDragDrop();
  SetTargetWnd(window);
  static const struct {
    const wchar_t* file;
    const wchar_t* face;
  } kFonts[] = {{L"Roboto-Medium.ttf", L"Roboto-Medium"},
                {L"Roboto-Regular.ttf", L"Roboto-Regular"},
                {L"Roboto-SemiBold.ttf", L"Roboto-SemiBold"},
                {L"Roboto-Bold.ttf", L"Roboto-Bold"}};
  CString folder = GetExeFolder();
  for (const auto& font : kFonts) {
    CString path;
    path.Format(L"%s\\fonts\\%s", folder.GetString(), font.file);
    if (::PathFileExistsW(path)) AddTempFont(font.face, path);
  }
  m_bInit = 1;
  m_uScrollVID = 102;
  m_uScrollHID = 101;
}

void PaintManager::DestroyData() {
  RevokeTarget();
  if (!m_bInit) return;
  m_pBkImage.reset();
  if (m_hPaintDC) ::ReleaseDC(m_hPaintWnd, m_hPaintDC);
  m_hPaintDC = nullptr;
  // Timers stop, and a tick in flight ends, before any control goes.
  MTimer::KillTimer();
  WaitForCallbacks();
  {
    CriticalSectionLock lock(m_clientsLock);
    m_mtimerClients.clear();
  }
  ClearTimers();
  ClearAreaControls();
  ClearControls();
  ClearImgResInfo();
  ClearTempFont();
  ReleasePaintBuffers();
  m_pHover = m_pFocus = nullptr;
  m_pCaretOwner = nullptr;
  m_bInit = 0;
}

void PaintManager::OnDestroyMessage(HWND window) {
  if (window && window == m_hPaintWnd) DestroyData();
}

int PaintManager::PostNcDestroy() {
  DestroyData();
  return 1;
}

MControl* PaintManager::CreateArea(MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                                   const wchar_t* title, int a, int b) {
  return CreateControl(0, parent, className, id, rect, title, a, b);
}

MControl* PaintManager::CreateControl(MObject* parent, const wchar_t* className, unsigned id, CRect rect,
                                      const wchar_t* title, int a, int b) {
  return CreateControl(1, parent, className, id, rect, title, a, b);
}

MControl* PaintManager::CreateControl(unsigned listType, MObject* parent, const wchar_t* className, unsigned id,
                                      CRect rect, const wchar_t* title, int a, int b) {
  MControl* control = ConstructWindowControl(parent, className, id, rect, title, a, b);
  if (!control) return nullptr;
  control->SetManager(this);
  if (listType == 0) {
    CriticalSectionLock lock(m_areasLock);
    m_areas.push_back(control);
  } else if (listType == 1) {
    CriticalSectionLock lock(m_controlsLock);
    m_controls.push_back(control);
  }
  return control;
}

MControl* PaintManager::GetControl(unsigned id) {
  for (auto* list : {&m_controls, &m_areas}) {
    for (size_t i = 0; i < list->size(); ++i) {
      MControl* control = (*list)[i];
      if (!control) continue;
      if (control->GetControlID() == id) return control;
      if (MControl* found = control->GetControl(id)) return found;
    }
  }
  return nullptr;
}

void PaintManager::DeleteListed(MControl* control) {
  ForgetControl(control);
  if (m_walkDepth > 0) m_deferred.push_back(control);
  else delete control;
}

void PaintManager::FlushDeferred() {
  if (m_deferred.empty()) return;
  std::erase(m_controls, nullptr);
  std::vector<MControl*> gone;
  gone.swap(m_deferred);
  for (MControl* control : gone) delete control;
}

void PaintManager::RemoveControl(MControl* control) {
  if (!control) return;
  CriticalSectionLock lock(m_controlsLock);
  auto it = std::find(m_controls.begin(), m_controls.end(), control);
  if (it == m_controls.end()) return;
  if (m_walkDepth > 0) *it = nullptr;
  else m_controls.erase(it);
  DeleteListed(control);
}

void PaintManager::ClearAreaControls() {
  std::vector<MControl*> areas;
  {
    CriticalSectionLock lock(m_areasLock);
    areas.swap(m_areas);
  }
  for (MControl* area : areas) {
    if (!area) continue;
    ForgetControl(area);
    delete area;
  }
}

void PaintManager::ClearControls() {
  CriticalSectionLock lock(m_controlsLock);
  for (MControl*& control : m_controls) {
    if (!control) continue;
    MControl* gone = control;
    control = nullptr;
    DeleteListed(gone);
  }
  if (m_walkDepth == 0) m_controls.clear();
}

void PaintManager::ClearAllControls() {
  ClearAreaControls();
  ClearControls();
}

void PaintManager::RefreshControls() {
  {
    CriticalSectionLock lock(m_areasLock);
    for (MControl* area : m_areas)
      if (area) area->SetUpdate(0, 0);
  }
  WalkControls([](MControl* control) {
    control->SetUpdateEx(0);
    return false;
  });
}

namespace {
// Whether `control` is `gone` or lies inside it.
bool IsWithin(const MControl* control, const MControl* gone) {
  for (const MControl* c = control; c; c = dynamic_cast<const MControl*>(c->GetParantObject()))
    if (c == gone) return true;
  return false;
}
}  // namespace

void PaintManager::ForgetControl(MControl* control) {
  if (!control) return;
  if (IsWithin(m_pHover, control)) m_pHover = nullptr;
  if (IsWithin(m_pFocus, control)) m_pFocus = nullptr;
  if (m_pCaretOwner && IsWithin(reinterpret_cast<MControl*>(m_pCaretOwner), control)) m_pCaretOwner = nullptr;
  if (m_nTooltipOwner && m_nTooltipOwner == static_cast<int>(control->GetControlID())) ClearTooltip();
  {
    // Waits for a tick in flight: the tick holds this lock while it calls its clients.
    CriticalSectionLock lock(m_clientsLock);
    std::erase_if(m_mtimerClients, [&](MControl* c) { return IsWithin(c, control); });
  }
  CriticalSectionLock lock(m_timerLock);
  std::erase_if(m_timerRecords, [&](const std::unique_ptr<ControlTimerRecord>& r) {
    if (!IsWithin(r->control, control)) return false;
    if (!r->killed && r->window && ::IsWindow(r->window)) ::KillTimer(r->window, r->id);
    return true;
  });
}

long PaintManager::OnControlUpdate(CRect rect, int redraw, MControl* control) {
  if (!control) return 0;
  CRect region = rect;
  if (redraw) control->SetUpdate(0, m_crBack);
  if (m_bInit) {
    bool met = false;
    auto visit = [&](MControl* entry) {
      if (!met) {
        met = entry == control;
        return;
      }
      if (entry->IsVisible() && Meets(entry->GetRect(), rect)) {
        entry->SetUpdate(0, m_crBack);
        region.UnionRect(region, entry->GetRect());
      }
    };
    {
      CriticalSectionLock lock(m_areasLock);
      for (MControl* area : m_areas)
        if (area) visit(area);
    }
    {
      CriticalSectionLock lock(m_controlsLock);
      for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i]) visit(m_controls[i]);
    }
  }
  if (IsWindowAlive()) {
    if (m_bLayered) ::InvalidateRect(m_hPaintWnd, nullptr, TRUE);
    else ::InvalidateRect(m_hPaintWnd, &region, FALSE);
  }
  return 0;
}

void PaintManager::Invalidate() {
  if (IsWindowAlive()) ::InvalidateRect(m_hPaintWnd, nullptr, FALSE);
}

void PaintManager::InvalidateRect(CRect rect, int erase) {
  if (!IsWindowAlive()) return;
  if (m_bLayered) ::InvalidateRect(m_hPaintWnd, nullptr, TRUE);
  else ::InvalidateRect(m_hPaintWnd, &rect, erase);
}

void PaintManager::GetClientRect(CRect& rect) const {
  rect.SetRectEmpty();
  if (IsWindowAlive()) ::GetClientRect(m_hPaintWnd, &rect);
}

void PaintManager::GetWindowRect(CRect& rect) const {
  rect.SetRectEmpty();
  if (IsWindowAlive()) ::GetWindowRect(m_hPaintWnd, &rect);
}

void PaintManager::GetClientSize(int& width, int& height) const {
  CRect client;
  GetClientRect(client);
  width = client.Width();
  height = client.Height();
}

LRESULT PaintManager::SendMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return IsWindowAlive() ? ::SendMessageW(m_hPaintWnd, msg, wParam, lParam) : 0;
}

LRESULT PaintManager::PostMessageW(UINT msg, WPARAM wParam, LPARAM lParam) {
  return IsWindowAlive() ? ::PostMessageW(m_hPaintWnd, msg, wParam, lParam) : 0;
}

void PaintManager::SetWindowMaxSize(int w, int h) {
  m_maxWidth = w;
  m_maxHeight = h;
}
void PaintManager::GetWindowManSize(int& w, int& h) const {
  w = m_maxWidth;
  h = m_maxHeight;
}
void PaintManager::SetWindowMixSize(int w, int h) {
  m_minWidth = w;
  m_minHeight = h;
}
void PaintManager::GetWindowMinSize(int& w, int& h) const {
  w = m_minWidth;
  h = m_minHeight;
}

void PaintManager::SetScrollResID(unsigned vertical, unsigned horizontal) {
  m_uScrollVID = vertical;
  m_uScrollHID = horizontal;
}

void PaintManager::SetBackColor(COLORREF back, COLORREF frame) {
  m_crBack = back;
  m_crFrame = frame;
}

int PaintManager::OnCreate() { return 1; }
int PaintManager::OnSize() { return 1; }
int PaintManager::OnMouseHover() { return 1; }
int PaintManager::OnNcHitTest() { return 1; }
int PaintManager::OnNcCalcSize() { return 1; }
int PaintManager::OnWindowPosChanging() { return 1; }
int PaintManager::OnNcPaint() { return 1; }
int PaintManager::OnDestroy() { return 1; }

int PaintManager::OnGetMinMaxInfo(MINMAXINFO* info) {
  if (!info) return 1;
  if (m_minWidth > 0) info->ptMinTrackSize.x = m_minWidth;
  if (m_minHeight > 0) info->ptMinTrackSize.y = m_minHeight;
  if (m_maxWidth > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = m_maxWidth;
  if (m_maxHeight > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = m_maxHeight;
  return 1;
}

int PaintManager::OnWindowPosChanged(WINDOWPOS* pos) {
  if (!pos || !IsWindowAlive()) return 1;
  ::SetWindowPos(m_hPaintWnd, nullptr, 0, 0, 0, 0, 0x433);
  ::SendMessageW(m_hPaintWnd, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
  ::SendMessageW(m_hPaintWnd, WM_SIZE, 0, MAKELPARAM(pos->cx, pos->cy));
  return 1;
}

LRESULT PaintManager::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  bool taken = false;
  WalkControls([&](MControl* control) {
    taken = control->OnWindowMessage(msg, static_cast<unsigned>(wParam), static_cast<long>(lParam)) != 0;
    return taken;
  });
  if (taken) return 0;
  const CPoint point(lParam);
  const unsigned flags = static_cast<unsigned>(wParam);
  switch (msg) {
    case WM_PAINT:
      return OnPaint();
    case WM_GETMINMAXINFO:
      return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_DESTROY:
      RevokeTarget();  // while the window still exists
      return 1;
    case WM_CREATE:
    case WM_SIZE:
    case WM_CHAR:
    case WM_MOUSEHOVER:
      return 1;
    case WM_NCDESTROY:
      DestroyData();
      return 1;
    case WM_NCACTIVATE:
      return OnNcActivate(static_cast<int>(wParam));
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return OnKeyDown(flags, static_cast<long>(lParam));
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return OnKeyUp(flags, static_cast<long>(lParam));
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (!lParam) return 0;
      return ::SendMessageW(reinterpret_cast<HWND>(lParam), msg + 0x2000, wParam, lParam);
    case WM_TIMER:
      OnTimer(static_cast<unsigned>(wParam));
      return 0;
    case WM_MOUSEMOVE:
      return OnMouseMove(flags, point);
    case WM_LBUTTONDOWN:
      return OnLButtonDown(flags, point);
    case WM_LBUTTONUP:
      return OnLButtonUp(flags, point);
    case WM_LBUTTONDBLCLK:
      return OnLButtonDblClk(flags, point);
    case WM_RBUTTONDOWN:
      return OnRButtonDown(flags, point);
    case WM_RBUTTONUP:
      return OnRButtonUp(flags, point);
    case WM_RBUTTONDBLCLK:
      return OnRButtonDblClk(flags, point);
    case WM_MOUSEWHEEL:
      return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point);
    case WM_MOUSELEAVE:
      return OnMouseLeave(flags, static_cast<long>(lParam));
    default:
      return 0;
  }
}
