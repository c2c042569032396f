#include "widgets/KeyFuncGrid.h"
#include "core/MRender.h"
#include "core/Manager.h"

std::unique_ptr<Gdiplus::Image> LoadSkinIcon(const CString& file, int& width, int& height) {
  width = height = 0;
  const CString path = GetSkinsFolder() + file;
  if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return nullptr;
  std::unique_ptr<Gdiplus::Image> icon(MRender::LoadImageFromFile(path));
  if (icon) {
    width = static_cast<int>(icon->GetWidth());
    height = static_cast<int>(icon->GetHeight());
  }
  return icon;
}

std::vector<CRect> LayoutGridCells(int count, int width, CSize cell, int gapX, int gapY, int top) {
  std::vector<CRect> cells;
  int x = 0, y = top;
  for (int i = 0; i < count; ++i) {
    cells.emplace_back(x, y, x + cell.cx, y + cell.cy);
    x += cell.cx + gapX;
    if (x >= width - cell.cx) {
      x = 0;
      y += cell.cy + gapY;
    }
  }
  return cells;
}

int GridScrollOffset(int position, int content, int listHeight, int maxRange) {
  if (maxRange <= 0) return 0;
  return static_cast<int>(static_cast<long long>(position) * (content - listHeight) / maxRange);
}

void FuncItemStore::Add(const CString& text, int data, const CString& iconFile) {
  auto item = std::make_unique<FUNCITEM_INFO>();
  item->text = text;
  item->data = data;
  item->icon = LoadSkinIcon(iconFile, item->iconWidth, item->iconHeight);
  CriticalSectionLock guard(lock);
  items.push_back(std::move(item));
}

void FuncItemStore::Clear() {
  CriticalSectionLock guard(lock);
  items.clear();
  hovered = selected = -1;
}

bool FuncItemStore::SelectData(int data) {
  CriticalSectionLock guard(lock);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i]->data == data) {
      selected = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

int FuncItemStore::Data(int index) {
  CriticalSectionLock guard(lock);
  return IsItem(index) ? items[static_cast<size_t>(index)]->data : 0;
}

CString FuncItemStore::Text(int index) {
  CriticalSectionLock guard(lock);
  return IsItem(index) ? items[static_cast<size_t>(index)]->text : CString();
}

bool FuncItemStore::SetText(int index, const CString& text) {
  CriticalSectionLock guard(lock);
  if (!IsItem(index)) return false;
  items[static_cast<size_t>(index)]->text = text;
  return true;
}

int FuncItemStore::HitTest(CPoint point, CPoint origin) {
  CriticalSectionLock guard(lock);
  for (size_t i = 0; i < items.size(); ++i) {
    CRect r = items[i]->rect;
    r.OffsetRect(origin);
    if (r.PtInRect(point)) return static_cast<int>(i);
  }
  return -1;
}

bool FuncItemStore::HoverHolds(CPoint point, CPoint origin) {
  CriticalSectionLock guard(lock);
  if (!IsItem(hovered)) return false;
  CRect r = items[static_cast<size_t>(hovered)]->rect;
  r.OffsetRect(origin);
  return r.PtInRect(point) != 0;
}
