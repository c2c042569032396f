// One capture cycle on synthetic packets fed through the packet seam: the wave, level,
// peak, average and RMS, the mono mix of every frame of a packet, and what a lost
// device does to the cycle.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "AudioProbe.h"
#include "SyntheticAudio.h"
#include "audio/LoudnessMeter.h"
#include "audio/SpectrumAnalyzer.h"

namespace {
class CaptureCycle : public ::testing::Test {
protected:
  void SetUp() override { audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script)); }

  float WavePoint(int p) const { return audio.m_wave[2 * p]; }

  AudioProbe audio;  // wave gain 1: wave point = 2 x value
  std::shared_ptr<PacketScript> script = std::make_shared<PacketScript>();
};
}  // namespace

TEST_F(CaptureCycle, LevelPeakAndAverageOfOneCycle) {
  script->AddConstant(8, 0.05f);  // two values of 0.05 -> wave points 0.1
  audio.ProcessPackets();

  EXPECT_NEAR(audio.m_rms, 0.1f, 1e-6);
  EXPECT_NEAR(audio.m_level, 0.6324555f, 1e-6);  // sqrt(4 x 0.1)
  EXPECT_NEAR(audio.m_peak, 0.4f, 1e-6);         // 4 x largest |w|
  EXPECT_NEAR(audio.m_average, 0.6324555f / 64, 1e-7);
  EXPECT_EQ(script->released, 1);

  // The consumers saw the level with the peak and average from before the cycle.
  ASSERT_EQ(audio.published.size(), 1u);
  EXPECT_NEAR(audio.published[0].level, 0.6324555f, 1e-6);
  EXPECT_EQ(audio.published[0].peak, 0.0f);
  EXPECT_EQ(audio.published[0].average, 0.0f);

  script->AddConstant(8, 0.0f);
  audio.ProcessPackets();
  ASSERT_EQ(audio.published.size(), 2u);
  EXPECT_NEAR(audio.published[1].peak, 0.4f, 1e-6);
  EXPECT_NEAR(audio.published[1].average, 0.6324555f / 64, 1e-7);
}

TEST(CaptureLevel, RmsToLevel) {
  const struct { float rms, level; } cases[] = {
      {0.0099f, 0.0f}, {0.01f, 0.2f}, {0.0625f, 0.5f}, {0.25f, 1.0f}, {0.5f, 1.0f}, {0.0f, 0.0f}};
  for (const auto& c : cases) {
    AudioProbe audio;
    auto script = std::make_shared<PacketScript>();
    audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
    script->AddConstant(16, c.rms / 2.0f);
    audio.ProcessPackets();
    EXPECT_NEAR(audio.m_rms, c.rms, 1e-7) << c.rms;
    EXPECT_NEAR(audio.m_level, c.level, 1e-6) << c.rms;
  }
}

TEST_F(CaptureCycle, PeakRisesAtOnceAndDecaysByFivePercent) {
  const struct { float value, peak; } cycles[] = {
      {0.1f, 0.8f},   // |w| 0.2 -> 0.8
      {0.05f, 0.76f}, // 0.4 is lower: 0.8 x 0.95
      {0.125f, 1.0f}, // 1.0
      {0.25f, 0.95f}, // 2.0 clamped to 1 is not above the peak of 1: it decays
      {0.0f, 0.9025f},
  };
  for (const auto& c : cycles) {
    script->AddConstant(4, c.value);
    audio.ProcessPackets();
    EXPECT_NEAR(audio.m_peak, c.peak, 1e-6) << c.value;
  }
}

TEST_F(CaptureCycle, SilenceDecaysPeakAndAverage) {
  script->AddConstant(16, 0.2f);  // level 1, peak 1
  audio.ProcessPackets();
  ASSERT_EQ(audio.m_level, 1.0f);
  for (int cycle = 1; cycle <= 64; ++cycle) {
    script->AddConstant(16, 0.0f);
    audio.ProcessPackets();
    EXPECT_EQ(audio.m_rms, 0.0f);
    EXPECT_EQ(audio.m_level, 0.0f);
    EXPECT_NEAR(audio.m_peak, std::pow(0.95, cycle), 1e-5);
    // The loud level stays in the 64-entry history until it is overwritten.
    EXPECT_NEAR(audio.m_average, cycle < 64 ? 1.0f / 64 : 0.0f, 1e-7) << cycle;
  }
}

