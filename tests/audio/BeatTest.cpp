// Beat detection and tempo on energies set directly, and on click tracks through the
// whole capture chain.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "AudioProbe.h"
#include "SyntheticAudio.h"

namespace {
// Bands 0-5 at `b` give the beat energy (0.5 + 1 + 1 + 1 + 0.6) / 6 x b^2.
float BandForEnergy(float energy) { return std::sqrt(energy / (4.1f / 6.0f)); }

class BeatDetector : public ::testing::Test {
protected:
  // One analysed block at `tick` with beat energy `energy`.
  void Block(uint32_t tick, float energy) {
    audio.now = tick;
    std::fill(audio.m_bands32, audio.m_bands32 + 6, BandForEnergy(energy));
    audio.DetectBeat();
  }
  // Blocks every 125 ms from `from`, loud every `every`-th block starting with the first.
  void Pattern(uint32_t from, int blocks, int every) {
    for (int i = 0; i < blocks; ++i) Block(from + 125 * i, i % every == 0 ? kLoud : kQuiet);
  }

  static constexpr float kLoud = 0.6f, kQuiet = 0.0f;
  AudioProbe audio;
};
}  // namespace

TEST_F(BeatDetector, EnergyWeighsTheLowestSixBands) {
  std::fill(std::begin(audio.m_bands32), std::end(audio.m_bands32), 0.0f);
  const float bands[6] = {1.0f, 0.5f, 0.5f, 0.5f, 1.0f, 1.0f};
  std::copy(bands, bands + 6, audio.m_bands32);
  audio.m_bands32[6] = 1.0f;  // not counted
  EXPECT_NEAR(audio.BeatEnergy(), (0.5 + 0.25 * 3 + 0.3 * 2) / 6, 1e-7);
}

TEST_F(BeatDetector, RefractoryTimeSwallowsASecondPeak) {
  Block(1000, kLoud);
  EXPECT_TRUE(audio.m_beat);
  EXPECT_EQ(audio.m_beatStrength, 1.0f);
  EXPECT_EQ(audio.m_lastBeatTick, 1000u);

  Block(1120, kLoud);  // within 150 ms: no beat, and past 100 ms the flag clears
  EXPECT_FALSE(audio.m_beat);
  EXPECT_NEAR(audio.m_beatStrength, 0.9f, 1e-6);
  EXPECT_EQ(audio.m_lastBeatTick, 1000u);

  Block(1151, kLoud);
  EXPECT_TRUE(audio.m_beat);
  EXPECT_EQ(audio.m_lastBeatTick, 1151u);
}

TEST_F(BeatDetector, FlagHoldsFor100Ms) {
  Block(1000, kLoud);
  const float strength = audio.m_beatStrength;
  Block(1050, kQuiet);
  Block(1100, kQuiet);
  EXPECT_TRUE(audio.m_beat);
  EXPECT_EQ(audio.m_beatStrength, strength);
  Block(1101, kQuiet);
  EXPECT_FALSE(audio.m_beat);
}

TEST_F(BeatDetector, StrengthIsTheMarginOverTheThreshold) {
  // One entry of 0.02 in an empty history: the threshold is raised to its floor of 0.01,
  // so the strength is (0.02 - 0.01) / (0.01 + 0.01).
  Block(1000, 0.02f);
  EXPECT_TRUE(audio.m_beat);
  EXPECT_NEAR(audio.m_beatStrength, 0.5f, 1e-5);
}

TEST_F(BeatDetector, StrengthDecaysToZero) {
  Block(1000, kLoud);
  float expected = 1.0f;
  for (int i = 1; i <= 40; ++i) {
    Block(1000 + 125 * i, kQuiet);
    expected *= 0.9f;
    if (expected < 0.05f) expected = 0.0f;
    ASSERT_NEAR(audio.m_beatStrength, expected, 1e-6) << i;
  }
  EXPECT_EQ(audio.m_beatStrength, 0.0f);
}

TEST_F(BeatDetector, SilenceNeverBeats) {
  for (int i = 0; i < 100; ++i) Block(1000 + 125 * i, 0.0f);
  EXPECT_FALSE(audio.m_beat);
  EXPECT_EQ(audio.m_lastBeatTick, 0u);
  Block(20000, 0.01f);  // not above the minimum threshold
  EXPECT_FALSE(audio.m_beat);
}

