// KeyboardAudio with its analysis state opened up for the tests, settable millisecond
// clocks, and a record of every publication (the level and the state handed over).
#pragma once
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <vector>

#include "audio/KeyboardAudio.h"

class AudioProbe : public KeyboardAudio {
public:
  struct Publication {
    float level, peak, average, rms;
    int percent;
    bool beat;
    float bpm;
    int loudestBand;  // of the 32 bands; -1 when all are 0
    float waveMax;    // largest |wave value|
  };

  AudioProbe() {
    m_tickClock = [this] { return now.load(); };
    m_retryClock = [this] { return retryNow.load(); };
    m_waveGain = 1;
  }

  void PublishAudio(float level) override {
    KeyboardAudio::PublishAudio(level);
    int loudest = -1;
    for (int b = 0; b < 32; ++b)
      if (m_bands32[b] > (loudest < 0 ? 0.0f : m_bands32[loudest])) loudest = b;
    float waveMax = 0.0f;
    for (float w : m_wave) waveMax = std::max(waveMax, std::fabs(w));
    std::lock_guard<std::mutex> guard(publishedLock);
    published.push_back({level, m_peak, m_average, m_rms, std::clamp(static_cast<int>(level * 100.0f), 0, 100),
                         m_beat, m_bpm, loudest, waveMax});
  }

  // A copy of the publications, safe while the capture thread runs.
  std::vector<Publication> Publications() {
    std::lock_guard<std::mutex> guard(publishedLock);
    return published;
  }

  std::atomic<uint32_t> now{100000};     // the beat clock
  std::atomic<uint32_t> retryNow{0};     // the clock of the reopening attempts
  std::mutex publishedLock;
  std::vector<Publication> published;

  using KeyboardAudio::CaptureStep;
  using KeyboardAudio::m_audioClient;
  using KeyboardAudio::m_average;
  using KeyboardAudio::m_bands32;
  using KeyboardAudio::m_bands64;
  using KeyboardAudio::m_bands7;
  using KeyboardAudio::m_bass;
  using KeyboardAudio::m_beat;
  using KeyboardAudio::m_beatStrength;
  using KeyboardAudio::m_blockFill;
  using KeyboardAudio::m_block;
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
