// The picture slots of the keyboard's screen as a small grid of 96 x 96 tiles: each tile
// holds the slot picture's thumbnail and a round number badge; the hovered and selected
// tiles are outlined in the selection colour, and a pointer resting on a tile shows a
// frame tip with the slot's title and text. A click selects a tile and reports code 2.
// Tiles 0 and 1 form the first row, 2 and 3 the second, every later tile the third.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CriticalSection.h"
#include "core/MPanel.h"

class LEDFrameTips;

// One tile, owned by the grid.
struct LCDSLOT_INFO {
  std::unique_ptr<Gdiplus::Image> thumbnail;  // null when the slot has no picture
  int width = 0;
  int height = 0;
  CString title;  // first tip text
  CString text;   // second tip text
  RECT rect{};    // the tile at the last paint, control-relative
};

class QIV_API LCDViewCtrl : public MPanel {
public:
  static constexpr int kTileSize = 96;

  LCDViewCtrl(MObject* parent, unsigned id, CRect rect, int visible);
  ~LCDViewCtrl() override;

  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;

  void AddItem(CString picturePath, CString title, CString text);
  void SetItemInfo(int index, CString picturePath, CString title, CString text);
  int GetItemCount();
  int SetCurSel(int index);
  int GetCurSel() const { return m_selected; }
  int DeleteAllItems();
  // Shows the frame tip with bottom-left corner on the rectangle's top-left corner
  // (window client coordinates); two empty texts hide it.
  void SetTips(CString title, CString text, CRect rect);
  void ResetTips();

  int GetHoverIndex() const { return m_hover; }
  // The tile's rectangle at the last paint, control-relative (empty for a bad index).
  CRect GetItemRect(int index);
  // The picture's place in a tile box: never enlarged, centred.
  static CRect GetImageRect(int width, int height, const CRect& box);
  // The frame tip window once created, else null.
  LEDFrameTips* GetTipWindow() const { return m_tips.get(); }

private:
  LCDSLOT_INFO* ItemAt(int index) const;
  static std::unique_ptr<Gdiplus::Image> LoadThumbnail(const CString& path, int& width, int& height);
  void Repaint();

  std::vector<std::unique_ptr<LCDSLOT_INFO>> m_items;
  mutable CriticalSection m_lock;
  int m_hover = -1;
  int m_selected = -1;
  std::unique_ptr<LEDFrameTips> m_tips;
  CRect m_tileBox{0, 0, kTileSize, kTileSize};
};