TEST_F(BeatDetector, EqualEnergiesNeedMoreThanTheMean) {
  // Bands 1-3 at 0.5 give exactly 0.125; a history full of it has no deviation.
  std::fill(std::begin(audio.m_energyHistory), std::end(audio.m_energyHistory), 0.125f);
  std::fill(std::begin(audio.m_bands32), std::end(audio.m_bands32), 0.0f);
  audio.m_bands32[1] = audio.m_bands32[2] = audio.m_bands32[3] = 0.5f;
  ASSERT_EQ(audio.BeatEnergy(), 0.125f);
  audio.now = 1000;
  audio.DetectBeat();
  EXPECT_FALSE(audio.m_beat);
  audio.m_bands32[1] = 0.6f;
  audio.now = 1200;
  audio.DetectBeat();
  EXPECT_TRUE(audio.m_beat);
}

TEST_F(BeatDetector, TempoFromBeatsHalfASecondApart) {
  Pattern(1000, 4, 4);  // one beat
  EXPECT_EQ(audio.m_bpm, 0.0f);
  Pattern(1500, 4, 4);
  EXPECT_EQ(audio.m_bpm, 120.0f);
  Pattern(2000, 40, 4);
  EXPECT_FLOAT_EQ(audio.m_bpm, 120.0f);
}

TEST_F(BeatDetector, TempoFollowsAJumpByAFifthPerBeat) {
  Pattern(1000, 12, 4);  // 120 bpm
  ASSERT_FLOAT_EQ(audio.m_bpm, 120.0f);
  const float expected[] = {108.0f, 98.4f, 90.72f, 84.576f};
  uint32_t t = 1000 + 125 * 8 + 1000;  // last beat at 2000, then every second
  for (float bpm : expected) {
    Pattern(t, 8, 8);
    EXPECT_NEAR(audio.m_bpm, bpm, 1e-3);
    t += 1000;
  }
}

TEST_F(BeatDetector, LongGapsLeaveTheTempo) {
  Pattern(1000, 8, 4);
  ASSERT_FLOAT_EQ(audio.m_bpm, 120.0f);
  Block(1500 + 2000, kLoud);  // 2000 ms after the last beat
  EXPECT_TRUE(audio.m_beat);
  EXPECT_FLOAT_EQ(audio.m_bpm, 120.0f);
  EXPECT_EQ(audio.m_lastBeatTick, 3500u);
  Block(3500 + 1999, kLoud);  // 1999 ms counts
  EXPECT_NEAR(audio.m_bpm, 120.0f * 0.8f + 60000.0f / 1999 * 0.2f, 1e-3);
}

TEST_F(BeatDetector, TempoIsLimitedAfterSmoothing) {
  Block(1000, kLoud);
  audio.m_bpm = 20.0f;
  Block(2999, kLoud);  // instant 30.015: 0.8 x 20 + 0.2 x 30.015 = 22 -> 30
  EXPECT_EQ(audio.m_bpm, 30.0f);
  audio.m_bpm = 500.0f;
  Block(2999 + 151, kLoud);  // instant 397.4: 0.8 x 500 + 0.2 x 397.4 = 479.5 -> 400
  EXPECT_EQ(audio.m_bpm, 400.0f);
}

TEST_F(BeatDetector, TickWrapIsAnUnsignedDifference) {
  const uint32_t start = 0xFFFFFF00u;
  Block(start, kLoud);
  for (uint32_t t = start + 125; t != start + 500; t += 125) Block(t, kQuiet);  // across the wrap
  Block(start + 500, kLoud);  // tick 244
  EXPECT_TRUE(audio.m_beat);
  EXPECT_EQ(audio.m_lastBeatTick, 244u);
  EXPECT_EQ(audio.m_bpm, 120.0f);
}

