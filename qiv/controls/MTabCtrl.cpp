#include "controls/MTabCtrl.h"
#include <algorithm>
#include "controls/DrawHelpers.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

using namespace qiv_paint;

MTabCtrl::MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
  m_hAlign = 1;
  m_vAlign = 4;
  m_imageCount = 3;
}

MTabCtrl::~MTabCtrl() {
  if (m_pManager) m_pManager->KillTimer(this, kSlideTimer);
  for (TabItemInfo& tab : m_items) delete tab.icon;
}

const wchar_t* MTabCtrl::GetClassNameW() const { return L"MTabCtrl"; }

void MTabCtrl::Repaint(int redraw) {
  if (m_bVisible && m_pParent) m_pParent->OnControlUpdate(m_rcControl, redraw, this);
}

Gdiplus::Image* MTabCtrl::LoadIcon(const wchar_t* image) {
  if (!image || !*image) return nullptr;
  return MRender::LoadImageFromFile(GetSkinsFolder() + image);
}

// ---- tabs ----

int MTabCtrl::InsertItem(unsigned id, const wchar_t* text, const wchar_t* image, MControl* page, int frames,
                         int width) {
  TabItemInfo tab;
  tab.id = id;
  tab.text = text;
  tab.page = page;
  tab.frameCount = frames == -1 ? 3 : std::max(frames, 1);
  tab.icon = LoadIcon(image);
  if (tab.icon) {
    tab.frameWidth = static_cast<int>(tab.icon->GetWidth()) / tab.frameCount;
    tab.frameHeight = static_cast<int>(tab.icon->GetHeight());
  }
  const int w = width ? width : tab.frameWidth;
  tab.rect = CRect(m_rcControl.left, m_rcControl.top, m_rcControl.left + w, m_rcControl.bottom);
  {
    CriticalSectionLock lock(m_itemsLock);
    m_items.push_back(tab);
    LayoutForInsert();
  }
  if (m_type == TAB_TYPE_HORIZONTAL) Fit(true, m_requestedWidth, m_minWidth, 1);
  else Fit(false, m_requestedHeight, m_minHeight, 1);
  Repaint(1);
  return 1;
}

void MTabCtrl::LayoutForInsert() {
  int x = m_rcControl.left + m_padLeft, y = m_rcControl.top + m_padTop;
  for (TabItemInfo& tab : m_items) {
    if (m_type == TAB_TYPE_HORIZONTAL) {
      if (m_fittedWidth == 0) m_fittedWidth = CRect(tab.rect).Width();
      if (m_stripHeight == 0) m_stripHeight = tab.frameHeight;
      tab.rect = CRect(x, y, x + m_fittedWidth, y + m_stripHeight);
      x += m_fittedWidth;
    } else {
      if (m_fittedHeight == 0) m_fittedHeight = tab.frameHeight;
      if (m_stripWidth == 0) m_stripWidth = CRect(tab.rect).Width();
      tab.rect = CRect(x, y, x + m_stripWidth, y + m_stripHeight);
      y += m_stripHeight;
    }
  }
}

void MTabCtrl::RefreshItems() {
  {
    CriticalSectionLock lock(m_itemsLock);
    int x = m_rcControl.left + m_padLeft, y = m_rcControl.top + m_padTop;
    for (TabItemInfo& tab : m_items) {
      if (!tab.visible) {
        tab.rect = RECT{};
        continue;
      }
      if (m_type == TAB_TYPE_HORIZONTAL) {
        if (m_fittedWidth == 0) m_fittedWidth = CRect(tab.rect).Width();
        if (m_stripHeight == 0) m_stripHeight = tab.frameHeight;
        tab.rect = CRect(x, y, x + m_fittedWidth, y + m_stripHeight);
        x += m_fittedWidth;
      } else {
        if (m_fittedHeight == 0) m_fittedHeight = tab.frameHeight;
        if (m_stripWidth == 0) m_stripWidth = CRect(tab.rect).Width();
        tab.rect = CRect(x, y, x + m_stripWidth, y + m_stripHeight);
        y += m_stripHeight + 1;
      }
    }
    const int count = static_cast<int>(m_items.size());
    if (m_selected >= count) {
      m_selected = -1;
      for (int i = count - 1; i >= 0; --i) {
        if (m_items[i].visible) {
          m_selected = i;
          break;
        }
      }
    }
    if (m_hovered >= count) m_hovered = -1;
  }
  ShowSelectedPage();
  Repaint(1);
}

int MTabCtrl::FitTabExtent(int requested, int minimum, int span, int count) {
  if (minimum <= 0 || count <= 0) return requested;
  const int share = span / count;
  return share < minimum ? minimum : std::min(requested, share);
}

