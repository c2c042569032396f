// The main dialog's window life under the test display: creating the window sets up the
// shell, starts the worker and queues the first set-up and the update check; device
// broadcasts reach the worker; a close request stops the worker and takes the window down.
#include "support/LoopbackHttpServer.h"  // winsock2.h before windows.h
#include <gtest/gtest.h>
#include <gdiplus.h>
#include <dbt.h>
#include <algorithm>
#include <vector>
#include "device/TransportRig.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "store/UserDataFolder.h"
#include "widgets/CDeviceList.h"

using namespace simtest;

namespace {

// Pumps this thread's messages until `done` holds or `ms` pass.
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

// A device-interface broadcast for `path`, laid out as the system sends it.
std::vector<BYTE> InterfaceBroadcast(const std::string& path) {
  std::wstring name(path.begin(), path.end());
  std::vector<BYTE> buffer(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + name.size() * sizeof(wchar_t));
  auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
  broadcast->dbcc_size = DWORD(buffer.size());
  broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  std::copy(name.begin(), name.end(), broadcast->dbcc_name);
  return buffer;
}

}  // namespace

TEST(MainWindowLife, InitStartsTheWorkerAndCloseEndsIt) {
  SimWorld world("\n[keyboard k102]\nmodel = matrix\nvid = 0x3F1D\npid = 0x1102\n"
                 "[usb cable-k102]\nkeyboard = k102\nvid = 0x3F1D\npid = 0x1102\n");
  LoopbackHttpServer server([](SOCKET client, const LoopbackHttpServer::Request&) {
    LoopbackHttpServer::SendAll(client, LoopbackHttpServer::Response(200, "1.0.0"));
  });
  ASSERT_TRUE(server.Started());
  TempFolder folder;
  const std::wstring base = folder.Path() + L"\\";
  CreateDirectoryW((base + L"db").c_str(), nullptr);
  WriteText(base + L"config.xml",
            "<config><device.info><keyboard name=\"K102\" device_type=\"102\" device_info=\"K102.xml\">"
            "<mode value=\"0\" vid=\"0x3F1D\" pid=\"0x1102\" hid_interface=\"VID_3F1D&amp;PID_1102&amp;MI_01\"/>"
            "</keyboard></device.info><software name=\"QuenbyWindowTest\" version=\"1.0.0\"/></config>");

  TransportRig rig;
  KeyboardDataStore store;
  {
    CDeviceList deviceList(nullptr, 81, CRect(), 1, 1);  // the window's builder makes it
    KeyboardDlg dlg(rig.transport, store);
    dlg.m_deviceList = &deviceList;
    dlg.m_startAudio = false;
    dlg.m_exeFolder = base.c_str();
    dlg.m_userDataFolder = base.c_str();
    dlg.m_softwareName = L"QuenbyWindowTest";
    dlg.m_updateServerUrl = server.Url("/software-upgrade/").c_str();
    ASSERT_TRUE(dlg.Create(nullptr, L"QuenbyWindowTest", WS_POPUP, 0, CRect(0, 0, 1400, 788)));
    HWND window = dlg.GetSafeHwnd();
    EXPECT_EQ(GetPropW(window, L"QuenbyWindowTest"), reinterpret_cast<HANDLE>(1));
    EXPECT_TRUE(dlg.IsRunning());
    EXPECT_NE(dlg.HidNotification(), nullptr) << "registered for HID arrivals and removals";

    // Task 1 finds the keyboard; task 30 asks the server for its version.
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_devicesInitialised && dlg.m_deviceLinked; }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return !server.Requests().empty(); }, 10000));
    ASSERT_FALSE(server.Requests().empty());
    EXPECT_EQ(server.Requests()[0].path, "/software-upgrade/version");
    // The request is seen before the worker has read the answer.
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_updateResult != 0; }, 10000));
    EXPECT_EQ(dlg.m_updateResult, 2);  // 1.0.0 is the running version

    // Unplug and plug again, told as the system tells it: a device-interface broadcast.
    std::vector<BYTE> message = InterfaceBroadcast(sim::InterfacePath("cable-k102"));
    auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(message.data());
    ASSERT_TRUE(sim::SetPlugged("cable-k102", false));
    SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(header));
    EXPECT_TRUE(PumpUntil([&] { return !dlg.m_devicePresent; }, 10000));
    ASSERT_TRUE(sim::SetPlugged("cable-k102", true));
    SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(header));
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_devicePresent && dlg.m_deviceLinked; }, 10000));

    // Closed while the worker waits for the firmware tool (a process that never ends): the
    // wait lets go, and the worker has ended before the window and its controls go.
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION tool = {};
    wchar_t command[] = L"cmd.exe";
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &tool));
    dlg.m_toolProcessId = tool.dwProcessId;
    PumpUntil([] { return false; }, 300);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 5000));
    EXPECT_FALSE(dlg.IsRunning());
    EXPECT_TRUE(dlg.CThreadBasic::Stop(0)) << "the worker thread has ended";
    EXPECT_EQ(WaitForSingleObject(tool.hProcess, 0), WAIT_TIMEOUT) << "the tool itself runs on";
    TerminateProcess(tool.hProcess, 0);
    CloseHandle(tool.hThread);
    CloseHandle(tool.hProcess);
    EXPECT_TRUE(dlg.m_catalogKeyboards.empty());
    EXPECT_TRUE(dlg.m_catalogModes.empty());
    EXPECT_EQ(dlg.HidNotification(), nullptr) << "the registration ends with the window";
  }
  store.CloseDeviceDb();
  store.DeleteDeviceDb(base.c_str(), L"K102");
  RemoveDirectoryW((base + L"db").c_str());
}

// The catalogue is read from beside the program and the profiles are kept in the user's
// folder, wherever the program was started from.
TEST(MainWindowLife, FoldersAreTheProgramsNotTheCurrentDirectory) {
  TempFolder elsewhere, user;
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(elsewhere.Path().c_str()));
  SetUserDataFolder(user.Path().c_str());
  std::wstring userFolder = user.Path();
  if (userFolder.back() != L'\\') userFolder += L'\\';
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring programFolder = program;
  programFolder.resize(programFolder.rfind(L'\\') + 1);
  {
    TransportRig rig;
    KeyboardDataStore store;
    KeyboardDlg dlg(rig.transport, store);
    EXPECT_EQ(std::wstring(dlg.m_exeFolder.GetString()), programFolder);
    EXPECT_EQ(std::wstring(dlg.m_userDataFolder.GetString()), userFolder);
  }
  SetUserDataFolder(L"");
  SetCurrentDirectoryW(previous);
}
