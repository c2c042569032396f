#include "core/DibSection.h"
#include <algorithm>

DibSection::~DibSection() { Release(); }

void DibSection::Release() {
  if (dc_ && old_) ::SelectObject(dc_, old_);
  if (dc_) ::DeleteDC(dc_);
  if (dib_) ::DeleteObject(dib_);
  dc_ = nullptr;
  dib_ = nullptr;
  old_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool DibSection::Fit(HDC like, int width, int height, bool* created) {
  if (created) *created = false;
  if (dc_ && width == width_ && height == height_) return true;
  if (created) *created = true;
  return Make(like, width, height);
}

bool DibSection::Grow(HDC like, int width, int height, bool* created) {
  if (created) *created = false;
  if (dc_ && width <= width_ && height <= height_) return true;
  if (created) *created = true;
  return Make(like, std::max(width, width_), std::max(height, height_));
}

bool DibSection::Make(HDC like, int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = rows_ == Rows::TopDown ? -height : height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  dib_ = ::CreateDIBSection(like, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  dc_ = dib_ ? ::CreateCompatibleDC(like) : nullptr;
  if (!dib_ || !pixels || !dc_) {
    Release();
    return false;
  }
  old_ = ::SelectObject(dc_, dib_);
  bits_ = static_cast<uint8_t*>(pixels);
  width_ = width;
  height_ = height;
  return true;
}

PixelBlend::Surface DibSection::Surface() const {
  PixelBlend::Surface s;
  if (!bits_) return s;
  s.width = width_;
  s.height = height_;
  if (rows_ == Rows::TopDown) {
    s.bits = bits_;
    s.stride = Stride();
  } else {
    s.bits = bits_ + static_cast<size_t>(height_ - 1) * Stride();
    s.stride = -Stride();
  }
  return s;
}