void MTabCtrl::Fit(bool horizontal, int requested, int minimum, int refresh) {
  int count = 0;
  {
    CriticalSectionLock lock(m_itemsLock);
    count = static_cast<int>(m_items.size());
  }
  if (count == 0) return;
  const CRect& r = m_rcControl;
  const int span = horizontal ? r.right - m_padRight - m_padLeft - r.left : r.bottom - m_padBottom - m_padTop - r.top;
  const int size = FitTabExtent(requested, minimum, span, count);
  int& fitted = horizontal ? m_fittedWidth : m_fittedHeight;
  if (size == fitted) return;
  fitted = size;
  if (refresh) RefreshItems();
}

void MTabCtrl::SetItemWidth(int width, int minimum, int refresh) {
  m_requestedWidth = width;
  m_minWidth = minimum;
  Fit(true, width, minimum, refresh);
}

void MTabCtrl::SetItemHeight(int height, int minimum, int refresh) {
  m_requestedHeight = height;
  m_minHeight = minimum;
  Fit(false, height, minimum, refresh);
}

void MTabCtrl::SetLeftRightPading(int left, int right) {
  m_padLeft = left;
  m_padRight = right;
}

void MTabCtrl::SetTopBottomPading(int top, int bottom) {
  m_padTop = top;
  m_padBottom = bottom;
}

int MTabCtrl::GetItemCount() {
  CriticalSectionLock lock(m_itemsLock);
  return static_cast<int>(m_items.size());
}

TabItemInfo* MTabCtrl::GetItemInfo(int index) {
  CriticalSectionLock lock(m_itemsLock);
  return Valid(index) ? &m_items[index] : nullptr;
}

int MTabCtrl::GetSelectItem() {
  CriticalSectionLock lock(m_itemsLock);
  return m_selected;
}

void MTabCtrl::ShowSelectedPage() {
  std::vector<std::pair<MControl*, int>> pages;
  {
    CriticalSectionLock lock(m_itemsLock);
    for (size_t i = 0; i < m_items.size(); ++i)
      if (m_items[i].page) pages.emplace_back(m_items[i].page, static_cast<int>(i) == m_selected ? 1 : 0);
  }
  // The selected page last: a page shared by two tabs ends up shown.
  std::stable_partition(pages.begin(), pages.end(), [](const auto& p) { return p.second == 0; });
  for (auto& [page, show] : pages) page->SetVisible(show);
}

int MTabCtrl::SetSelectItem(int index) {
  int previous;
  {
    CriticalSectionLock lock(m_itemsLock);
    previous = m_selected;
    if (index == m_selected || !Valid(index)) return previous;
    m_previous = previous;
    m_selected = index;
    m_hovered = -1;
  }
  // The parent hears of the change before the pages switch; it is told outside the lock
  // because its handler may ask the strip about its tabs.
  if (m_pParent) m_pParent->OnBaseMessage(m_uID, NOTIFY_CLICK, static_cast<unsigned>(index), 0);
  ShowSelectedPage();
  if (m_bSlide) {
    m_slideX = m_slideY = 0;
    m_bRun = 1;
    if (m_pManager) m_pManager->SetTimer(this, kSlideTimer, kSlidePeriod);
  }
  Repaint(0);
  return previous;
}

void MTabCtrl::SetItemVisible(int index, int visible) {
  {
    CriticalSectionLock lock(m_itemsLock);
    if (!Valid(index)) return;
    m_items[index].visible = visible ? 1 : 0;
  }
  RefreshItems();
}

int MTabCtrl::GetItemVisible(int index) {
  CriticalSectionLock lock(m_itemsLock);
  return Valid(index) ? m_items[index].visible : 0;
}

int MTabCtrl::GetItemID(int index) {
  CriticalSectionLock lock(m_itemsLock);
  return Valid(index) ? static_cast<int>(m_items[index].id) : 0;
}

int MTabCtrl::SetItemText(int index, CString text) {
  CriticalSectionLock lock(m_itemsLock);
  if (!Valid(index)) return 0;
  m_items[index].text = text;
  return 1;
}

void MTabCtrl::SetItemImage(int index, CString image) {
  CriticalSectionLock lock(m_itemsLock);
  if (!Valid(index)) return;
  Gdiplus::Image* icon = LoadIcon(image);
  if (!icon) return;
  TabItemInfo& tab = m_items[index];
  delete tab.icon;
  tab.icon = icon;
  tab.frameWidth = static_cast<int>(icon->GetWidth()) / std::max(tab.frameCount, 1);
  tab.frameHeight = static_cast<int>(icon->GetHeight());
}

