// One assignment from the key page's function list to the simulated keyboard's table: the
// click's handler (store row, label, task 9) and the worker's write of the key's layers,
// which on this keyboard (firmware 1.15) are written whole, 128 keys each.
#include <benchmark/benchmark.h>
#include "device/WorkerRig.h"
#include "widgets/KeyFuncValue.h"

using namespace simtest;

namespace {

struct AssignRig {
  WorkerRig w{CableK102()};
  KeyFuncValue list{nullptr, 89, CRect(0, 0, 300, 200), 1, 1};
  int code = 0;
  int index = 0;

  AssignRig() {
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
  }
  ~AssignRig() { sim::EnableLog(true); }
  // The click on item `item`: what the handler does on the user-interface thread.
  void Click(int item) {
    list.SetSelectItem(item);
    w.dlg.m_selectedKey = code;
    w.dlg.OnAssignKeyFunction();
  }
};

// The handler alone: read the key's row, store the function, relabel, queue task 9.
void BM_AssignClick(benchmark::State& state) {
  AssignRig r;
  int item = 0;
  for (auto _ : state) {
    r.Click(item ^= 1);
    r.w.dlg.m_taskQueue.Clear();
  }
}
BENCHMARK(BM_AssignClick)->Unit(benchmark::kMicrosecond);

// From the click to the keyboard's table holding the new function.
void BM_AssignClickToKeyboardTable(benchmark::State& state) {
  AssignRig r;
  int item = 0;
  for (auto _ : state) {
    r.Click(item ^= 1);
    while (!r.w.dlg.m_taskQueue.IsEmpty()) r.w.dlg.WorkStep();
    const std::vector<uint8_t> map = Table("k102", sim::Table::KeyMap, 0);
    if (map.size() < 384 || map[size_t(r.index) * 3 + 2] != (item ? 5 : 4)) state.SkipWithError("not in the table");
  }
}
BENCHMARK(BM_AssignClickToKeyboardTable)->Unit(benchmark::kMillisecond);

}  // namespace
