// Spectrum, loudness and band analysis of one block.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "AudioProbe.h"
#include "SyntheticAudio.h"
#include "audio/LoudnessMeter.h"
#include "audio/SpectrumAnalyzer.h"

namespace {
constexpr double kPi = 3.141592653589793;

// |DFT| / N of the Hann-windowed values, in double precision.
double PlainMagnitude(const std::vector<float>& values, int k) {
  const int n = static_cast<int>(values.size());
  std::complex<double> sum = 0.0;
  for (int i = 0; i < n; ++i) {
    const double window = 0.5 * (1.0 - std::cos(2.0 * kPi * i / (n - 1)));
    sum += window * values[i] * std::polar(1.0, -2.0 * kPi * k * i / n);
  }
  return std::abs(sum) / n;
}
}  // namespace

TEST(SpectrumAnalyzer, SineLandsInItsBinWithTheHannGain) {
  const int n = 2048;
  std::vector<float> block(n);
  for (int i = 0; i < n; ++i) block[i] = static_cast<float>(std::sin(2.0 * kPi * 64 * i / n));
  const std::vector<float> magnitudes = SpectrumAnalyzer(n).Compute(block);
  ASSERT_EQ(magnitudes.size(), 1024u);

  // Amplitude 1 x Hann coherent gain 0.5 / 2 (half the energy in the mirror bin).
  EXPECT_NEAR(magnitudes[64], 0.25, 2e-4);
  EXPECT_NEAR(magnitudes[63], 0.125, 2e-4);
  EXPECT_NEAR(magnitudes[65], 0.125, 2e-4);
  EXPECT_LT(magnitudes[70], 1e-3);
  for (int k : {0, 1, 63, 64, 65, 70, 300, 1023})
    EXPECT_NEAR(magnitudes[k], PlainMagnitude(block, k), 2e-6) << "bin " << k;
}

TEST(SpectrumAnalyzer, ShortBlocksArePaddedAndTinyTransformsLeftAlone) {
  std::vector<float> values(100, 1.0f);
  const std::vector<float> magnitudes = SpectrumAnalyzer(256).Compute(values);
  std::vector<float> padded(values);
  padded.resize(256, 0.0f);
  EXPECT_NEAR(magnitudes[0], PlainMagnitude(padded, 0), 1e-6);

  float one[2] = {3.0f, -1.0f};
  SpectrumAnalyzer(1).Transform(one);
  EXPECT_EQ(one[0], 3.0f);
  EXPECT_EQ(one[1], -1.0f);
  EXPECT_TRUE(SpectrumAnalyzer(1).Compute(std::vector<float>{3.0f}).empty());
}

TEST(LoudnessMeter, WeightsFollowTheCurve) {
  struct Case { int bin; float rate; double weight; };
  const Case cases[] = {
      {0, 48000, 0.0},                 // DC
      {1, 48000, 0.054931640625},      // 23.4 Hz: (f / 100)^2
      {4, 48000, 0.87890625},          // 93.75 Hz
      {5, 48000, 1.0},                 // 117 Hz: flat
      {43, 48000, 1.0639763176},       // 1008 Hz: presence bump begins
      {85, 48000, 1.4941634834},       // 1992 Hz: near the +50 % peak
      {171, 48000, 1.0},               // 4008 Hz: past the bump
      {427, 48000, 0.9984393291},      // 10008 Hz: high roll-off
      {512, 48000, 0.6944444444},      // 12 kHz
      {1023, 48000, 0.1739506927},
      {4, 44100, 0.7418861389},        // 86 Hz at 44.1 kHz
      {93, 44100, 1.4980640941},       // 2003 Hz at 44.1 kHz
  };
  for (const Case& c : cases) {
    LoudnessMeter meter(c.rate);
    ASSERT_EQ(meter.Weights().size(), 1024u);
    EXPECT_NEAR(meter.Weights()[c.bin], c.weight, 1e-5) << "bin " << c.bin << " at " << c.rate;
  }
}

TEST(LoudnessMeter, MeasureOfSilenceAndOfSingleBins) {
  LoudnessMeter meter(48000);
  std::vector<float> spectrum(1024, 0.0f);
  EXPECT_EQ(meter.Measure(spectrum), -70.0f);
  EXPECT_EQ(meter.Measure({}), -70.0f);

  const struct { float magnitude; double db; } cases[] = {
      {1.0f, -29.1333832}, {0.5f, -35.1539822}, {0.01f, -69.1303505}};
  for (const auto& c : cases) {
    spectrum[200] = c.magnitude;  // 9375 Hz, weight 1
    EXPECT_NEAR(meter.Measure(spectrum), c.db, 1e-3) << c.magnitude;
  }
}

