// One row of the profile list, and one tile of the tile list.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "core/CString.h"

struct ProfileListItem {
  CString name;
  int data = 0;
  std::unique_ptr<Gdiplus::Image> icon;  // kept, not drawn
  int iconWidth = 0, iconHeight = 0;
  RECT rect = {};  // hit rectangle at the last drawing
};