TEST_F(CaptureCycle, WaveShiftsByAQuarterOfTheFrames) {
  // 8 stereo frames: values a (frames 0-3) and b (frames 4-7) become the last two points.
  script->AddSamples({0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f,
                      0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f}, 8);
  audio.ProcessPackets();
  EXPECT_NEAR(WavePoint(254), 0.2f, 1e-7);
  EXPECT_NEAR(WavePoint(255), 0.4f, 1e-7);
  EXPECT_EQ(audio.m_wave[2 * 255 + 1], audio.m_wave[2 * 255]);  // each point twice

  // 4 frames shift by one point.
  script->AddConstant(4, 0.3f);
  audio.ProcessPackets();
  EXPECT_NEAR(WavePoint(253), 0.2f, 1e-7);
  EXPECT_NEAR(WavePoint(254), 0.4f, 1e-7);
  EXPECT_NEAR(WavePoint(255), 0.6f, 1e-7);
  EXPECT_EQ(WavePoint(252), 0.0f);
}

TEST_F(CaptureCycle, PacketsOfOddSizes) {
  // 6 frames: two values (the second the mean of two frames), one point of shift; the
  // second value falls past the end of the wave. Every frame reaches the block.
  script->AddSamples({0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.3f, 0.3f, 0.5f, 0.5f}, 6);
  audio.ProcessPackets();
  EXPECT_NEAR(WavePoint(255), 0.2f, 1e-7);
  EXPECT_EQ(WavePoint(254), 0.0f);
  EXPECT_EQ(audio.m_blockFill, 6);
  EXPECT_NEAR(audio.m_rms, std::sqrt((0.2 * 0.2 + 0.8 * 0.8) / 2), 1e-6);

  // 3 frames: no shift, nothing written into the wave, but the value still counts.
  script->AddConstant(3, 0.25f);
  audio.ProcessPackets();
  EXPECT_NEAR(WavePoint(255), 0.2f, 1e-7);
  EXPECT_EQ(audio.m_blockFill, 9);
  EXPECT_NEAR(audio.m_rms, 0.5f, 1e-7);
}

TEST_F(CaptureCycle, LargePacketReplacesTheWholeWave) {
  script->AddConstant(8, 0.4f);
  audio.ProcessPackets();
  std::vector<float> ramp(2 * 2000);
  for (int i = 0; i < 2 * 2000; ++i) ramp[i] = static_cast<float>(i / 8) / 1000.0f;  // 4 frames a step
  script->AddSamples(ramp, 2000);
  audio.ProcessPackets();
  for (int p = 0; p < 256; ++p) ASSERT_NEAR(WavePoint(p), 2.0f * p / 1000.0f, 1e-6) << p;
  EXPECT_EQ(audio.m_blockFill, 8 + 2000);  // the rest still reaches the block
}

TEST_F(CaptureCycle, AllPacketsOfACycleAreDrainedAndPublishedOnce) {
  script->AddConstant(4, 0.1f);
  script->AddConstant(4, 0.2f);
  script->AddConstant(8, 0.0f);
  audio.ProcessPackets();
  EXPECT_EQ(script->released, 3);
  EXPECT_EQ(audio.published.size(), 1u);
  EXPECT_NEAR(audio.m_rms, std::sqrt((0.04 + 0.16) / 4), 1e-6);
}

TEST_F(CaptureCycle, BlocksAreAnalysedEvery2048Frames) {
  script->AddConstant(2000, 0.01f);
  audio.ProcessPackets();
  EXPECT_TRUE(audio.m_spectrum.empty());
  for (int i = 0; i < 4; ++i) script->AddConstant(2000, 0.01f);
  audio.ProcessPackets();
  EXPECT_EQ(audio.m_blockFill, 10000 - 4 * 2048);
  EXPECT_EQ(audio.m_spectrum.size(), 1024u);
}

TEST_F(CaptureCycle, NoPacketChangesNothingAndPublishesNothing) {
  script->AddConstant(8, 0.05f);
  audio.ProcessPackets();
  const float level = audio.m_level, peak = audio.m_peak, average = audio.m_average, rms = audio.m_rms;
  audio.ProcessPackets();  // the source answers "buffer empty"
  EXPECT_EQ(audio.m_level, level);
  EXPECT_EQ(audio.m_peak, peak);
  EXPECT_EQ(audio.m_average, average);
  EXPECT_EQ(audio.m_rms, rms);
  EXPECT_EQ(audio.published.size(), 1u);
  EXPECT_FALSE(script->destroyed);
}

