#include "pages/FrameDelay.h"
#include <algorithm>
#include "pages/RgbEdits.h"

int FrameDelay::FromText(const CString& text) { return std::clamp(RgbEdits::Value(text), kMinMs, kMaxMs); }

bool FrameDelay::Apply(std::vector<int>& delays, int selected, bool allFrames, const CString& frameText,
                       const CString& allFramesText) {
  if (allFrames) {
    std::fill(delays.begin(), delays.end(), FromText(allFramesText));
    return true;
  }
  if (selected < 0 || selected >= int(delays.size())) return false;
  delays[size_t(selected)] = FromText(frameText);
  return true;
}
