// What the frame strip (ImageViewList) and the screen animation list (LCDViewList) share:
// heap tiles with a thumbnail, drawn into the memory bitmap along one scroll axis, the
// hovered and selected tiles, the state picture strip and the hover/normal pictures, and
// the mouse handling that both answer alike. `List` is the derived list: it supplies
// `UpdateBar()` and `ScreenRect(const Item&)` (the tile on the window) and befriends this
// base. `Item` has a `rect` written by each redraw. User-interface thread only.
// All of it is inline, so code outside the library instantiates it: what it calls must be
// exported.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>
#include "controls/MScroll.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"
#include "widgets/PanelBars.h"
#include "widgets/SkinPicture.h"

// The tiles a scroll position shows along one axis, and where the view sits in the memory
// bitmap that holds them.
struct TileSpan {
  int first = 0;
  int last = 0;
  int bitmapExtent = 0;  // the memory bitmap along the axis
  int bitmapOffset = 0;  // the view's start inside it
};

// `count` tiles of `pitch` px in a view `view` px long, at position `position` of a bar
// whose max range is `maxRange`.
inline TileSpan ComputeTileSpan(int count, int pitch, int view, int position, int maxRange) {
  int64_t offset = 0;
  if (maxRange > 0) offset = (static_cast<int64_t>(count) * pitch - view) * position / maxRange;
  offset = std::max<int64_t>(0, offset);
  TileSpan span;
  span.first = std::max(0, static_cast<int>(offset / pitch));
  span.last = std::clamp(static_cast<int>((view + offset) / pitch), 0, std::max(0, count - 1));
  span.bitmapExtent = std::max(view, (span.last - span.first + 1) * pitch);
  span.bitmapOffset = std::max(0, static_cast<int>(offset) - span.first * pitch);
  return span;
}

// Gives a record a picture: its thumbnail and size (0 x 0 without one).
template <class Record>
void SetThumbnail(Record& record, std::unique_ptr<Gdiplus::Image> picture) {
  record.width = picture ? static_cast<int>(picture->GetWidth()) : 0;
  record.height = picture ? static_cast<int>(picture->GetHeight()) : 0;
  record.thumbnail = std::move(picture);
}

template <class List, class Item>
class TileListPanel : public MPanel {
public:
  using MControlFont::SetImage;
  // The control's state picture strip, loaded from the skins folder and kept here.
  int SetImage(const wchar_t* file, int frames) override {
    const bool loaded = m_strip.Load(file, frames);
    m_pImage = m_strip.image.get();
    m_imageCount = m_strip.frames;
    m_frameWidth = m_strip.frameWidth;
    m_frameHeight = m_strip.frameHeight;
    Repaint();
    return loaded ? 1 : 0;
  }
  int SetItemImage(const wchar_t* hoverFile, const wchar_t* normalFile) {
    m_hoverPicture = LoadSkinPicture(hoverFile);
    m_normalPicture = LoadSkinPicture(normalFile);
    return 0;
  }
  void SetControlRect(CRect rect) override {
    m_rcControl = rect;
    {
      CriticalSectionLock guard(m_controlsLock);
      PlacePanelBars(*this, rect, m_scrollThickness);
    }
    Self().UpdateBar();
  }
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
    if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
    return MPanel::OnMessage(id, code, wParam, lParam);
  }
  // Over the hovered tile: it becomes the selection, code 3.
  int OnControlLButtonDblClk(unsigned, CPoint point) override {
    if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
    {
      CriticalSectionLock guard(m_lock);
      const Item* hovered = ItemAt(m_hover);
      if (!hovered || !Self().ScreenRect(*hovered).PtInRect(point)) return 1;
    }
    m_selected = m_hover;
    SendMessageW(NOTIFY_DBLCLK, static_cast<unsigned>(m_selected), 0);
    Repaint();
    return 1;
  }
  // The hovered tile (or none) becomes the selection; code 5 inside the control.
  int OnControlRButtonUp(unsigned, CPoint point) override {
    if (!m_bEnabled) return 0;
    const int old = m_selected;
    m_selected = m_hover;
    if (m_rcControl.PtInRect(point)) SendMessageW(NOTIFY_RBUTTONUP, static_cast<unsigned>(m_selected), 0);
    if (m_selected != old) Repaint();
    return 1;
  }

  int GetItemCount() {
    CriticalSectionLock guard(m_lock);
    return static_cast<int>(m_items.size());
  }
  int GetCurSel() const { return m_selected; }
  int SetCurSel(int index) {
    if (index < -1 || index >= GetItemCount()) return 0;
    if (index != m_selected) {
      m_selected = index;
      Repaint();
    }
    return 1;
  }
  // 0 for a bad index; hovered, selected and the drawn tiles are forgotten.
  int DeleteItem(int index) {
    {
      CriticalSectionLock guard(m_lock);
      if (!ItemAt(index)) return 0;
      m_hover = m_selected = -1;
      m_items.erase(m_items.begin() + index);
    }
    Self().UpdateBar();
    m_first = m_last = -1;
    Repaint();
    return 1;
  }
  int GetHoverIndex() const { return m_hover; }
  int GetFirstVisible() const { return m_first; }
  int GetLastVisible() const { return m_last; }
  // A tile on the window (empty for a bad index).
  CRect GetItemScreenRect(int index) {
    CriticalSectionLock guard(m_lock);
    const Item* item = ItemAt(index);
    return item ? Self().ScreenRect(*item) : CRect();
  }