TEST(LoudnessMeter, SilenceCreepsTheGainTowardItsLimit) {
  // Silence measures exactly -70 dB, which is not below the gate: the wanted gain is
  // 10^(52/20), limited to 100, and the gain moves 5 % of the way per block.
  LoudnessMeter meter(48000);
  const double expected[] = {5.95, 10.6525, 15.119875};
  for (double gain : expected) {
    std::vector<float> zeros(1024, 0.0f);
    meter.Process(zeros);
    EXPECT_NEAR(meter.Gain(), gain, 1e-4);
    for (float bin : zeros) ASSERT_EQ(bin, 0.0f);
  }
  for (int i = 3; i < 10; ++i) {
    std::vector<float> zeros(1024, 0.0f);
    meter.Process(zeros);
  }
  EXPECT_NEAR(meter.Gain(), 40.725043, 1e-3);
}

TEST(LoudnessMeter, QuietButNotSilentBlocksHoldTheGain) {
  LoudnessMeter meter(48000);
  std::vector<float> quiet(1024, 0.0f);
  quiet[200] = 1e-4f;  // about -89 dB: below the gate
  ASSERT_LT(meter.Measure(quiet), -70.0f);
  meter.Process(quiet);
  EXPECT_FLOAT_EQ(meter.Gain(), 1.0f);
  EXPECT_NEAR(quiet[200], 1e-4f, 1e-9);

  std::vector<float> empty;
  meter.Process(empty);
  EXPECT_FLOAT_EQ(meter.Gain(), 1.0f);
}

TEST(LoudnessMeter, SteadyToneAtMinus6DbSettlesTheGainAtAQuarter) {
  LoudnessMeter meter(48000);
  std::vector<float> tone(1024, 0.0f);
  tone[200] = 14.343964f;
  ASSERT_NEAR(meter.Measure(tone), -6.0, 1e-3);
  for (int block = 0; block < 400; ++block) {
    std::vector<float> copy(tone);
    meter.Process(copy);
  }
  EXPECT_NEAR(meter.Gain(), 0.251189, 1e-4);  // 10^(-12/20)
}

TEST(LoudnessMeter, SoftKneeAndLimit) {
  // Above 0.7 the knee bends toward 1.2; from about 1.45 the result is held at 1 (it is
  // not folded back toward 0, which would darken the loudest bins).
  const struct { float in, out; } cases[] = {
      {0.5f, 0.5f}, {0.7f, 0.7f}, {0.8f, 0.783333f}, {1.0f, 0.8875f}, {1.4f, 0.9916667f},
      {1.45f, 1.0f}, {1.5f, 1.0f}, {2.0f, 1.0f}, {100.0f, 1.0f}};
  for (const auto& c : cases) EXPECT_NEAR(LoudnessMeter::Compress(c.in), c.out, 1e-5) << c.in;
  float previous = 0.0f;
  for (float x = 0.0f; x < 5.0f; x += 0.01f) {
    ASSERT_GE(LoudnessMeter::Compress(x), previous) << x;  // never darker for a louder bin
    previous = LoudnessMeter::Compress(x);
  }

  // Process applies gain then the knee to every bin.
  LoudnessMeter meter(48000);
  std::vector<float> spectrum(1024, 0.0f);
  spectrum[10] = 0.8f;
  spectrum[11] = 2.0f;
  const float loudness = meter.Measure(spectrum);
  const float gain = 0.95f + 0.05f * std::pow(10.0f, (-18.0f - loudness) / 20.0f);
  meter.Process(spectrum);
  EXPECT_NEAR(meter.Gain(), gain, 1e-5);
  EXPECT_NEAR(spectrum[10], LoudnessMeter::Compress(0.8f * gain), 1e-6);
  EXPECT_NEAR(spectrum[11], LoudnessMeter::Compress(2.0f * gain), 1e-6);
}

