// A top-down 32-bit DIB section with its own DC and a GDI+ bitmap over the same pixels.
// GDI+ draws into memory through the bitmap far faster than through a device context,
// and GDI can still copy from and to the DC.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <cstdint>
#include <memory>

class DibSurface {
public:
  DibSurface() = default;
  ~DibSurface() { Release(); }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  // Makes (or keeps) a width x height surface; true when ready.
  bool Ensure(HDC reference, int width, int height) {
    if (dc_ && width == width_ && height == height_) return true;
    Release();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = ::CreateCompatibleDC(reference);
    dib_ = dc_ ? ::CreateDIBSection(reference, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!dib_) {
      Release();
      return false;
    }
    previous_ = ::SelectObject(dc_, dib_);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    view_ = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppRGB,
                                              reinterpret_cast<BYTE*>(bits_));
    return true;
  }
  void Release() {
    view_.reset();
    if (dc_ && previous_) ::SelectObject(dc_, previous_);
    if (dib_) ::DeleteObject(dib_);
    if (dc_) ::DeleteDC(dc_);
    dc_ = nullptr;
    dib_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
  }
  HDC dc() const { return dc_; }
  uint32_t* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }
  Gdiplus::Bitmap* bitmap() const { return view_.get(); }

private:
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  std::unique_ptr<Gdiplus::Bitmap> view_;
};
