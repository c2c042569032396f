// The main window on simulated keyboards for the tests of the profile list, the settings
// pages, the factory reset and the update flow: a real window under the test display, a
// real profile database in a temporary folder, settings under a registry key of the
// test's own, and the program's questions (message boxes, file dialogs) answered by the
// test and recorded.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>
#include <deque>
#include <memory>
#include <string>
#include <vector>
#include "MainWindowRig.h"
#include "controls/ProfileList.h"
#include "core/Manager.h"
#include "device/TransportRig.h"
#include "shell/AppSettings.h"
#include "shell/KeyboardDlg.h"
#include "shell/LanguageText.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CDeviceList.h"

namespace shelltest {

// The message pump and the data folder are the main-window rig's.
using mainwindow::Pump;
using mainwindow::PumpUntil;
using mainwindow::SourceDataFolder;

// The folder of this test program (the stand-in programs lie beside it).
inline std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.rfind(L'\\') + 1);
}

inline std::wstring Text(const CString& s) { return s.GetString(); }

// Three simulated models on their cables: the basic one, the matrix-screen one (firmware
// 1.15, older than the tool's) and the one with a knob.
inline const char* kShellModels = mainwindow::kThreeCableModels;

// One question the program asked.
struct Asked {
  std::wstring text, caption;
  int type;
};

// The software name the tests' settings live under.
inline constexpr const wchar_t* kSoftware = L"QuenbyShellPagesTest";

class ShellWindow : public ::testing::Test {
protected:

  void SetUp() override {
    ASSERT_TRUE(world.Loaded());
    Manager::SetDeviceName(kSoftware);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"SOFTWARE\\") + kSoftware).c_str());
    RegCreateKeyW(HKEY_CURRENT_USER, (std::wstring(L"SOFTWARE\\") + kSoftware).c_str(), &key);
    DeleteAutorunEntry();
    SetLanguageFolder((SourceDataFolder() + L"language\\").c_str());
    CurrentLanguageId = 1033;
    CreateDirectoryW((user.Path() + L"db").c_str(), nullptr);
    dlg = std::make_unique<KeyboardDlg>(rig.transport, store);
    dlg->m_startAudio = false;
    dlg->m_exeFolder = SourceDataFolder().c_str();
    dlg->m_userDataFolder = user.Path().c_str();
    dlg->m_softwareName = kSoftware;
    dlg->m_updateServerUrl = L"http://127.0.0.1:1/software-upgrade/";
    dlg->m_exitProcess = [this](UINT code) { exits.push_back(int(code)); };
    dlg->m_messageBox = [this](HWND, const CString& text, const CString& caption, int type) {
      asked.push_back({text.GetString(), caption.GetString(), type});
      if (answers.empty()) return 1;
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    };
    dlg->m_chooseProfileFile = [this](bool) { return CString(chosenFile.c_str()); };
  }

  void TearDown() override {
    if (dlg && dlg->GetSafeHwnd()) {
      PostMessageW(dlg->GetSafeHwnd(), WM_CLOSE, 0, 0);
      HWND window = dlg->GetSafeHwnd();
      PumpUntil([&] { return !IsWindow(window); }, 5000);
    }
    dlg.reset();
    store.CloseDeviceDb();
    for (const wchar_t* model : {L"K101", L"K102", L"K103"}) store.DeleteDeviceDb(user.Path().c_str(), model);
    DeleteAutorunEntry();
    RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"SOFTWARE\\") + kSoftware).c_str());
    CurrentLanguageId = 1033;
    SetLanguageFolder(L"");
  }

  void Open() {
    ASSERT_TRUE(dlg->Create(nullptr, kSoftware, 0x96020000 & ~WS_VISIBLE, 0, CRect(0, 0, 1400, 788)));
  }
  // The worker has set up the devices and the window has run what it handed over.
  void Settle() {
    ASSERT_TRUE(PumpUntil([&] { return dlg->m_devicesInitialised && dlg->IsWorkerIdle(); }, 15000));
    Pump(300);
  }
  // Every queued task has run and the window has run what the worker handed over.
  void Drain() {
    ASSERT_TRUE(PumpUntil([&] { return dlg->IsWorkerIdle(); }, 15000));
    Pump(400);
  }
  // Chooses `model` in the device list as a click does, and waits for the read.
  void Choose(int model) {
    dlg->m_deviceList->SetSelectDevice(model);
    EXPECT_EQ(dlg->OnMessage(81, 2, 0, 0), 1);
    ASSERT_TRUE(PumpUntil([&] { return dlg->m_deviceType == model && dlg->IsWorkerIdle() && dlg->m_deviceLinked; },
                          15000))
        << "model " << model;
    Pump(400);
  }
  ProfileList* List() { return dynamic_cast<ProfileList*>(dlg->Control(53)); }
  int ProfileCount() {
    KeyboardDataStore::RecordList<ProfileRecord> profiles;
    return store.GetProfiles(profiles);
  }

  simtest::SimWorld world{kShellModels};
  simtest::TempFolder user;
  simtest::TransportRig rig;
  KeyboardDataStore store;
  HKEY key = nullptr;
  std::unique_ptr<KeyboardDlg> dlg;
  std::vector<int> exits;
  std::vector<Asked> asked;
  std::deque<int> answers;  // the answers to the next questions (1 when none is left)
  std::wstring chosenFile;  // what the file dialogs choose ("" = cancelled)
};

}  // namespace shelltest
