// A small list of file images, each split into equal horizontal frames.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <vector>
#include "core/CString.h"
#include "core/CriticalSection.h"
#include "core/Geometry.h"
#include "qiv_export.h"

struct QIV_API _M_IAMGELIST {
  _M_IAMGELIST() = default;
  ~_M_IAMGELIST();
  _M_IAMGELIST(const _M_IAMGELIST&) = delete;
  _M_IAMGELIST& operator=(const _M_IAMGELIST&) = delete;

  Gdiplus::Image* image = nullptr;  // owned
  int frameWidth = 0;
  int height = 0;
  int id = 0;
  int count = 1;
  CString path;
};

class QIV_API MImageList {
public:
  MImageList();
  virtual ~MImageList();
  MImageList(const MImageList&) = delete;
  MImageList& operator=(const MImageList&) = delete;

  // index -1 appends and answers the new index; an existing index inserts before it and
  // answers -1; any other index (or a null path, or a count below 1) adds nothing, -1.
  int InsertImage(int index, const wchar_t* path, int id, int count);
  int AddImage(const wchar_t* path, int id, int count);
  _M_IAMGELIST* GetItemImageData(int index);
  _M_IAMGELIST* GetImageDataByID(int id);
  // Empty for an index or id that no entry has.
  CString GetImagePath(int index);
  CString GetImagePathByID(int id);
  int GetImageCount();
  int DelAllImages();
  void DrawItemIcon(Gdiplus::Graphics& g, CRect rect, int index);
  void DrawItemIcon(Gdiplus::Graphics& g, CRect rect, int index, int state);
  int SetDrawImgSize(int width, int height);
  CSize GetIconSize() const { return m_drawSize; }

private:
  std::vector<_M_IAMGELIST*> m_items;
  CriticalSection m_lock;
  CSize m_drawSize;
};
