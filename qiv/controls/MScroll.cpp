#include "controls/MScroll.h"
#include <algorithm>
#include <cmath>
#include <gdiplus.h>
#include "core/Manager.h"
#include "core/PaintManager.h"

MScroll::MScroll(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, L"", visible, 1, 1) {}

MScroll::~MScroll() = default;

const wchar_t* MScroll::GetClassNameW() const { return L"MScroll"; }
void MScroll::DrawControl(HDC&, CRect) {}
int MScroll::MoveRange(int) { return 0; }
int MScroll::SetRange() { return 0; }
int MScroll::SetRangeEx() { return 0; }

long MScroll::OnMessage(unsigned id, unsigned, unsigned, long lParam) {
  if (lParam == 2) {
    if (id == 1 || id == 3) MoveRange(-m_nRowStep);
    else if (id == 2 || id == 4) MoveRange(m_nRowStep);
  }
  return 0;
}

void MScroll::SetControlRect(CRect rect) {
  m_rcControl = rect;
  SetRange();
  // End buttons (ids 4-7) are placed at the ends of the track when a subclass has them.
  WalkControls([&](MControl* child) {
    if ((child->IsVisible() != 0) != (m_bScrollable != 0)) {
      child->SetControlVisible(m_bScrollable);
      child->UpdateControl(1, 1);
    }
    CRect place = rect;
    switch (child->GetControlID()) {
      case 6: place.bottom = rect.top + m_nMargin; break;
      case 7: place.top = rect.bottom - m_nMargin; break;
      case 4: place.right = rect.left + m_nMargin; break;
      case 5: place.left = rect.right - m_nMargin; break;
      default: return false;
    }
    CRect old = child->GetRect();
    child->SetControlRect(place);
    if (child->IsVisible()) {
      CRect both;
      both.UnionRect(old, place);
      child->UpdateControl(both, 0, 1);
    }
    return false;
  });
}

MScroll::Axis MScroll::GetAxis() const {
  if (IsVertical()) return {m_rcControl.top, m_rcControl.bottom, m_rcControl.Height()};
  return {m_rcControl.left, m_rcControl.right, m_rcControl.Width()};
}

int MScroll::ThumbLength(int track) const {
  // Without a range the thumb fills the track (nothing to scroll).
  if (m_nMaxRange <= 0) return track;
  double share = static_cast<double>(m_nScrollSize) / m_nMaxRange * track;
  int length = static_cast<int>(std::trunc(std::max(static_cast<double>(m_nMargin / 2), share)));
  if (length < 100) length = (track - 50 <= 100) ? track - 50 : 100;
  return length;
}

int MScroll::Layout(bool contentPixels) {
  const Axis axis = GetAxis();
  const int m = m_nMargin;
  if (m_nScrollSize == 0) {
    m_nScrollSize = axis.length;
    if (m_nMaxRange > 10 * axis.length) m_nScrollSize = m_nMaxRange / 10;
    m_bAutoSize = 1;
  }
  const int track = axis.length - 2 * m;
  const int thumb = ThumbLength(track);
  const int free = track - thumb;
  const int denominator = contentPixels ? m_nMaxRange - axis.length : m_nMaxRange;
  double fraction = denominator > 0 ? static_cast<double>(m_nCurPos) / denominator : 0.0;
  double start = std::min(static_cast<double>(axis.end - m / 2 - m),
                          std::max(static_cast<double>(axis.start + m), fraction * free + axis.start + m));
  int thumbStart = static_cast<int>(std::trunc(start));
  if (IsVertical()) {
    m_rcThumb = CRect(m_rcControl.left, thumbStart, m_rcControl.right, thumbStart + thumb);
    if (m_rcThumb.bottom > m_rcControl.bottom) {
      m_rcThumb.OffsetRect(0, m_rcControl.bottom - m_rcThumb.bottom);
      if (free > 0)
        m_nCurPos = static_cast<int>(static_cast<long long>(m_rcThumb.top - m_rcControl.top - m) * m_nMaxRange / free);
    }
  } else {
    m_rcThumb = CRect(thumbStart, m_rcControl.top, thumbStart + thumb, m_rcControl.bottom);
  }
  m_bScrollable = m_nScrollSize < m_nMaxRange ? 1 : 0;
  return m_nCurPos;
}

