// KeyboardAudio with its analysis state opened up for the tests, a settable millisecond
// clock, and a record of every publication (the level and the state handed over).
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "audio/KeyboardAudio.h"

class AudioProbe : public KeyboardAudio {
public:
  struct Publication {
    float level, peak, average, rms;
    int percent;
    bool beat;
    float bpm;
  };

  AudioProbe() {
    m_tickClock = [this] { return now; };
    m_waveGain = 1;
  }

  void PublishAudio(float level) override {
    KeyboardAudio::PublishAudio(level);
    published.push_back({level, m_peak, m_average, m_rms, std::clamp(static_cast<int>(level * 100.0f), 0, 100),
                         m_beat, m_bpm});
  }

  uint32_t now = 100000;
  std::vector<Publication> published;

  using KeyboardAudio::m_audioClient;
  using KeyboardAudio::m_average;
  using KeyboardAudio::m_bands32;
  using KeyboardAudio::m_bands64;
  using KeyboardAudio::m_bands7;
  using KeyboardAudio::m_bass;
  using KeyboardAudio::m_beat;
  using KeyboardAudio::m_beatStrength;
  using KeyboardAudio::m_blockFill;
  using KeyboardAudio::m_bpm;
  using KeyboardAudio::m_captureClient;
  using KeyboardAudio::m_endpointNames;
  using KeyboardAudio::m_energyHistory;
  using KeyboardAudio::m_lastBeatTick;
  using KeyboardAudio::m_level;
  using KeyboardAudio::m_levelHistory;
  using KeyboardAudio::m_loudness;
  using KeyboardAudio::m_mid;
  using KeyboardAudio::m_peak;
  using KeyboardAudio::m_rms;
  using KeyboardAudio::m_spectrum;
  using KeyboardAudio::m_treble;
  using KeyboardAudio::m_wave;
};
