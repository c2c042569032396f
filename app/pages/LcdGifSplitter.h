// The LED page's frame list as the GIF splitter of the animation storage: it writes the
// frames as "<folder>\<i>.png" and keeps their delays.
#pragma once
#include "pages/LedAnimationStore.h"

class LCDViewList;

// The list must outlive the splitter.
LedAnimationStore::GifSplitter LcdGifSplitter(LCDViewList& list);
