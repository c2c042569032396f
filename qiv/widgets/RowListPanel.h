// What the macro list and the macro record list share: a vertical list of heap rows drawn
// into the memory bitmap, the hovered and selected rows, the panel's vertical bar, the
// hover tracking that starts with the first paint, and the in-place edit over one row.
// `List` is the derived list (it supplies ShowEdit and HideEdit), `Row` its record, which
// has a `rect` written by each redraw. User-interface thread only.
// All of it is inline, so code outside the library instantiates it: what it calls must be
// exported.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>
#include "controls/MScroll.h"
#include "core/CriticalSection.h"
#include "core/MPanel.h"
#include "core/MRender.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "widgets/InPlaceRowEdit.h"
#include "widgets/ListRows.h"

class MImageList;

// A horizontal strip of equal frames from the skins folder, owned by its list. Frames below
// 1 leave a zero frame width, so nothing of the strip is drawn.
struct RowStrip {
  std::unique_ptr<Gdiplus::Image> image;
  int frameWidth = 0, frameHeight = 0, frames = 0;
  // Replaces the strip; false (and an empty strip) when the file does not load.
  bool Load(const wchar_t* file, int count) {
    image.reset(MRender::LoadImageFromFile(GetSkinsFolder() + (file ? file : L"")));
    frameWidth = image && count > 0 ? static_cast<int>(image->GetWidth()) / count : 0;
    frameHeight = image ? static_cast<int>(image->GetHeight()) : 0;
    frames = image ? count : 0;
    return image != nullptr;
  }
};

template <class List, class Row>
class RowListPanel : public MPanel {
public:
  int GetItemCount() {
    CriticalSectionLock lock(m_rowLock);
    return static_cast<int>(m_rows.size());
  }
  // Index -1 .. count - 1, else 0; repaints when the selection changes; no notification.
  int SetCurSel(int index) {
    if (index < -1 || index >= GetItemCount()) return 0;
    if (index != m_selected) {
      m_selected = index;
      Repaint();
    }
    return 1;
  }
  int GetCurSel() const { return m_selected; }
  int GetHoverItem() const { return m_hovered; }
  // Exchanges two rows: nothing for equal or bad indexes; no repaint, selection kept.
  void SwapItem(int a, int b) {
    const int count = GetItemCount();
    if (a == b || a < 0 || b < 0 || a >= count || b >= count) return;
    CloseEditBeforeChange(false);
    CriticalSectionLock lock(m_rowLock);
    std::swap(m_rows[static_cast<size_t>(a)], m_rows[static_cast<size_t>(b)]);
  }
  // 0 for a bad index; hovered, selected and the drawn rows are forgotten.
  int DeleteItem(int index) {
    if (index < 0 || index >= GetItemCount()) return 0;
    CloseEditBeforeChange(index == m_edited);
    {
      CriticalSectionLock lock(m_rowLock);
      m_hovered = m_selected = -1;
      m_rows.erase(m_rows.begin() + index);
      m_firstVisible = m_lastVisible = -1;
    }
    UpdateScrollRange();
    Repaint();
    return 1;
  }
  void SetItemHeight(int height) { m_rowHeight = height; }
  void SetScaleValue(float scale) { m_scale = scale; }
  int SetImageList(MImageList* list) {
    m_imageList = list;
    return 1;
  }
  int GetEditItem() const { return m_edited; }
  CEditWindow* GetEditWindow() const { return m_edit.window; }

  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
    if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
    return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
  }
  int SetControlFocus(int focus) override {
    if (!m_bEnabled) return 0;
    m_bFocused = focus;
    if (!focus) {
      Self().HideEdit(1);
      Repaint();
    }
    return 1;
  }
  int OnControlMouseMove(unsigned, CPoint point) override {
    if (!m_bEnabled || m_firstVisible < 0 || GetItemCount() == 0) return 0;
    const int before = m_hovered;
    {
      CriticalSectionLock lock(m_rowLock);
      if (m_rcControl.PtInRect(point)) {
        if (IsRow(before) && RowScreenRect(before).PtInRect(point)) return 1;
        m_hovered = HitRow(point);
      } else {
        m_hovered = -1;
      }
    }
    if (m_hovered != before) Repaint();
    return 0;
  }
  // The hovered row under the point becomes the selection and opens its edit.
  int OnControlLButtonDblClk(unsigned, CPoint point) override {
    if (!m_bEnabled || !m_rcControl.PtInRect(point)) return 0;
    {
      CriticalSectionLock lock(m_rowLock);
      if (!IsRow(m_hovered) || !RowScreenRect(m_hovered).PtInRect(point)) return 1;
      m_selected = m_hovered;
    }
    Self().ShowEdit();
    Repaint();
    return 1;
  }
  int OnControlScroll(int, unsigned direction, CPoint) override {
    if (GetItemCount() * m_rowHeight <= m_rcControl.Height()) return 0;
    if (WheelListBar(m_pScrollV, direction)) Repaint();
    return 1;
  }

