#include "core/MControl.h"
#include <algorithm>
#include <cmath>
#include "core/PaintManager.h"

const wchar_t MControl::CursorArrow[] = L"arrow";
const wchar_t MControl::CursorWait[] = L"wait";
const wchar_t MControl::CursorCross[] = L"cross";
const wchar_t MControl::CursorSizeWE[] = L"sizewe";
const wchar_t MControl::CursorSizeNS[] = L"sizens";
const wchar_t MControl::CursorHand[] = L"hand";
const wchar_t MControl::CursorHelp[] = L"help";

namespace {
bool Overlaps(const RECT& a, const RECT& b) {
  CRect r;
  return r.IntersectRect(a, b);
}

void ReleaseMemory(HDC& dc, HBITMAP& bitmap, HGDIOBJ& previous) {
  if (dc && previous) ::SelectObject(dc, previous);
  if (bitmap) ::DeleteObject(bitmap);
  if (dc) ::DeleteDC(dc);
  dc = nullptr;
  bitmap = nullptr;
  previous = nullptr;
}
}  // namespace

MControl::MControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled, int response)
    : m_pParent(parent), m_uID(id), m_rcControl(rect), m_bVisible(visible), m_bEnabled(enabled),
      m_bResponse(response) {}

MControl::~MControl() {
  RemoveAllControl();
  ReleaseMemory(m_hMemDC, m_hMemBitmap, m_hOldBitmap);
  ReleaseMemory(m_hAnimDC, m_hAnimBitmap, m_hOldAnimBitmap);
  if (m_pManager) m_pManager->ForgetControl(this);
}

const wchar_t* MControl::GetClassNameW() const { return L"MControl"; }

void MControl::InitControl(PaintManager*) {}
int MControl::IsDragDrop() { return m_bDragDrop; }
int MControl::PtInRect(CPoint point) { return m_bVisible && m_rcControl.PtInRect(point) ? 1 : 0; }

int MControl::DrawSubControls(HDC& hdc, CRect paint) {
  WalkControls([&](MControl* child) {
    if (child->IsVisible()) child->Draw(hdc, paint);
    return false;
  });
  return 1;
}

int MControl::IsDraw(CPoint) { return 0; }

void MControl::SetUpdate(int valid, DWORD color) {
  m_bUpdate = valid;
  for (size_t i = 0; i < m_controls.size(); ++i) {
    MControl* child = m_controls[i];
    if (child && Overlaps(child->m_rcControl, m_rcControl)) child->SetUpdate(valid, color);
  }
}

void MControl::SetUpdateEx(int valid) {
  m_bUpdate = valid;
  for (auto* list : {&m_areas, &m_controls}) {
    for (size_t i = 0; i < list->size(); ++i) {
      MControl* child = (*list)[i];
      if (child && Overlaps(child->m_rcControl, m_rcControl)) child->SetUpdate(valid, 0);
    }
  }
}

int MControl::SetControlFocus(int focus) {
  if (!focus) {
    WalkControls([](MControl* child) {
      child->SetControlFocus(0);
      return false;
    });
  }
  return 0;
}

void MControl::InitUI(CRect) {}
int MControl::OnMousePointChange(CPoint&) { return 0; }
int MControl::OnCheckMouseResponse(unsigned, CPoint) { return 1; }
long MControl::OnWindowMessage(unsigned, unsigned, long) { return 0; }
long MControl::OnMessage(unsigned, unsigned, unsigned, long) { return 0; }
void MControl::SetControlRect(CRect rect) { m_rcControl = rect; }
void MControl::SetControlVisible(int visible) { m_bVisible = visible; }
void MControl::SetControlWndVisible(int) {}
void MControl::SetControlEnabled(int enabled) { m_bEnabled = enabled; }
int MControl::OnControlTimer() { return 0; }
HBITMAP MControl::GetControlDropBitmap() { return nullptr; }
int MControl::OnControlMouseMove(unsigned, CPoint) { return 0; }

int MControl::OnControlSetCursor(unsigned, CPoint point) {
  if (!m_hCursor || !m_rcControl.PtInRect(point)) return 0;
  ::SetCursor(m_hCursor);
  return 1;
}

