// The worker against the simulated keyboard: idle steps streaming canvas frames (CPU
// time per step; at one frame per 16 ms step the sustainable rate is what fits the
// period), the same streaming to a keyboard whose reports take the USB time, and the way
// of one key change from the queue to the keyboard's table.
#include <benchmark/benchmark.h>
#include <chrono>
#include "device/WorkerRig.h"

using namespace simtest;

namespace {

struct StreamRig {
  WorkerRig w{CableK102()};
  StreamRig() {
    w.StartUp();
    std::vector<KEYITEM_INFO> items;
    for (int code = 1; code < 240; ++code) {
      KEYITEM_INFO item;
      item.keyCode = DWORD(code);
      item.color = RGB(code, 255 - code, code / 2);
      items.push_back(item);
    }
    w.canvas.SetKeyItems(items);
    w.ShowPage(2);
    w.dlg.WorkStep();  // the canvas page's own task
    w.rig.transport.SetSleep([](DWORD) {});
    sim::EnableLog(false);
  }
  ~StreamRig() { sim::EnableLog(true); }
};

void BM_IdleCanvasStep(benchmark::State& state) {
  StreamRig r;
  for (auto _ : state) r.w.dlg.WorkStep();
  // Frames per second the step itself could sustain; the 16 ms period allows 62.5.
  state.counters["frames_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["frame_bytes"] = double(Table("k102", sim::Table::CanvasFrame).size());
  // Proof that each idle step did stream: the reports of one more step, in whole frames.
  sim::EnableLog(true);
  sim::ClearLog();
  r.w.dlg.WorkStep();
  state.counters["frames_per_step"] = double(CountOf(Commands(), kCmdCanvasFrame)) / 4.0;  // 214 bytes = 4 chunks
  sim::EnableLog(false);
}
BENCHMARK(BM_IdleCanvasStep)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Canvas frames streamed back to back to a keyboard whose every report takes the time of
// a USB transfer (argument: microseconds per report; a real keyboard polls once per
// 1000), with the transport's own pauses really slept. "fps": frames per second
// sustained, from wall time, against the 62.5 of the 16 ms period.
void BM_StreamAtReportTime(benchmark::State& state) {
  StreamRig r;
  r.w.rig.transport.SetSleep(nullptr);  // the program's pauses, as it makes them
  sim::SetReportTime(static_cast<int>(state.range(0)));
  sim::EnableLog(true);
  sim::ClearLog();
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) r.w.dlg.WorkStep();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  sim::SetReportTime(0);
  const std::vector<int> commands = Commands();
  sim::EnableLog(false);
  const double steps = double(state.iterations());
  const double frames = double(CountOf(commands, kCmdCanvasFrame)) / 4.0;  // 214 bytes = 4 reports
  state.counters["fps"] = seconds > 0 ? frames / seconds : 0.0;
  state.counters["goal_fps"] = 62.5;
  state.counters["reports_per_frame"] = frames > 0 ? double(commands.size()) / frames : 0.0;
  state.counters["frames_per_step"] = steps > 0 ? frames / steps : 0.0;
}
// A fixed count keeps every report of the run in the simulator's log.
BENCHMARK(BM_StreamAtReportTime)->Arg(0)->Arg(1000)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KeyChangeToTable(benchmark::State& state) {
  StreamRig r;
  int code = 0;
  for (const auto& [index, c] : r.w.dlg.m_keyCodeByIndex) {
    if (c > 0 && c < 224) {
      code = c;
      break;
    }
  }
  r.w.dlg.m_selectedKey = code;
  r.w.ShowPage(0);  // the home page: no streaming between
  for (auto _ : state) {
    r.w.dlg.AddTask(kTaskKeyMap);
    r.w.dlg.WorkStep();
  }
  // Model 102 with firmware 1.15 rewrites all four layers for one key.
  state.counters["reports"] = double(4 * 7 + 2);
}
BENCHMARK(BM_KeyChangeToTable)->Unit(benchmark::kMicrosecond);

}  // namespace
