// A full repaint of the main window with the key page shown (the on-screen keyboard, the
// layer buttons, the key test strip and the key page's panel), on the simulated K104:
// the whole client area invalidated and painted at once, as after a restore from the tray.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <chrono>
#include <string>
#include "shell/MainWindowRig.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* kK104 = R"(
[keyboard k104]
model = legacy
vid = 0x3F1D
pid = 0x1104
[usb cable-k104]
keyboard = k104
vid = 0x3F1D
pid = 0x1104
product = Quenby K104
)";

// The stage's skins are generated at build time: the program folder beside this bench.
std::wstring RunFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  folder.resize(folder.rfind(L'\\'));
  return folder.substr(0, folder.rfind(L'\\')) + L"\\run\\";
}

struct KeyPageWindow {
  mainwindow::GdiplusToken gdiplus;
  mainwindow::MainWindowRig window{kK104, L"QuenbyRepaintBench"};
  bool ready = false;

  KeyPageWindow() {
    window.MakeDialog(RunFolder());
    if (!window.Open()) return;
    window.Show();
    if (!window.WaitForDevices(30000) || !window.Choose(104, 30000)) return;
    window.ShowPage(4);
    mainwindow::Pump(500);
    ready = window.dlg->m_mainPage == 4;
  }
};

void BM_FullRepaintKeyPage(benchmark::State& state) {
  KeyPageWindow page;
  if (!page.ready) {
    state.SkipWithError("the key page did not come up");
    return;
  }
  HWND window = page.window.dlg->GetSafeHwnd();
  for (auto _ : state) {
    const Clock::time_point begin = Clock::now();
    // Invalidated and painted synchronously: the paint happens inside this call.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count());
    // The worker's and the timers' messages run between the paints, outside the figure.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}
BENCHMARK(BM_FullRepaintKeyPage)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
