// One item of a combo box, and the same record as a row of its drop-down list.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include "core/CString.h"

struct ComboItem {
  CString text;
  CString iconFile;  // kept and copied to the drop-down; not drawn
  Gdiplus::ARGB colour = 0xFF000000;  // kept and copied; not drawn
  long data = 0;
  RECT rect = {};  // in the list: the row's last drawn place (window client coordinates)
};
