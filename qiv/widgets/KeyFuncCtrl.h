// The grouped key-function palette: collapsible groups, each a header bar with a title
// and an arrow over a grid of rounded 50 x 50 tiles carrying a label or an icon. A header
// click toggles its group; a release on a tile reports (id, 2, 0, code). The palette
// scrolls vertically with its panel bar when the groups are taller than it. Tiles can be
// dragged (SetDragDrop) with their picture as the drag image.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CriticalSection.h"
#include "core/MPanel.h"
#include "widgets/SkinPicture.h"

// One tile of the palette, owned by its group.
struct PALETTEKEY_INFO {
  CString text;  // label, and tooltip of an icon tile
  int code = 0;
  std::unique_ptr<Gdiplus::Image> icon;
  RECT rect{};  // the tile at the last paint, control-relative
};

class QIV_API KeyFuncCtrl : public MPanel {
public:
  // One group, owned by the palette.
  struct ITEM_INFO {
    CString title;
    int expanded = 0;
    int height = 0;  // below the header when expanded; recomputed by each paint
    RECT header{};   // the 40-px header band at the last paint, control-relative
    std::vector<std::unique_ptr<PALETTEKEY_INFO>> items;
  };

  KeyFuncCtrl(MObject* parent, unsigned id, CRect rect, int visible);
  ~KeyFuncCtrl() override;

  const wchar_t* GetClassNameW() const override;
  void InitControl(PaintManager* manager) override;
  int IsDragDrop() override;
  void DrawControl(HDC& hdc, CRect paint) override;
  long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
  void SetControlRect(CRect rect) override;
  HBITMAP GetControlDropBitmap() override;
  int OnControlMouseMove(unsigned flags, CPoint point) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlScroll(int delta, unsigned direction, CPoint point) override;
  using MControlFont::SetImage;
  // The header arrow strip (frame 0 expanded, frame 2 collapsed), kept by the palette.
  int SetImage(const wchar_t* file, int count) override;

  // The three groups: basic characters (expanded), extended keys, special functions.
  void InitItemInfo();
  void ClearItems();
  // Collapses every group; the content is then the three headers.
  void ResetKeyState();
  int SetItemText(int group, CString title);
  // Renames the first tile of the special-function group with that code.
  void SetItemDesc(int code, CString text);
  // The hovered tile's code and text, or 0 and an empty text.
  void GetCurValue(int& code, CString& text);

  int GetGroupCount();
  int GetGroupItemCount(int group);
  int IsGroupExpanded(int group);
  int GetGroupHeight(int group);
  int GetContentHeight() const { return m_contentHeight; }
  int GetHoverGroup() const { return m_hoverGroup; }
  int GetHoverItem() const { return m_hoverItem; }
  int GetLastCode() const { return m_lastCode; }
  // A tile's rectangle at the last paint (control-relative); empty for a bad index.
  CRect GetItemRect(int group, int item);
  // A group's header band at the last paint (control-relative); empty for a bad index.
  CRect GetHeaderRect(int group);
  // The scrolled-away part of the content in pixels.
  int GetScrollOffset() const;

private:
  static constexpr int kHeaderHeight = 40;
  void AddKeyItem(ITEM_INFO* group, CString text, int code, CRect rect, CString icon);
  ITEM_INFO* GroupAt(int index) const;
  PALETTEKEY_INFO* HoveredItem() const;
  int MeasureContent() const;
  // Recomputes the content height and fits the bar to it, keeping the pixel offset.
  void UpdateScrollBar();
  // The same with a given pixel offset to keep.
  void FitScrollBar(int offset);
  CRect ToWindow(const RECT& r) const;
  void Repaint();

  std::vector<std::unique_ptr<ITEM_INFO>> m_groups;
  mutable CriticalSection m_lock;
  int m_hoverGroup = -1;
  int m_hoverItem = -1;
  int m_lastCode = 0;
  int m_contentHeight = 500;
  OwnedPictureStrip m_arrow;
};
