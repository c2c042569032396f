// KeyboardAudio: analysis of each full block (spectrum, loudness, bands, bass/mid/treble)
// and the beat and tempo detector that runs on the new bands.
#include "audio/KeyboardAudio.h"

#include <algorithm>
#include <cmath>
#include <new>

void KeyboardAudio::AverageBands(std::span<const float> spectrum, float* out, int count) {
  if (spectrum.empty() || !out) return;
  const int n = static_cast<int>(spectrum.size());
  const float bins = static_cast<float>(n);
  for (int i = 0; i < count; ++i) {
    // Band edges grow with the cube of the band index, so the low bands are narrow.
    const float from = static_cast<float>(i) / static_cast<float>(count);
    const float to = static_cast<float>(i + 1) / static_cast<float>(count);
    const int lo = std::clamp(static_cast<int>(bins * from * from * from), 0, n - 1);
    const int hi = std::max(std::min(static_cast<int>(bins * to * to * to), n), lo + 1);
    float sum = 0.0f;
    for (int k = lo; k < hi; ++k) sum += spectrum[k];
    out[i] = std::clamp(sum / static_cast<float>(hi - lo), 0.0f, 1.0f);
  }
}

void KeyboardAudio::ComputeBassMidTreble() {
  // Two silent lowest bands mean no usable block: keep the previous values.
  if (m_bands32[0] == 0.0f && m_bands32[1] == 0.0f) return;
  float bass = 0.0f, mid = 0.0f, treble = 0.0f;
  for (int i = 0; i <= 8; ++i) bass += m_bands32[i];
  for (int i = 9; i <= 20; ++i) mid += m_bands32[i];
  for (int i = 21; i <= 31; ++i) treble += m_bands32[i];
  m_bass = bass / 9.0f;
  m_mid = mid / 12.0f;
  m_treble = treble / 11.0f;
}

void KeyboardAudio::AnalyseBlock() {
  if (!m_analyzer || !m_loudness) return;
  try {
    m_spectrum = m_analyzer->Compute(std::span<const float>(m_block, kBlockSize));
    m_loudness->Process(m_spectrum);
    AverageBands(m_spectrum, m_bands32, 32);
    AverageBands(m_spectrum, m_bands64, 64);
    ComputeBassMidTreble();
    DetectBeat();
  } catch (const std::bad_alloc&) {
    // Out of memory: this block's results are dropped, capture goes on.
  }
}

float KeyboardAudio::BeatEnergy() const {
  const float* b = m_bands32;
  return (0.5f * b[0] * b[0] + b[1] * b[1] + b[2] * b[2] + b[3] * b[3] +
          0.3f * (b[4] * b[4] + b[5] * b[5])) /
         6.0f;
}

void KeyboardAudio::DetectBeat() {
  const float energy = BeatEnergy();
  m_energyHistory[m_energyIndex] = energy;
  m_energyIndex = (m_energyIndex + 1) % kEnergyHistory;

  float sum = 0.0f;
  for (float e : m_energyHistory) sum += e;
  const float mean = sum / kEnergyHistory;
  float spread = 0.0f;
  for (float e : m_energyHistory) spread += (e - mean) * (e - mean);
  const float deviation = std::sqrt(spread / kEnergyHistory);
  float threshold = mean + 1.5f * deviation;
  if (!(threshold > 0.01f)) threshold = 0.01f;

  const uint32_t now = m_tickClock();
  const uint32_t sinceBeat = now - m_lastBeatTick;  // unsigned: survives the tick wrap
  if (energy > threshold && sinceBeat > 150) {
    m_beat = true;
    m_beatStrength = std::min(1.0f, (energy - threshold) / (threshold + 0.01f));
    if (m_lastBeatTick != 0 && sinceBeat >= 1 && sinceBeat <= 1999) {
      const float instant = 60000.0f / static_cast<float>(sinceBeat);
      m_bpm = m_bpm == 0.0f ? instant : m_bpm * 0.8f + instant * 0.2f;
      m_bpm = std::clamp(m_bpm, 30.0f, 400.0f);
    }
    m_lastBeatTick = now;
    return;
  }
  if (sinceBeat > 100) {
    m_beat = false;
    m_beatStrength *= 0.9f;
    if (m_beatStrength < 0.05f) m_beatStrength = 0.0f;
  }
}
