// One cached image of a window: the image split into equal horizontal frames.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include "core/CString.h"
#include "qiv_export.h"

struct QIV_API ImgResInfo {
  ImgResInfo() = default;
  ~ImgResInfo();
  ImgResInfo(const ImgResInfo&) = delete;
  ImgResInfo& operator=(const ImgResInfo&) = delete;

  Gdiplus::Image* image = nullptr;  // owned
  int frameWidth = 0;               // image width / frame count
  int height = 0;
  int count = 1;
  CString name;                     // skin file name as given; empty for a resource
  unsigned resId = 0;               // resource id; 0 for a file
};
