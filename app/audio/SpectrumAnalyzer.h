// Magnitude spectrum of one analysis block: symmetric Hann window, iterative radix-2
// complex FFT, |X[k]| / N for the lower half. Holds no buffers between calls.
#pragma once
#include <span>
#include <vector>

class SpectrumAnalyzer {
public:
  // `size` is the transform length N, a power of two.
  explicit SpectrumAnalyzer(int size);

  int Size() const { return m_size; }

  // N / 2 magnitudes of the windowed values; values past the end of the span count as 0.
  std::vector<float> Compute(std::span<const float> values) const;

  // In-place complex FFT over interleaved (re, im) pairs, `count` complex values,
  // forward direction exp(-2 pi i k n / N). Fewer than two values are left as they are.
  static void Transform(float* data, int count);

private:
  int m_size;
};
