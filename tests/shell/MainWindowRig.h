// The main window on simulated keyboards, for window tests and benchmarks alike: a real
// KeyboardDlg under the test display, the worker on its own thread behind the real device
// transport, a real profile database in a temporary folder, and settings under a registry
// key of the rig's own. Free of GoogleTest so that the benchmarks can use it too.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <string>
#include "controls/MTabCtrl.h"
#include "core/Manager.h"
#include "device/TransportRig.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CDeviceList.h"

namespace mainwindow {

// Runs the thread's messages until `done` or `ms` have passed; the last answer of `done`.
template <typename Done>
bool PumpUntil(Done done, int ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < DWORD(ms);) {
    // Checked after every message: a state can pass within one busy stretch. A bounded
    // batch: a page that repaints all the time never holds the wait for ever.
    MSG msg;
    for (int n = 0; n < 200 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (done()) return true;
    }
    if (done()) return true;
    Sleep(5);
  }
  return done();
}

inline void Pump(int ms) {
  PumpUntil([] { return false; }, ms);
}

// The source tree's data folder (config.xml, layouts, skins, language files) as Wine sees it.
inline std::wstring SourceDataFolder() {
  std::wstring path = L"Z:";
  for (const char* c = __FILE__; *c; ++c) path.push_back(*c == '/' ? L'\\' : wchar_t(*c));
  path.resize(path.rfind(L"\\tests\\shell\\"));
  path.append(L"\\data\\");
  return path;
}

// Models 101, 102 (with the matrix screen, firmware 1.15) and 103, each on its own cable.
inline constexpr const char* kThreeCableModels = R"(
[keyboard k101]
model = basic
vid = 0x3F1D
pid = 0x1101
[keyboard k102]
model = matrix
vid = 0x3F1D
pid = 0x1102
[keyboard k103]
model = frame164
vid = 0x3F1D
pid = 0x1103
[usb cable-k101]
keyboard = k101
vid = 0x3F1D
pid = 0x1101
[usb cable-k102]
keyboard = k102
vid = 0x3F1D
pid = 0x1102
product = Quenby K102
[usb cable-k103]
keyboard = k103
vid = 0x3F1D
pid = 0x1103
product = Quenby K103
)";

// GDI+ for the life of the owner.
class GdiplusToken {
public:
  GdiplusToken() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
  }
  ~GdiplusToken() { Gdiplus::GdiplusShutdown(m_token); }
  GdiplusToken(const GdiplusToken&) = delete;
  GdiplusToken& operator=(const GdiplusToken&) = delete;

private:
  ULONG_PTR m_token = 0;
};

class MainWindowRig {
public:
  // `keyboards`: the simulated keyboards and cables plugged in; `software`: the program's
  // name, which names its registry key and window.
  MainWindowRig(const char* keyboards, const wchar_t* software) : world(keyboards), m_software(software) {
    Manager::SetDeviceName(m_software.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, RegistryPath().c_str());
    RegCreateKeyW(HKEY_CURRENT_USER, RegistryPath().c_str(), &key);
    CreateDirectoryW((user.Path() + L"db").c_str(), nullptr);
  }
  virtual ~MainWindowRig() {
    Close();
    store.CloseDeviceDb();
    for (const wchar_t* model : {L"K101", L"K102", L"K103", L"K104", L"K150"})
      store.DeleteDeviceDb(user.Path().c_str(), model);
    RemoveDirectoryW((user.Path() + L"db").c_str());
    if (key) RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, RegistryPath().c_str());
  }
  MainWindowRig(const MainWindowRig&) = delete;
  MainWindowRig& operator=(const MainWindowRig&) = delete;

  // The dialog, its window not made yet: no audio, no way out of the process, an update
  // server nobody answers, the data folder `exeFolder`.
  void MakeDialog(const std::wstring& exeFolder = SourceDataFolder()) {
    dlg = std::make_unique<KeyboardDlg>(rig.transport, store);
    dlg->m_startAudio = false;
    dlg->m_exeFolder = exeFolder.c_str();
    dlg->m_userDataFolder = user.Path().c_str();
    dlg->m_softwareName = m_software.c_str();
    dlg->m_updateServerUrl = L"http://127.0.0.1:1/software-upgrade/";
    dlg->m_exitProcess = [](UINT) {};
  }
  // The window, hidden until `Show`.
  bool Open() { return dlg->Create(nullptr, m_software.c_str(), 0x96020000 & ~WS_VISIBLE, 0, CRect(0, 0, 1400, 788)); }
  void Show() { ::ShowWindow(dlg->GetSafeHwnd(), SW_SHOW); }
  // The worker has set up the devices and the window has run what it handed over.
  bool WaitForDevices(int ms = 15000) {
    return PumpUntil([&] { return dlg->m_devicesInitialised && dlg->IsWorkerIdle(); }, ms);
  }
  // Chooses `model` in the device list as a click does and waits for its tables to be read.
  bool Choose(int model, int ms = 15000) {
    dlg->m_deviceList->SetSelectDevice(model);
    if (dlg->OnMessage(81, 2, 0, 0) != 1) return false;
    return PumpUntil([&] { return dlg->m_deviceType == model && dlg->IsWorkerIdle() && dlg->m_deviceLinked; }, ms);
  }
  // Shows the page of main tab item `item` as a click on the strip does.
  bool ShowPage(int item) {
    for (int i = 0; i < dlg->m_mainTab->GetItemCount(); ++i)
      if (dlg->m_mainTab->GetItemID(i) == item) dlg->m_mainTab->SetSelectItem(i);
    return dlg->m_mainPage == item;
  }
  // Closes the window as its close message does and lets the dialog go.
  void Close() {
    if (dlg && dlg->GetSafeHwnd()) {
      HWND window = dlg->GetSafeHwnd();
      PostMessageW(window, WM_CLOSE, 0, 0);
      PumpUntil([&] { return !IsWindow(window); }, 10000);
    }
    dlg.reset();
  }

  simtest::SimWorld world;
  simtest::TempFolder user;
  simtest::TransportRig rig;
  KeyboardDataStore store;
  HKEY key = nullptr;
  std::unique_ptr<KeyboardDlg> dlg;

private:
  std::wstring RegistryPath() const { return L"SOFTWARE\\" + m_software; }

  std::wstring m_software;
};

}  // namespace mainwindow