int MControl::OnControlLButtonDown(unsigned, CPoint) { return 0; }
int MControl::OnControlLButtonUp(unsigned, CPoint) { return 0; }
int MControl::OnControlLButtonDblClk(unsigned, CPoint) { return 0; }
int MControl::OnControlScroll(int, unsigned, CPoint) { return 0; }
int MControl::OnControlRButtonDown(unsigned, CPoint) { return 0; }
int MControl::OnControlRButtonUp(unsigned, CPoint) { return 0; }
int MControl::OnControlRButtonDblClk(unsigned, CPoint) { return 0; }

int MControl::OnControlKeyDown(unsigned key, unsigned, unsigned modifiers) {
  return (m_uShortcutKey && m_uShortcutKey == key && m_uShortcutModifiers == modifiers) ? 1 : 0;
}

void MControl::OnPositionChange() {}

void MControl::InvalidateRect(const RECT*, int erase) {
  if (m_pManager) m_pManager->InvalidateRect(m_rcControl, erase);
}

void MControl::SetManager(PaintManager* manager) {
  m_pManager = manager;
  InitControl(manager);
}

void MControl::SetRect(CRect rect) {
  CRect both;
  both.UnionRect(m_rcControl, rect);
  SetControlRect(rect);
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(both, 1, this);
}

void MControl::SetRect(int x, int y, int width, int height) { SetRect(CRect(x, y, x + width, y + height)); }

void MControl::SetVisible(int visible) { SetVisible(visible, 1); }