void MTabCtrl::DeleteItem(int index) {
  MControl* page = nullptr;
  {
    CriticalSectionLock lock(m_itemsLock);
    if (!Valid(index)) return;
    page = m_items[index].page;
    delete m_items[index].icon;
    m_items.erase(m_items.begin() + index);
    if (m_previous >= static_cast<int>(m_items.size())) m_previous = -1;
  }
  if (page && std::find(m_controls.begin(), m_controls.end(), page) != m_controls.end()) RemoveControl(page);
  if (m_type == TAB_TYPE_HORIZONTAL) Fit(true, m_requestedWidth, m_minWidth, 0);
  else Fit(false, m_requestedHeight, m_minHeight, 0);
  RefreshItems();
}

int MTabCtrl::PtInTabButton(CPoint point, TabItemInfo& info) {
  CRect button = info.buttonRect;
  button.OffsetRect(m_rcControl.left, m_rcControl.top);
  return button.PtInRect(point) ? 1 : 0;
}

void MTabCtrl::SetTabTooltip(int index, CString text) {
  CRect rect;
  bool show = false;
  {
    CriticalSectionLock lock(m_itemsLock);
    if (index != m_lastTooltipTab && Valid(index) && m_items[index].customTooltip) {
      show = true;
      rect = m_items[index].rect;
    }
  }
  if (show) SetTooltip(text, rect);
  m_lastTooltipTab = index;
}

void MTabCtrl::ClearTabTooltip() {}

MControl* MTabCtrl::CreatePanel(const wchar_t* className, unsigned id, CRect rect) {
  if (!className || std::wcscmp(className, L"MTabLayout") != 0) return nullptr;
  auto* page = new MTabLayout(this, id, rect, 1);
  if (m_pManager) page->SetManager(m_pManager);
  AppendChild(1, page);
  return page;
}

// ---- control slots ----

long MTabCtrl::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return OnMessage(id, code, wParam, lParam);
}

long MTabCtrl::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

void MTabCtrl::SetControlRect(CRect rect) {
  m_rcControl = rect;
  if (m_type == TAB_TYPE_HORIZONTAL) Fit(true, m_requestedWidth, m_minWidth, 0);
  else Fit(false, m_requestedHeight, m_minHeight, 0);
  RefreshItems();
}

void MTabCtrl::SetControlVisible(int visible) {
  m_bVisible = visible;
  if (visible) {
    ShowSelectedPage();
    return;
  }
  std::vector<MControl*> pages;
  {
    CriticalSectionLock lock(m_itemsLock);
    for (TabItemInfo& tab : m_items)
      if (tab.page) pages.push_back(tab.page);
  }
  for (MControl* page : pages)
    if (page->IsVisible()) page->SetVisible(0);
}

void MTabCtrl::SetControlWndVisible(int) {}

int MTabCtrl::OnCheckMouseResponse(unsigned, CPoint point) {
  CRect strip = m_rcControl;
  if (m_type == TAB_TYPE_HORIZONTAL) strip.bottom = strip.top + m_stripHeight;
  else strip.right = strip.left + m_stripWidth;
  if (!strip.PtInRect(point)) return 1;
  CriticalSectionLock lock(m_itemsLock);
  for (const TabItemInfo& tab : m_items)
    if (tab.visible && CRect(tab.rect).PtInRect(point)) return 1;
  return 0;
}

int MTabCtrl::OnControlTimer() {
  CriticalSectionLock lock(m_itemsLock);
  if (!m_bRun || !Valid(m_previous)) return 0;
  const bool horizontal = m_type == TAB_TYPE_HORIZONTAL;
  const int extent = horizontal ? m_rcControl.Width() : m_rcControl.Height();
  // A strip narrower than the step count still ends its slide.
  const int step = std::max(1, extent / m_steps);
  int& offset = horizontal ? m_slideX : m_slideY;
  if (m_selected > m_previous) {
    offset += step;
    if (offset >= extent) m_bRun = 0;
  } else {
    offset -= step;
    if (offset + extent <= 0) m_bRun = 0;
  }
  if (m_pParent) m_pParent->OnControlUpdate(m_rcUpdate, 0, this);
  return 1;
}

