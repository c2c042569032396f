// Magnitude spectrum of one analysis block: symmetric Hann window, iterative radix-2
// complex FFT, |X[k]| / N for the lower half. The window and twiddle tables are built
// once; every analysis allocates its own working buffer.
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

  // In-place complex FFT of N interleaved (re, im) pairs, forward direction
  // exp(-2 pi i k n / N). A transform of fewer than two values leaves them as they are.
  void Transform(float* data) const;

private:
  int m_size;
  std::vector<float> m_window;    // N Hann weights
  std::vector<float> m_twiddles;  // N / 2 (re, im) pairs of exp(-2 pi i k / N)
};
