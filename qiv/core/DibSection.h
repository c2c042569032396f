// A 32-bit DIB section selected into a memory DC of its own, kept for reuse: Fit() makes
// a new one only when the size changes (or, when growing is allowed, when it is too small).
#pragma once
#include <windows.h>
#include <cstdint>
#include "core/Geometry.h"
#include "core/PixelBlend.h"
#include "qiv_export.h"

class QIV_API DibSection {
public:
  enum class Rows { TopDown, BottomUp };
  explicit DibSection(Rows rows) : rows_(rows) {}
  ~DibSection();
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  // Exactly width x height. Returns true when a picture of that size is selected; false
  // (and nothing held) when it cannot be made. `created` tells whether it is new.
  bool Fit(HDC like, int width, int height, bool* created = nullptr);
  // At least width x height, keeping a larger picture.
  bool Grow(HDC like, int width, int height, bool* created = nullptr);
  void Release();

  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return dib_; }
  uint8_t* Bits() const { return bits_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return width_ * 4; }
  // The first row in memory order is the top row only for TopDown pictures.
  PixelBlend::Surface Surface() const;

private:
  bool Make(HDC like, int width, int height);

  Rows rows_;
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
