#include "core/MImageList.h"
#include <algorithm>
#include "core/ImgResInfo.h"
#include "core/MRender.h"

ImgResInfo::~ImgResInfo() { delete image; }
_M_IAMGELIST::~_M_IAMGELIST() { delete image; }

MImageList::MImageList() = default;
MImageList::~MImageList() { DelAllImages(); }

int MImageList::InsertImage(int index, const wchar_t* path, int id, int count) {
  if (!path || count < 1) return -1;
  CriticalSectionLock lock(m_lock);
  if (index != -1 && (index < 0 || index >= static_cast<int>(m_items.size()))) return -1;
  auto* item = new _M_IAMGELIST;
  item->path = path;
  item->id = id;
  item->count = count;
  item->image = MRender::LoadImageFromFile(path);
  if (item->image) {
    item->height = static_cast<int>(item->image->GetHeight());
    item->frameWidth = static_cast<int>(item->image->GetWidth() / static_cast<unsigned>(count));
  }
  if (index == -1) {
    m_items.push_back(item);
    return static_cast<int>(m_items.size()) - 1;
  }
  m_items.insert(m_items.begin() + index, item);
  return -1;
}

int MImageList::AddImage(const wchar_t* path, int id, int count) { return InsertImage(-1, path, id, count); }

_M_IAMGELIST* MImageList::GetItemImageData(int index) {
  CriticalSectionLock lock(m_lock);
  if (index < 0 || index >= static_cast<int>(m_items.size())) return nullptr;
  return m_items[index];
}

_M_IAMGELIST* MImageList::GetImageDataByID(int id) {
  CriticalSectionLock lock(m_lock);
  for (auto* item : m_items)
    if (item->id == id) return item;
  return nullptr;
}

CString MImageList::GetImagePath(int index) {
  _M_IAMGELIST* item = GetItemImageData(index);
  return item ? item->path : CString();
}

CString MImageList::GetImagePathByID(int id) {
  _M_IAMGELIST* item = GetImageDataByID(id);
  return item ? item->path : CString();
}

int MImageList::GetImageCount() {
  CriticalSectionLock lock(m_lock);
  return static_cast<int>(m_items.size());
}

int MImageList::DelAllImages() {
  CriticalSectionLock lock(m_lock);
  for (auto* item : m_items) delete item;
  m_items.clear();
  return 1;
}

void MImageList::DrawItemIcon(Gdiplus::Graphics& g, CRect rect, int index) { DrawItemIcon(g, rect, index, 0); }

void MImageList::DrawItemIcon(Gdiplus::Graphics& g, CRect rect, int index, int state) {
  _M_IAMGELIST* item = GetItemImageData(index);
  if (!item || !item->image) return;
  int srcX = std::min(state, item->count) * item->frameWidth;
  g.DrawImage(item->image, Gdiplus::Rect(rect.left, rect.top, rect.Width(), rect.Height()), srcX, 0,
              item->frameWidth, item->height, Gdiplus::UnitPixel);
}

int MImageList::SetDrawImgSize(int width, int height) {
  m_drawSize = CSize(width, height);
  return 1;
}
