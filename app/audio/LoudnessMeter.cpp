#include "audio/LoudnessMeter.h"

#include <algorithm>
#include <cmath>

LoudnessMeter::LoudnessMeter(float sampleRate) : m_sampleRate(sampleRate) { BuildWeights(); }

void LoudnessMeter::BuildWeights() {
  m_weights.resize(kBins);
  for (int i = 0; i < kBins; ++i) {
    const float f = static_cast<float>(i) * m_sampleRate * 0.00048828125f;
    float w = f < 100.0f ? (f / 100.0f) * (f / 100.0f) : 1.0f;
    if (f >= 1000.0f && f <= 4000.0f)  // presence bump, +50 % at 2 kHz
      w *= 1.0f + 0.5f * std::exp(-3.0f * std::fabs(std::log(f / 2000.0f)));
    if (f > 10000.0f) w *= (10000.0f / f) * (10000.0f / f);
    m_weights[i] = w;
  }
}

float LoudnessMeter::Measure(std::span<const float> spectrum) const {
  const size_t count = std::min(m_weights.size(), spectrum.size());
  double total = 0.0, weightSum = 0.0;
  for (size_t k = 0; k < count; ++k) {
    const double weighted = static_cast<double>(spectrum[k]) * m_weights[k];
    total += weighted * weighted;
    weightSum += m_weights[k];
  }
  const double r = weightSum > 0.0 ? std::sqrt(total / weightSum) : 0.0;
  if (r > 1e-10) return static_cast<float>(10.0 * std::log10(r * r + 1e-10) - 0.691);
  return -70.0f;
}

float LoudnessMeter::Compress(float x) {
  if (x > 0.7f) x = (x - 0.7f) / (2.0f * (x - 0.7f) + 1.0f) + 0.7f;
  // The knee approaches 1.2; what passes 1 (inputs from about 1.45) is held at full
  // scale. Folding it back through 1 - exp(-2 (x - 1)) would turn the loudest bins
  // nearly dark and hide the beats of loud music.
  if (x > 1.0f) x = 1.0f;
  return x;
}

void LoudnessMeter::Process(std::span<float> spectrum) {
  if (spectrum.empty()) return;
  const float loudness = Measure(spectrum);
  float wanted = m_gain;
  if (!(loudness < m_gate)) {
    wanted = std::pow(10.0f, (m_target - loudness) / 20.0f);
    wanted = std::min(wanted, 100.0f);
    if (!(wanted > 0.1f)) wanted = 0.1f;
  }
  m_gain = m_gain * 0.95f + wanted * 0.05f;
  for (float& bin : spectrum) bin = Compress(bin * m_gain);
}