void MControl::SetVisible(int visible, int repaint) {
  if ((visible != 0) == (m_bVisible != 0)) return;
  SetControlVisible(visible);
  if (repaint && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

void MControl::SetEnabled(int enabled) {
  if ((enabled != 0) == (m_bEnabled != 0)) return;
  SetControlEnabled(enabled);
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
}

int MControl::IsParentVisible() const {
  if (!m_pParent) return 0;
  // Any owner that is not a control (a dialog, popup or menu window) ends the walk.
  auto* parent = dynamic_cast<const MControl*>(m_pParent);
  if (!parent) return 1;
  return parent->m_bVisible && parent->IsParentVisible() ? 1 : 0;
}

void MControl::UpdateControl(int redraw, int force) {
  if ((m_bVisible || force) && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

void MControl::UpdateControl(CRect rect, int force, int redraw) {
  if ((m_bVisible || force) && m_pParent) m_pParent->OnControlUpdate(rect, redraw, this);
}

void MControl::UpdateAControl(int keep, int force) {
  if (!(m_bVisible || force)) return;
  m_bAnimateUpdate = keep ? 0 : 1;
  if (m_pParent) m_pParent->OnControlUpdate(m_rcControl, 0, this);
}

long MControl::SendMessageW(unsigned code, unsigned wParam, long lParam) {
  return m_pParent ? m_pParent->OnBaseMessage(m_uID, code, wParam, lParam) : 0;
}

CPoint MControl::ChildPoint(const MControl* child, CPoint outer, CPoint changed) {
  unsigned id = child->GetControlID();
  return (id == 1 || id == 2) ? outer : changed;
}

int MControl::OnMouseMove(unsigned flags, CPoint point) {
  if (!m_bVisible || !m_bResponse) return 0;
  RoutingScope scope(*this);
  const CPoint outer = point;
  OnMousePointChange(point);
  if (MControl* hot = m_pHotChild) {
    CPoint cp = ChildPoint(hot, outer, point);
    if (hot->PtInRect(cp) && hot->OnCheckMouseResponse(flags, cp)) return hot->OnMouseMove(flags, cp) ? 1 : 0;
    if (m_bPressed) return hot->OnMouseMove(flags, cp);
  }
  MControl* previous = m_pHotChild;
  m_pHotChild = nullptr;
  if (!m_tooltip.IsEmpty() && PtInRect(outer) && OnCheckMouseResponse(flags, point) && m_pManager &&
      m_pManager->GetTooltipCtrlID() != static_cast<int>(m_uID))
    SetTooltip(m_tooltip, m_rcControl);
  OnControlSetCursor(flags, point);
  int result = OnControlMouseMove(flags, point);
  if (m_bPressed) return result;
  WalkControls([&](MControl* child) {
    CPoint cp = ChildPoint(child, outer, point);
    if (child->OnMouseMove(flags, cp)) {
      result = 1;
      if (child->PtInRect(cp)) m_pHotChild = child;
    }
    return false;
  });
  return (m_pHotChild || previous) ? 1 : result;
}

int MControl::RouteButtonDown(unsigned flags, CPoint point, bool left) {
  if (!m_bVisible || !m_bResponse) return 0;
  RoutingScope scope(*this);
  const CPoint outer = point;
  OnMousePointChange(point);
  m_bPressed = m_rcControl.PtInRect(point) ? 1 : 0;
  WalkControls([&](MControl* child) {
    CPoint cp = ChildPoint(child, outer, point);
    if (child->PtInRect(cp) && child->IsVisible() && child->IsEnabled() && child->GetRresponse()) m_pHotChild = child;
    return false;
  });
  if (MControl* hot = m_pHotChild) {
    CPoint cp = ChildPoint(hot, outer, point);
    return (left ? hot->OnLButtonDown(flags, cp) : hot->OnRButtonDown(flags, cp)) ? 1 : 0;
  }
  if (m_pManager && m_pManager->GetFocusControl() != this) m_pManager->SetFocusControl(this);
  return left ? OnControlLButtonDown(flags, point) : OnControlRButtonDown(flags, point);
}

int MControl::RouteButtonUp(unsigned flags, CPoint point, bool left) {
  if (!m_bVisible || !m_bResponse) return 0;
  RoutingScope scope(*this);
  const CPoint outer = point;
  OnMousePointChange(point);
  m_bPressed = 0;
  if (MControl* hot = m_pHotChild) {
    CPoint cp = ChildPoint(hot, outer, point);
    return (left ? hot->OnLButtonUp(flags, cp) : hot->OnRButtonUp(flags, cp)) ? 1 : 0;
  }
  return left ? OnControlLButtonUp(flags, point) : OnControlRButtonUp(flags, point);
}

int MControl::RouteDblClk(unsigned flags, CPoint point, bool left) {
  if (!m_bVisible || !m_bResponse) return 0;
  RoutingScope scope(*this);
  const CPoint outer = point;
  OnMousePointChange(point);
  m_bPressed = 0;
  MControl* hot = m_pHotChild;
  if (!hot) {
    if (!m_bDblClk) return left ? OnControlLButtonDown(flags, point) : OnControlRButtonDown(flags, point);
    return left ? OnControlLButtonDblClk(flags, point) : OnControlRButtonDblClk(flags, point);
  }
  CPoint cp = ChildPoint(hot, outer, point);
  if (left ? hot->OnLButtonDblClk(flags, cp) : hot->OnRButtonDblClk(flags, cp)) return 1;
  // The child may have been removed by its own handler.
  if (m_pHotChild != hot || hot->GetDblClk()) return 0;
  return left ? hot->OnLButtonDown(flags, cp) : hot->OnRButtonDown(flags, cp);
}

int MControl::OnLButtonDown(unsigned flags, CPoint point) { return RouteButtonDown(flags, point, true); }
int MControl::OnRButtonDown(unsigned flags, CPoint point) { return RouteButtonDown(flags, point, false); }
int MControl::OnLButtonUp(unsigned flags, CPoint point) { return RouteButtonUp(flags, point, true); }
int MControl::OnRButtonUp(unsigned flags, CPoint point) { return RouteButtonUp(flags, point, false); }
int MControl::OnLButtonDblClk(unsigned flags, CPoint point) { return RouteDblClk(flags, point, true); }
int MControl::OnRButtonDblClk(unsigned flags, CPoint point) { return RouteDblClk(flags, point, false); }

int MControl::OnScroll(int delta, unsigned direction, CPoint point) {
  if (!m_bVisible || !m_bResponse || !m_bEnabled) return 0;
  RoutingScope scope(*this);
  if (MControl* hot = m_pHotChild) {
    if (hot->PtInRect(point) && hot->OnCheckMouseResponse(0, point)) return hot->OnScroll(delta, direction, point) ? 1 : 0;
  }
  if (!PtInRect(point)) return 0;
  if (OnControlScroll(delta, direction, point)) return 1;
  int result = 0;
  WalkControls([&](MControl* child) {
    if (child->PtInRect(point) && child->OnScroll(delta, direction, point)) result = 1;
    return result != 0;
  });
  return result;
}

int MControl::OnKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  if (!m_bVisible || !m_bResponse) return 0;
  RoutingScope scope(*this);
  bool focusedChild = false;
  int result = 0;
  WalkControls([&](MControl* child) {
    if (!child->IsFocused()) return false;
    focusedChild = true;
    result = child->IsVisible() ? child->OnKeyDown(key, repeat, modifiers) : 0;
    return true;
  });
  if (focusedChild) return result;
  if (m_pHotChild && m_pHotChild->OnKeyDown(key, repeat, modifiers)) return 1;
  if (OnControlKeyDown(key, repeat, modifiers)) return 1;
  WalkControls([&](MControl* child) {
    result = child->OnKeyDown(key, repeat, modifiers) ? 1 : 0;
    return result != 0;
  });
  return result;
}

int MControl::OnKeyUp(unsigned, unsigned, unsigned) { return 0; }

int MControl::OnTimer() {
  RoutingScope scope(*this);
  int result = OnControlTimer();
  WalkControls([&](MControl* child) {
    if (child->IsRunTimer() && child->IsVisible() && child->OnTimer()) result = 1;
    return false;
  });
  return result;
}

int MControl::OnFocus(int focus) { return SetControlFocus(focus); }

int MControl::IsFocusControl() const { return m_pManager && m_pManager->GetFocusControl() == this ? 1 : 0; }
MControl* MControl::GetFocusControl(MControl*) { return nullptr; }
MControl* MControl::GetNextFocusableControl(MControl*) { return nullptr; }
MControl* MControl::GetPrevFocusableControl(MControl*) { return nullptr; }

MControl* MControl::GetControl(unsigned id) {
  for (auto* list : {&m_controls, &m_areas}) {
    for (size_t i = 0; i < list->size(); ++i) {
      MControl* child = (*list)[i];
      if (!child) continue;
      if (child->GetControlID() == id) return child;
      if (MControl* found = child->GetControl(id)) return found;
    }
  }
  return nullptr;
}

void MControl::ForgetChild(MControl* gone) {
  if (m_pHotChild == gone) m_pHotChild = nullptr;
  if (m_pManager) m_pManager->ForgetControl(gone);
}

int MControl::RemoveControl(MControl* child) {
  if (!child) return 0;
  if (m_pManager && m_pManager->GetFocusControl() == child) {
    child->SetControlFocus(0);
    m_pManager->SetFocusControl(nullptr);
  }
  CriticalSectionLock lock(m_controlsLock);
  auto it = std::find(m_controls.begin(), m_controls.end(), child);
  if (it == m_controls.end()) return 0;
  ForgetChild(child);
  if (m_walkDepth > 0) {
    *it = nullptr;
    m_deferred.push_back(child);
  } else {
    m_controls.erase(it);
    delete child;
  }
  return 0;
}

void MControl::RemoveAllControl() {
  std::vector<MControl*> areas;
  {
    CriticalSectionLock lock(m_areasLock);
    areas.swap(m_areas);
  }
  for (MControl* area : areas) {
    if (!area) continue;
    ForgetChild(area);
    delete area;
  }
  CriticalSectionLock lock(m_controlsLock);
  for (MControl*& child : m_controls) {
    if (!child) continue;
    ForgetChild(child);
    if (m_walkDepth > 0) m_deferred.push_back(child);
    else delete child;
    child = nullptr;
  }
  if (m_walkDepth == 0) m_controls.clear();
}

void MControl::FlushDeferred() {
  if (m_deferred.empty()) return;
  std::erase(m_controls, nullptr);
  std::vector<MControl*> gone;
  gone.swap(m_deferred);
  for (MControl* child : gone) {
    // A walk may have made the child hot after its own handler removed it.
    if (m_pHotChild == child) m_pHotChild = nullptr;
    delete child;
  }
}

void MControl::AppendChild(unsigned listType, MControl* child) {
  if (!child) return;
  if (listType == 0) {
    CriticalSectionLock lock(m_areasLock);
    m_areas.push_back(child);
  } else if (listType == 1) {
    CriticalSectionLock lock(m_controlsLock);
    m_controls.push_back(child);
  }
}

void MControl::AddMTimer() {
  if (m_pManager) m_pManager->AddMTimer(this);
}

void MControl::Draw(HDC& hdc, CRect paint) {
  CRect meet;
  if (!m_bVisible || !meet.IntersectRect(m_rcControl, paint)) return;
  {
    CriticalSectionLock lock(m_areasLock);
    for (size_t i = 0; i < m_areas.size(); ++i) {
      MControl* area = m_areas[i];
      if (area && Overlaps(area->m_rcControl, m_rcControl)) area->Draw(hdc, paint);
    }
  }
  DrawControl(hdc, paint);
  DrawSubControls(hdc, paint);
}

void MControl::UpdateMemDC(HDC& hdc, int width, int height) {
  m_bUpdate = 1;
  if (m_hMemDC && width == m_memWidth && height == m_memHeight) return;
  ReleaseMemory(m_hMemDC, m_hMemBitmap, m_hOldBitmap);
  m_memWidth = width;
  m_memHeight = height;
  m_hMemDC = ::CreateCompatibleDC(hdc);
  m_hMemBitmap = ::CreateCompatibleBitmap(hdc, std::max(width, 1), std::max(height, 1));
  if (m_hMemDC && m_hMemBitmap) m_hOldBitmap = ::SelectObject(m_hMemDC, m_hMemBitmap);
}

void MControl::UpdateAnimateDC(HDC& hdc, int width, int height) {
  ReleaseMemory(m_hAnimDC, m_hAnimBitmap, m_hOldAnimBitmap);
  m_animWidth = width;
  m_animHeight = height;
  m_bAnimateUpdate = 1;
  m_hAnimDC = ::CreateCompatibleDC(hdc);
  m_hAnimBitmap = ::CreateCompatibleBitmap(hdc, std::max(width, 1), std::max(height, 1));
  if (m_hAnimDC && m_hAnimBitmap) m_hOldAnimBitmap = ::SelectObject(m_hAnimDC, m_hAnimBitmap);
}

HBITMAP MControl::GetDropBitmap() {
  return m_pHotChild ? m_pHotChild->GetControlDropBitmap() : GetControlDropBitmap();
}

void MControl::SetTooltip(const wchar_t* text) { m_tooltip = text ? text : L""; }

void MControl::SetTooltip(CString text, CRect rect) {
  if (!m_pManager) return;
  m_pManager->SetTooltip(text, rect);
  m_pManager->SetTooltipCtrlID(static_cast<int>(m_uID));
}

void MControl::ClearTooltip() {
  if (!m_pManager) return;
  m_pManager->ClearTooltip();
  m_pManager->SetTooltipCtrlID(0);
}

void MControl::SetTooltipCtrlID(int) {}
int MControl::GetTooltipCtrlID() const { return 0; }

long MControl::SetCursorEx(const wchar_t* name) {
  static const struct {
    const wchar_t* name;
    const wchar_t* cursor;
  } kCursors[] = {{CursorArrow, IDC_ARROW},   {CursorWait, IDC_WAIT}, {CursorCross, IDC_CROSS},
                  {CursorSizeWE, IDC_SIZEWE}, {CursorSizeNS, IDC_SIZENS}, {CursorHand, IDC_HAND},
                  {CursorHelp, IDC_HELP}};
  for (const auto& c : kCursors)
    if (name == c.name) m_hCursor = ::LoadCursorW(nullptr, c.cursor);
  return 0;
}

int MControl::PositionItem2Value(const ZK_POSITION_ITEM& item, int a, int b) {
  const int v = static_cast<int>(item.value);
  switch (item.kind) {
    case 0:
      return item.fromEnd ? b - v : a + v;
    case 1:
      return a + (item.fromEnd ? -v : v) + (b - a) / 2;
    case 2: {
      int value = a + static_cast<int>(std::trunc(static_cast<double>(b - a) * item.value / 100.0));
      return std::min(value, b);
    }
    default:
      return 0;
  }
}
