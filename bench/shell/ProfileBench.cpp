// A profile switch on a full-size keyboard (model 104, 104 keys) against the simulated
// keyboard, as the profile list does it: the clicked profile is made the active one and
// the worker's profile task writes it to the keyboard. Measured from the click to the
// end of the worker's step, which sends the last report; and the share of that time
// spent outside the report exchange, found by sending the same reports again on their
// own.
#include <benchmark/benchmark.h>
#include <chrono>
#include "device/WorkerRig.h"
#include "shell/LayoutFile.h"
#include "shell/ProfileBook.h"

using namespace simtest;

namespace {

using Clock = std::chrono::steady_clock;

const char* kFullSizeCatalogue = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <device.info>
    <keyboard name="K104" device_type="104" device_info="K104" img_connected="a.png" img_disconnected="b.png">
      <mode value="0" desc="cable" vid="0x3F1D" pid="0x1104" product_name="" hid_interface="VID_3F1D&amp;PID_1104&amp;MI_01"/>
    </keyboard>
  </device.info>
  <language.info default_lan="2"><lan value="1"/><lan value="2"/></language.info>
  <software name="Quenby" version="1.0.3"/>
</config>
)";

std::string CableK104() {
  return "\n[keyboard k104]\nmodel = basic\nvid = 0x3F1D\npid = 0x1104\n"
         "\n[usb cable-k104]\nkeyboard = k104\nvid = 0x3F1D\npid = 0x1104\nproduct = Quenby K104\n";
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct SwitchRig {
  WorkerRig w{CableK104(), L"QuenbyProfileBench"};
  std::vector<ProfileKey> keys;
  int profiles[2] = {1, 2};
  int next = 0;
  bool ready = false;

  SwitchRig() {
    WriteText(w.folder.File(L"config.xml"), kFullSizeCatalogue);
    CopyFileW((SourceDataFolder() + L"layouts\\K104.xml").c_str(), (w.folder.Path() + L"\\layouts\\K104.xml").c_str(),
              FALSE);
    KeyboardLayout layout;
    if (!ReadKeyboardLayout((SourceDataFolder() + L"layouts\\K104.xml").c_str(), layout)) return;
    keys = ProfileKeysOf(layout.keys);
    w.dlg.m_sleep = [](DWORD) {};
    w.rig.transport.SetSleep([](DWORD) {});
    w.dlg.LoadDeviceCatalog();
    w.StartUp();
    ProfileBook book = Book();
    if (!book.EnsureDefaultProfiles(true)) return;
    // The second profile differs on every key of every layer, so each switch rewrites
    // the whole key table.
    for (int profile : profiles) book.SeedDefaultKeyRows(profile);
    for (const ProfileKey& key : keys) {
      for (int layer = 0; layer < ProfileBook::kFnLayers; ++layer) {
        KeyMacroRecord r;
        r.profile = profiles[1], r.fn_layer = layer, r.key_code = key.code, r.layout_value = key.code;
        r.macro_type = 2, r.macro_value = 4 + (key.code + layer) % 90;
        w.store.AssignKeyMacro(r);
      }
    }
    sim::EnableLog(false);
    ready = w.dlg.m_deviceType == 104;
  }
  ~SwitchRig() { sim::EnableLog(true); }

  ProfileBook Book() { return ProfileBook(w.store, {L"Profile", L"Profile", L"Mine"}, keys); }

  // One click on the other profile's row, and the worker's step that follows it.
  void Switch() {
    const int profile = profiles[next++ % 2];
    Book().Activate(profile);
    w.dlg.m_profileId = profile;
    w.dlg.AddTask(kTaskApplyProfile);
    w.dlg.WorkStep();
  }
};

void BM_ProfileSwitchFullSize(benchmark::State& state) {
  SwitchRig r;
  if (!r.ready) {
    state.SkipWithError("the simulated full-size keyboard was not set up");
    return;
  }
  Clock::duration total{};
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    r.Switch();
    total += Clock::now() - start;
  }
  const double perSwitch = Seconds(total) / double(state.iterations());

  // The reports of one switch, sent again on their own (each with its reply).
  sim::EnableLog(true);
  sim::ClearLog();
  r.Switch();
  std::vector<DeviceReport> reports;
  for (const sim::LogEntry& entry : sim::Log()) {
    if (!entry.write || entry.bytes.size() < 2) continue;
    DeviceReport report;
    memcpy(report.bytes, entry.bytes.data() + 1, std::min(entry.bytes.size() - 1, sizeof(report.bytes)));
    reports.push_back(report);
  }
  sim::EnableLog(false);
  const int rounds = 20;
  const Clock::time_point start = Clock::now();
  for (int round = 0; round < rounds; ++round) {
    for (DeviceReport report : reports) r.w.rig.transport.SendCommand(report);
  }
  const double exchange = Seconds(Clock::now() - start) / rounds;

  state.counters["switch_ms"] = perSwitch * 1e3;
  state.counters["reports"] = double(reports.size());
  state.counters["exchange_ms"] = exchange * 1e3;
  state.counters["outside_share"] = perSwitch > 0 ? std::max(0.0, 1.0 - exchange / perSwitch) : 0.0;
}
BENCHMARK(BM_ProfileSwitchFullSize)->Unit(benchmark::kMillisecond);

}  // namespace
