// Pictures the widgets own themselves (not the window's image cache): skin files and
// in-memory copies of user pictures that leave no file open.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/CString.h"
#include "qiv_export.h"

// A skin file (relative to the skins folder); null when it does not load.
QIV_API std::unique_ptr<Gdiplus::Image> LoadSkinPicture(const wchar_t* file);

// A detached copy of a picture file at its own size; the file is released at once.
// Null for an empty path or a file that does not load.
QIV_API std::unique_ptr<Gdiplus::Image> LoadPictureCopy(const CString& path);

// A horizontal strip of equal frames loaded from a skin file and owned by its control,
// for the controls that keep their state picture themselves.
struct QIV_API OwnedPictureStrip {
  std::unique_ptr<Gdiplus::Image> image;
  int frameWidth = 0;
  int frameHeight = 0;
  int frames = 0;
  // Replaces the strip; false (and no picture) when the file does not load.
  bool Load(const wchar_t* file, int count);
};