int MTabCtrl::OnControlMouseMove(unsigned, CPoint point) {
  int before, after;
  CString text;
  CRect tabRect;
  bool tooltip = false, custom = false;
  {
    CriticalSectionLock lock(m_itemsLock);
    before = m_hovered;
    const bool inside = m_rcControl.PtInRect(point) != 0;
    if (inside && Valid(m_hovered) && CRect(m_items[m_hovered].rect).PtInRect(point)) {
      tooltip = true;
      text = m_items[m_hovered].text;
      tabRect = m_items[m_hovered].rect;
      custom = m_items[m_hovered].customTooltip != 0;
    } else {
      m_hovered = -1;
      if (inside) {
        for (size_t i = 0; i < m_items.size(); ++i) {
          if (m_items[i].visible && CRect(m_items[i].rect).PtInRect(point)) {
            m_hovered = static_cast<int>(i);
            break;
          }
        }
      } else {
        m_lastTooltipTab = -1;
      }
    }
    after = m_hovered;
  }
  if (tooltip) {
    SetTooltip(text, tabRect);
    if (custom) SetTabTooltip(after, text);
    return 0;
  }
  if (m_pManager) {
    m_pManager->ClearTooltip();
    m_pManager->SetTooltipCtrlID(0);
  }
  if (after == before) return 0;
  Repaint(0);
  return 1;
}

int MTabCtrl::OnControlLButtonDown(unsigned, CPoint) { return 0; }

int MTabCtrl::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  int target = -1;
  {
    CriticalSectionLock lock(m_itemsLock);
    if (m_rcControl.PtInRect(point) && Valid(m_hovered) && CRect(m_items[m_hovered].rect).PtInRect(point))
      target = m_hovered;
  }
  if (target >= 0) {
    SetSelectItem(target);
    Repaint(0);
  }
  return 0;
}

int MTabCtrl::OnControlScroll(int delta, unsigned direction, CPoint point) {
  MControl* page = nullptr;
  {
    CriticalSectionLock lock(m_itemsLock);
    if (Valid(m_selected) && CRect(m_items[m_selected].rect).PtInRect(point)) page = m_items[m_selected].page;
  }
  return page ? page->OnScroll(delta, direction, point) : 0;
}

int MTabCtrl::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifiers) {
  MControl* page = nullptr;
  {
    CriticalSectionLock lock(m_itemsLock);
    if (Valid(m_selected)) page = m_items[m_selected].page;
  }
  return page ? page->OnKeyDown(key, repeat, modifiers) : 0;
}

int MTabCtrl::OnControlKeyUp(unsigned, unsigned, unsigned) { return 0; }

// ---- drawing ----

void MTabCtrl::DrawControl(HDC& hdc, CRect) {
  if (m_rcControl.IsRectEmpty()) return;
  CriticalSectionLock lock(m_itemsLock);
  if (m_type == TAB_TYPE_VERTICAL) DrawVertical(hdc);
  else if (m_type == TAB_TYPE_HORIZONTAL) DrawHorizontal(hdc);
}

void MTabCtrl::DrawVertical(HDC& hdc) {
  const int SW = m_stripWidth, H = m_rcControl.Height();
  if (SW <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, 4 * SW, H);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    auto font = ControlFont(*this);
    Gdiplus::StringFormat format;
    SetFormat(format, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
    for (int k = 0; k < 4; ++k) {
      Copy(m_hMemDC, k * SW, 0, SW, H, hdc, m_rcControl.left, m_rcControl.top);
      const bool lit = k == 1 || k == 2;
      for (const TabItemInfo& tab : m_items) {
        if (!tab.visible) continue;
        const CRect r = tab.rect;
        const int ty = r.top - m_rcControl.top, h = r.Height(), x0 = k * SW + m_padLeft;
        if (m_pImage)
          MRender::DrawImageFrame(g, m_pImage, CRect(k * SW, ty, (k + 1) * SW, ty + h), (lit ? 1 : 0) * m_frameWidth,
                                  0, m_frameWidth, m_frameHeight, 10);
        if (tab.icon) {
          const int frame = std::min(k, std::max(tab.frameCount - 1, 0));
          g.DrawImage(tab.icon, Gdiplus::Rect(x0 + 20, ty + (h - 26) / 2, 26, 26), frame * tab.frameWidth, 0,
                      tab.frameWidth, tab.frameHeight, Gdiplus::UnitPixel);
        }
        Text(g, tab.text, *font, RectF(x0 + 70, ty, SW - 70, h), format,
             Gdiplus::Color(lit ? 0xFF4977E5 : 0xFF3A4E60));
      }
    }
  }
  const CRect& c = m_rcControl;
  Copy(hdc, c.left, c.top, SW, H, m_hMemDC, 0, 0);
  auto look = [&](int index, int column) {
    if (!Valid(index) || !m_items[index].visible) return;
    const CRect r = m_items[index].rect;
    Copy(hdc, r.left, r.top, r.Width(), r.Height(), m_hMemDC, column * SW + (r.left - c.left), r.top - c.top);
  };
  look(m_hovered, 1);
  look(m_selected, 2);
}