protected:
  TileListPanel(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {
    SetTextColor(Gdiplus::Color(0xFFFFFFFF));
    if (m_pScrollV) m_pScrollV->SetControlVisible(0);
  }

  List& Self() { return static_cast<List&>(*this); }
  void Repaint() {
    if (m_bVisible) UpdateControl(1, 0);
  }
  Item* ItemAt(int index) const {
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index].get() : nullptr;
  }
  // The drawn tile under `point`, or -1. Under the lock.
  int HitItem(CPoint point) {
    const int last = std::min(m_last, static_cast<int>(m_items.size()) - 1);
    for (int i = m_first; i <= last; ++i)
      if (Self().ScreenRect(*m_items[i]).PtInRect(point)) return i;
    return -1;
  }
  // The tiles the bar's position shows along its axis (kept as the first and last visible,
  // -1 until the first paint). Under the lock.
  TileSpan ShownSpan(const MScroll* bar, int pitch, int view) {
    const TileSpan span = ComputeTileSpan(static_cast<int>(m_items.size()), pitch, view, bar ? bar->m_nCurPos : 0,
                                          bar ? bar->m_nMaxRange : 0);
    m_first = span.first;
    m_last = span.last;
    return span;
  }
  // One wheel notch, 10 row steps of the bar, for `content` px in a view `view` px long;
  // 0 (not taken) when everything fits.
  int WheelTiles(MScroll* bar, int content, int view, unsigned direction) {
    if (content <= view || !bar) return 0;
    if (bar->ScrollRow(direction == 1 ? 10 : -10)) Repaint();
    return 1;
  }
  // The label font: the control's face (a generic sans serif when the window lacks it).
  std::unique_ptr<Gdiplus::Font> LabelFont() {
    Gdiplus::FontFamily* family = GetFontFamily(m_fontName);
    return std::make_unique<Gdiplus::Font>(family ? family : Gdiplus::FontFamily::GenericSansSerif(),
                                           static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
  }
  // Labels are centred both ways on one line.
  static void CentreLabels(Gdiplus::StringFormat& format) {
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
  }

  std::vector<std::unique_ptr<Item>> m_items;
  mutable CriticalSection m_lock;
  int m_hover = -1;
  int m_selected = -1;
  int m_first = -1;
  int m_last = -1;
  std::unique_ptr<Gdiplus::Image> m_hoverPicture;
  std::unique_ptr<Gdiplus::Image> m_normalPicture;
  OwnedPictureStrip m_strip;
};