TEST(AverageBands, BandEdgesOf32And64Bands) {
  // Two ramps identify the averaged range: the mean of k and the mean of k^2.
  std::vector<float> linear(1024), square(1024);
  for (int k = 0; k < 1024; ++k) {
    linear[k] = k / 1024.0f;
    square[k] = (k / 1024.0f) * (k / 1024.0f);
  }
  struct Case { int bands, band, lo, hi; };  // bins lo..hi inclusive
  const Case cases[] = {
      {32, 0, 0, 0},     {32, 1, 0, 0},     {32, 2, 0, 0},     {32, 3, 0, 1},
      {32, 4, 2, 2},     {32, 5, 3, 5},     {32, 8, 16, 21},   {32, 9, 22, 30},
      {32, 16, 128, 152}, {32, 20, 250, 288}, {32, 21, 289, 331}, {32, 30, 843, 929},
      {32, 31, 930, 1023}, {64, 0, 0, 0},    {64, 6, 0, 0},     {64, 7, 1, 1},
      {64, 8, 2, 2},     {64, 16, 16, 18},  {64, 32, 128, 139}, {64, 62, 930, 975},
      {64, 63, 976, 1023},
  };
  for (const Case& c : cases) {
    std::vector<float> outLinear(c.bands), outSquare(c.bands);
    KeyboardAudio::AverageBands(linear, outLinear.data(), c.bands);
    KeyboardAudio::AverageBands(square, outSquare.data(), c.bands);
    double meanLinear = 0, meanSquare = 0;
    for (int k = c.lo; k <= c.hi; ++k) {
      meanLinear += linear[k];
      meanSquare += square[k];
    }
    const int count = c.hi - c.lo + 1;
    EXPECT_NEAR(outLinear[c.band], meanLinear / count, 1e-6) << c.bands << " bands, band " << c.band;
    EXPECT_NEAR(outSquare[c.band], meanSquare / count, 1e-6) << c.bands << " bands, band " << c.band;
  }
}

TEST(AverageBands, ClampsAndIgnoresMissingInput) {
  std::vector<float> loud(1024, 3.0f), negative(1024, -1.0f);
  float out[32];
  KeyboardAudio::AverageBands(loud, out, 32);
  for (float v : out) EXPECT_EQ(v, 1.0f);
  KeyboardAudio::AverageBands(negative, out, 32);
  for (float v : out) EXPECT_EQ(v, 0.0f);

  out[0] = 0.5f;
  KeyboardAudio::AverageBands({}, out, 32);
  KeyboardAudio::AverageBands(loud, nullptr, 32);
  EXPECT_EQ(out[0], 0.5f);
}

TEST(BassMidTreble, MeansOverTheirBandRanges) {
  AudioProbe audio;
  std::fill(std::begin(audio.m_bands32), std::end(audio.m_bands32), 1.0f);
  audio.ComputeBassMidTreble();
  EXPECT_FLOAT_EQ(audio.m_bass, 1.0f);
  EXPECT_FLOAT_EQ(audio.m_mid, 1.0f);
  EXPECT_FLOAT_EQ(audio.m_treble, 1.0f);

  // Bass 0-8, mid 9-20, treble 21-31.
  for (int i = 0; i < 32; ++i) audio.m_bands32[i] = i <= 8 ? 0.9f : i <= 20 ? 0.6f : 0.3f;
  audio.m_bands32[0] = 0.0f;  // one silent lowest band is not enough to skip
  audio.ComputeBassMidTreble();
  EXPECT_NEAR(audio.m_bass, 0.8f, 1e-6);
  EXPECT_NEAR(audio.m_mid, 0.6f, 1e-6);
  EXPECT_NEAR(audio.m_treble, 0.3f, 1e-6);
}

TEST(BassMidTreble, TwoSilentLowestBandsKeepThePreviousValues) {
  AudioProbe audio;
  audio.m_bass = 0.4f;
  audio.m_mid = 0.5f;
  audio.m_treble = 0.6f;
  std::fill(std::begin(audio.m_bands32), std::end(audio.m_bands32), 1.0f);
  audio.m_bands32[0] = audio.m_bands32[1] = 0.0f;
  audio.ComputeBassMidTreble();
  EXPECT_EQ(audio.m_bass, 0.4f);
  EXPECT_EQ(audio.m_mid, 0.5f);
  EXPECT_EQ(audio.m_treble, 0.6f);
}

TEST(AnalyseBlock, ASineBlockFillsTheBandsOfItsFrequency) {
  AudioProbe audio;
  // 2048 stereo frames make one block: a tone in bin 100 (bands32 index 14).
  auto script = std::make_shared<PacketScript>();
  StereoTones tone(100 * 48000.0 / 2048, 0.3f);
  script->AddSamples(tone.Next(2048), 2048);
  audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
  audio.ProcessPackets();

  EXPECT_EQ(audio.m_blockFill, 0);
  ASSERT_EQ(audio.m_spectrum.size(), 1024u);
  int loudest = 0;
  for (int k = 1; k < 1024; ++k)
    if (audio.m_spectrum[k] > audio.m_spectrum[loudest]) loudest = k;
  EXPECT_EQ(loudest, 100);
  EXPECT_GT(audio.m_loudness->Gain(), 1.0f);  // a quiet tone is lifted toward the target
  int loudestBand = 0;
  for (int b = 1; b < 32; ++b)
    if (audio.m_bands32[b] > audio.m_bands32[loudestBand]) loudestBand = b;
  EXPECT_EQ(loudestBand, 14);  // bins 85-104
  EXPECT_LT(audio.m_bands32[31], 1e-3f * audio.m_bands32[14]);
  EXPECT_GT(audio.m_mid, audio.m_treble);
}
