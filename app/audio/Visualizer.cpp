// Visualizer: set-up, the render thread, the per-frame analysis and the composition.
// The FFT is in VisualizerFft.cpp, the colour layers in VisualizerLayers.cpp.
#include "audio/Visualizer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

float Visualizer::s_displayLevels[Visualizer::kWidth] = {};
float Visualizer::s_weights[Visualizer::kWidth] = {};
float Visualizer::s_ringRotation = 0.0f;

Visualizer::Visualizer() = default;

Visualizer::~Visualizer() { Stop(); }

void Visualizer::Init() {
  std::fill(std::begin(m_columnLevels), std::end(m_columnLevels), 0.0f);
  m_bandMode = 1;
  m_bandWidth = 8;
  m_window = 1;
  m_decayPercent = 80;
  m_hueSpeed = 500.0f;
  m_weightBase = 0.04f;
  m_weightSlope = 0.5f;
  m_smoothing = 1.0f;
  m_hue = 0.0f;
  m_enabled = false;
  m_backgroundMode = 0;
  m_backgroundBrightness = 100;
  m_foregroundMode = 17;
  m_foregroundBrightness = 100;

  // Periodic windows over 256 points.
  const double a = 8.0 * std::atan(1.0) / kWidth;
  for (int i = 0; i < kWidth; ++i) {
    m_hann[i] = static_cast<float>(0.5 * (1.0 - std::cos(a * i)));
    m_hamming[i] = static_cast<float>(0.54 - 0.46 * std::cos(a * i));
    m_blackman[i] = static_cast<float>(0.42 - 0.5 * std::cos(a * i) + 0.08 * std::cos(2.0 * a * i));
  }
  ClearInput();
  BuildWeights();
}

void Visualizer::BuildWeights() {
  for (int i = 0; i < kWidth; ++i)
    s_weights[i] = m_weightBase + static_cast<float>(i) * m_weightSlope / 256.0f;
  std::fill(std::begin(m_columnLevels), std::end(m_columnLevels), 0.0f);
}

void Visualizer::Start() {
  if (m_renderThread.joinable()) return;
  m_threadRunning = true;
  m_renderThread = std::thread(&Visualizer::RenderLoop, this);
}

void Visualizer::Stop() {
  {
    std::lock_guard<std::mutex> wake(m_wakeLock);
    m_threadRunning = false;
  }
  m_wake.notify_all();
  if (m_renderThread.joinable()) m_renderThread.join();
}

void Visualizer::Pause(int ms) {
  std::unique_lock<std::mutex> wake(m_wakeLock);
  m_wake.wait_for(wake, std::chrono::milliseconds(ms), [this] { return !m_threadRunning; });
}

void Visualizer::RenderLoop() {
  while (m_threadRunning) {
    if (!m_enabled) {
      Pause(500);
      continue;
    }
    RenderFrame();
    Pause(15);
  }
}

void Visualizer::PushSamples(const float* samples, int count) {
  std::lock_guard<std::mutex> lock(m_inputLock);
  if (samples && count > 0) {
    const int n = std::min(count, kInput);
    std::memcpy(m_input, samples, sizeof(float) * n);
    std::fill(m_input + n, m_input + kInput, 0.0f);
    m_inputValid = true;
  } else {
    std::fill(std::begin(m_input), std::end(m_input), 0.0f);
    m_inputValid = false;
  }
}

void Visualizer::RenderFrame() {
  Analyse();
  if (m_hue >= 360.0f) m_hue = 0.0f;
  else if (m_hue < 0.0f) m_hue = 360.0f;
  FillLayer(m_backgroundMode, m_backgroundBrightness, m_background);
  FillLayer(m_foregroundMode, m_foregroundBrightness, m_foreground);
  Compose();
  {
    std::lock_guard<std::mutex> lock(m_frameLock);
    std::swap(m_frontFrame, m_backFrame);
    std::memcpy(m_shownBackground, m_background, sizeof(m_shownBackground));
  }
  m_hue += m_hueSpeed / 100.0f;
}