void MScroll::ShiftThumb(int delta) {
  if (IsVertical()) m_rcThumb.OffsetRect(0, delta);
  else m_rcThumb.OffsetRect(delta, 0);
}

int MScroll::SetScrollMaxRange(int range) {
  m_nMaxRange = range;
  if (m_bAutoSize) m_nScrollSize = 0;
  SetRange();
  return 1;
}

int MScroll::SetScrollSize(int size, int row) {
  m_nScrollSize = size;
  if (size) m_bAutoSize = 0;
  if (row) m_nRowStep = row;
  SetRange();
  return 1;
}

int MScroll::SetScrollInfo(int range, int pos, int size, int row) {
  m_nMaxRange = range;
  m_nCurPos = pos;
  if (size) {
    m_nScrollSize = size;
    m_bAutoSize = 0;
  }
  if (row) m_nRowStep = row;
  SetRange();
  return 1;
}

int MScroll::SetScrollCurrentPos(int pos) {
  m_nCurPos = pos;
  SetRange();
  return 1;
}

int MScroll::SetScrollCurrentPosEx(int pos) {
  m_nCurPos = pos;
  SetRangeEx();
  return 1;
}

int MScroll::SetScrollBeginPos() {
  m_nCurPos = 0;
  SetRange();
  return 1;
}

int MScroll::SetScrollFinalPos() {
  const int height = m_rcControl.Height();
  const int track = height - 2 * m_nMargin;
  const int thumb = ThumbLength(track);
  const int free = track - thumb;
  if (free == 0) return 0;
  m_nCurPos = static_cast<int>(static_cast<long long>(height - thumb) * m_nMaxRange / free);
  return 1;
}

int MScroll::ScrollRow(int rows) {
  const int old = m_nCurPos;
  long long pos = static_cast<long long>(m_nCurPos) + static_cast<long long>(rows) * m_nRowStep;
  m_nCurPos = static_cast<int>(std::clamp<long long>(pos, 0, std::max(0, m_nMaxRange)));
  SetRange();
  return m_nCurPos != old ? 1 : 0;
}

int MScroll::HandleButtonDown(CPoint point) {
  if (!m_bScrollable || !m_bEnabled) return 0;
  const int c = Coordinate(point);
  if (m_rcThumb.PtInRect(point)) {
    const int old = m_nThumbState;
    m_nThumbState = 2;
    m_nDragAnchor = c;
    if (old == m_nThumbState) return 0;
    UpdateControl(0, 0);
    return 1;
  }
  const Axis axis = GetAxis();
  if (m_nMaxRange <= 0) return 0;
  const int page = static_cast<int>(static_cast<long long>(axis.length - 2 * m_nMargin) * m_nScrollSize / m_nMaxRange);
  return MoveRange(c < ThumbStart() ? -page : page);
}

int MScroll::HandleMouseMove(unsigned flags, CPoint point) {
  if (!m_bScrollable || !m_bEnabled) return 0;
  if (m_nThumbState == 2) {
    const int applied = MoveRange(Coordinate(point) - m_nDragAnchor);
    m_nDragAnchor += applied;
    return 1;
  }
  if (flags & MK_LBUTTON) return 0;
  const int hover = m_rcControl.PtInRect(point) ? 1 : 0;
  const int state = hover && m_rcThumb.PtInRect(point) ? 1 : 0;
  if (state == m_nThumbState && hover == m_bHover && m_bUpdate) return 0;
  m_nThumbState = state;
  m_bHover = hover;
  SetUpdate(0, 0);
  if (m_bVisible) UpdateControl(0, 0);
  return 1;
}

