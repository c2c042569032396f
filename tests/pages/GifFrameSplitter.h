// A GIF splitter for the LED storage tests, on GDI+: every frame of the GIF as
// "<folder>\<i>.png" with its delay (hundredths of a second x 10, 10 ms for 0), and no
// delays for a single-frame picture - what the program's frame list does with a GIF.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <vector>
#include "core/CString.h"

namespace pagestest {

inline bool PngEncoder(CLSID& clsid) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  if (size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

inline int SplitGif(const CString& gif, const CString& folder, std::vector<int>& delays) {
  delays.clear();
  Gdiplus::Image image(gif.GetString());
  if (image.GetLastStatus() != Gdiplus::Ok) return 0;
  GUID time = Gdiplus::FrameDimensionTime;
  const UINT frames = image.GetFrameCount(&time);
  CLSID png;
  if (frames == 0 || !PngEncoder(png)) return 0;
  if (frames > 1) {
    const UINT size = image.GetPropertyItemSize(PropertyTagFrameDelay);
    std::vector<BYTE> buffer(size > 0 ? size : 1);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (size > 0 && image.GetPropertyItem(PropertyTagFrameDelay, size, item) == Gdiplus::Ok) {
      const auto* values = static_cast<const UINT*>(item->value);
      for (UINT i = 0; i < frames && i < item->length / 4; ++i) delays.push_back(values[i] ? int(values[i]) * 10 : 10);
    }
  }
  int written = 0;
  for (UINT i = 0; i < frames; ++i) {
    if (frames > 1 && image.SelectActiveFrame(&time, i) != Gdiplus::Ok) break;
    CString path;
    path.Format(L"%s\\%u.png", folder.GetString(), i);
    if (image.Save(path.GetString(), &png, nullptr) != Gdiplus::Ok) break;
    ++written;
  }
  if (int(delays.size()) > written) delays.resize(size_t(written));
  return written;
}

}  // namespace pagestest
