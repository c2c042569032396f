// Audio analysis costs and tempo accuracy:
// - one 16 ms capture cycle at 48 kHz stereo, and the 2048-point block analysis that
//   falls due about every 11th cycle (goal: under 1 % of the 16 ms cycle);
// - one visualiser frame per bar-layer mode, and the worst frame with both layers in the
//   slowest mode (goal: under 15 % of the 15 ms period);
// - kicks found and tempo error on kick tracks from 60 to 180 bpm, before and after the
//   analysis read every frame of every packet.
#include <benchmark/benchmark.h>

#include <algorithm>
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

// The worst frame: both layers (background and bars) in the slowest fill mode, found by
// timing every mode on the bar layer first. "mode" names it.
void BM_VisualizerWorstCase(benchmark::State& state) {
  std::vector<float> wave(512);
  for (int n = 0; n < 512; ++n)
    wave[n] = 300.0f * static_cast<float>(std::sin(0.05 * n) + 0.5 * std::sin(0.31 * n));
  auto frameTime = [&](Visualizer& v, int frames) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
      v.PushSamples(wave.data(), 512);
      v.RenderFrame();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  int slowest = 0;
  double worst = -1.0;
  for (int mode = 0; mode <= 21; ++mode) {
    auto v = std::make_unique<Visualizer>();
    v->Init();
    v->m_foregroundMode = mode;
    v->m_backgroundMode = 0;
    frameTime(*v, 20);  // the levels settle
    const double t = frameTime(*v, 200);
    if (t > worst) {
      worst = t;
      slowest = mode;
    }
  }
  auto visualizer = std::make_unique<Visualizer>();
  visualizer->Init();
  visualizer->m_foregroundMode = slowest;
  visualizer->m_backgroundMode = slowest;
  frameTime(*visualizer, 20);
  {
    CycleTimer timer(state, 15.0);
    for (auto _ : state) {
      visualizer->PushSamples(wave.data(), 512);
      visualizer->RenderFrame();
    }
  }
  state.counters["mode"] = slowest;
}
BENCHMARK(BM_VisualizerWorstCase)->Unit(benchmark::kMicrosecond);

// Beats and tempo on kick tracks through the whole chain, read two ways:
// - "after": every frame of every packet, mixed down to mono, at the stream's rate;
// - "before": what the analysis was handed when a packet of n stereo frames was read as
//   its first n floats, four at a time (the first half of the frames, left and right
//   taken as consecutive samples). A mono packet of those values gives the analysis
//   block exactly that input, block for block and cycle for cycle.
enum class Reading { kBefore, kAfter };

const char* Name(Reading reading) { return reading == Reading::kBefore ? "before" : "after"; }

struct TrackRun {
  std::vector<uint32_t> beats;  // ticks of the detected beats, from the start of the track
  std::vector<float> tempo;     // tempo after each 16 ms cycle
};

constexpr uint32_t kStartTick = 50000;

TrackRun RunTrack(ClickTrack& track, Reading reading, int seconds) {
  struct Chain : KeyboardAudio {
    uint32_t now = kStartTick;
    Chain() { m_tickClock = [this] { return now; }; }
    float Bpm() const { return m_bpm; }
    uint32_t LastBeat() const { return m_lastBeatTick; }
  } audio;
  auto script = std::make_shared<PacketScript>();
  audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script), reading == Reading::kBefore ? 1 : 2);
  TrackRun run;
  const int cycles = seconds * 1000 / ClickTrack::kCycleMs;
  for (int c = 0; c < cycles; ++c) {
    audio.now = kStartTick + static_cast<uint32_t>(c * ClickTrack::kCycleMs);
    std::vector<float> stereo = track.Next();
    const UINT32 frames = ClickTrack::kCycleFrames;
    if (reading == Reading::kAfter) {
      script->AddSamples(std::move(stereo), frames);
    } else {
      std::vector<float> values;
      for (UINT32 i = 0; i < frames; i += 4) {
        const UINT32 last = std::min(i + 4, frames);
        float sum = 0.0f;
        for (UINT32 k = i; k < last; ++k) sum += stereo[k];
        values.push_back(sum / static_cast<float>(last - i));
      }
      const UINT32 count = static_cast<UINT32>(values.size());
      script->AddSamples(std::move(values), count);
    }
    const uint32_t before = audio.LastBeat();
    audio.ProcessPackets();
    if (audio.LastBeat() != before) run.beats.push_back(audio.LastBeat() - kStartTick);
    run.tempo.push_back(audio.Bpm());
  }
  return run;
}

