// A full repaint of the main window with the key page shown (the on-screen keyboard, the
// layer buttons, the key test strip and the key page's panel), on the simulated K104:
// the whole client area invalidated and painted at once, as after a restore from the tray.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include <chrono>
#include <memory>
#include <string>
#include "controls/MTabCtrl.h"
#include "core/Manager.h"
#include "device/TransportRig.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CDeviceList.h"

using namespace simtest;

namespace {

using Clock = std::chrono::steady_clock;
constexpr wchar_t kSoftware[] = L"QuenbyRepaintBench";

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

template <typename Done>
bool PumpUntil(Done done, int ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < DWORD(ms);) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    Sleep(10);
  }
  return done();
}

// The source tree's data folder (config.xml, layouts, skins) as Wine sees it.
std::wstring SourceDataFolder() {
  std::wstring path = L"Z:";
  for (const char* c = __FILE__; *c; ++c) path.push_back(*c == '/' ? L'\\' : wchar_t(*c));
  path.resize(path.rfind(L"\\bench\\shell\\"));
  path.append(L"\\data\\");
  return path;
}

// The stage's skins are generated at build time: the program folder beside this bench.
std::wstring RunFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  folder.resize(folder.rfind(L'\\'));
  return folder.substr(0, folder.rfind(L'\\')) + L"\\run\\";
}

struct KeyPageWindow {
  SimWorld world{kK104};
  TempFolder user;
  TransportRig rig;
  KeyboardDataStore store;
  std::unique_ptr<KeyboardDlg> dlg;
  ULONG_PTR gdiplus = 0;
  bool ready = false;

  KeyPageWindow() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr);
    Manager::SetDeviceName(kSoftware);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"SOFTWARE\\") + kSoftware).c_str());
    HKEY key = nullptr;
    RegCreateKeyW(HKEY_CURRENT_USER, (std::wstring(L"SOFTWARE\\") + kSoftware).c_str(), &key);
    RegCloseKey(key);
    CreateDirectoryW((user.Path() + L"db").c_str(), nullptr);
    dlg = std::make_unique<KeyboardDlg>(rig.transport, store);
    dlg->m_startAudio = false;
    dlg->m_exeFolder = RunFolder().c_str();
    dlg->m_userDataFolder = user.Path().c_str();
    dlg->m_softwareName = kSoftware;
    dlg->m_updateServerUrl = L"http://127.0.0.1:1/software-upgrade/";
    dlg->m_exitProcess = [](UINT) {};
    if (!dlg->Create(nullptr, kSoftware, 0x96020000, 0, CRect(0, 0, 1400, 788))) return;
    ShowWindow(dlg->GetSafeHwnd(), SW_SHOW);
    if (!PumpUntil([&] { return dlg->m_devicesInitialised && dlg->m_taskQueue.IsEmpty(); }, 30000)) return;
    dlg->m_deviceList->SetSelectDevice(104);
    dlg->OnMessage(81, 2, 0, 0);
    if (!PumpUntil([&] { return dlg->m_deviceType == 104 && dlg->m_taskQueue.IsEmpty() && dlg->m_deviceLinked; }, 30000))
      return;
    for (int position = 0; position < dlg->m_mainTab->GetItemCount(); ++position) {
      if (dlg->m_mainTab->GetItemID(position) == 4) dlg->m_mainTab->SetSelectItem(position);
    }
    PumpUntil([] { return false; }, 500);
    ready = dlg->m_mainPage == 4;
  }
  ~KeyPageWindow() {
    if (dlg && dlg->GetSafeHwnd()) {
      HWND window = dlg->GetSafeHwnd();
      PostMessageW(window, WM_CLOSE, 0, 0);
      PumpUntil([&] { return !IsWindow(window); }, 10000);
    }
    dlg.reset();
    store.CloseDeviceDb();
    store.DeleteDeviceDb(user.Path().c_str(), L"K104");
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"SOFTWARE\\") + kSoftware).c_str());
    Gdiplus::GdiplusShutdown(gdiplus);
  }
};

void BM_FullRepaintKeyPage(benchmark::State& state) {
  KeyPageWindow page;
  if (!page.ready) {
    state.SkipWithError("the key page did not come up");
    return;
  }
  HWND window = page.dlg->GetSafeHwnd();
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
