// The worker against the simulated keyboard: idle steps streaming canvas frames (CPU
// time per step; at one frame per 16 ms step the sustainable rate is what fits the
// period), and the way of one key change from the queue to the keyboard's table.
#include <benchmark/benchmark.h>
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