void MTabCtrl::DrawHorizontal(HDC& hdc) {
  const int W = m_rcControl.Width(), SH = m_stripHeight;
  if (SH <= 0) return;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, W, 6 * SH);
    Gdiplus::Graphics g(m_hMemDC);
    for (int row = 0; row < 6; ++row) {
      Copy(m_hMemDC, 0, row * SH, W, SH, hdc, m_rcControl.left, m_rcControl.top);
      const int look = row % 3;
      for (const TabItemInfo& tab : m_items) {
        if (!tab.visible || !tab.icon) continue;
        const CRect r = tab.rect;
        const int frame = (look == 1 && tab.frameCount > 1) ? 1 : 0;
        const int x = r.left - m_rcControl.left + (r.Width() - tab.frameWidth) / 2;
        const int y = row * SH + 10 + m_padTop;
        g.DrawImage(tab.icon, Gdiplus::Rect(x, y, tab.frameWidth, tab.frameHeight), frame * tab.frameWidth, 0,
                    tab.frameWidth, tab.frameHeight, Gdiplus::UnitPixel);
      }
    }
  }
  const CRect& c = m_rcControl;
  Copy(hdc, c.left, c.top, W, SH, m_hMemDC, 0, 0);
  auto look = [&](int index) {
    if (!Valid(index) || !m_items[index].visible) return;
    const CRect r = m_items[index].rect;
    Copy(hdc, r.left, r.top, r.Width(), r.Height(), m_hMemDC, r.left - c.left, SH + r.top - c.top);
  };
  look(m_hovered);
  look(m_selected);
}

int MTabCtrl::DrawSubControls(HDC& hdc, CRect paint) {
  if (!m_bRun) return MControlFont::DrawSubControls(hdc, paint);
  CriticalSectionLock lock(m_itemsLock);
  if (!Valid(m_previous) || !Valid(m_selected)) return 0;
  MControl* oldPage = m_items[m_previous].page;
  MControl* newPage = m_items[m_selected].page;
  if (!oldPage || !newPage) return 0;
  const CRect& c = m_rcControl;
  const int L = c.left, T = c.top, W = c.Width(), H = c.Height();
  const int w = std::max<int>(c.right, 1), h = std::max<int>(c.bottom, 1);
  HDC first = ::CreateCompatibleDC(hdc), second = ::CreateCompatibleDC(hdc);
  HBITMAP firstBmp = ::CreateCompatibleBitmap(hdc, w, h), secondBmp = ::CreateCompatibleBitmap(hdc, w, h);
  HGDIOBJ oldFirst = ::SelectObject(first, firstBmp), oldSecond = ::SelectObject(second, secondBmp);
  Copy(first, L, T, W, H, hdc, L, T);
  Copy(second, L, T, W, H, hdc, L, T);
  oldPage->SetControlVisible(1);
  newPage->SetControlVisible(0);
  oldPage->Draw(first, c);
  oldPage->SetControlVisible(0);
  newPage->SetControlVisible(1);
  newPage->Draw(second, c);
  const CRect op = oldPage->GetRect(), np = newPage->GetRect();
  const int d = m_type == TAB_TYPE_HORIZONTAL ? m_slideX : m_slideY;
  if (m_type == TAB_TYPE_HORIZONTAL) {
    const int oh = c.bottom - op.top, nh = c.bottom - np.top;
    if (d > 0) {
      Copy(hdc, L, op.top, W - d, oh, first, L + d, op.top);
      Copy(hdc, L + W - d, np.top, d, nh, second, L, np.top);
    } else if (d < 0) {
      Copy(hdc, L - d, op.top, W + d, oh, first, L, op.top);
      Copy(hdc, L, np.top, -d, nh, second, L + W + d, np.top);
    }
  } else {
    const int ow = c.right - op.left, nw = c.right - np.left;
    if (d > 0) {
      Copy(hdc, op.left, T, ow, H - d, first, op.left, T + d);
      Copy(hdc, np.left, T + H - d, nw, d, second, np.left, T);
    } else if (d < 0) {
      Copy(hdc, op.left, T - d, ow, H + d, first, op.left, T);
      Copy(hdc, np.left, T, nw, -d, second, np.left, T + H + d);
    }
  }
  ::SelectObject(first, oldFirst);
  ::SelectObject(second, oldSecond);
  ::DeleteObject(firstBmp);
  ::DeleteObject(secondBmp);
  ::DeleteDC(first);
  ::DeleteDC(second);
  return 1;
}
