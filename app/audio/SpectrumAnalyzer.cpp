#include "audio/SpectrumAnalyzer.h"

#include <cmath>
#include <utility>

SpectrumAnalyzer::SpectrumAnalyzer(int size) : m_size(size), m_window(size), m_twiddles(size) {
  // The symmetric Hann window, with 2 pi as the float 6.2831855.
  const float denominator = static_cast<float>(size - 1);
  for (int i = 0; i < size; ++i)
    m_window[i] = 0.5f * (1.0f - std::cos(6.2831855f * static_cast<float>(i) / denominator));
  for (int k = 0; k < size / 2; ++k) {
    const double angle = -2.0 * 3.14159265358979323846 * k / size;
    m_twiddles[2 * k] = static_cast<float>(std::cos(angle));
    m_twiddles[2 * k + 1] = static_cast<float>(std::sin(angle));
  }
}

std::vector<float> SpectrumAnalyzer::Compute(std::span<const float> values) const {
  const int n = m_size;
  std::vector<float> buffer(2 * static_cast<size_t>(n), 0.0f);
  const int count = std::min<int>(n, static_cast<int>(values.size()));
  for (int i = 0; i < count; ++i) buffer[2 * i] = m_window[i] * values[i];
  Transform(buffer.data());

  std::vector<float> magnitudes(n / 2);
  for (int k = 0; k < n / 2; ++k) {
    const float re = buffer[2 * k];
    const float im = buffer[2 * k + 1];
    magnitudes[k] = std::sqrt(re * re + im * im) / static_cast<float>(n);
  }
  return magnitudes;
}

void SpectrumAnalyzer::Transform(float* data) const {
  const int count = m_size;
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
  // Butterflies: stage `length` uses every (count / length)-th twiddle.
  for (int length = 2; length <= count; length <<= 1) {
    const int half = length / 2;
    const int stride = count / length;
    for (int start = 0; start < count; start += length) {
      for (int k = 0; k < half; ++k) {
        const float wRe = m_twiddles[2 * k * stride], wIm = m_twiddles[2 * k * stride + 1];
        float* a = data + 2 * (start + k);
        float* b = data + 2 * (start + k + half);
        const float tRe = wRe * b[0] - wIm * b[1];
        const float tIm = wRe * b[1] + wIm * b[0];
        b[0] = a[0] - tRe;
        b[1] = a[1] - tIm;
        a[0] += tRe;
        a[1] += tIm;
      }
    }
  }
}
