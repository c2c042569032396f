// Where the animated GIF writer hands its finished canvases: an encoder that turns them
// into the bytes of one looping GIF. The library's own encoder is the GDI+ GIF encoder;
// the writer takes any other through its constructor.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <cstdint>
#include <vector>
#include "qiv_export.h"

class QIV_API GifFrameEncoder {
public:
  virtual ~GifFrameEncoder();
  // Encodes the canvases in order; `delays` holds one entry per canvas in 1/100 s and
  // `loopCount` 0 repeats for ever. True only when `out` holds a complete file.
  virtual bool Encode(const std::vector<Gdiplus::Bitmap*>& canvases, const std::vector<int>& delays, int loopCount,
                      std::vector<uint8_t>& out) = 0;
};

// The GDI+ GIF encoder: the first canvas carries the loop count and delay properties and
// is saved as a multi-frame image, the others are appended in the time dimension, and a
// final flush completes the file. Works in memory; every GDI+ status is checked.
class QIV_API GdiplusGifEncoder : public GifFrameEncoder {
public:
  ~GdiplusGifEncoder() override;
  bool Encode(const std::vector<Gdiplus::Bitmap*>& canvases, const std::vector<int>& delays, int loopCount,
              std::vector<uint8_t>& out) override;
  // The class id of the first installed encoder of that MIME type (case ignored).
  static bool FindImageEncoder(const wchar_t* mimeType, CLSID* clsid);
};
