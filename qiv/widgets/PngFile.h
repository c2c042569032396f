// PNG files of 8-bit RGBA pixels, encoded and decoded in memory (LodePNG) with the file
// itself read and written through wide-character paths, so any folder name works.
#pragma once
#include <cstdint>
#include <vector>
#include "core/CString.h"
#include "qiv_export.h"

class QIV_API PngFile {
public:
  // Writes w x h RGBA pixels (rows from the top) to `path` through a temporary file that
  // replaces the old one only when complete. False for an empty picture or any failure,
  // which leaves an existing file untouched.
  static bool WriteRgba(const CString& path, const uint8_t* rgba, unsigned w, unsigned h);
  // Reads a PNG file as RGBA pixels; false when it cannot be read or decoded.
  static bool ReadRgba(const CString& path, std::vector<uint8_t>& rgba, unsigned& w, unsigned& h);
};