void Visualizer::CopyFrontFrame(COLORREF* out) const {
  std::lock_guard<std::mutex> lock(m_frameLock);
  std::memcpy(out, m_frontFrame, sizeof(COLORREF) * kPixels);
}

void Visualizer::CopyBackground(COLORREF* out) const {
  std::lock_guard<std::mutex> lock(m_frameLock);
  std::memcpy(out, m_shownBackground, sizeof(COLORREF) * kPixels);
}

void Visualizer::Analyse() {
  const float decay = static_cast<float>(m_decayPercent) / 100.0f;
  for (float& level : m_columnLevels) level *= decay;

  float work[kInput];
  {
    std::lock_guard<std::mutex> lock(m_inputLock);
    if (m_inputValid) std::memcpy(work, m_input, sizeof(work));
    else std::fill(std::begin(work), std::end(work), 0.0f);
  }
  // Only the first 256 of the 512 samples are windowed.
  const float* table = m_window == 1 ? m_hann : m_window == 2 ? m_hamming : m_window == 3 ? m_blackman : nullptr;
  if (table)
    for (int i = 0; i < kWidth; ++i) work[i] *= table[i];

  RealFft(work);
  work[0] = work[2];  // the first magnitude pairs bin 1's real part with the Nyquist term
  MultiplyTable(work, s_weights, kWidth);

  // The lowest 64 bins, four columns each; a column rises at once and falls by decay.
  for (int k = 0; k < 64; ++k) {
    const float re = work[2 * k], im = work[2 * k + 1];
    const float m = std::sqrt(re * re + im * im);
    const float v = std::min(0.5f * std::log10(1.1f * m) + 0.9f * m, 1.0f);
    float& level = m_columnLevels[4 * k];
    if (v > level) level = v;
    if (level < 0.0f) level = 0.0f;
    for (int c = 1; c < 4; ++c) m_columnLevels[4 * k + c] = level;
  }

  ApplyBandMode();
  for (int j = 0; j < kWidth; ++j)
    s_displayLevels[j] += (m_columnLevels[j] - s_displayLevels[j]) * m_smoothing;
}

void Visualizer::ApplyBandMode() {
  float* col = m_columnLevels;
  const int w = std::clamp(m_bandWidth, 1, kWidth / 2 - 1);
  auto mean = [col](int from, int to) {  // columns from..to inclusive
    float sum = 0.0f;
    for (int j = from; j <= to; ++j) sum += col[j];
    return sum / static_cast<float>(to - from + 1);
  };
  auto setGroup = [col, &mean](int from, int to) { std::fill(col + from, col + to + 1, mean(from, to)); };

  if (m_bandMode == 0) {
    setGroup(0, w - 1);
    setGroup(kWidth - w, kWidth - 1);
    for (int start = 0; start < kWidth - w; start += w) setGroup(start, start + w - 1);
  } else if (m_bandMode == 1) {
    // In place, so later means include earlier results.
    for (int c = 0; c < w; ++c) {
      col[c] = mean(0, w + c);
      col[kWidth - 1 - c] = mean(kWidth - 1 - w - c, kWidth - 1);
    }
    for (int j = w; j <= kWidth - 1 - w; ++j) {
      float sum = 0.0f;
      for (int k = j - w; k <= j + w; ++k) sum += col[k];
      col[j] = sum / static_cast<float>(2 * w + 1);
    }
  }
}

void Visualizer::Compose() {
  COLORREF* frame = m_backFrame;
  for (int j = 0; j < kWidth; ++j) {
    const float level = s_displayLevels[j];
    for (int i = 0; i < kHeight; ++i) {
      const int p = i * kWidth + j;
      frame[p] = level > static_cast<float>(kHeight - i) / 64.0f ? m_foreground[p] : m_background[p];
    }
  }
  // Row 0: a level meter growing from the centre.
  const float t = s_displayLevels[5] - 0.05f;
  for (int j = 0; j < kWidth; ++j) {
    const float edge = j < 128 ? static_cast<float>(127 - j) / 128.0f : static_cast<float>(j - 128) / 128.0f;
    frame[j] = t > edge ? m_foreground[j] : m_background[j];
  }
}
