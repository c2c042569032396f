// What the key-function type grid and value grid share: the item store and its accessors,
// the vertical bar along the right edge whose range is the content height the owner gives,
// the hover, press and click handling, and the steps of drawing the cells into the memory
// bitmap. `Grid` is the derived grid. User-interface thread only.
// All of it is inline, so code outside the library instantiates it: what it calls must be
// exported.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "controls/MScroll.h"
#include "core/MPanel.h"
#include "core/PaintManager.h"
#include "widgets/KeyFuncGrid.h"
#include "widgets/ListRows.h"

template <class Grid>
class FuncGridPanel : public MPanel {
public:
  // Appends an item; the icon file is looked up in the skins folder. No repaint.
  void AddItem(CString text, int data, CString iconFile) { m_store.Add(text, data, iconFile); }
  void ClearList() {
    m_store.Clear();
    Repaint();
  }
  // Selects the first item with that data; the selection stays when none has it.
  void SetCurData(int data) {
    m_store.SelectData(data);
    Repaint();
  }
  int GetItemData(int index) { return m_store.Data(index); }
  int GetCurData() { return m_store.Data(GetSelectItem()); }
  // Any index is kept; one outside the list reads as no selection.
  void SetSelectItem(int index) {
    if (index == m_store.selected) return;
    m_store.selected = index;
    Repaint();
  }
  int GetSelectItem() {
    CriticalSectionLock guard(m_store.lock);
    return m_store.Selected();
  }
  int SetItemText(int index, CString text) { return m_store.SetText(index, text) ? 1 : 0; }
  CString GetItemText(int index) { return m_store.Text(index); }
  int GetItemCount() {
    CriticalSectionLock guard(m_store.lock);
    return static_cast<int>(m_store.items.size());
  }
  int GetHoverItem() const { return m_store.hovered; }
  CRect GetItemRect(int index) {
    CriticalSectionLock guard(m_store.lock);
    return m_store.IsItem(index) ? m_store.items[static_cast<size_t>(index)]->rect : CRect();
  }

  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
    if ((id == 1 || id == 2) && code == NOTIFY_POSITION) Repaint();
    return MPanel::OnMessage(id, code, wParam, lParam);
  }
  // A hand over the hovered cell, the arrow outside the control.
  int OnControlMouseMove(unsigned, CPoint point) override {
    if (!m_bEnabled) return 0;
    const int before = m_store.hovered;
    if (!m_rcControl.PtInRect(point)) {
      m_store.hovered = -1;
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    } else if (m_store.HoverHolds(point, m_rcControl.TopLeft())) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      return 0;
    } else {
      m_store.hovered = -1;
      m_store.hovered = m_store.HitTest(point, m_rcControl.TopLeft());
    }
    if (m_store.hovered != before) Repaint();
    return 1;
  }
  // The hovered cell becomes the selection.
  int OnControlLButtonDown(unsigned, CPoint point) override {
    if (!m_bEnabled) return 0;
    {
      CriticalSectionLock guard(m_store.lock);
      if (!m_rcControl.PtInRect(point) || !m_store.IsItem(m_store.hovered)) return 1;
      m_store.selected = m_store.hovered;
    }
    Repaint();
    return 1;
  }
  // Released over a cell: code 2 with the selection in lParam.
  int OnControlLButtonUp(unsigned, CPoint point) override {
    if (!m_bEnabled) return 0;
    int selected = -1;
    {
      CriticalSectionLock guard(m_store.lock);
      if (!m_rcControl.PtInRect(point) || !m_store.IsItem(m_store.hovered)) return 1;
      selected = m_store.selected;
    }
    SendMessageW(NOTIFY_CLICK, 0, selected);
    return 1;
  }

protected:
  static constexpr int kBarWidth = 5;

  FuncGridPanel(MObject* parent, unsigned id, CRect rect, int visible, int contentHeight)
      : MPanel(parent, id, rect, visible), m_contentHeight(contentHeight) {
    if (m_pScrollV) m_pScrollV->SetControlVisible(0);
    if (m_pScrollH) m_pScrollH->SetControlVisible(0);
  }

  void Repaint() { UpdateControl(1, 0); }
  // Takes the rectangle and lays the vertical bar along its right edge for the content height.
  void PlaceControlAndBar(CRect rect) {
    m_rcControl = rect;
    LayoutListBar(m_pScrollV, CRect(rect.right - kBarWidth, rect.top, rect.right, rect.bottom), m_contentHeight,
                  rect.Height());
  }
  // With the memory bitmap stale: makes it again (width x height), fills it white, gives it
  // the background and answers true, asking the caller to draw the cells.
  bool BeginGridBitmap(HDC& hdc, int width, int height) {
    if (m_bUpdate && m_hMemDC) return false;
    UpdateMemDC(hdc, width, height);
    RECT all = {0, 0, width, height};
    ::FillRect(m_hMemDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::BitBlt(m_hMemDC, 0, 0, width, height, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
    return true;
  }
  void ShowGridBitmap(HDC& hdc, int width, int height) {
    ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, width, height, m_hMemDC, 0, 0, SRCCOPY);
  }
  // The cells' names: the control's face at 12 px; null when the window has no such face.
  std::unique_ptr<Gdiplus::Font> CellFont() {
    Gdiplus::FontFamily* family = m_pManager ? m_pManager->FindTempFont(m_fontName) : nullptr;
    if (!family) return nullptr;
    return std::make_unique<Gdiplus::Font>(family, 12.0f, m_fontStyle, Gdiplus::UnitPixel);
  }
  // Names are centred both ways (the format made with no-wrap and trailing spaces, 0x1800).
  static void CentreCellText(Gdiplus::StringFormat& format) {
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  }
  // The icon centred in the cell, 5 px below its top.
  static void DrawCellIcon(Gdiplus::Graphics& g, const FUNCITEM_INFO& item, const CRect& r) {
    if (item.icon)
      g.DrawImage(item.icon.get(), r.left + (r.Width() - item.iconWidth) / 2, r.top + 5, item.iconWidth,
                  item.iconHeight);
  }

  FuncItemStore m_store;
  int m_contentHeight;
};
