// Software cost of the report exchange against an instantly answering simulated
// keyboard. The inter-command delay is not slept, so the figures are CPU time of the
// program's exchange code plus the simulator's answer. A full-speed HID link carries
// about one report per millisecond; "per_report" shows how small a share of that the
// software takes.
#include <benchmark/benchmark.h>
#include <memory>
#include "device/TransportRig.h"

using namespace simtest;

namespace {

const char* kConfig = R"(
[keyboard kb]
model = matrix
vid = 0x3F1D
pid = 0x1102

[usb cable]
keyboard = kb
vid = 0x3F1D
pid = 0x1102
)";

struct Bench {
  SimWorld world{kConfig};
  TransportRig rig;
  Bench() {
    sim::EnableLog(false);
    rig.transport.SetSleep([](DWORD) {});
    rig.transport.AddKnownDevice(0x3F1D, 0x1102, L"", 102, kLinkWired);
    rig.Open(102);
  }
  ~Bench() { sim::EnableLog(true); }
};

void Report(benchmark::State& state, int reportsPerIteration) {
  state.counters["reports"] = reportsPerIteration;
  state.counters["per_report"] = benchmark::Counter(
      reportsPerIteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Transfer384(benchmark::State& state) {
  Bench b;
  std::vector<uint8_t> table(384, 0x5A), buffer;
  for (auto _ : state) {
    buffer = table;
    if (!b.rig.transport.Transfer(WriteKeyMapCommand(0), buffer.data(), 384)) state.SkipWithError("transfer failed");
  }
  Report(state, 7);
}
BENCHMARK(BM_Transfer384)->Unit(benchmark::kMicrosecond);

void BM_TransferChecked214(benchmark::State& state) {
  Bench b;
  std::vector<uint8_t> frame(214, 0x3C);
  for (auto _ : state) {
    if (!b.rig.transport.TransferChecked(kCmdCanvasFrame, frame.data(), 214)) state.SkipWithError("frame failed");
  }
  Report(state, 4);
}
BENCHMARK(BM_TransferChecked214)->Unit(benchmark::kMicrosecond);

// Back-to-back canvas frames with changing colours, as the idle worker streams them.
void BM_CanvasFrames(benchmark::State& state) {
  Bench b;
  std::vector<uint8_t> frame(214);
  uint8_t shade = 0;
  for (auto _ : state) {
    std::fill(frame.begin(), frame.end(), shade++);
    if (!b.rig.transport.TransferChecked(kCmdCanvasFrame, frame.data(), 214)) state.SkipWithError("frame failed");
  }
  state.counters["frames_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CanvasFrames)->Unit(benchmark::kMicrosecond)->MinTime(0.5)->UseRealTime();

}  // namespace