int MScroll::HandleButtonUp(CPoint point) {
  if (!m_bScrollable || !m_bEnabled) return 0;
  m_nDragAnchor = -1;
  const int state = m_rcThumb.PtInRect(point) ? 1 : 0;
  if (state == m_nThumbState) return 0;
  m_nThumbState = state;
  UpdateControl(0, 0);
  return 1;
}

int MScroll::LoadThumbImage(unsigned resId, CString type, int count, int widthDiv, int heightDiv) {
  if (!m_pManager || count < 1) return 0;
  ImgResInfo* info = resId ? m_pManager->AddImgResInfo(resId, type, count, 0) : m_pManager->AddImgResInfo(type, count);
  if (!info || !info->image) return 0;
  m_imageCount = count;
  m_pImage = info->image;
  m_frameWidth = static_cast<int>(info->image->GetWidth()) / widthDiv;
  m_frameHeight = static_cast<int>(info->image->GetHeight()) / heightDiv;
  return 1;
}

void MScroll::PaintBar(HDC& hdc) {
  if (!m_bScrollable) return;
  const int w = m_rcControl.Width(), h = m_rcControl.Height();
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, w, h);
    ::BitBlt(m_hMemDC, 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    Gdiplus::SolidBrush track(Manager::m_normal_color), thumb(Manager::m_down_color);
    g.FillRectangle(&track, INT(0), INT(0), INT(w), INT(h));
    g.FillRectangle(&thumb, INT(m_rcThumb.left - m_rcControl.left), INT(m_rcThumb.top - m_rcControl.top),
                    INT(m_rcThumb.Width()), INT(m_rcThumb.Height()));
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, m_hMemDC, 0, 0, SRCCOPY);
}

void MScroll::DrawRange(HDC hdc, CRect rect, int frameOffset) {
  if (!m_pImage) return;
  Gdiplus::Graphics g(hdc);
  const int cap = 6;
  if (IsVertical()) {
    const int fh = m_frameHeight, fw = m_frameWidth, sx = frameOffset;
    const int middle = std::max(0, static_cast<int>(rect.Height()) - 2 * cap);
    g.DrawImage(m_pImage, Gdiplus::Rect(rect.left, rect.top, fw, cap), sx, 0, fw, cap, Gdiplus::UnitPixel);
    g.DrawImage(m_pImage, Gdiplus::Rect(rect.left, rect.top + cap, fw, middle), sx, cap, fw, fh - 2 * cap,
                Gdiplus::UnitPixel);
    g.DrawImage(m_pImage, Gdiplus::Rect(rect.left, rect.bottom - cap, fw, cap), sx, fh - cap, fw, cap,
                Gdiplus::UnitPixel);
  } else {
    const int fw = m_frameWidth, fh = m_frameHeight, sy = frameOffset;
    const int middle = std::max(0, static_cast<int>(rect.Width()) - 2 * cap);
    g.DrawImage(m_pImage, Gdiplus::Rect(rect.left, rect.top, cap, fh), 0, sy, cap, fh, Gdiplus::UnitPixel);
    g.DrawImage(m_pImage, Gdiplus::Rect(rect.left + cap, rect.top, middle, fh), cap, sy, fw - 2 * cap, fh,
                Gdiplus::UnitPixel);
    g.DrawImage(m_pImage, Gdiplus::Rect(rect.right - cap, rect.top, cap, fh), fw - cap, sy, cap, fh,
                Gdiplus::UnitPixel);
  }
}

namespace {
// Shared by both bars: the applied delta along the track, cut at the track's ends.
int ClampDelta(int delta, int thumbStart, int thumbEnd, int low, int high) {
  if (delta < 0) return std::max(delta, low - thumbStart);
  return std::min(delta, high - thumbEnd);
}
}  // namespace

