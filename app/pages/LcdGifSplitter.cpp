#include "pages/LcdGifSplitter.h"
#include "widgets/LCDViewList.h"

LedAnimationStore::GifSplitter LcdGifSplitter(LCDViewList& list) {
  return [&list](const CString& gif, const CString& folder, std::vector<int>& delaysMs) {
    const int frames = list.LoadGIFImageFile(gif, folder);
    delaysMs.clear();
    for (unsigned long delay : list.GetDelayTimes()) delaysMs.push_back(int(delay));
    return frames;
  };
}