namespace {
struct ChainResult {
  std::vector<uint32_t> beats;  // ticks of the detected beats
  std::vector<float> bpm;       // tempo after each cycle
};

constexpr uint32_t kStartTick = 50000;

// Runs `seconds` of a track through the capture cycle, 16 ms (768 frames) per cycle,
// with the clock following the audio.
ChainResult RunTrack(ClickTrack& track, int seconds) {
  AudioProbe audio;
  audio.m_waveGain = 270;
  auto script = std::make_shared<PacketScript>();
  audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
  ChainResult result;
  const int cycles = seconds * 1000 / ClickTrack::kCycleMs;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    audio.now = kStartTick + cycle * ClickTrack::kCycleMs;
    script->AddSamples(track.Next(), ClickTrack::kCycleFrames);
    const uint32_t before = audio.m_lastBeatTick;
    audio.ProcessPackets();
    if (audio.m_lastBeatTick != before) result.beats.push_back(audio.m_lastBeatTick);
    result.bpm.push_back(audio.m_bpm);
  }
  return result;
}
}  // namespace

TEST(BeatChain, NoiseAloneNeverBeats) {
  ClickTrack noise(120.0, 0.05f, 1e9);  // the first click never comes
  const ChainResult result = RunTrack(noise, 20);
  EXPECT_TRUE(result.beats.empty());
  EXPECT_EQ(result.bpm.back(), 0.0f);
}

TEST(BeatChain, ClickTrackOnTheBlockGridLocksToItsTempo) {
  // One click every 1024 ms: six analysis blocks (8192 frames each) and 64 capture
  // cycles, so every click sits at the same place in its block. Once the gain has risen,
  // every click is a beat and the tempo is exactly 60000 / 1024.
  ClickTrack track(60.0 * 48000 / 49152, 0.05f, 81.0);
  const ChainResult result = RunTrack(track, 40);
  std::vector<uint32_t> late;
  for (uint32_t tick : result.beats)
    if (tick - kStartTick >= 10000) late.push_back(tick);
  EXPECT_EQ(late.size(), 29u);  // the clicks of seconds 10-40
  for (size_t i = 1; i < late.size(); ++i) EXPECT_EQ(late[i] - late[i - 1], 1024u);
  for (size_t i = 10000 / ClickTrack::kCycleMs; i < result.bpm.size(); ++i)
    ASSERT_FLOAT_EQ(result.bpm[i], 58.59375f) << "cycle " << i;
}

TEST(BeatChain, ClickTracksAt120And128GiveBeatsOnlyOnClicks) {
  // Every frame is analysed, in blocks of 2048 frames (43 ms at 48 kHz) without overlap:
  // a click near the edge of a block's window can stay below the threshold, but most
  // clicks are beats, every beat follows a click within a block, and the tempo follows
  // the intervals between them.
  for (double bpm : {120.0, 128.0}) {
    SCOPED_TRACE(bpm);
    ClickTrack track(bpm, 0.05f);
    const ChainResult result = RunTrack(track, 40);
    const double period = track.BeatMs();

    int settledBeats = 0;
    for (size_t i = 0; i < result.beats.size(); ++i) {
      // The beat is reported when the block holding the click completes: at most a block
      // plus the click and a cycle after the click's onset.
      const double sinceStart = result.beats[i] - kStartTick;
      const double sinceClick = sinceStart - std::floor((sinceStart + 16) / period) * period;
      EXPECT_GE(sinceClick, -16.0) << "beat at " << sinceStart << " ms";
      EXPECT_LE(sinceClick, 43.0 + 40.0 + 32.0) << "beat at " << sinceStart << " ms";
      if (i > 0) {
        EXPECT_GT(result.beats[i] - result.beats[i - 1], 150u);
      }
      if (sinceStart >= 5000.0) ++settledBeats;
    }
    const double settledClicks = 35.0 * bpm / 60.0;  // once the gain has risen
    EXPECT_GT(settledBeats, 0.7 * settledClicks);
    EXPECT_LE(settledBeats, settledClicks + 1);

    // Intervals are whole numbers of beat periods give or take a block, so the tempo is
    // never above the track's by more than that, and it has been set.
    EXPECT_GT(result.bpm.back(), 30.0f);
    for (float t : result.bpm) {
      ASSERT_LE(t, 60000.0 / (period - 43.0));
    }
  }
}
