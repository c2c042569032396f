// Start-up of the program as a person starts it (the demo folder, the simulated keyboard):
// from the process start to its main window shown, painted and waiting for input; and the
// same for a bare Win32 window program started the same way in the same run, so the ratio
// tells the program's own share apart from the cost of starting a process under Wine
// (goal: 2x). The bare program also starts once drawing a window of 300 titled cells
// directly with GDI+ from a private font (BareWindow.cpp): what the platform's own
// drawing adds to a start-up, side by side with the program.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <chrono>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.rfind(L'\\'));
}

// Starts `exe` in its folder and returns the milliseconds until its window titled `title`
// is visible and the process waits for input (its first paint done); -1 when it is not.
// The program is closed again before returning.
double MillisecondsToFirstPaint(const std::wstring& exe, const std::wstring& title, const std::wstring& args = {}) {
  const std::wstring folder = exe.substr(0, exe.rfind(L'\\'));
  std::wstring command = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
  STARTUPINFOW start = {};
  start.cb = sizeof(start);
  PROCESS_INFORMATION info = {};
  const Clock::time_point begin = Clock::now();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &start, &info))
    return -1;
  HWND window = nullptr;
  double ms = -1;
  for (int i = 0; i < 60000 && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; ++i) {
    window = FindWindowW(nullptr, title.c_str());
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    if (window && owner == info.dwProcessId && IsWindowVisible(window)) {
      WaitForInputIdle(info.hProcess, 30000);
      ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
      break;
    }
    Sleep(1);
  }
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 20000) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 9);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ms;
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
  const std::wstring bin = OwnFolder();
  const std::wstring program = bin.substr(0, bin.rfind(L'\\')) + L"\\run\\Quenby.exe";
  const std::wstring bare = bin + L"\\startup_bare_window.exe";
  const std::wstring font = L"\"" + bin.substr(0, bin.rfind(L'\\')) + L"\\run\\fonts\\Roboto-Medium.ttf\"";
  double programTotal = 0, bareTotal = 0, directTotal = 0;
  int runs = 0;
  for (auto _ : state) {
    const double bareMs = MillisecondsToFirstPaint(bare, L"BareWindow");
    const double directMs = MillisecondsToFirstPaint(bare, L"BareWindow", L"gdiplus " + font);
    const double programMs = MillisecondsToFirstPaint(program, L"Quenby");
    if (bareMs < 0 || directMs < 0 || programMs < 0) {
      state.SkipWithError("a window did not appear");
      return;
    }
    state.SetIterationTime(programMs / 1000.0);
    bareTotal += bareMs;
    directTotal += directMs;
    programTotal += programMs;
    ++runs;
  }
  if (runs == 0) return;
  state.counters["program_ms"] = programTotal / runs;
  state.counters["bare_ms"] = bareTotal / runs;
  state.counters["ratio"] = programTotal / bareTotal;
  state.counters["goal_ratio"] = 2;
  // The bare program drawing 300 cells directly with GDI+, and the program against it.
  state.counters["direct_ms"] = directTotal / runs;
  state.counters["ratio_direct"] = programTotal / directTotal;
}
BENCHMARK(BM_StartUpToFirstPaint)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
