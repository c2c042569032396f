#include "widgets/KeyFuncCtrl.h"
#include <algorithm>
#include <cstdint>
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/KeyPaletteTable.h"
#include "widgets/PanelBars.h"

namespace {
constexpr int kTile = 50;
constexpr int kTilePitch = 60;
constexpr int kFontPixels = 12;

Gdiplus::RectF LayoutRect(int x, int y, int w, int h) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), static_cast<Gdiplus::REAL>(w),
                        static_cast<Gdiplus::REAL>(h));
}
}  // namespace

KeyFuncCtrl::KeyFuncCtrl(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}

KeyFuncCtrl::~KeyFuncCtrl() {
  CriticalSectionLock guard(m_lock);
  m_groups.clear();
}

const wchar_t* KeyFuncCtrl::GetClassNameW() const { return L"KeyFuncCtrl"; }

void KeyFuncCtrl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(m_rcControl);
}

int KeyFuncCtrl::IsDragDrop() { return m_bDragDrop; }

int KeyFuncCtrl::SetImage(const wchar_t* file, int count) {
  const bool loaded = m_arrow.Load(file, count);
  m_pImage = m_arrow.image.get();
  m_imageCount = m_arrow.frames;
  m_frameWidth = m_arrow.frameWidth;
  m_frameHeight = m_arrow.frameHeight;
  return loaded ? 1 : 0;
}

void KeyFuncCtrl::Repaint() {
  if (m_bVisible) UpdateControl(1, 0);
}

CRect KeyFuncCtrl::ToWindow(const RECT& r) const {
  CRect w(r);
  w.OffsetRect(m_rcControl.left, m_rcControl.top);
  return w;
}

KeyFuncCtrl::ITEM_INFO* KeyFuncCtrl::GroupAt(int index) const {
  return index >= 0 && index < static_cast<int>(m_groups.size()) ? m_groups[index].get() : nullptr;
}

PALETTEKEY_INFO* KeyFuncCtrl::HoveredItem() const {
  const ITEM_INFO* group = GroupAt(m_hoverGroup);
  if (!group || m_hoverItem < 0 || m_hoverItem >= static_cast<int>(group->items.size())) return nullptr;
  return group->items[m_hoverItem].get();
}

// ---- content ----

void KeyFuncCtrl::AddKeyItem(ITEM_INFO* group, CString text, int code, CRect rect, CString icon) {
  auto item = std::make_unique<PALETTEKEY_INFO>();
  item->text = text;
  item->code = code;
  item->rect = rect;
  if (!icon.IsEmpty()) item->icon = LoadSkinPicture(icon);
  group->items.push_back(std::move(item));
}

void KeyFuncCtrl::InitItemInfo() {
  ClearItems();
  const PaletteGroupDef* table = GetPaletteGroupTable();
  CriticalSectionLock guard(m_lock);
  for (int g = 0; g < kPaletteGroupCount; ++g) {
    auto group = std::make_unique<ITEM_INFO>();
    group->title = table[g].title;
    group->expanded = table[g].expanded;
    group->height = table[g].height;
    for (int k = 0; k < table[g].count; ++k) {
      const int c = k % 12, r = k / 12;
      const PaletteItemDef& def = table[g].items[k];
      AddKeyItem(group.get(), def.text, def.code, CRect(5 + 50 * c, 50 * r, 47 + 50 * c, 42 + 50 * r),
                 def.icon ? CString(def.icon) : CString());
    }
    m_groups.push_back(std::move(group));
  }
}

void KeyFuncCtrl::ClearItems() {
  {
    CriticalSectionLock guard(m_lock);
    m_groups.clear();
  }
  if (m_pScrollV) {
    if (m_pScrollV->IsVisible()) {
      m_pScrollV->SetControlVisible(0);
      OnControlUpdate(m_pScrollV->GetRect(), 1, m_pScrollV);
    }
    m_pScrollV->m_nMaxRange = 0;
  }
  m_contentHeight = 0;
  Repaint();
}

