// Audio analysis costs and tempo accuracy:
// - one 16 ms capture cycle at 48 kHz stereo, and the 2048-point block analysis that
//   falls due about every 11th cycle (goal: under 1 % of the 16 ms cycle);
// - one visualiser frame per bar-layer mode (goal: under 15 % of the 15 ms period);
// - tempo on click tracks from 60 to 180 bpm: error and time to lock.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "SyntheticAudio.h"
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

void ReportCycle(benchmark::State& state, double periodMs) {
  state.counters["us"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e-6,
                                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["period_%"] = benchmark::Counter(static_cast<double>(state.iterations()) * periodMs * 1e-3 / 100.0,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One capture cycle: 768 frames (16 ms at 48 kHz) drained, analysed and published; the
// block analysis runs in every 10.7th cycle, so the mean includes its share.
void BM_CaptureCycle(benchmark::State& state) {
  KeyboardAudio audio;
  audio.SetPacketSource(std::make_unique<RepeatingPacketSource>(MusicLikeCycle(), ClickTrack::kCycleFrames));
  for (auto _ : state) audio.ProcessPackets();
  ReportCycle(state, 16.0);
}
BENCHMARK(BM_CaptureCycle);

// The 2048-point block analysis alone (spectrum, loudness, bands, beat): the extra cost
// of the cycle in which the block falls due.
void BM_BlockAnalysis(benchmark::State& state) {
  KeyboardAudio audio;
  audio.SetPacketSource(std::make_unique<RepeatingPacketSource>(MusicLikeCycle(), ClickTrack::kCycleFrames));
  for (int i = 0; i < 20; ++i) audio.ProcessPackets();  // a realistic block and gain
  for (auto _ : state) audio.AnalyseBlock();
  ReportCycle(state, 16.0);
}
BENCHMARK(BM_BlockAnalysis);

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
  for (auto _ : state) {
    visualizer->PushSamples(wave.data(), 512);
    visualizer->RenderFrame();
  }
  ReportCycle(state, 15.0);
}
BENCHMARK(BM_VisualizerFrame)->DenseRange(0, 21);

// Tempo of a click track through the whole chain: the mean error over the last 20 of
// 40 seconds and the time after which the tempo stays within 5 % of the track's.
void BM_TempoAccuracy(benchmark::State& state) {
  const double bpm = static_cast<double>(state.range(0));
  double error = 0, lockSeconds = 0, beats = 0;
  for (auto _ : state) {
    struct Chain : KeyboardAudio {
      uint32_t now = 50000;
      Chain() { m_clock = [this] { return now; }; }
      float Bpm() const { return m_bpm; }
    } audio;
    auto script = std::make_shared<PacketScript>();
    audio.SetPacketSource(std::make_unique<ScriptedPacketSource>(script));
    ClickTrack track(bpm, 0.05f);
    const int cycles = 40000 / ClickTrack::kCycleMs;
    std::vector<float> tempo(cycles);
    int lockCycle = cycles;
    for (int c = 0; c < cycles; ++c) {
      audio.now = 50000 + static_cast<uint32_t>(c * ClickTrack::kCycleMs);
      script->AddSamples(track.Next(), ClickTrack::kCycleFrames);
      audio.ProcessPackets();
      tempo[c] = audio.Bpm();
      const bool near = std::fabs(tempo[c] - bpm) <= 0.05 * bpm;
      if (!near) lockCycle = cycles;
      else if (lockCycle == cycles) lockCycle = c;
    }
    double sum = 0;
    for (int c = cycles / 2; c < cycles; ++c) sum += tempo[c];
    error = sum / (cycles - cycles / 2) - bpm;
    lockSeconds = lockCycle * ClickTrack::kCycleMs / 1000.0;
    beats = tempo.back();
  }
  state.counters["error_bpm"] = error;
  state.counters["lock_s"] = lockSeconds;  // 40 = never locked within 5 %
  state.counters["final_bpm"] = beats;
}
BENCHMARK(BM_TempoAccuracy)->Arg(60)->Arg(75)->Arg(90)->Arg(105)->Arg(120)->Arg(128)->Arg(140)->Arg(160)->Arg(180)
    ->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace
