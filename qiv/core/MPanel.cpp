#include "core/MPanel.h"
#include <algorithm>
#include "controls/MScroll.h"
#include "core/ControlFactory.h"
#include "core/PaintManager.h"

namespace {
// Places one bar and shows it exactly when the content exceeds the panel's extent.
void LayoutBar(MScroll* bar, CRect barRect, int content, int extent) {
  CRect old = bar->GetRect();
  bar->SetControlRect(barRect);
  MObject* parent = bar->GetParantObject();
  if (bar->IsVisible() && parent) {
    CRect both;
    both.UnionRect(old, barRect);
    parent->OnControlUpdate(both, 1, bar);
  }
  int show = content > extent ? 1 : 0;
  if (show != (bar->IsVisible() ? 1 : 0)) {
    bar->SetControlVisible(show);
    if (parent) parent->OnControlUpdate(bar->GetRect(), 1, bar);
  }
  bar->m_nMaxRange = content;
  if (bar->m_bAutoSize) bar->m_nScrollSize = 0;
  bar->SetRange();
}
}  // namespace

MPanel::MPanel(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1) {
  m_bDblClk = 1;
  m_pScrollV = new CScrollVertical(this, 1, rect, 1);
  AppendChild(1, m_pScrollV);
  m_pScrollH = new CScrollHorizontal(this, 2, rect, 1);
  AppendChild(1, m_pScrollH);
  SetControlRect(rect);
}

MPanel::~MPanel() = default;

const wchar_t* MPanel::GetClassNameW() const { return L"MPanel"; }

long MPanel::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return OnMessage(id, code, wParam, lParam);
}

long MPanel::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

long MPanel::OnControlUpdate(CRect rect, int redraw, MControl* control) {
  if (!control) return 0;
  if (redraw) control->SetUpdate(0, 0);
  if (m_bInit) {
    bool met = false;
    WalkControls([&](MControl* child) {
      CRect meet;
      if (met && child->IsVisible() && meet.IntersectRect(child->GetRect(), rect)) child->SetUpdate(0, 0);
      if (child == control) met = true;
      return false;
    });
  }
  InvalidateRect(nullptr, 1);
  return 0;
}

void MPanel::InitControl(PaintManager* manager) {
  m_bInit = 1;
  if (m_pScrollV) m_pScrollV->SetManager(manager);
  if (m_pScrollH) m_pScrollH->SetManager(manager);
}

int MPanel::IsDragDrop() { return m_pHotChild ? m_pHotChild->IsDragDrop() : 0; }

void MPanel::DrawControl(HDC&, CRect) {}

bool MPanel::ContentOverflows() const {
  return m_virtualHeight > m_rcControl.Height() || m_virtualWidth > m_rcControl.Width();
}

int MPanel::DrawSubControls(HDC& hdc, CRect paint) {
  // A scrolling subclass draws its content itself, offset by the scroll position.
  if (m_bEnableScroll && ContentOverflows()) return 1;
  return MControl::DrawSubControls(hdc, paint);
}

CPoint MPanel::GetScrollOffset() const {
  if (!m_bEnableScroll || !ContentOverflows()) return CPoint(0, 0);
  auto offset = [](int content, int extent, const MScroll* bar) -> int {
    if (!bar || bar->m_nMaxRange <= 0) return 0;
    int64_t over = std::max(0, content - extent);
    return static_cast<int>(over * bar->m_nCurPos / bar->m_nMaxRange);
  };
  return CPoint(offset(m_virtualWidth, m_rcControl.Width(), m_pScrollH),
                offset(m_virtualHeight, m_rcControl.Height(), m_pScrollV));
}

int MPanel::OnMousePointChange(CPoint& point) {
  if (!m_bEnableScroll || !ContentOverflows()) return 0;
  point.Offset(GetScrollOffset().x, GetScrollOffset().y);
  return 1;
}

int MPanel::OnCheckMouseResponse(unsigned, CPoint) { return 1; }

long MPanel::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
  long handled = 0;
  WalkControls([&](MControl* child) {
    handled = child->OnWindowMessage(msg, wParam, lParam) ? 1 : 0;
    return handled != 0;
  });
  return handled;
}

void MPanel::SetControlRect(CRect rect) {
  m_rcControl = rect;
  m_virtualHeight = 0;
  m_virtualWidth = 0;
  WalkControls([&](MControl* child) {
    if (child == m_pScrollV || child == m_pScrollH) return false;
    CRect r = child->GetRect();
    m_virtualHeight = std::max(m_virtualHeight, static_cast<int>(r.bottom - rect.top));
    m_virtualWidth = std::max(m_virtualWidth, static_cast<int>(r.right - rect.left));
    return false;
  });
  if (m_pScrollV) {
    CRect bar = rect;
    bar.left = rect.right - m_scrollThickness;
    LayoutBar(m_pScrollV, bar, m_virtualHeight, rect.Height());
  }
  if (m_pScrollH) {
    CRect bar = rect;
    bar.top = rect.bottom - m_scrollThickness;
    LayoutBar(m_pScrollH, bar, m_virtualWidth, rect.Width());
  }
}

void MPanel::SetControlVisible(int visible) {
  m_bVisible = visible;
  SetControlWndVisible(visible);
}

void MPanel::SetControlWndVisible(int) {}

void MPanel::SetControlEnabled(int enabled) {
  m_bEnabled = enabled;
  WalkControls([&](MControl* child) {
    if ((child->IsEnabled() != 0) != (enabled != 0)) {
      child->SetControlEnabled(enabled);
      child->UpdateControl(1, 0);
    }
    return false;
  });
}

int MPanel::OnControlTimer() { return 0; }
int MPanel::OnControlMouseMove(unsigned, CPoint) { return 0; }
int MPanel::OnControlLButtonDown(unsigned, CPoint) { return 0; }
int MPanel::OnControlLButtonUp(unsigned, CPoint) { return 0; }
int MPanel::OnControlLButtonDblClk(unsigned, CPoint) { return 0; }
int MPanel::OnControlRButtonDown(unsigned, CPoint) { return 0; }
int MPanel::OnControlRButtonUp(unsigned, CPoint) { return 0; }
int MPanel::OnControlRButtonDblClk(unsigned, CPoint) { return 0; }
int MPanel::OnControlKeyDown(unsigned, unsigned, unsigned) { return 0; }
int MPanel::OnControlKeyUp(unsigned, unsigned, unsigned) { return 0; }

int MPanel::OnControlScroll(int, unsigned direction, CPoint) {
  if (!m_bEnableScroll || m_virtualHeight < m_rcControl.Height() || !m_pScrollV) return 0;
  if (m_pScrollV->ScrollRow(direction == 1 ? 1 : -1)) {
    UpdateControl(1, 0);
    m_pScrollV->UpdateControl(1, 0);
  }
  return 1;
}

MControl* MPanel::CreateArea(const wchar_t* className, unsigned id, CRect rect, const wchar_t* text, int a, int b) {
  return CreateControl(0, this, className, id, rect, text, a, b);
}

MControl* MPanel::CreateControl(unsigned listType, MObject* parent, const wchar_t* className, unsigned id,
                                CRect rect, const wchar_t* text, int a, int b) {
  MControl* control = ConstructPanelControl(parent, className, id, rect, text, a, b);
  if (!control) return nullptr;
  if (m_pManager) control->SetManager(m_pManager);
  AppendChild(listType, control);
  return control;
}

MControl* MPanel::CreateControl(const wchar_t* className, unsigned id, CRect rect, const wchar_t* text, int a,
                                int b) {
  return CreateControl(1, this, className, id, rect, text, a, b);
}
