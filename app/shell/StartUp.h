// The small routines the program entry runs before the main window: the DPI rule with the
// monitor scale it asks for, the debug privilege and the creation of a folder tree.
#pragma once
#include "core/CString.h"

// The scale the monitor DPI stands for: 96 or less is 100, 120 is 125, 144, 168 and 192
// are their own value, anything else is 100.
int ScaleOfDpi(int dpi);
// The scale of the monitor nearest to (1, 1) from its effective DPI; 100 without a monitor.
// A failing DPI query tells the user and counts as 96.
int GetMonitorScale();
// Whether the process declares itself DPI-aware: a primary screen smaller than the window
// (1400 x 788), or exactly 1920 x 1080 at a scale above 125. `monitorScale` is asked only
// in the second case.
template <typename Scale>
bool NeedsDpiAwareness(int width, int height, Scale monitorScale) {
  if (width < 1400 || height < 788) return true;
  return width == 1920 && height == 1080 && monitorScale() > 125;
}
// Applies that rule to this machine's primary screen; true when the process became aware.
bool ApplyDpiRule();

// Enables "SeDebugPrivilege" on the process token; true when the adjustment left no error.
bool EnableDebugPrivilege();

// Creates every missing folder of `path` (backslashes; the drive before the first one is
// never created); true when the whole path exists afterwards.
bool CreateDirectoryTree(const CString& path);
