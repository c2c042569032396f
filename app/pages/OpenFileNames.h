// The files chosen in an open-file dialog that allows several: the dialog leaves either
// one full path, or a folder followed by file names, each ended by a null character and
// the list by an empty one. The paths are built without fixed buffers; a path longer
// than the file functions take is refused rather than cut.
#pragma once
#include <cstddef>
#include <vector>
#include "core/CString.h"

class OpenFileNames {
public:
  struct Result {
    std::vector<CString> paths;    // in the dialog's order
    std::vector<CString> refused;  // too long, or a name that is not one file name
  };

  // `length` bounds the reading even when the buffer lacks its final null characters.
  static Result Split(const wchar_t* buffer, size_t length, int maxPath);
};
