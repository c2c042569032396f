// The audio analysis that the capture thread pushes into the canvas once per cycle.
// Each field is written whole without a lock; a reader may see two cycles mixed.
#pragma once
#include <windows.h>

struct AudioState {
  float currentVolume = 0;  // 0-1
  float peakVolume = 0;
  float averageVolume = 0;
  float level = 0;  // RMS on the analyser's scale: above 2 is sound, 150 full scale
  float threshold = 0.5f;
  bool triggered = false;
  float spectrum32[32] = {};
  float spectrum64[64] = {};
  bool hasFFT = false;
  bool beat = false;
  float beatStrength = 0;  // 0-1
  float bass = 0, mid = 0, high = 0;
  float beatBoost = 0;  // the strength of the last beat, decayed since
};
