// A memory DC with its own compatible bitmap, released with the object.
#pragma once
#include <windows.h>
#include <algorithm>

class OffscreenBitmap {
public:
  OffscreenBitmap() = default;
  ~OffscreenBitmap() { Release(); }
  OffscreenBitmap(const OffscreenBitmap&) = delete;
  OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;

  // Makes (or keeps) a width x height bitmap compatible with `reference`; true when ready.
  bool Ensure(HDC reference, int width, int height) {
    if (dc_ && width == width_ && height == height_) return true;
    Release();
    dc_ = ::CreateCompatibleDC(reference);
    bitmap_ = ::CreateCompatibleBitmap(reference, std::max(width, 1), std::max(height, 1));
    if (!dc_ || !bitmap_) {
      Release();
      return false;
    }
    previous_ = ::SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    return true;
  }
  void Release() {
    if (dc_ && previous_) ::SelectObject(dc_, previous_);
    if (bitmap_) ::DeleteObject(bitmap_);
    if (dc_) ::DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    width_ = height_ = 0;
  }
  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0, height_ = 0;
};
