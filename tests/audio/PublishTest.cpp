// The hand-over to the consumers: the animated matrix bands, the values passed, and the
// order of the calls, watched through recording consumer doubles.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AudioProbe.h"
#include "SyntheticAudio.h"
#include "audio/AudioBands.h"
#include "audio/Visualizer.h"
#include "canvas/MatrixScreen.h"
#include "canvas/ZephraEffect.h"

namespace {
// Consumer doubles: they record every call in one shared log and keep what they got.
struct CallLog {
  std::vector<std::string> calls;
};

struct MatrixRecorder {
  CallLog* log;
  std::vector<float> bands, wave;
  float volume = -1;
  void SetAudioData(float* values, int count) {
    log->calls.push_back("matrix.SetAudioData");
    bands.assign(values, values + count);
  }
  void SetMasterVolume(float v) {
    log->calls.push_back("matrix.SetMasterVolume");
    volume = v;
  }
  void SetInputWave(float* values, int count) {
    log->calls.push_back("matrix.SetInputWave");
    wave.assign(values, values + count);
  }
};

struct CanvasRecorder {
  CallLog* log;
  float volume = -1, peak = -1, average = -1, level = -1;
  int amplitude = -1;
  const float* spectrum32 = nullptr;
  const float* bands8x8 = nullptr;
  bool beat = false;
  float strength = -1, bpm = -1, bass = -1, mid = -1, high = -1;
  void SetExternalAudioData(float v, float p, float a, int amp, float l) {
    log->calls.push_back("canvas.SetExternalAudioData");
    volume = v, peak = p, average = a, amplitude = amp, level = l;
  }
  void SetFFTSpectrum(const float* s32, const float* b64) {
    log->calls.push_back("canvas.SetFFTSpectrum");
    spectrum32 = s32, bands8x8 = b64;
  }
  void SetBeatData(bool b, float s, float t, float lo, float m, float hi) {
    log->calls.push_back("canvas.SetBeatData");
    beat = b, strength = s, bpm = t, bass = lo, mid = m, high = hi;
  }
};

struct RendererRecorder {
  CallLog* log;
  std::vector<float> samples;
  void PushSamples(const float* s, int count) {
    log->calls.push_back("visualizer.PushSamples");
    samples.assign(s, s + count);
  }
};
}  // namespace

TEST(BandAnimation, BandsFollowTheLevelWithTurningPhases) {
  AudioProbe audio;
  audio.now = 1000;  // one second after tick 0: phase i = 0.5 i + 2
  audio.PrepareBands(0.5f);
  const float expected[7] = {0.763674f, 0.707725f, 0.625402f, 0.447383f, 0.38648f, 0.282696f, 0.284929f};
  for (int i = 0; i < 7; ++i) EXPECT_NEAR(audio.m_bands7[i], expected[i], 1e-5) << i;

  audio.now = 2000;
  audio.PrepareBands(0.0f);
  for (float band : audio.m_bands7) EXPECT_EQ(band, 0.0f);
}

TEST(BandAnimation, SwingRangesPerBand) {
  struct Range { float level; int band; float low, high; };
  const Range ranges[] = {
      {1.0f, 0, 0.84f, 1.0f}, {1.0f, 6, 0.56f, 1.0f}, {0.5f, 3, 0.35f, 0.65f}};
  for (const Range& r : ranges) {
    AudioProbe audio;
    float seenLow = 2, seenHigh = -1;
    for (int i = 0; i < 2000; ++i) {
      audio.now += 16;
      audio.PrepareBands(r.level);
      seenLow = std::min(seenLow, audio.m_bands7[r.band]);
      seenHigh = std::max(seenHigh, audio.m_bands7[r.band]);
    }
    EXPECT_NEAR(seenLow, r.low, 2e-3) << "band " << r.band << " at " << r.level;
    EXPECT_NEAR(seenHigh, r.high, 2e-3) << "band " << r.band << " at " << r.level;
  }
}

TEST(BandAnimation, PercentOfTheLevel) {
  const struct { float level; int percent; } cases[] = {
      {0.009f, 0}, {0.5f, 50}, {0.995f, 99}, {1.0f, 100}, {0.0f, 0}};
  for (const auto& c : cases) {
    AudioProbe audio;
    EXPECT_EQ(audio.PrepareBands(c.level).percent, c.percent) << c.level;
  }
}