int MScroll::MoveThumb(int delta) {
  if (delta == 0) return 0;
  const Axis axis = GetAxis();
  delta = ClampDelta(delta, ThumbStart(), ThumbEnd(), axis.start + m_nMargin, axis.end - m_nMargin);
  if (delta == 0) return 0;
  ShiftThumb(delta);
  const int free = axis.length - 2 * m_nMargin - ThumbLength(axis.length - 2 * m_nMargin);
  m_bChanging = 1;
  if (free > 0)
    m_nCurPos = static_cast<int>(static_cast<long long>(ThumbStart() - axis.start - m_nMargin) * m_nMaxRange / free);
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, 1, this);
  if (m_pParent) m_pParent->OnBaseMessage(m_uID, NOTIFY_POSITION, static_cast<unsigned>(m_nCurPos), 0);
  m_bChanging = 0;
  return delta;
}

// ---- vertical ----

CScrollVertical::CScrollVertical(MObject* parent, unsigned id, CRect rect, int visible)
    : MScroll(parent, id, rect, visible) {
  m_nDragAnchor = -1;
  SetRange();
}

CScrollVertical::~CScrollVertical() = default;
const wchar_t* CScrollVertical::GetClassNameW() const { return L"CScrollVertical"; }

void CScrollVertical::InitControl(PaintManager* manager) {
  if (!manager) return;
  if (unsigned id = manager->GetScrollVID()) SetImage(id, L"PNG", 4);
  else SetImage(L"img_scroll_v.png", 1);
}

void CScrollVertical::DrawControl(HDC& hdc, CRect) { PaintBar(hdc); }
int CScrollVertical::OnControlMouseMove(unsigned flags, CPoint point) { return HandleMouseMove(flags, point); }
int CScrollVertical::OnControlLButtonDown(unsigned, CPoint point) { return HandleButtonDown(point); }
int CScrollVertical::OnControlLButtonUp(unsigned, CPoint point) { return HandleButtonUp(point); }
int CScrollVertical::SetImage(unsigned resId, CString type, int count) { return LoadThumbImage(resId, type, count, 3, 1); }
int CScrollVertical::SetImage(const wchar_t* file, int count) { return LoadThumbImage(0, file, count, 3, 1); }
int CScrollVertical::SetRange() { return Layout(false); }
int CScrollVertical::SetRangeEx() { return Layout(true); }

int CScrollVertical::MoveRange(int delta) { return MoveThumb(delta); }

// ---- horizontal ----

CScrollHorizontal::CScrollHorizontal(MObject* parent, unsigned id, CRect rect, int visible)
    : MScroll(parent, id, rect, visible) {
  m_nDragAnchor = -1;
  SetRange();
}

CScrollHorizontal::~CScrollHorizontal() = default;
const wchar_t* CScrollHorizontal::GetClassNameW() const { return L"CScrollHorizontal"; }

void CScrollHorizontal::InitControl(PaintManager* manager) {
  if (!manager) return;
  if (unsigned id = manager->GetScrollHID()) SetImage(id, L"PNG", 4);
  else SetImage(L"img_scroll_h.png", 1);
}

void CScrollHorizontal::DrawControl(HDC& hdc, CRect) { PaintBar(hdc); }
int CScrollHorizontal::OnControlMouseMove(unsigned flags, CPoint point) { return HandleMouseMove(flags, point); }
int CScrollHorizontal::OnControlLButtonDown(unsigned, CPoint point) { return HandleButtonDown(point); }
int CScrollHorizontal::OnControlLButtonUp(unsigned, CPoint point) { return HandleButtonUp(point); }
int CScrollHorizontal::SetImage(unsigned resId, CString type, int count) { return LoadThumbImage(resId, type, count, 1, 4); }
int CScrollHorizontal::SetImage(const wchar_t* file, int count) { return LoadThumbImage(0, file, count, 3, 4); }
int CScrollHorizontal::SetRange() { return Layout(false); }

int CScrollHorizontal::MoveRange(int delta) { return MoveThumb(delta); }
