// One assignment from the key page's function list to the simulated keyboard's table: the
// click's handler (store row, label, task 9) and the worker's write of the key's layers,
// which on this keyboard (firmware 1.15) are written whole, 128 keys each.
// The argument is the link's time per report in microseconds: 1000 is what a keyboard's
// USB interrupt pipe takes, 0 leaves only the program's own work (store and encoding).
#include <benchmark/benchmark.h>
#include <chrono>
#include "device/WorkerRig.h"
#include "widgets/KeyFuncValue.h"

using namespace simtest;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct AssignRig {
  WorkerRig w{CableK102()};
  KeyFuncValue list{nullptr, 89, CRect(0, 0, 300, 200), 1, 1};
  int code = 0;
  int index = 0;

  explicit AssignRig(int reportTimeUs) {
    w.StartUp();
    w.dlg.SetControl(89, &list);
    w.dlg.m_keyFuncCategory = 2;
    list.AddItem(L"A", 4, L"");
    list.AddItem(L"B", 5, L"");
    for (const auto& [keyCode, keyIndex] : w.dlg.m_keyIndexByCode)
      if (keyIndex >= 0 && keyIndex < 128 && keyCode > 0 && keyCode < 224) {
        code = keyCode;
        index = keyIndex;
        break;
      }
    w.rig.transport.SetSleep([](DWORD) {});
    sim::EnableLog(false);
    sim::SetReportTime(reportTimeUs);
  }
  ~AssignRig() {
    sim::SetReportTime(0);
    sim::EnableLog(true);
  }
  // The click on item `item`: what the handler does on the user-interface thread.
  void Click(int item) {
    list.SetSelectItem(item);
    w.dlg.m_selectedKey = code;
    w.dlg.OnAssignKeyFunction();
  }
  // The worker's turn: every queued task, here task 9 with its four whole layers.
  void Work() {
    while (!w.dlg.m_taskQueue.IsEmpty()) w.dlg.WorkStep();
  }
  bool TableHolds(int item) {
    const std::vector<uint8_t> map = Table("k102", sim::Table::KeyMap, 0);
    return map.size() >= 384 && map[size_t(index) * 3 + 2] == (item ? 5 : 4);
  }
};

// The handler alone: read the key's row, store the function, relabel, queue task 9.
void BM_AssignClick(benchmark::State& state) {
  AssignRig r(0);
  int item = 0;
  for (auto _ : state) {
    r.Click(item ^= 1);
    r.w.dlg.m_taskQueue.Clear();
  }
}
BENCHMARK(BM_AssignClick)->Unit(benchmark::kMicrosecond);

// From the click to the keyboard's table holding the new function. Counters: the click's
// handler and the worker's write, each in milliseconds per assignment.
void BM_AssignClickToKeyboardTable(benchmark::State& state) {
  AssignRig r(int(state.range(0)));
  int item = 0;
  double click = 0, write = 0;
  for (auto _ : state) {
    const Clock::time_point begin = Clock::now();
    r.Click(item ^= 1);
    const Clock::time_point clicked = Clock::now();
    r.Work();
    const Clock::time_point written = Clock::now();
    click += Ms(clicked - begin);
    write += Ms(written - clicked);
    state.PauseTiming();
    const bool holds = r.TableHolds(item);
    state.ResumeTiming();
    if (!holds) {
      state.SkipWithError("the keyboard's table does not hold the function");
      break;
    }
  }
  const double n = double(state.iterations());
  state.counters["click_ms"] = n > 0 ? click / n : 0;
  state.counters["write_ms"] = n > 0 ? write / n : 0;
}
BENCHMARK(BM_AssignClickToKeyboardTable)->ArgName("report_us")->Arg(1000)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