TEST(Publication, CallsEachConsumerInOrderWithTheCycleState) {
  AudioProbe audio;
  auto script = std::make_shared<PacketScript>();
  audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
  script->AddConstant(8, 0.05f);
  audio.ProcessPackets();  // peak 0.4, average level / 64
  audio.m_beat = true;
  audio.m_beatStrength = 0.7f;
  audio.m_bpm = 124.0f;
  audio.m_bass = 0.3f;
  audio.m_mid = 0.2f;
  audio.m_treble = 0.1f;

  CallLog log;
  MatrixRecorder matrix{&log};
  CanvasRecorder canvas{&log};
  RendererRecorder renderer{&log};
  DeliverAudio(audio.PrepareBands(0.25f), &matrix, &canvas, &renderer);

  const std::vector<std::string> order = {
      "matrix.SetAudioData",          "matrix.SetMasterVolume", "matrix.SetInputWave",
      "canvas.SetExternalAudioData",  "canvas.SetFFTSpectrum",  "canvas.SetBeatData",
      "visualizer.PushSamples"};
  EXPECT_EQ(log.calls, order);

  ASSERT_EQ(matrix.bands.size(), 7u);
  EXPECT_EQ(matrix.bands[0], audio.m_bands7[0]);
  EXPECT_EQ(matrix.volume, 1.0f);
  ASSERT_EQ(matrix.wave.size(), 512u);
  EXPECT_NEAR(matrix.wave[511], 0.1f, 1e-7);

  EXPECT_EQ(canvas.volume, 0.25f);
  EXPECT_NEAR(canvas.peak, 0.4f, 1e-6);
  EXPECT_NEAR(canvas.average, 0.6324555f / 64, 1e-7);
  EXPECT_EQ(canvas.amplitude, 25);
  EXPECT_NEAR(canvas.level, 0.1f, 1e-6);  // the RMS
  EXPECT_EQ(canvas.spectrum32, audio.m_bands32);
  EXPECT_EQ(canvas.bands8x8, audio.m_bands64);
  EXPECT_TRUE(canvas.beat);
  EXPECT_EQ(canvas.strength, 0.7f);
  EXPECT_EQ(canvas.bpm, 124.0f);
  EXPECT_EQ(canvas.bass, 0.3f);
  EXPECT_EQ(canvas.mid, 0.2f);
  EXPECT_EQ(canvas.high, 0.1f);

  EXPECT_EQ(renderer.samples, matrix.wave);
}

TEST(Publication, MissingConsumersAreSkipped) {
  AudioProbe audio;
  CallLog log;
  CanvasRecorder canvas{&log};
  RendererRecorder renderer{&log};
  DeliverAudio(audio.PrepareBands(0.5f), static_cast<MatrixRecorder*>(nullptr), &canvas, &renderer);
  EXPECT_EQ(log.calls, (std::vector<std::string>{"canvas.SetExternalAudioData", "canvas.SetFFTSpectrum",
                                                 "canvas.SetBeatData", "visualizer.PushSamples"}));
  log.calls.clear();
  DeliverAudio(audio.PrepareBands(0.5f), static_cast<MatrixRecorder*>(nullptr),
               static_cast<CanvasRecorder*>(nullptr), static_cast<RendererRecorder*>(nullptr));
  EXPECT_TRUE(log.calls.empty());
}

