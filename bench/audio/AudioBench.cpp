// Audio analysis costs and tempo accuracy:
// - one 16 ms capture cycle at 48 kHz stereo, and the 2048-point block analysis that
//   falls due about every 11th cycle (goal: under 1 % of the 16 ms cycle);
// - one visualiser frame per bar-layer mode (goal: under 15 % of the 15 ms period);
// - tempo on click tracks from 60 to 180 bpm: error and time to lock.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "audio/SyntheticAudio.h"
#include "audio/KeyboardAudio.h"
#include "audio/Visualizer.h"

namespace {
// Serves one fixed packet per cycle, then "empty".
class RepeatingPacketSource : public AudioPacketSource {
public:
  explicit RepeatingPacketSource(std::vector<float> samples, UINT32 frames)
      : m_samples(std::move(samples)), m_frames(frames) {}
  HRESULT GetBuffer(BYTE** data, UINT32* frames, DWORD* flags) override {
    *flags = 0;
    if (m_served) {
      *data = nullptr;
      *frames = 0;
      m_served = false;
      return AUDCLNT_S_BUFFER_EMPTY;
    }
    m_served = true;
    *data = reinterpret_cast<BYTE*>(m_samples.data());
    *frames = m_frames;
    return S_OK;
  }
  HRESULT ReleaseBuffer(UINT32) override { return S_OK; }

private:
  std::vector<float> m_samples;
  UINT32 m_frames;
  bool m_served = false;
};

std::vector<float> MusicLikeCycle() {
  ClickTrack track(120.0, 0.2f);
  return track.Next();
}

// Times the loop itself so that the cost is printed as plain microseconds and as a share
// of the period the work has to fit in.
class CycleTimer {
public:
  explicit CycleTimer(benchmark::State& state, double periodMs) : m_state(state), m_periodMs(periodMs) {}
  ~CycleTimer() {
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - m_start).count() /
                      static_cast<double>(m_state.iterations());
    m_state.counters["us"] = us;
    m_state.counters["period_%"] = us / (m_periodMs * 10.0);
  }

private:
  benchmark::State& m_state;
  double m_periodMs;
  std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// One capture cycle: 768 frames (16 ms at 48 kHz) drained, analysed and published; the
// block analysis runs in every 10.7th cycle, so the mean includes its share.
void BM_CaptureCycle(benchmark::State& state) {
  KeyboardAudio audio;
  audio.SetPacketSource(std::make_unique<RepeatingPacketSource>(MusicLikeCycle(), ClickTrack::kCycleFrames));
  {
    CycleTimer timer(state, 16.0);
    for (auto _ : state) audio.ProcessPackets();
  }
}
BENCHMARK(BM_CaptureCycle)->Unit(benchmark::kMicrosecond);

// The 2048-point block analysis alone (spectrum, loudness, bands, beat): the extra cost
// of the cycle in which the block falls due.
void BM_BlockAnalysis(benchmark::State& state) {
  KeyboardAudio audio;
  audio.SetPacketSource(std::make_unique<RepeatingPacketSource>(MusicLikeCycle(), ClickTrack::kCycleFrames));
  for (int i = 0; i < 20; ++i) audio.ProcessPackets();  // a realistic block and gain
  {
    CycleTimer timer(state, 16.0);
    for (auto _ : state) audio.AnalyseBlock();
  }
}
BENCHMARK(BM_BlockAnalysis)->Unit(benchmark::kMicrosecond);

// One visualiser frame with the bar layer in `mode` over a black background, fed with a
// loud wave so that every layer draws (mode 21 needs lit display levels).
void BM_VisualizerFrame(benchmark::State& state) {
  auto visualizer = std::make_unique<Visualizer>();
  visualizer->Init();
  visualizer->m_foregroundMode = static_cast<int>(state.range(0));
  visualizer->m_backgroundMode = 0;
  std::vector<float> wave(512);
  for (int n = 0; n < 512; ++n)
    wave[n] = 300.0f * static_cast<float>(std::sin(0.05 * n) + 0.5 * std::sin(0.31 * n));
  {
    CycleTimer timer(state, 15.0);
    for (auto _ : state) {
      visualizer->PushSamples(wave.data(), 512);
      visualizer->RenderFrame();
    }
  }
}
BENCHMARK(BM_VisualizerFrame)->DenseRange(0, 21)->Unit(benchmark::kMicrosecond);

// Tempo of a click track through the whole chain: the mean error over the last 20 of
// 40 seconds and the time after which the tempo stays within 5 % of the track's
// (40 = never). Beats are found per 2048-value block (about 171 ms at 48 kHz).
void RunTempo(benchmark::State& state, double bpm, double firstBeatMs) {
  double error = 0, lockSeconds = 0, finalBpm = 0;
  for (auto _ : state) {
    struct Chain : KeyboardAudio {
      uint32_t now = 50000;
      Chain() { m_tickClock = [this] { return now; }; }
      float Bpm() const { return m_bpm; }
    } audio;
    auto script = std::make_shared<PacketScript>();
    audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
    ClickTrack track(bpm, 0.05f, firstBeatMs);
    const int cycles = 40000 / ClickTrack::kCycleMs;
    std::vector<float> tempo(cycles);
    int lockCycle = cycles;
    for (int c = 0; c < cycles; ++c) {
      audio.now = 50000 + static_cast<uint32_t>(c * ClickTrack::kCycleMs);
      script->AddSamples(track.Next(), ClickTrack::kCycleFrames);
      audio.ProcessPackets();
      tempo[c] = audio.Bpm();
      const bool locked = std::fabs(tempo[c] - bpm) <= 0.05 * bpm;
      if (!locked) lockCycle = cycles;
      else if (lockCycle == cycles) lockCycle = c;
    }
    double sum = 0;
    for (int c = cycles / 2; c < cycles; ++c) sum += tempo[c];
    error = sum / (cycles - cycles / 2) - bpm;
    lockSeconds = lockCycle * ClickTrack::kCycleMs / 1000.0;
    finalBpm = tempo.back();
  }
  state.counters["error_bpm"] = error;
  state.counters["lock_s"] = lockSeconds;
  state.counters["final_bpm"] = finalBpm;
}

void BM_TempoAccuracy(benchmark::State& state) { RunTempo(state, static_cast<double>(state.range(0)), 81.0); }
BENCHMARK(BM_TempoAccuracy)->DenseRange(60, 180, 15)->Arg(128)
    ->Iterations(1)->Unit(benchmark::kMillisecond);

// A click every 1024 ms (58.59 bpm): six blocks and 64 cycles, so every click sits at the
// same place in its block and packet.
void BM_TempoAccuracyOnBlockGrid(benchmark::State& state) { RunTempo(state, 60.0 * 48000 / 49152, 81.0); }
BENCHMARK(BM_TempoAccuracyOnBlockGrid)->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace
