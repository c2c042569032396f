// The visualiser's analysis, composition, frame hand-over and render thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <complex>
#include <memory>
#include <thread>
#include <vector>

#include "audio/Visualizer.h"

namespace {
constexpr double kPi = 3.141592653589793;
constexpr COLORREF kWhite = 0xFEFEFE;  // solid white at full brightness

class VisualizerTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::fill(std::begin(Visualizer::s_displayLevels), std::end(Visualizer::s_displayLevels), 0.0f);
    Visualizer::s_ringRotation = 0.0f;
    v->Init();
  }
  // A cosine in bin `bin` of the 512-point input.
  static std::vector<float> Cosine(int bin, float amplitude) {
    std::vector<float> samples(512);
    for (int n = 0; n < 512; ++n) samples[n] = amplitude * static_cast<float>(std::cos(2.0 * kPi * bin * n / 512));
    return samples;
  }
  std::vector<COLORREF> Front() const {
    std::vector<COLORREF> frame(Visualizer::kPixels);
    v->CopyFrontFrame(frame.data());
    return frame;
  }
  void Plain() {  // no window, no band processing
    v->m_window = 0;
    v->m_bandMode = 2;
  }

  std::unique_ptr<Visualizer> v = std::make_unique<Visualizer>();
};
}  // namespace

TEST_F(VisualizerTest, WindowTablesArePeriodic) {
  const struct { int i; float hann, hamming, blackman; } cases[] = {
      {0, 0.0f, 0.08f, 0.0f}, {64, 0.5f, 0.54f, 0.34f}, {128, 1.0f, 1.0f, 1.0f}, {192, 0.5f, 0.54f, 0.34f},
      {32, 0.1464466f, 0.2147309f, 0.0664466f}};
  for (const auto& c : cases) {
    EXPECT_NEAR(v->m_hann[c.i], c.hann, 1e-6) << c.i;
    EXPECT_NEAR(v->m_hamming[c.i], c.hamming, 1e-6) << c.i;
    EXPECT_NEAR(v->m_blackman[c.i], c.blackman, 1e-6) << c.i;
  }
  EXPECT_NEAR(v->m_hann[255], v->m_hann[1], 1e-7);  // periodic: no second zero at the end
  EXPECT_NEAR(Visualizer::s_weights[0], 0.04f, 1e-7);
  EXPECT_NEAR(Visualizer::s_weights[255], 0.04f + 255 * 0.5f / 256, 1e-6);
}

TEST_F(VisualizerTest, RealFftMatchesAPlainDft) {
  std::vector<float> data(512);
  uint32_t state = 7;
  for (float& x : data) {
    state = state * 1664525u + 1013904223u;
    x = static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
  }
  std::vector<float> packed(data);
  Visualizer::RealFft(packed.data());

  // X[k] = 1/512 sum x[n] exp(+2 pi i k n / 512).
  auto dft = [&](int k) {
    std::complex<double> sum = 0.0;
    for (int n = 0; n < 512; ++n) sum += static_cast<double>(data[n]) * std::polar(1.0, 2.0 * kPi * k * n / 512);
    return sum / 512.0;
  };
  EXPECT_NEAR(packed[0], dft(0).real(), 1e-6);
  EXPECT_NEAR(packed[1], dft(256).real(), 1e-6);
  for (int k = 1; k < 256; ++k) {
    const std::complex<double> expected = dft(k);
    ASSERT_NEAR(packed[2 * k], expected.real(), 1e-6) << "bin " << k;
    ASSERT_NEAR(packed[2 * k + 1], expected.imag(), 1e-6) << "bin " << k;
  }
}

TEST_F(VisualizerTest, ABinFillsFourColumns) {
  Plain();
  v->PushSamples(Cosine(3, 40.0f).data(), 512);
  v->Analyse();
  // |X3| = 20, weighted by s_weights[6]: m = 1.034375, v = 0.5 log10(1.1 m) + 0.9 m.
  for (int c = 12; c <= 15; ++c) EXPECT_NEAR(v->m_columnLevels[c], 0.958974f, 1e-5) << c;
  for (int c : {0, 11, 16, 100, 255}) EXPECT_EQ(v->m_columnLevels[c], 0.0f) << c;
  EXPECT_EQ(Visualizer::s_displayLevels[13], v->m_columnLevels[13]);
}

