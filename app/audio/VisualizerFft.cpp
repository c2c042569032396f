// Visualizer: the 512-point real FFT, computed as a 256-point complex FFT over sample
// pairs followed by the usual real-signal unpacking (both with the positive exponent).
#include "audio/Visualizer.h"

#include <cmath>
#include <utility>

namespace {
constexpr double kPi = 3.141592653589793;
}

void Visualizer::BitReverse(float* data, int count) {
  for (int i = 1, j = 0; i < count; ++i) {
    int bit = count >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) {
      std::swap(data[2 * i], data[2 * j]);
      std::swap(data[2 * i + 1], data[2 * j + 1]);
    }
  }
}

void Visualizer::ComplexFft(float* data, int count) {
  const int n = 2 * count;  // floats
  for (int span = 2; span < n; span *= 2) {
    const int step = 2 * span;
    const double theta = 2.0 * kPi / span;
    const double half = std::sin(0.5 * theta);
    const double wpr = -2.0 * half * half, wpi = std::sin(theta);
    double wr = 1.0, wi = 0.0;
    for (int m = 0; m < span; m += 2) {
      for (int i = m; i < n; i += step) {
        const int j = i + span;
        const float tr = static_cast<float>(wr * data[j] - wi * data[j + 1]);
        const float ti = static_cast<float>(wr * data[j + 1] + wi * data[j]);
        data[j] = data[i] - tr;
        data[j + 1] = data[i + 1] - ti;
        data[i] += tr;
        data[i + 1] += ti;
      }
      const double previous = wr;
      wr = wr * wpr - wi * wpi + wr;
      wi = wi * wpr + previous * wpi + wi;
    }
  }
  const float scale = 1.0f / static_cast<float>(n);
  for (int i = 0; i < n; ++i) data[i] *= scale;
}

void Visualizer::RealFft(float* data) {
  constexpr int n = kInput;
  BitReverse(data, n / 2);
  ComplexFft(data, n / 2);

  // Separate the transforms of the even and odd samples and combine them into the
  // spectrum of the 512 real samples.
  const double theta = kPi / (n / 2);
  const double half = std::sin(0.5 * theta);
  const double wpr = -2.0 * half * half, wpi = std::sin(theta);
  double wr = 1.0 + wpr, wi = wpi;
  const float c1 = 0.5f, c2 = -0.5f;
  for (int i = 1; i < n / 4; ++i) {
    const int i1 = 2 * i, i2 = i1 + 1, i3 = n - i1, i4 = i3 + 1;
    const float h1r = c1 * (data[i1] + data[i3]);
    const float h1i = c1 * (data[i2] - data[i4]);
    const float h2r = -c2 * (data[i2] + data[i4]);
    const float h2i = c2 * (data[i1] - data[i3]);
    data[i1] = static_cast<float>(h1r + wr * h2r - wi * h2i);
    data[i2] = static_cast<float>(h1i + wr * h2i + wi * h2r);
    data[i3] = static_cast<float>(h1r - wr * h2r + wi * h2i);
    data[i4] = static_cast<float>(-h1i + wr * h2i + wi * h2r);
    const double previous = wr;
    wr = wr * wpr - wi * wpi + wr;
    wi = wi * wpr + previous * wpi + wi;
  }
  const float dc = data[0];
  data[0] = dc + data[1];
  data[1] = dc - data[1];
}

void Visualizer::MultiplyTable(float* data, const float* table, int count) {
  for (int i = 0; i < count; ++i) data[i] *= table[i];
}
