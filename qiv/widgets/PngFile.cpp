#include "widgets/PngFile.h"
#include "lodepng.h"
#include "widgets/FileWrite.h"

bool PngFile::WriteRgba(const CString& path, const uint8_t* rgba, unsigned w, unsigned h) {
  if (!rgba || w == 0 || h == 0) return false;
  std::vector<unsigned char> png;
  if (lodepng::encode(png, rgba, w, h, LCT_RGBA, 8) != 0 || png.empty()) return false;
  return WriteFileReplacing(path, png.data(), png.size());
}

bool PngFile::ReadRgba(const CString& path, std::vector<uint8_t>& rgba, unsigned& w, unsigned& h) {
  rgba.clear();
  w = h = 0;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes) || bytes.empty()) return false;
  if (lodepng::decode(rgba, w, h, bytes, LCT_RGBA, 8) != 0) {
    rgba.clear();
    w = h = 0;
    return false;
  }
  return true;
}
