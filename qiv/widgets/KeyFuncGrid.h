// What the key-function grids share: the item record, the item store with its lock and
// hovered and selected indexes, the cell layout and the scroll offset.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/Geometry.h"
#include "qiv_export.h"

// One item of a key-function grid.
struct FUNCITEM_INFO {
  CString text;
  int data = 0;  // the caller's value (a function code)
  std::unique_ptr<Gdiplus::Image> icon;
  int iconWidth = 0;
  int iconHeight = 0;
  CRect rect;  // the cell at the last paint, control coordinates with the scroll applied
};

// Loads an icon from the skins folder when the file is there; null otherwise.
QIV_API std::unique_ptr<Gdiplus::Image> LoadSkinIcon(const CString& file, int& width, int& height);

// Cells left to right from x 0; a row wraps once x reaches width - cell width.
QIV_API std::vector<CRect> LayoutGridCells(int count, int width, CSize cell, int gapX, int gapY, int top);
// position x (content - list height) / max range, cut towards zero; 0 without a range.
QIV_API int GridScrollOffset(int position, int content, int listHeight, int maxRange);

// The items of one grid. Indexes outside the list read as "none" everywhere.
class QIV_API FuncItemStore {
public:
  std::vector<std::unique_ptr<FUNCITEM_INFO>> items;
  CriticalSection lock;
  int hovered = -1;
  int selected = -1;

  void Add(const CString& text, int data, const CString& iconFile);
  void Clear();
  bool IsItem(int index) const { return index >= 0 && index < static_cast<int>(items.size()); }
  int Selected() const { return IsItem(selected) ? selected : -1; }
  // Selects the first item with that data; false (selection kept) when none has it.
  bool SelectData(int data);
  int Data(int index);
  CString Text(int index);
  bool SetText(int index, const CString& text);
  // The first item whose cell, moved by `origin`, holds the point; -1 when none.
  int HitTest(CPoint point, CPoint origin);
  // Whether the hovered item's cell, moved by `origin`, still holds the point.
  bool HoverHolds(CPoint point, CPoint origin);
};
