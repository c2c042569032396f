#include "audio/SpectrumAnalyzer.h"

#include <cmath>
#include <utility>

SpectrumAnalyzer::SpectrumAnalyzer(int size) : m_size(size) {}

std::vector<float> SpectrumAnalyzer::Compute(std::span<const float> values) const {
  const int n = m_size;
  std::vector<float> buffer(2 * static_cast<size_t>(n), 0.0f);
  const int count = std::min<int>(n, static_cast<int>(values.size()));
  const float denominator = static_cast<float>(n - 1);
  for (int i = 0; i < count; ++i) {
    const float window = 0.5f * (1.0f - std::cos(6.2831855f * static_cast<float>(i) / denominator));
    buffer[2 * i] = window * values[i];
  }
  Transform(buffer.data(), n);

  std::vector<float> magnitudes(n / 2);
  for (int k = 0; k < n / 2; ++k) {
    const float re = buffer[2 * k];
    const float im = buffer[2 * k + 1];
    magnitudes[k] = std::sqrt(re * re + im * im) / static_cast<float>(n);
  }
  return magnitudes;
}

void SpectrumAnalyzer::Transform(float* data, int count) {
  if (count < 2) return;
  // Bit-reversal permutation.
  for (int i = 1, j = 0; i < count; ++i) {
    int bit = count >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) {
      std::swap(data[2 * i], data[2 * j]);
      std::swap(data[2 * i + 1], data[2 * j + 1]);
    }
  }
  // Butterflies; the twiddle recurrence runs in double so that 1024 steps stay exact
  // to single precision.
  for (int length = 2; length <= count; length <<= 1) {
    const double angle = -2.0 * 3.14159265358979323846 / length;
    const double stepRe = std::cos(angle), stepIm = std::sin(angle);
    const int half = length / 2;
    for (int start = 0; start < count; start += length) {
      double wRe = 1.0, wIm = 0.0;
      for (int k = 0; k < half; ++k) {
        float* a = data + 2 * (start + k);
        float* b = data + 2 * (start + k + half);
        const float tRe = static_cast<float>(wRe * b[0] - wIm * b[1]);
        const float tIm = static_cast<float>(wRe * b[1] + wIm * b[0]);
        b[0] = a[0] - tRe;
        b[1] = a[1] - tIm;
        a[0] += tRe;
        a[1] += tIm;
        const double next = wRe * stepRe - wIm * stepIm;
        wIm = wRe * stepIm + wIm * stepRe;
        wRe = next;
      }
    }
  }
}
