// Automatic gain for the spectrum: measures a frequency-weighted loudness in dB,
// moves a smoothed gain toward the target loudness and compresses the scaled bins
// with a soft knee. The gain carries from block to block.
#pragma once
#include <span>
#include <vector>

class LoudnessMeter {
public:
  explicit LoudnessMeter(float sampleRate);

  // Weighted loudness of a magnitude spectrum in dB; -70 for (near) silence.
  float Measure(std::span<const float> spectrum) const;
  // Scales the spectrum in place by the smoothed gain and compresses it.
  void Process(std::span<float> spectrum);
  // The soft knee above 0.7 and the limit at 1 applied to one gained bin.
  static float Compress(float x);

  float SampleRate() const { return m_sampleRate; }
  float Gain() const { return m_gain; }
  const std::vector<float>& Weights() const { return m_weights; }

  static constexpr int kBins = 1024;

private:
  void BuildWeights();

  float m_sampleRate;
  float m_target = -18.0f;
  float m_gain = 1.0f;
  float m_gate = -70.0f;
  std::vector<float> m_weights;
};
