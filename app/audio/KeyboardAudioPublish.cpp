// KeyboardAudio: the hand-over of each cycle's state to the matrix screen, the canvas
// and the visualiser, with the seven animated matrix bands.
#include "audio/KeyboardAudio.h"

#include <algorithm>
#include <cmath>

#include "audio/AudioBands.h"
#include "audio/Visualizer.h"
#include "canvas/MatrixScreen.h"
#include "canvas/ZephraEffect.h"

AudioBands KeyboardAudio::PrepareBands(float level) {
  const uint32_t now = m_tickClock();
  const float dt = static_cast<float>(now - m_publishTick) / 1000.0f;  // unsigned difference
  m_publishTick = now;

  static const float kWeights[7] = {1.2f, 1.2f, 1.2f, 1.0f, 1.0f, 0.8f, 0.8f};
  constexpr float kTurn = 6.2831853f;
  for (int i = 0; i < 7; ++i) {
    // Band i turns at 2 + i / 2 radians per second; the phase is kept within one turn so
    // that it does not lose precision over a long run.
    m_bandPhases[i] = std::fmod(m_bandPhases[i] + dt * (0.5f * static_cast<float>(i) + 2.0f), kTurn);
    const float e = (std::sin(m_bandPhases[i]) * 0.3f + 1.0f) * kWeights[i] * level;
    m_bands7[i] = std::clamp(e, 0.0f, 1.0f);
  }

  AudioBands bands;
  bands.bands7 = m_bands7;
  bands.masterVolume = m_masterVolume;
  bands.wave = m_wave;
  bands.waveLength = m_waveLength;
  bands.level = level;
  bands.peak = m_peak;
  bands.average = m_average;
  bands.percent = std::clamp(static_cast<int>(level * 100.0f), 0, 100);
  bands.rms = m_rms;
  bands.bands32 = m_bands32;
  bands.bands64 = m_bands64;
  bands.beat = m_beat;
  bands.strength = m_beatStrength;
  bands.bpm = m_bpm;
  bands.bass = m_bass;
  bands.mid = m_mid;
  bands.treble = m_treble;
  return bands;
}

void KeyboardAudio::PublishAudio(float level) {
  const AudioBands bands = PrepareBands(level);
  // Each consumer pointer is read once: the worker may change it while this runs.
  DeliverAudio(bands, m_matrixConsumer.load(), m_canvasConsumer.load(), m_visualizerConsumer.load());
}