void KeyFuncCtrl::ResetKeyState() {
  {
    CriticalSectionLock guard(m_lock);
    for (auto& group : m_groups) group->expanded = 0;
  }
  m_contentHeight = 3 * kHeaderHeight;
  if (m_pScrollV) {
    m_pScrollV->m_nCurPos = std::min(m_pScrollV->m_nCurPos, m_contentHeight);
    UpdatePanelBar(m_pScrollV, m_contentHeight, m_rcControl.Height());
  }
  Repaint();
}

int KeyFuncCtrl::SetItemText(int group, CString title) {
  bool changed = false;
  {
    CriticalSectionLock guard(m_lock);
    ITEM_INFO* g = GroupAt(group);
    if (!g) return 0;
    if (g->title != title) {
      g->title = title;
      changed = true;
    }
  }
  if (changed) Repaint();
  return 1;
}

void KeyFuncCtrl::SetItemDesc(int code, CString text) {
  {
    CriticalSectionLock guard(m_lock);
    if (ITEM_INFO* special = GroupAt(2)) {
      for (auto& item : special->items) {
        if (item->code == code) {
          item->text = text;
          break;
        }
      }
    }
  }
  Repaint();
}

void KeyFuncCtrl::GetCurValue(int& code, CString& text) {
  code = 0;
  text.Empty();
  CriticalSectionLock guard(m_lock);
  if (const PALETTEKEY_INFO* item = HoveredItem()) {
    code = item->code;
    text = item->text;
  }
}

int KeyFuncCtrl::GetGroupCount() {
  CriticalSectionLock guard(m_lock);
  return static_cast<int>(m_groups.size());
}

int KeyFuncCtrl::GetGroupItemCount(int group) {
  CriticalSectionLock guard(m_lock);
  const ITEM_INFO* g = GroupAt(group);
  return g ? static_cast<int>(g->items.size()) : 0;
}

int KeyFuncCtrl::IsGroupExpanded(int group) {
  CriticalSectionLock guard(m_lock);
  const ITEM_INFO* g = GroupAt(group);
  return g ? g->expanded : 0;
}

int KeyFuncCtrl::GetGroupHeight(int group) {
  CriticalSectionLock guard(m_lock);
  const ITEM_INFO* g = GroupAt(group);
  return g ? g->height : 0;
}

CRect KeyFuncCtrl::GetItemRect(int group, int item) {
  CriticalSectionLock guard(m_lock);
  const ITEM_INFO* g = GroupAt(group);
  if (!g || item < 0 || item >= static_cast<int>(g->items.size())) return CRect();
  return CRect(g->items[item]->rect);
}

CRect KeyFuncCtrl::GetHeaderRect(int group) {
  CriticalSectionLock guard(m_lock);
  const ITEM_INFO* g = GroupAt(group);
  return g ? CRect(g->header) : CRect();
}

// ---- scrolling ----

int KeyFuncCtrl::MeasureContent() const {
  CriticalSectionLock guard(m_lock);
  int height = 0;
  for (const auto& group : m_groups) height += kHeaderHeight + (group->expanded ? group->height : 0);
  return height;
}

int KeyFuncCtrl::GetScrollOffset() const {
  if (!m_pScrollV || m_pScrollV->m_nMaxRange <= 0) return 0;
  const int64_t over = m_contentHeight - m_rcControl.Height();
  if (over <= 0) return 0;
  return static_cast<int>(over * m_pScrollV->m_nCurPos / m_pScrollV->m_nMaxRange);
}

void KeyFuncCtrl::UpdateScrollBar() { FitScrollBar(GetScrollOffset()); }