TEST_F(CaptureCycle, PacketsFlaggedSilentAreReadAsZeros) {
  script->AddConstant(8, 0.5f, AUDCLNT_BUFFERFLAGS_SILENT);
  audio.ProcessPackets();
  ASSERT_EQ(audio.published.size(), 1u);
  EXPECT_EQ(audio.m_rms, 0.0f);
  EXPECT_EQ(audio.m_peak, 0.0f);
  EXPECT_EQ(WavePoint(255), 0.0f);
}

TEST_F(CaptureCycle, LostDeviceReinitialisesAndPublishesOnlyRealValues) {
  script->AddConstant(8, 0.05f);
  script->AddFailure(AUDCLNT_E_DEVICE_INVALIDATED, 480);
  script->AddConstant(8, 0.9f);  // never read: the stream is gone
  audio.ProcessPackets();

  // The packet before the loss is published; the reopened capture has no endpoint here,
  // so the source is dropped and later cycles do nothing.
  ASSERT_EQ(audio.published.size(), 1u);
  EXPECT_NEAR(audio.published[0].level, 0.6324555f, 1e-6);
  EXPECT_TRUE(script->destroyed);
  const float level = audio.m_level;
  audio.ProcessPackets();
  audio.ProcessPackets();
  EXPECT_EQ(audio.published.size(), 1u);
  EXPECT_EQ(audio.m_level, level);
}

TEST_F(CaptureCycle, FailureWithoutFramesEndsTheCycleButKeepsTheStream) {
  script->AddFailure(E_FAIL, 0);
  script->AddConstant(8, 0.05f);
  audio.ProcessPackets();
  EXPECT_FALSE(script->destroyed);
  EXPECT_TRUE(audio.published.empty());
  audio.ProcessPackets();
  EXPECT_EQ(audio.published.size(), 1u);
}

TEST(CaptureFailure, ALostDeviceIsReopenedWhateverFrameCountItReports) {
  const struct { HRESULT failure; UINT32 frames; bool reopened; } cases[] = {
      {E_FAIL, 0, false},
      {E_FAIL, 480, true},
      {AUDCLNT_E_DEVICE_INVALIDATED, 480, true},
      {AUDCLNT_E_DEVICE_INVALIDATED, 0, true},
      {AUDCLNT_E_SERVICE_NOT_RUNNING, 0, true},
  };
  for (const auto& c : cases) {
    AudioProbe audio;
    auto script = std::make_shared<PacketScript>();
    audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
    script->AddFailure(c.failure, c.frames);
    audio.ProcessPackets();
    // Reopening has no endpoint here, so it drops the source.
    EXPECT_EQ(script->destroyed, c.reopened) << std::hex << c.failure << std::dec << ", " << c.frames << " frames";
  }
}

TEST(CaptureWithoutStream, CycleReturnsAtOnce) {
  AudioProbe audio;
  audio.ProcessPackets();
  EXPECT_TRUE(audio.published.empty());
  EXPECT_EQ(audio.m_level, 0.0f);
}

namespace {
// A fresh analysis of one block, for comparing with what the capture cycle computed.
std::vector<float> ReferenceSpectrum(const std::vector<float>& block) {
  std::vector<float> spectrum = SpectrumAnalyzer(KeyboardAudio::kBlockSize).Compute(block);
  LoudnessMeter(48000.0f).Process(spectrum);
  return spectrum;
}
}  // namespace