TEST_F(VisualizerTest, BandModesSpreadTheColumns) {
  v->m_window = 0;
  v->PushSamples(Cosine(3, 40.0f).data(), 512);
  v->m_bandMode = 0;  // groups of 8: columns 8-15 share the mean of four lit columns
  v->Analyse();
  for (int c = 8; c <= 15; ++c) EXPECT_NEAR(v->m_columnLevels[c], 0.958974f / 2, 1e-5) << c;
  EXPECT_EQ(v->m_columnLevels[7], 0.0f);
  EXPECT_EQ(v->m_columnLevels[16], 0.0f);

  v->Init();
  v->m_window = 0;
  v->PushSamples(Cosine(3, 40.0f).data(), 512);
  v->Analyse();  // moving average of radius 8
  EXPECT_EQ(v->m_columnLevels[3], 0.0f);
  for (int c = 4; c <= 23; ++c) EXPECT_GT(v->m_columnLevels[c], 0.0f) << c;
  EXPECT_LT(v->m_columnLevels[13], 0.5f);
}

TEST_F(VisualizerTest, WindowsAndTheInputLength) {
  std::vector<float> input = Cosine(3, 40.0f);
  auto columns = [&](int window, const float* samples, int count) {
    v->Init();
    v->m_window = window;
    v->m_bandMode = 2;
    v->PushSamples(samples, count);
    v->Analyse();
    return std::vector<float>(v->m_columnLevels, v->m_columnLevels + 256);
  };
  const auto none = columns(0, input.data(), 512);
  EXPECT_EQ(columns(4, input.data(), 512), none);
  EXPECT_NE(columns(1, input.data(), 512), none);

  std::vector<float> longer(input);
  longer.resize(1000, 1000.0f);  // only the first 512 count
  EXPECT_EQ(columns(0, longer.data(), 1000), none);

  std::vector<float> padded(input.begin(), input.begin() + 100);
  padded.resize(512, 0.0f);
  EXPECT_EQ(columns(0, input.data(), 100), columns(0, padded.data(), 512));
}

TEST_F(VisualizerTest, BandWidthsOutOfRangeAreLimited) {
  v->PushSamples(Cosine(3, 40.0f).data(), 512);
  for (int mode : {0, 1})
    for (int width : {0, -3, 200, 1000}) {
      v->m_bandMode = mode;
      v->m_bandWidth = width;
      v->Analyse();
      for (float level : v->m_columnLevels) ASSERT_TRUE(level >= 0.0f && level <= 1.0f) << mode << "/" << width;
    }
}

TEST_F(VisualizerTest, SilenceDecaysTheBarsByAFifthPerFrame) {
  Plain();
  v->m_foregroundMode = 6;
  v->m_backgroundMode = 0;
  v->PushSamples(Cosine(3, 40.0f).data(), 512);
  v->RenderFrame();
  EXPECT_EQ(Front()[63 * 256 + 12], kWhite);
  v->ClearInput();
  int frames = 0;
  float expected = v->m_columnLevels[12];
  while (Front()[63 * 256 + 12] == kWhite && frames < 100) {
    v->RenderFrame();
    expected *= 0.8f;
    ASSERT_NEAR(v->m_columnLevels[12], expected, 1e-6);
    ++frames;
  }
  EXPECT_EQ(frames, 19);  // 0.959 x 0.8^19 is below the bottom row's 1/64
}

