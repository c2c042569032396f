// The display time of LED animation frames as the frame delay dialog returns it: the
// text of one frame's edit or of the all-frames edit, raised to 30 ms and lowered to
// 500 ms.
#pragma once
#include <vector>
#include "core/CString.h"

class FrameDelay {
public:
  static constexpr int kMinMs = 30;
  static constexpr int kMaxMs = 500;

  // An empty or non-numeric text gives 30.
  static int FromText(const CString& text);
  // The dialog's OK: every frame takes the all-frames text, or frame `selected` its own
  // text. Answers whether a delay was set (not for a selection outside the strip).
  static bool Apply(std::vector<int>& delays, int selected, bool allFrames, const CString& frameText,
                    const CString& allFramesText);
};