// Share of kicks (after the first 5 s, while the gain settles) that have a beat from the
// cycle holding the kick until 200 ms after it (the detector answers when a block is
// complete) or the next kick, whichever is first; and the beats that matched no kick.
void BM_KickHits(benchmark::State& state) {
  const double bpm = static_cast<double>(state.range(0));
  const Reading reading = static_cast<Reading>(state.range(1));
  constexpr double kFirstKickMs = 81.0, kSettledMs = 5000.0;
  constexpr int kSeconds = 60;
  double share = 0, stray = 0;
  for (auto _ : state) {
    ClickTrack track(bpm, 0.05f, kFirstKickMs);
    const TrackRun run = RunTrack(track, reading, kSeconds);
    const double period = track.BeatMs();
    std::vector<bool> matched(run.beats.size(), false);
    int kicks = 0, hits = 0;
    for (double t = kFirstKickMs; t + period < kSeconds * 1000.0; t += period) {
      if (t < kSettledMs) continue;
      ++kicks;
      const double from = t - ClickTrack::kCycleMs;
      const double to = t + std::min(200.0, period - ClickTrack::kCycleMs);
      for (size_t b = 0; b < run.beats.size(); ++b) {
        if (!matched[b] && run.beats[b] >= from && run.beats[b] < to) {
          matched[b] = true;
          ++hits;
          break;
        }
      }
    }
    stray = 0;
    for (size_t b = 0; b < run.beats.size(); ++b)
      if (!matched[b] && run.beats[b] >= kSettledMs - ClickTrack::kCycleMs) ++stray;
    share = 100.0 * hits / kicks;
  }
  state.SetLabel(Name(reading));
  state.counters["kicks_found_%"] = share;
  state.counters["stray_beats"] = stray;
}
BENCHMARK(BM_KickHits)->ArgNames({"bpm", "after"})->ArgsProduct({{120}, {0, 1}})
    ->Iterations(1)->Unit(benchmark::kMillisecond);

// Tempo of a kick track: the mean error over the last 20 of 40 seconds and the time
// after which the tempo stays within 5 % of the track's (40 = never).
struct TempoFigures {
  double error = 0, lockSeconds = 0, finalBpm = 0;
};

TempoFigures Tempo(double bpm, Reading reading, double firstBeatMs = 81.0) {
  ClickTrack track(bpm, 0.05f, firstBeatMs);
  const TrackRun run = RunTrack(track, reading, 40);
  const int cycles = static_cast<int>(run.tempo.size());
  int lockCycle = cycles;
  for (int c = 0; c < cycles; ++c) {
    const bool locked = std::fabs(run.tempo[c] - bpm) <= 0.05 * bpm;
    if (!locked) lockCycle = cycles;
    else if (lockCycle == cycles) lockCycle = c;
  }
  double sum = 0;
  for (int c = cycles / 2; c < cycles; ++c) sum += run.tempo[c];
  TempoFigures figures;
  figures.error = sum / (cycles - cycles / 2) - bpm;
  figures.lockSeconds = lockCycle * ClickTrack::kCycleMs / 1000.0;
  figures.finalBpm = run.tempo.back();
  return figures;
}

void BM_TempoError(benchmark::State& state) {
  const double bpm = static_cast<double>(state.range(0));
  const Reading reading = static_cast<Reading>(state.range(1));
  TempoFigures figures;
  for (auto _ : state) figures = Tempo(bpm, reading);
  state.SetLabel(Name(reading));
  state.counters["error_bpm"] = figures.error;
  state.counters["lock_s"] = figures.lockSeconds;
  state.counters["final_bpm"] = figures.finalBpm;
}
BENCHMARK(BM_TempoError)->ArgNames({"bpm", "after"})->ArgsProduct({benchmark::CreateDenseRange(60, 180, 15), {0, 1}})
    ->Iterations(1)->Unit(benchmark::kMillisecond);

// The tempo error over 60 to 180 bpm in steps of 15, summed up: mean and largest
// absolute error, and how many of the nine tracks lock within 5 %.
void BM_TempoErrorRange(benchmark::State& state) {
  const Reading reading = static_cast<Reading>(state.range(0));
  double sum = 0, largest = 0, locked = 0;
  for (auto _ : state) {
    sum = largest = locked = 0;
    for (int bpm = 60; bpm <= 180; bpm += 15) {
      const TempoFigures figures = Tempo(bpm, reading);
      sum += std::fabs(figures.error);
      largest = std::max(largest, std::fabs(figures.error));
      if (figures.lockSeconds < 40.0) ++locked;
    }
  }
  state.SetLabel(Name(reading));
  state.counters["mean_abs_error_bpm"] = sum / 9;
  state.counters["max_abs_error_bpm"] = largest;
  state.counters["tracks_locked"] = locked;
}
BENCHMARK(BM_TempoErrorRange)->ArgName("after")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// A click every 1024 ms (58.59 bpm): 24 blocks of 2048 frames and 64 cycles, so every
// click sits at the same place in its block and packet.
void BM_TempoOnBlockGrid(benchmark::State& state) {
  TempoFigures figures;
  for (auto _ : state) figures = Tempo(60.0 * 48000 / 49152, Reading::kAfter);
  state.counters["error_bpm"] = figures.error;
  state.counters["lock_s"] = figures.lockSeconds;
  state.counters["final_bpm"] = figures.finalBpm;
}
BENCHMARK(BM_TempoOnBlockGrid)->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace
