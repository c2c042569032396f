// A top-down 32-bit DIB section selected into its own memory DC: where the widgets render
// a picture before they write it to a file or convert its pixels. Owns both handles.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "qiv_export.h"

class QIV_API DibCanvas {
public:
  // A w x h canvas compatible with `reference` (the screen when null), filled black.
  DibCanvas(HDC reference, int w, int h);
  ~DibCanvas();
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  bool IsValid() const { return m_bits != nullptr; }
  HDC GetDC() const { return m_dc; }
  HBITMAP GetBitmap() const { return m_bitmap; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Pixels in rows from the top, bytes B, G, R, A.
  BYTE* Bits() const { return m_bits; }
  // The pixels as R, G, B, 255 (opaque RGBA), rows from the top.
  std::vector<uint8_t> ToOpaqueRgba() const;

private:
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  BYTE* m_bits = nullptr;
  int m_width = 0;
  int m_height = 0;
};

// A top-down 32-bit DIB section of w x h and its pixels (null when it cannot be made).
QIV_API HBITMAP CreateTopDownDib(HDC dc, int w, int h, BYTE** bits);