TEST(Publication, CaptureCyclesFeedTheCanvasControls) {
  AudioProbe audio;
  auto script = std::make_shared<PacketScript>();
  audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
  MatrixScreen matrix(nullptr, 277, CRect(0, 0, 70, 70), 0);
  ZephraEffect canvas(nullptr, 59, CRect(0, 0, 320, 80), 0);
  auto visualizer = std::make_unique<Visualizer>();
  visualizer->Init();
  audio.m_matrixConsumer = &matrix;
  audio.m_canvasConsumer = &canvas;
  audio.m_visualizerConsumer = visualizer.get();

  script->AddConstant(8, 0.05f);
  audio.ProcessPackets();
  EXPECT_NEAR(canvas.GetCurrentVolume(), 0.6324555f, 1e-6);
  EXPECT_EQ(canvas.GetMusicAmplitude(), 63);
  EXPECT_NEAR(canvas.GetAudioLevel(), 0.1f, 1e-6);  // the RMS
  EXPECT_EQ(canvas.GetPeakVolume(), 0.0f);           // of the cycle before
  EXPECT_EQ(matrix.GetInputWaveCount(), 512);
  EXPECT_NEAR(matrix.GetInputWave(511), 0.1f, 1e-7);
  EXPECT_EQ(matrix.GetMasterVolume(), 1.0f);
  EXPECT_GT(matrix.GetAudioLevel(0), 0.0f);

  script->AddConstant(8, 0.0f);
  audio.ProcessPackets();
  EXPECT_NEAR(canvas.GetPeakVolume(), 0.4f, 1e-6);
  EXPECT_EQ(canvas.GetCurrentVolume(), 0.0f);
  EXPECT_EQ(matrix.GetAudioLevel(0), 0.0f);

  // A keyboard without a matrix screen: only the canvas and the visualiser are fed.
  audio.m_matrixConsumer = nullptr;
  script->AddConstant(8, 0.2f);
  audio.ProcessPackets();
  EXPECT_EQ(canvas.GetCurrentVolume(), 1.0f);
  EXPECT_EQ(matrix.GetInputWave(511), 0.0f);
  audio.m_visualizerConsumer = nullptr;
}

TEST(Publication, ConsumersFallSilentWhileTheStreamIsGoneAndResumeWithIt) {
  AudioProbe audio;
  audio.m_waveGain = 270;
  MatrixScreen matrix(nullptr, 277, CRect(0, 0, 70, 70), 0);
  ZephraEffect canvas(nullptr, 59, CRect(0, 0, 320, 80), 0);
  auto visualizer = std::make_unique<Visualizer>();
  visualizer->Init();
  audio.m_matrixConsumer = &matrix;
  audio.m_canvasConsumer = &canvas;
  audio.m_visualizerConsumer = visualizer.get();
  auto maxColumn = [&] {
    return *std::max_element(std::begin(visualizer->m_columnLevels), std::end(visualizer->m_columnLevels));
  };

  // A loud tone for a few blocks.
  auto script = std::make_shared<PacketScript>();
  audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
  StereoTones tone(1125.0, 0.4f);
  for (int i = 0; i < 10; ++i) script->AddSamples(tone.Next(480), 480);
  audio.CaptureStep();
  for (int frame = 0; frame < 30; ++frame) visualizer->Analyse();
  ASSERT_GT(canvas.GetCurrentVolume(), 0.5f);
  ASSERT_GT(matrix.GetAudioLevel(0), 0.3f);
  ASSERT_GT(maxColumn(), 0.1f);
  const size_t sounding = audio.published.size();

  // The stream goes: one silent hand-over, then nothing more while there is none.
  audio.SetPacketSource(nullptr);
  audio.CaptureStep();
  audio.CaptureStep();
  ASSERT_EQ(audio.published.size(), sounding + 1);
  EXPECT_EQ(canvas.GetCurrentVolume(), 0.0f);
  EXPECT_EQ(canvas.GetPeakVolume(), 0.0f);
  EXPECT_EQ(canvas.GetAverageVolume(), 0.0f);
  EXPECT_EQ(canvas.GetAudioLevel(), 0.0f);
  EXPECT_EQ(canvas.GetMusicAmplitude(), 0);
  for (int band = 0; band < 7; ++band) EXPECT_EQ(matrix.GetAudioLevel(band), 0.0f) << band;
  for (int i = 0; i < matrix.GetInputWaveCount(); ++i) ASSERT_EQ(matrix.GetInputWave(i), 0.0f) << i;
  for (int frame = 0; frame < 30; ++frame) visualizer->Analyse();
  EXPECT_LT(maxColumn(), 0.01f);  // the bars fall instead of standing on the last wave

  // A new stream brings the sound back.
  script = std::make_shared<PacketScript>();
  audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
  for (int i = 0; i < 10; ++i) script->AddSamples(tone.Next(480), 480);
  audio.CaptureStep();
  EXPECT_GT(canvas.GetCurrentVolume(), 0.5f);
  EXPECT_EQ(audio.published.back().loudestBand, 11);
  audio.m_visualizerConsumer = nullptr;
}