TEST(PacketMix, EveryFrameOfAStereoPacketIsMixedIntoTheAnalysis) {
  // Left and right carry different tones, one on bin 48 and one on bin 160; packets of
  // 480 frames, as a 10 ms device period gives them.
  AudioProbe audio;
  auto script = std::make_shared<PacketScript>();
  audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
  const double bin = 48000.0 / KeyboardAudio::kBlockSize;
  StereoTones tones(48 * bin, 0.2f, 160 * bin, 0.1f);
  std::vector<float> stream;
  for (int packet = 0; packet < 5; ++packet) {
    std::vector<float> samples = tones.Next(480);
    stream.insert(stream.end(), samples.begin(), samples.end());
    script->AddSamples(samples, 480);
  }
  audio.ProcessPackets();

  auto mono = [&](int frame) { return 0.5f * (stream[2 * frame] + stream[2 * frame + 1]); };
  // The first 2048 frames were analysed; the other 352 wait in the block.
  ASSERT_EQ(audio.m_blockFill, 2400 - 2048);
  for (int f = 2048; f < 2400; ++f) ASSERT_FLOAT_EQ(audio.m_block[f - 2048], mono(f)) << "frame " << f;

  std::vector<float> first(2048);
  for (int f = 0; f < 2048; ++f) first[f] = mono(f);
  const std::vector<float> expected = ReferenceSpectrum(first);
  ASSERT_EQ(audio.m_spectrum.size(), expected.size());
  for (size_t k = 0; k < expected.size(); ++k) ASSERT_NEAR(audio.m_spectrum[k], expected[k], 1e-6) << "bin " << k;

  // Each tone lands in its own bin at half its channel's amplitude, and nowhere else.
  const float left = audio.m_spectrum[48], right = audio.m_spectrum[160];
  EXPECT_NEAR(right / left, 0.5f, 0.01f);
  for (int k = 0; k < 1024; ++k)
    if (std::abs(k - 48) > 1 && std::abs(k - 160) > 1) ASSERT_LT(audio.m_spectrum[k], 0.01f * left) << "bin " << k;
}

TEST(PacketMix, TheMixIsTheMeanOfAllChannels) {
  const struct { int channels; std::vector<float> frame; float mono; } cases[] = {
      {1, {0.4f}, 0.4f},
      {2, {0.4f, -0.2f}, 0.1f},
      {2, {0.3f, -0.3f}, 0.0f},
      {6, {0.6f, 0.0f, 0.3f, 0.0f, -0.3f, 0.6f}, 0.2f},
  };
  for (const auto& c : cases) {
    AudioProbe audio;
    auto script = std::make_shared<PacketScript>();
    audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script), c.channels);
    std::vector<float> samples;
    for (int f = 0; f < 8; ++f) samples.insert(samples.end(), c.frame.begin(), c.frame.end());
    {
      std::lock_guard<std::mutex> guard(script->lock);
      script->packets.push_back({samples, 8, 0, S_OK});
    }
    audio.ProcessPackets();
    ASSERT_EQ(audio.m_blockFill, 8) << c.channels << " channels";
    for (int f = 0; f < 8; ++f) EXPECT_NEAR(audio.m_block[f], c.mono, 1e-7) << c.channels << " channels";
    EXPECT_NEAR(audio.m_wave[2 * 255], 2.0f * c.mono, 1e-6) << c.channels << " channels";
  }
}

TEST(PacketMix, AShortClickLateInAPacketIsABeat) {
  // Noise in packets of 480 frames (10 ms), with one click starting late in a packet
  // once the gain has risen. The click is placed in the middle of an analysis block,
  // where the block's window does not hide it.
  const struct { int offset, frames; } clicks[] = {{300, 48}, {300, 240}, {420, 96}, {20, 48}};
  for (const auto& click : clicks) {
    SCOPED_TRACE(testing::Message() << click.frames << " frames at " << click.offset);
    AudioProbe audio;
    auto script = std::make_shared<PacketScript>();
    audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
    NoiseGenerator noise;
    const int clickPacket = (30 * KeyboardAudio::kBlockSize + 1024 - click.offset) / 480;
    const int64_t clickStart = static_cast<int64_t>(clickPacket) * 480 + click.offset;
    int beatPacket = -1;
    for (int packet = 0; packet < clickPacket + 20; ++packet) {
      std::vector<float> samples(2 * 480);
      for (int f = 0; f < 480; ++f) {
        const int64_t frame = static_cast<int64_t>(packet) * 480 + f;
        float v = noise.Next(0.05f);
        if (frame >= clickStart && frame < clickStart + click.frames) v += 0.9f;
        samples[2 * f] = samples[2 * f + 1] = v;
      }
      audio.now = 100000 + 10 * packet;
      script->AddSamples(samples, 480);
      audio.ProcessPackets();
      if (audio.m_lastBeatTick != 0 && beatPacket < 0) beatPacket = packet;
    }
    // The beat comes when the block holding the click is complete: within half a block.
    EXPECT_GE(beatPacket, clickPacket);
    EXPECT_LE(beatPacket, clickPacket + 3);
  }
}