protected:
  static constexpr int kBarWidth = 5;

  RowListPanel(MObject* parent, unsigned id, CRect rect, int visible, int rowHeight)
      : MPanel(parent, id, rect, visible),
        m_rowHeight(rowHeight),
        m_format(std::make_unique<Gdiplus::StringFormat>(0x1800)) {
    m_format->SetAlignment(Gdiplus::StringAlignmentNear);
    m_format->SetLineAlignment(Gdiplus::StringAlignmentCenter);
    if (m_pScrollV) m_pScrollV->SetControlVisible(0);
  }

  List& Self() { return static_cast<List&>(*this); }
  void Repaint() { UpdateControl(1, 0); }
  int ScaledRowHeight() const { return static_cast<int>(m_rowHeight * m_scale); }
  bool IsRow(int index) const { return index >= 0 && index < static_cast<int>(m_rows.size()); }
  CRect RowScreenRect(int index) const {  // under the rows lock
    return RowOnScreen(m_rows[static_cast<size_t>(index)]->rect, m_rcControl, m_bitmapOffset);
  }
  int HitRow(CPoint point) const {  // under the rows lock
    return HitDrawnRow(m_rows, m_firstVisible, m_lastVisible, m_rcControl, m_bitmapOffset, point);
  }
  void UpdateScrollRange() {
    CRect bar = m_rcControl;
    bar.left = m_rcControl.right - kBarWidth;
    LayoutListBar(m_pScrollV, bar, GetItemCount() * m_rowHeight, m_rcControl.Height());
  }
  // Takes the new rectangle and lays out the (never shown) horizontal bar along its bottom.
  void PlaceControlAndHorizontalBar(CRect rect) {
    m_rcControl = rect;
    CriticalSectionLock lock(m_controlsLock);
    if (!m_pScrollH) return;
    const CRect old = m_pScrollH->GetRect();
    const CRect bar(rect.left, rect.bottom - kBarWidth, rect.right, rect.bottom);
    m_pScrollH->SetControlRect(bar);
    if (m_pScrollH->IsVisible()) {
      CRect both;
      both.UnionRect(old, bar);
      OnControlUpdate(both, 1, m_pScrollH);
    }
  }
  // Before rows go or move, the open edit is closed: when the edited row goes (or is gone)
  // what was typed goes with it, any other edit is kept (notification 29).
  void CloseEditBeforeChange(bool editedRowGoes) {
    if (m_edited < 0) return;
    if (editedRowGoes || !IsRow(m_edited)) {
      m_edited = -1;
      m_bFocused = 0;
      m_edit.Hide();
      return;
    }
    Self().HideEdit(1);
  }
  // Closes the edit (left open without `force` while it is the selected row's). `store`
  // (called under the rows lock with the edited row and the typed text) keeps the text and
  // answers whether the row changed; a change sends code 29 and repaints.
  template <class Store>
  void CloseRowEdit(int force, Store store) {
    if (!force && m_edited == m_selected) return;
    m_bFocused = 0;
    const int edited = m_edited;
    bool changed = false;
    if (m_edit.Exists() && edited >= 0) {
      const CString text = m_edit.Text();
      CriticalSectionLock lock(m_rowLock);
      changed = IsRow(edited) && store(*m_rows[static_cast<size_t>(edited)], text);
    }
    m_edited = -1;
    m_edit.Hide();
    if (changed) {
      SendMessageW(NOTIFY_EDIT_END, 0, edited);
      Repaint();
    }
  }
  // The edit's box from x `left` to `right` on the screen over a row whose top is `rowTop`:
  // font size + 6 high, centred in the unscaled row height.
  CRect EditBox(int left, int right, int rowTop) const {
    const int top = rowTop + (m_rowHeight - m_fontSize - 6) / 2;
    return CRect(left, top, right, top + m_fontSize + 6);
  }

  // The paint: the rows the scroll position shows (kept as the visible rows and the bitmap
  // offset); with the memory bitmap stale it is made again, filled white, given the
  // background and, when there are rows, `drawRows(g, font, window, rowWidth)` draws them
  // under the rows lock (ClearType text; the font is null when the window has no such
  // face). Then the view is copied to `hdc`.
  template <class DrawRows>
  void PaintRows(HDC& hdc, DrawRows drawRows) {
    const int visibleHeight = m_rcControl.Height();
    const int rowWidth = m_rcControl.Width() - (m_pScrollV && m_pScrollV->IsVisible() ? kBarWidth : 0);
    if (rowWidth <= 0 || visibleHeight <= 0) return;
    CriticalSectionLock lock(m_rowLock);
    const RowWindow window =
        ComputeRowWindow(static_cast<int>(m_rows.size()), m_rowHeight, visibleHeight,
                         m_pScrollV ? m_pScrollV->m_nCurPos : 0, m_pScrollV ? m_pScrollV->m_nMaxRange : 0);
    m_firstVisible = window.first;
    m_lastVisible = window.last;
    m_bitmapOffset = window.bitmapOffset;
    if (!m_bUpdate || !m_hMemDC) {
      UpdateMemDC(hdc, rowWidth, window.bitmapHeight);
      RECT all = {0, 0, rowWidth, window.bitmapHeight};
      ::FillRect(m_hMemDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      ::BitBlt(m_hMemDC, 0, window.bitmapOffset, rowWidth, visibleHeight, hdc, m_rcControl.left, m_rcControl.top,
               SRCCOPY);
      if (!m_rows.empty()) {
        Gdiplus::Graphics g(m_hMemDC);
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
        std::unique_ptr<Gdiplus::Font> font;
        if (Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr)
          font = std::make_unique<Gdiplus::Font>(family, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle,
                                                 Gdiplus::UnitPixel);
        drawRows(g, font.get(), window, rowWidth);
      }
    }
    ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, rowWidth, visibleHeight, m_hMemDC, 0, m_bitmapOffset, SRCCOPY);
  }

  std::vector<std::unique_ptr<Row>> m_rows;
  CriticalSection m_rowLock;
  int m_rowHeight;
  float m_scale = 1.0f;
  int m_hovered = -1;
  int m_selected = -1;
  int m_firstVisible = -1;
  int m_lastVisible = -1;
  int m_bitmapOffset = 0;
  int m_edited = -1;
  InPlaceRowEdit m_edit;
  std::unique_ptr<Gdiplus::StringFormat> m_format;
  MImageList* m_imageList = nullptr;
};