TEST_F(VisualizerTest, BarsRiseFromTheBottomAndRowZeroIsAMeterFromTheCentre) {
  v->m_smoothing = 0.0f;  // keep the display levels set here
  v->m_foregroundMode = 6;
  v->m_backgroundMode = 0;
  Visualizer::s_displayLevels[5] = 0.55f;  // meter t = 0.5
  Visualizer::s_displayLevels[200] = 0.5f;
  Visualizer::s_displayLevels[201] = 1.0f;
  v->RenderFrame();
  const std::vector<COLORREF> frame = Front();

  for (int j = 0; j < 256; ++j) EXPECT_EQ(frame[j], j >= 64 && j <= 191 ? kWhite : 0u) << "row 0, column " << j;
  EXPECT_EQ(frame[32 * 256 + 200], 0u);  // 0.5 is not above (64 - 32) / 64
  EXPECT_EQ(frame[33 * 256 + 200], kWhite);
  EXPECT_EQ(frame[63 * 256 + 200], kWhite);
  EXPECT_EQ(frame[1 * 256 + 201], kWhite);
  EXPECT_EQ(frame[63 * 256 + 202], 0u);
  EXPECT_EQ(frame[40 * 256 + 5], kWhite);  // column 5 at 0.55: rows 29 and below
  EXPECT_EQ(frame[28 * 256 + 5], 0u);
}

TEST_F(VisualizerTest, HueAdvancesAndWraps) {
  v->m_hue = 355.0f;
  v->RenderFrame();
  EXPECT_EQ(v->m_hue, 360.0f);
  v->RenderFrame();  // wraps to 0 before the layers, then advances
  EXPECT_EQ(v->m_hue, 5.0f);
  v->m_hue = -1.0f;
  v->RenderFrame();
  EXPECT_EQ(v->m_hue, 365.0f);
}

TEST_F(VisualizerTest, FramesAlternateBetweenTwoBuffers) {
  v->m_backgroundMode = 7;  // red
  v->m_foregroundMode = 22;  // untouched: black
  v->RenderFrame();
  std::vector<COLORREF> background(Visualizer::kPixels);
  v->CopyBackground(background.data());
  EXPECT_EQ(background[100], 0x0000FEu);
  EXPECT_EQ(Front()[100], 0x0000FEu);
  v->m_backgroundMode = 10;  // green
  v->RenderFrame();
  EXPECT_EQ(Front()[100], 0x00FE00u);
}

TEST_F(VisualizerTest, ReadersNeverSeeAHalfWrittenFrame) {
  // Both layers in mode 5 paint every pixel of a frame in the same hue-driven colour,
  // which changes every frame: a torn copy would hold two colours.
  v->m_backgroundMode = 5;
  v->m_foregroundMode = 5;
  std::atomic<bool> done{false};
  std::atomic<int> torn{0}, copies{0};
  std::thread reader([&] {
    std::vector<COLORREF> frame(Visualizer::kPixels);
    while (!done) {
      v->CopyFrontFrame(frame.data());
      for (COLORREF c : frame)
        if (c != frame[0]) {
          ++torn;
          break;
        }
      ++copies;
    }
  });
  for (int i = 0; i < 400 || (copies < 50 && i < 100000); ++i) v->RenderFrame();
  done = true;
  reader.join();
  EXPECT_EQ(torn, 0);
  EXPECT_GT(copies, 0);
}

TEST_F(VisualizerTest, RenderThreadRendersOnlyWhileEnabledAndStops) {
  v->m_foregroundMode = 6;
  v->m_backgroundMode = 7;
  v->Start();
  v->PushSamples(Cosine(3, 40.0f).data(), 512);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(Front()[0], 0u);  // disabled: the front frame stays as constructed

  v->m_enabled = true;
  bool rendered = false;
  for (int i = 0; i < 400 && !rendered; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    rendered = Front()[32 * 256] == 0x0000FEu;
  }
  EXPECT_TRUE(rendered);
  v->Stop();
  v->Stop();
  const std::vector<COLORREF> stopped = Front();
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_EQ(Front(), stopped);
}

TEST_F(VisualizerTest, DestroyingARunningVisualizerJoinsItsThread) {
  v->Start();
  v->m_enabled = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  v.reset();  // must not leave the thread running on freed memory
  v = std::make_unique<Visualizer>();
  v->Start();
  v.reset();  // disabled, sleeping in its 500 ms step: still ends promptly
  SUCCEED();
}
