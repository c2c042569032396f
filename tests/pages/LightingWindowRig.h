// The main window on the simulated keyboards for the lighting pages' tests: the real
// dialog with its window under the test display, its worker thread, a profile database
// in a temporary folder, and helpers that choose a keyboard, show a tab, click at a
// point of the window and wait for the worker.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <string>
#include "shell/MainWindowRig.h"
#include "controls/MTabCtrl.h"
#include "core/Manager.h"
#include "device/TransportRig.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CDeviceList.h"

namespace lightingwindow {

using namespace simtest;

// The message pump and the data folder are the main-window rig's.
using mainwindow::Pump;
using mainwindow::PumpUntil;
inline std::wstring DataFolder() { return mainwindow::SourceDataFolder(); }

inline CString Text(int value) {
  CString text;
  text.Format(L"%d", value);
  return text;
}

inline const char* kModels = mainwindow::kThreeCableModels;

constexpr wchar_t kSoftware[] = L"QuenbyLightingWindowTest";

class LightingWindow : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(world.Loaded());
    Manager::SetDeviceName(kSoftware);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"SOFTWARE\\") + kSoftware).c_str());
    CreateDirectoryW((user.Path() + L"db").c_str(), nullptr);
    MakeDialog();
  }
  void TearDown() override {
    CloseDialog();
    store.CloseDeviceDb();
    for (const wchar_t* model : {L"K101", L"K102", L"K103"}) store.DeleteDeviceDb(user.Path().c_str(), model);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"SOFTWARE\\") + kSoftware).c_str());
  }
  void MakeDialog() {
    dlg = std::make_unique<KeyboardDlg>(rig.transport, store);
    dlg->m_startAudio = false;
    dlg->m_exeFolder = DataFolder().c_str();
    dlg->m_userDataFolder = user.Path().c_str();
    dlg->m_softwareName = kSoftware;
    dlg->m_updateServerUrl = L"http://127.0.0.1:1/software-upgrade/";
    dlg->m_exitProcess = [](UINT) {};
  }
  void CloseDialog() {
    if (dlg && dlg->GetSafeHwnd()) {
      HWND window = dlg->GetSafeHwnd();
      PostMessageW(window, WM_CLOSE, 0, 0);
      PumpUntil([&] { return !IsWindow(window); }, 5000);
    }
    dlg.reset();
  }
  // The program run again on the same database folder: a new dialog and window.
  void Restart(int model) {
    CloseDialog();
    store.CloseDeviceDb();
    MakeDialog();
    OpenOn(model);
  }
  // The window made, the devices found and `model` chosen in the device list.
  void OpenOn(int model) {
    ASSERT_TRUE(dlg->Create(nullptr, kSoftware, 0x96020000, 0, CRect(0, 0, 1400, 788)));
    ASSERT_TRUE(PumpUntil([&] { return dlg->m_devicesInitialised && dlg->IsWorkerIdle(); }, 20000));
    Pump(200);
    dlg->m_deviceList->SetSelectDevice(model);
    EXPECT_EQ(dlg->OnMessage(81, 2, 0, 0), 1);
    ASSERT_TRUE(PumpUntil([&] { return dlg->m_deviceType == model && dlg->IsWorkerIdle() && dlg->m_deviceLinked; },
                          20000));
    Pump(300);
  }
  // The main tab of `item` selected, as a click on the strip does.
  void ShowTab(int item) {
    for (int position = 0; position < dlg->m_mainTab->GetItemCount(); ++position) {
      if (dlg->m_mainTab->GetItemID(position) != item) continue;
      ASSERT_TRUE(PumpUntil([&] { return dlg->m_mainTab->GetItemVisible(position) != 0; }, 10000)) << item;
      dlg->m_mainTab->SetSelectItem(position);
      Pump(100);
      ASSERT_EQ(dlg->m_mainPage, item);
      return;
    }
    FAIL() << "no tab " << item;
  }
  // A notification of a control, as the control sends it to the window.
  int Notify(int id, int code = 2) { return int(dlg->OnMessage(UINT(id), UINT(code), 0, 0)); }
  // The worker has emptied its queue and finished the task it took last.
  void Drain() {
    ASSERT_TRUE(PumpUntil([&] { return dlg->IsWorkerIdle(); }, 20000));
    Pump(250);
  }
  // A left click at a point of the window's client area, through its messages.
  void Click(POINT at, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    HWND window = dlg->GetSafeHwnd();
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(window, WM_MOUSEMOVE, 0, where);
    SendMessageW(window, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, where);
    SendMessageW(window, up, 0, where);
    Pump(50);
  }
  template <typename T>
  T* Get(int id) {
    return dynamic_cast<T*>(dlg->Control(id));
  }

  SimWorld world{kModels};
  TempFolder user;
  TransportRig rig;
  KeyboardDataStore store;
  std::unique_ptr<KeyboardDlg> dlg;
};

}  // namespace lightingwindow