void KeyFuncCtrl::FitScrollBar(int offset) {
  m_contentHeight = MeasureContent();
  if (!m_pScrollV || m_contentHeight <= 0) return;
  const int h = m_rcControl.Height();
  const int show = h < m_contentHeight ? 1 : 0;
  if (show != (m_pScrollV->IsVisible() ? 1 : 0)) {
    m_pScrollV->SetControlVisible(show);
    OnControlUpdate(m_pScrollV->GetRect(), 1, m_pScrollV);
  }
  m_pScrollV->m_nMaxRange = m_contentHeight;
  // The position that shows the same pixel offset under the new content height.
  m_pScrollV->m_nCurPos =
      m_contentHeight > h ? static_cast<int>(static_cast<int64_t>(offset) * m_contentHeight / (m_contentHeight - h)) : 0;
  m_pScrollV->SetRange();
}

void KeyFuncCtrl::SetControlRect(CRect rect) {
  const int offset = GetScrollOffset();  // measured under the old rectangle
  m_rcControl = rect;
  PlacePanelBars(*this, rect, m_scrollThickness);
  FitScrollBar(offset);
  Repaint();
}

long KeyFuncCtrl::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
  if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
  return MPanel::OnMessage(id, code, wParam, lParam);
}

int KeyFuncCtrl::OnControlScroll(int, unsigned direction, CPoint) {
  if (m_rcControl.Height() >= m_contentHeight || !m_pScrollV) return 0;
  if (m_pScrollV->ScrollRow(direction == 1 ? 10 : -10)) Repaint();
  return 1;
}

// ---- mouse ----

int KeyFuncCtrl::OnControlMouseMove(unsigned, CPoint point) {
  if (!m_bEnabled) return 0;
  const int oldGroup = m_hoverGroup, oldItem = m_hoverItem;
  if (!m_rcControl.PtInRect(point)) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ClearTooltip();
    m_hoverGroup = m_hoverItem = -1;
  } else {
    bool stay = false, left = false;
    CString tip;
    CRect tipRect;
    {
      CriticalSectionLock guard(m_lock);
      if (const PALETTEKEY_INFO* item = HoveredItem()) {
        tipRect = ToWindow(item->rect);
        stay = tipRect.PtInRect(point) != 0;
        left = !stay;
        if (stay && item->icon) tip = item->text;
      }
    }
    if (stay) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      if (!tip.IsEmpty()) SetTooltip(tip, tipRect);
      return 1;
    }
    if (left) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
      ClearTooltip();
    }
    m_hoverGroup = m_hoverItem = -1;
    CriticalSectionLock guard(m_lock);
    for (size_t g = 0; g < m_groups.size() && m_hoverGroup < 0; ++g) {
      if (!m_groups[g]->expanded) continue;
      const auto& items = m_groups[g]->items;
      for (size_t i = 0; i < items.size(); ++i) {
        if (ToWindow(items[i]->rect).PtInRect(point)) {
          m_hoverGroup = static_cast<int>(g);
          m_hoverItem = static_cast<int>(i);
          break;
        }
      }
    }
  }
  // The border follows the pointer from tile to tile, also within one group.
  if (m_hoverGroup != oldGroup || m_hoverItem != oldItem) Repaint();
  return 1;
}

int KeyFuncCtrl::OnControlLButtonDown(unsigned, CPoint) { return m_bEnabled ? 1 : 0; }

int KeyFuncCtrl::OnControlLButtonUp(unsigned, CPoint point) {
  if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
  bool notify = false;
  {
    CriticalSectionLock guard(m_lock);
    if (const PALETTEKEY_INFO* item = HoveredItem()) {
      if (ToWindow(item->rect).PtInRect(point)) m_lastCode = item->code;
      notify = true;
    } else {
      for (auto& group : m_groups) {
        if (ToWindow(group->header).PtInRect(point)) group->expanded = group->expanded ? 0 : 1;
      }
    }
  }
  if (notify) SendMessageW(NOTIFY_CLICK, 0, m_lastCode);
  else UpdateScrollBar();
  Repaint();
  return 0;
}

HBITMAP KeyFuncCtrl::GetControlDropBitmap() {
  if (!m_bEnabled || !m_pManager) return nullptr;
  CRect part;
  {
    CriticalSectionLock guard(m_lock);
    const PALETTEKEY_INFO* item = HoveredItem();
    if (!item) return nullptr;
    part = CRect(item->rect);
  }
  part.DeflateRect(-1, -1, -2, -2);
  return m_pManager->GetDropBitmap(this, part, 0);
}

