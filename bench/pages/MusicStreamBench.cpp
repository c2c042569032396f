// Music streaming end to end on the simulated keyboard (model 102): synthetic music in,
// the visualiser's frame, the canvas's colour map and key colours, and the 214-byte frame
// out to the keyboard. The worker's side per frame (sampling, the off-screen canvas step
// when the tab is not shown, the frame's transfer) against the 16 ms period, the
// visualiser's render on its own, and 10 s runs at the 16 ms cadence counting the frames
// that arrived.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include <cmath>
#include <memory>
#include <vector>
#include "device/WorkerRig.h"
#include "pages/VisualizerFrameStep.h"
#include "pages/VisualizerGeometry.h"
#include "pages/ZephraFrameTarget.h"

using namespace simtest;

namespace {

constexpr int kPeriodMs = 16;

double NowUs() {
  LARGE_INTEGER f, t;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1e6 / double(f.QuadPart);
}

struct MusicRig {
  MusicRig() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr);
    w.StartUp();
    w.rig.transport.SetSleep([](DWORD) {});
    w.ShowPage(2);
    w.dlg.m_taskQueue.Clear();
    w.canvas.SetZephraMode(1);
    v->Init();
    v->m_foregroundMode = 6;
    geometry.Init(w.dlg.m_layoutRows, w.dlg.m_layoutColumns);
    sim::EnableLog(false);
  }
  ~MusicRig() {
    sim::EnableLog(true);
    Gdiplus::GdiplusShutdown(gdiplus);
  }

  // 512 samples of frame n: a chord whose loudness swells and falls every second.
  void Audio(int n) {
    const float envelope = 20.0f * (1.0f + std::sin(6.2831853f * float(n) / 62.5f));
    for (int i = 0; i < 512; ++i) {
      float s = 0;
      for (int bin : {3, 11, 29, 60}) s += std::cos(6.2831853f * float(bin * (i + 512 * n)) / 512.0f);
      samples[size_t(i)] = envelope * s;
    }
    v->PushSamples(samples.data(), 512);
    v->RenderFrame();
  }
  // What the worker does with a frame: sample it into the colour map, step the canvas
  // off screen when its tab is not shown (`hidden`), stream the key colours.
  void WorkerStep(bool hidden) {
    const double t0 = NowUs();
    v->CopyFrontFrame(frame.data());
    VisualizerFrameStep::Input in;
    in.frame = frame.data();
    in.layoutRows = w.dlg.m_layoutRows;
    in.layoutColumns = w.dlg.m_layoutColumns;
    in.barMode = v->m_foregroundMode;
    in.deviceType = 102;
    VisualizerFrameStep::Run(geometry, in, target);
    const double t1 = NowUs();
    if (hidden) {
      w.canvas.OnTimer();
      w.canvas.DrawHideControl();
    }
    const double t2 = NowUs();
    w.dlg.StreamCanvasFrame();
    const double t3 = NowUs();
    sampleUs += t1 - t0;
    canvasUs += t2 - t1;
    streamUs += t3 - t2;
    ++steps;
  }
  void Report(benchmark::State& state) {
    state.counters["sample_us"] = sampleUs / steps;
    state.counters["canvas_us"] = canvasUs / steps;
    state.counters["stream_us"] = streamUs / steps;
    state.counters["pct_period"] = 100.0 * (sampleUs + canvasUs + streamUs) / steps / (kPeriodMs * 1000.0);
  }

  double sampleUs = 0, canvasUs = 0, streamUs = 0;
  int steps = 0;
  ULONG_PTR gdiplus = 0;
  WorkerRig w{CableK102()};
  std::unique_ptr<Visualizer> v = std::make_unique<Visualizer>();
  VisualizerGeometry geometry;
  ZephraFrameTarget target{w.canvas};
  std::vector<float> samples = std::vector<float>(512);
  std::vector<COLORREF> frame = std::vector<COLORREF>(Visualizer::kPixels);
};

// Arg 0: the canvas tab is shown (its own timer renders it); 1: another tab is shown and
// the worker renders the canvas off screen as well.
void BM_WorkerFrameStep(benchmark::State& state) {
  MusicRig r;
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    r.Audio(n++);
    state.ResumeTiming();
    r.WorkerStep(state.range(0) != 0);
  }
  r.Report(state);
}
BENCHMARK(BM_WorkerFrameStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_VisualiserRender(benchmark::State& state) {
  MusicRig r;
  int n = 0;
  for (auto _ : state) r.Audio(n++);
}
BENCHMARK(BM_VisualiserRender)->Unit(benchmark::kMicrosecond);

// Ten seconds at the 16 ms cadence with the canvas tab shown, everything on one thread:
// frames per second that reached the keyboard, and the worker's time per frame as a
// share of the period. (With another tab shown the off-screen canvas step of
// BM_WorkerFrameStep/1 decides the rate.)
void BM_MusicStream10s(benchmark::State& state) {
  MusicRig r;
  const bool hidden = state.range(0) != 0;
  const int frames = 10000 / kPeriodMs;
  for (auto _ : state) {
    sim::ClearLog();
    sim::EnableLog(true);
    ::timeBeginPeriod(1);
    double render = 0;
    const double start = NowUs();
    double deadline = start;
    for (int n = 0; n < frames; ++n) {
      const double t0 = NowUs();
      r.Audio(n);
      render += NowUs() - t0;
      r.WorkerStep(hidden);
      deadline += kPeriodMs * 1000.0;
      const double wait = deadline - NowUs();
      if (wait > 0) ::Sleep(DWORD(wait / 1000.0));
    }
    const double elapsed = NowUs() - start;
    ::timeEndPeriod(1);
    sim::EnableLog(false);
    int chunks = 0;
    for (const auto& e : Writes()) chunks += Command(e) == kCmdCanvasFrame;
    const double arrived = chunks / 4.0;  // 214 bytes travel in 4 reports
    state.counters["fps"] = arrived * 1e6 / elapsed;
    state.counters["frames_sent"] = arrived;
    state.counters["render_us"] = render / frames;
    r.Report(state);
  }
}
BENCHMARK(BM_MusicStream10s)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
