// The keys of the full-size keyboard picture from which the key picker lets the user pick
// one: label, USB HID keyboard usage (175 for Fn) and rectangle relative to the picture's
// top-left corner. The picture spans 880 x 246 pixels.
#pragma once
#include <windows.h>
#include "qiv_export.h"

struct PickerKeyDef {
  const wchar_t* label;
  int code;
  RECT rect;
};

constexpr int kPickerKeyCount = 111;

// The table in picker order (rows from the top, left to right).
QIV_API const PickerKeyDef* GetPickerKeyTable();