// ---- painting ----

void KeyFuncCtrl::DrawControl(HDC& hdc, CRect) {
  const int h = m_rcControl.Height();
  const int width = m_rcControl.Width() - m_scrollThickness;
  if (width <= 0 || h <= 0) return;
  if (m_contentHeight < h) m_contentHeight = h;
  if (!m_bUpdate || !m_hMemDC) {
    UpdateMemDC(hdc, width, m_contentHeight);
    ::PatBlt(m_hMemDC, 0, 0, width, m_contentHeight, WHITENESS);
    ::BitBlt(m_hMemDC, 0, 0, width, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    Gdiplus::Graphics g(m_hMemDC);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    Gdiplus::FontFamily* family = GetFontFamily(m_fontName);
    Gdiplus::Font font(family ? family : Gdiplus::FontFamily::GenericSansSerif(), static_cast<Gdiplus::REAL>(kFontPixels),
                       Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::StringFormat tileFormat, titleFormat;
    tileFormat.SetAlignment(Gdiplus::StringAlignmentCenter);
    tileFormat.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    titleFormat.SetAlignment(Gdiplus::StringAlignmentNear);
    titleFormat.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    titleFormat.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    Gdiplus::SolidBrush text(m_textColor);
    const Gdiplus::Color hover = Manager::GetHoverColor(), normal = Manager::GetNormalColor(),
                         down = Manager::GetDownColor();

    int y = -GetScrollOffset();
    CriticalSectionLock guard(m_lock);
    for (size_t gi = 0; gi < m_groups.size(); ++gi) {
      ITEM_INFO& group = *m_groups[gi];
      group.header = CRect(0, y, width, y + kHeaderHeight);
      if (group.expanded) MRender::DrawRoundRectange(g, 0.0f, static_cast<float>(y), static_cast<float>(width), 30.0f, 6.0f,
                                                     hover, 1.0f, hover);
      if (m_pImage && m_frameWidth > 0) {
        const int frame = group.expanded ? 0 : 2;
        g.DrawImage(m_pImage, Gdiplus::Rect(width - m_frameWidth - 10, y + 5, m_frameWidth, m_frameHeight),
                    frame * m_frameWidth, 0, m_frameWidth, m_frameHeight, Gdiplus::UnitPixel);
      }
      g.DrawString(group.title, group.title.GetLength(), &font, LayoutRect(10, y, width, 30), &titleFormat, &text);
      if (group.expanded) {
        group.height = kTilePitch;
        int x = 10, rowTop = y + kHeaderHeight;
        for (size_t i = 0; i < group.items.size(); ++i) {
          PALETTEKEY_INFO& item = *group.items[i];
          item.rect = CRect(x, rowTop, x + kTile, rowTop + kTile);
          const bool hot = item.code == m_lastCode ||
                           (static_cast<int>(gi) == m_hoverGroup && static_cast<int>(i) == m_hoverItem);
          MRender::DrawRoundRectange(g, static_cast<float>(x), static_cast<float>(rowTop), static_cast<float>(kTile),
                                     static_cast<float>(kTile), 6.0f, hot ? down : hover, 1.0f, normal);
          if (item.icon) {
            g.DrawImage(item.icon.get(), Gdiplus::Rect(x + (kTile - 20) / 2, rowTop + (kTile - 20) / 2, 20, 20));
          } else {
            g.DrawString(item.text, item.text.GetLength(), &font, LayoutRect(x, rowTop, kTile, kTile), &tileFormat,
                         &text);
          }
          x += kTilePitch;
          if (x > width - kTilePitch) {
            rowTop += kTilePitch;
            group.height += kTilePitch;
            x = 10;
          }
        }
      }
      y += kHeaderHeight + (group.expanded ? group.height : 0);
    }
  }
  ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, width, h, m_hMemDC, 0, 0, SRCCOPY);
}
