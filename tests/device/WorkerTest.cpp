// Worker start-up, hot-plug, receiver link reports, the read sequence, task dispatch and
// streaming, driven step by step against the simulated keyboards.
#include "support/LoopbackHttpServer.h"  // winsock2.h before windows.h
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include "core/WindowDispatch.h"
#include "device/WorkerRig.h"

using namespace simtest;

TEST(WorkerCatalogue, ReadsModelsModesAndSettings) {
  WorkerRig w(CableK102());
  ASSERT_EQ(w.dlg.m_catalogKeyboards.size(), 2u);
  ASSERT_EQ(w.dlg.m_catalogModes.size(), 3u);
  EXPECT_EQ(w.dlg.m_catalogModes[1].pid, 0x5101);
  EXPECT_EQ(w.dlg.m_catalogModes[1].mode, 1);
  EXPECT_EQ(w.dlg.m_defaultLanguage, 2);
  EXPECT_EQ(w.dlg.m_softwareVersion, L"1.0.3");
  EXPECT_EQ(w.dlg.m_websiteUrl, L"https://example.invalid/");
  EXPECT_EQ(w.deviceList.GetItemCount(), 2);
  // No remembered model: 101 is loaded first, and its database opened.
  EXPECT_EQ(w.dlg.m_deviceType, 101);
  EXPECT_TRUE(w.store.IsOpened());
}

TEST(WorkerCatalogue, MissingOrBrokenConfigGivesAnEmptyCatalogue) {
  WorkerRig w(CableK102());
  WriteText(w.folder.File(L"config.xml"), "<config><device.info><keyboard name=\"x\"");
  w.dlg.LoadDeviceCatalog();
  EXPECT_TRUE(w.dlg.m_catalogModes.empty());
  EXPECT_EQ(w.deviceList.GetItemCount(), 0);
}

TEST(WorkerStartUp, WiredKeyboard) {
  WorkerRig w(CableK102());
  w.Run(kTaskInitDevices);
  EXPECT_TRUE(w.dlg.m_devicePresent);
  EXPECT_TRUE(w.dlg.m_deviceLinked);
  EXPECT_EQ(w.dlg.m_deviceType, 102);
  EXPECT_EQ(w.dlg.m_linkMode, 0);
  EXPECT_EQ(w.dlg.m_deviceName, L"K102");
}

TEST(WorkerStartUp, LinkedReceiver) {
  WorkerRig w(ReceiverK101(true));
  w.Run(kTaskInitDevices);
  EXPECT_TRUE(w.dlg.m_devicePresent);
  EXPECT_TRUE(w.dlg.m_deviceLinked);
  EXPECT_EQ(w.dlg.m_deviceType, 101);
  EXPECT_EQ(w.dlg.m_linkMode, 1);
}

TEST(WorkerStartUp, UnlinkedReceiverThenALinkReport) {
  WorkerRig w(ReceiverK101(false));
  w.Run(kTaskInitDevices);
  EXPECT_TRUE(w.dlg.m_devicePresent);
  EXPECT_FALSE(w.dlg.m_deviceLinked);

  // A lighting task while unlinked is taken and dropped: nothing reaches the keyboard.
  sim::ClearLog();
  w.Run(kTaskLightMode);
  EXPECT_TRUE(w.dlg.m_taskQueue.IsEmpty());
  EXPECT_EQ(CountOf(Commands(), kCmdConfigBegin), 0);

  ASSERT_TRUE(sim::SetLinked("receiver-k101", true, true));
  w.dlg.WorkStep();  // idle: the receiver poll finds the report
  EXPECT_TRUE(w.dlg.m_deviceLinked);
  EXPECT_EQ(w.dlg.m_deviceType, 101);
}

TEST(WorkerStartUp, NoKeyboard) {
  WorkerRig w("");
  w.Run(kTaskInitDevices);
  EXPECT_FALSE(w.dlg.m_devicePresent);
  EXPECT_EQ(w.dlg.m_linkMode, -1);
  for (int code : {kTaskKeyMap, kTaskMacros, kTaskLightMode, kTaskFactoryReset, kTaskCanvasEntered}) w.Run(code);
  EXPECT_TRUE(w.dlg.m_taskQueue.IsEmpty());
  EXPECT_TRUE(Writes().empty());
}

TEST(WorkerHotPlug, VendorInterfaceArrivalAndRemoval) {
  WorkerRig w(CableK102());
  w.Run(kTaskInitDevices);
  std::string vendor = sim::InterfacePath("cable-k102");
  std::string other = sim::InterfacePath("cable-k102", 0);
  auto wide = [](const std::string& s) { return CString(std::wstring(s.begin(), s.end()).c_str()); };

  // Another interface of the same keyboard queues nothing.
  w.dlg.UpdateUSBDevicePath(DBT_DEVICEARRIVAL, wide(other));
  EXPECT_TRUE(w.dlg.m_taskQueue.IsEmpty());

  w.dlg.UpdateUSBDevicePath(DBT_DEVICEARRIVAL, wide(vendor));
  EXPECT_EQ(w.dlg.m_changedModel, 102);
  EXPECT_EQ(w.dlg.m_lastDeviceEvent, 1);
  int code = 0;
  ASSERT_TRUE(w.dlg.m_taskQueue.Take(code));
  EXPECT_EQ(code, kTaskDeviceArrived);

  ASSERT_TRUE(sim::SetPlugged("cable-k102", false));
  w.dlg.UpdateUSBDevicePath(DBT_DEVICEREMOVECOMPLETE, wide(vendor));
  EXPECT_EQ(w.dlg.m_lastDeviceEvent, 2);
  w.dlg.WorkStep();  // task 3: refresh and select
  EXPECT_FALSE(w.dlg.m_devicePresent);
  EXPECT_FALSE(w.dlg.m_deviceLinked);
  // A second removal of the same interface matches no present entry.
  w.dlg.UpdateUSBDevicePath(DBT_DEVICEREMOVECOMPLETE, wide(vendor));
  EXPECT_TRUE(w.dlg.m_taskQueue.IsEmpty());

  ASSERT_TRUE(sim::SetPlugged("cable-k102", true));
  w.dlg.UpdateUSBDevicePath(DBT_DEVICEARRIVAL, wide(vendor));
  w.dlg.WorkStep();
  EXPECT_TRUE(w.dlg.m_deviceLinked);
}

TEST(WorkerRead, FillsTheMapsAndTheStore) {
  WorkerRig w(CableK102());
  w.Run(kTaskInitDevices);
  ProfileRecord profile;
  profile.name = L"P";
  ASSERT_EQ(w.store.AddProfile(profile), 1);
  ASSERT_TRUE(w.store.InsertDefaultConfig(1));
  ASSERT_TRUE(w.store.SetActiveProfile(1));  // the profile the read fills

  // Factory map of layer 0 decides which keys exist; pick the first with a code.
  auto factory = Table("k102", sim::Table::FactoryKeyMap, 0);
  ASSERT_EQ(factory.size(), 384u);
  int index = -1, code = 0;
  for (int i = 0; i < 128 && index < 0; ++i) {
    if (factory[i * 3] == 0x10 && factory[i * 3 + 1] == 0 && factory[i * 3 + 2] != 0) {
      index = i;
      code = factory[i * 3 + 2];
    }
  }
  ASSERT_GE(index, 0);
  KeyMacroRecord row;
  row.profile = 1;
  row.fn_layer = 0;
  row.key_code = code;
  row.macro_type = 0x77;
  row.macro_value = 1;
  ASSERT_GT(w.store.ReplaceKeyMacro(row), 0);
  LightRecord custom;
  custom.profile = 1;
  custom.type = 0;
  custom.mode = 128;
  ASSERT_GT(w.store.AddLight(custom), 0);
  std::vector<uint8_t> keyMap = Table("k102", sim::Table::KeyMap, 0);
  keyMap[index * 3] = 0x10;  // key A with left control
  keyMap[index * 3 + 1] = 0x01;
  keyMap[index * 3 + 2] = 0x04;
  ASSERT_TRUE(sim::WriteTable("k102", sim::Table::KeyMap, 0, keyMap));
  auto settings = Table("k102", sim::Table::Settings);
  settings[46] = 90;  // 90 seconds of sleep
  settings[47] = settings[48] = 0;
  settings[2] = 0xFD;
  ASSERT_TRUE(sim::WriteTable("k102", sim::Table::Settings, 0, settings));
  sim::ClearLog();

  w.Run(kTaskDeviceChosen);
  auto commands = Commands();
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands.back(), kCmdConfigEnd);

  EXPECT_EQ(w.dlg.m_deviceInfo.protocolVersion, 2);
  EXPECT_TRUE(w.dlg.m_deviceInfo.matrixPresent);
  EXPECT_EQ(w.dlg.m_firmwareVersion, L"115");
  EXPECT_EQ(w.dlg.m_firmwareOfferState, 1);
  EXPECT_EQ(w.dlg.m_keyIndexByCode.at(code), index);
  EXPECT_EQ(w.dlg.m_keyCodeByIndex.at(index), code);
  auto leds = Table("k102", sim::Table::LedIndexMap);
  if (leds[index] != 0xFF) {
    EXPECT_EQ(w.dlg.m_lightIndexByCode.at(code), leds[index]);
  }
  EXPECT_EQ(w.dlg.m_lightIndexByCode.at(326), 106);  // strip pseudo-keys of model 102
  ASSERT_FALSE(w.dlg.m_keyCodeByLight.empty());
  EXPECT_LT(w.dlg.m_keyCodeByLight.rbegin()->first, 80) << "key LEDs end where the strip's begin";
  EXPECT_EQ(w.dlg.m_knobActions[0][0].key_code, 80);  // the first knob key, after the 80 keys

  KeyMacroRecord stored;
  ASSERT_TRUE(w.store.GetKeyMacro(1, 0, code, stored));
  EXPECT_EQ(stored.macro_type, 2);
  EXPECT_EQ(stored.macro_value, 0x04);
  EXPECT_EQ(stored.macro_value2, 0x01);
  CString sleep;
  ASSERT_TRUE(w.store.GetConfigValue(1, L"sleep_time", sleep));
  EXPECT_EQ(sleep, L"1");
  EXPECT_EQ(w.store.GetActiveLightMode(1, 0), 128);
  // Empty profiles 2 and 3 would receive profile 1's rows; they do not exist here.
}

// A failed read stops the sequence where it failed, without ConfigEnd.
TEST(WorkerRead, EachFailedStepStopsWithoutConfigEnd) {
  const int failing[] = {kCmdReadDeviceInfo, kCmdReadSettings, ReadFactoryKeyMapCommand(2), kCmdReadLedIndexMap,
                         ReadKeyMapCommand(3)};
  for (int command : failing) {
    WorkerRig w(CableK102());
    w.Run(kTaskInitDevices);
    sim::Fault fault;
    fault.kind = sim::FaultKind::Refuse;
    fault.command = command;
    fault.times = 0;
    ASSERT_TRUE(sim::AddFault("cable-k102", fault));
    sim::ClearLog();
    EXPECT_FALSE(w.dlg.SyncFromDevice()) << command;
    EXPECT_EQ(CountOf(Commands(), kCmdConfigEnd), 0) << command;
    sim::ClearFaults();
  }
}

TEST(WorkerDispatch, ResendConfigBeginAfterTasksAndTask23SendsNothing) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_needConfigBegin = 0;
  w.Run(kTaskCanvasEntered);
  EXPECT_TRUE(Writes().empty());
  EXPECT_EQ(w.dlg.m_needConfigBegin, 1);
}

// The update install ran twice in one step while connected, once per code: each run asks
// the server for the package once (here the server has none).
TEST(WorkerDispatch, UpdateInstallRunsOncePerCode) {
  LoopbackHttpServer server([](SOCKET client, const LoopbackHttpServer::Request&) {
    LoopbackHttpServer::SendAll(client, LoopbackHttpServer::Response(404, "none"));
  });
  ASSERT_TRUE(server.Started());
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_updateBaseUrl = server.Url("/software-upgrade/").c_str();
  w.dlg.m_latestVersion = L"9.9.9";
  w.Run(kTaskUpdateInstall);
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].path, "/software-upgrade/Quenby-9.9.9.zip");
  RemoveDirectoryW((w.folder.Path() + L"temp").c_str());  // the download folder, left empty
}

TEST(WorkerDispatch, SuspendedDoesNothing) {
  WorkerRig w(CableK102());
  w.dlg.m_suspended = 1;
  w.Run(kTaskInitDevices);
  EXPECT_FALSE(w.dlg.m_devicesInitialised);
  EXPECT_EQ(w.dlg.m_taskQueue.Size(), 1u);
}

TEST(WorkerDispatch, FirmwareToolWaitThenReopens) {
  WorkerRig w(CableK102());
  w.StartUp();
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  wchar_t cmd[] = L"cmd.exe /c exit 0";
  ASSERT_TRUE(CreateProcessW(nullptr, cmd, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
  w.dlg.m_toolProcessId = pi.dwProcessId;
  w.dlg.WorkStep();  // waits for the tool, then takes the queued task 2 at once
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), WAIT_OBJECT_0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(w.dlg.m_toolProcessId, 0u);
  EXPECT_TRUE(w.dlg.m_deviceLinked);
}

TEST(WorkerStreaming, CanvasFramePerIdleStep) {
  WorkerRig w(CableK102());
  w.StartUp();
  std::vector<KEYITEM_INFO> items(3);
  items[0].keyCode = 300;  // LED 80
  items[0].color = RGB(0xFF, 0x80, 0x00);
  items[1].keyCode = 999;  // no LED
  w.canvas.SetKeyItems(items);
  w.ShowPage(2);
  w.dlg.WorkStep();  // the canvas page's own task (23)
  w.dlg.m_needConfigBegin = 1;
  sim::ClearLog();

  w.dlg.WorkStep();
  auto commands = Commands();
  ASSERT_GE(commands.size(), 2u);
  EXPECT_EQ(commands[0], kCmdConfigBegin);
  EXPECT_EQ(CountOf(commands, kCmdCanvasFrame), 4);  // 214 bytes in 56-byte chunks
  auto frame = Table("k102", sim::Table::CanvasFrame);
  ASSERT_EQ(frame.size(), 214u);
  EXPECT_EQ(frame[160], 0x00);
  EXPECT_EQ(frame[161], 0xFC);

  sim::ClearLog();
  w.dlg.WorkStep();
  EXPECT_EQ(CountOf(Commands(), kCmdConfigBegin), 0);
  EXPECT_EQ(CountOf(Commands(), kCmdCanvasFrame), 4);

  // After a task the next frame opens a new configuration exchange.
  w.Run(kTaskCanvasEntered);
  sim::ClearLog();
  w.dlg.WorkStep();
  EXPECT_EQ(Commands().front(), kCmdConfigBegin);

  // A failed frame does the same.
  sim::Fault fault;
  fault.kind = sim::FaultKind::Refuse;
  fault.command = kCmdCanvasFrame;
  fault.times = 0;
  sim::AddFault("cable-k102", fault);
  w.dlg.WorkStep();
  EXPECT_EQ(w.dlg.m_needConfigBegin, 1);
  sim::ClearFaults();

  // Nothing while the home page shows.
  w.ShowPage(0);
  sim::ClearLog();
  w.dlg.WorkStep();
  EXPECT_EQ(CountOf(Commands(), kCmdCanvasFrame), 0);
}

TEST(WorkerStreaming, MatrixFrameOnlyForModel102) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.ShowPage(3);
  w.dlg.m_matrixStreaming = 1;
  w.matrix.GetKeyItems()[48]->color = RGB(0xFF, 0xFF, 0xFF);
  w.dlg.WorkStep();
  auto frame = Table("k102", sim::Table::MatrixFrame);
  ASSERT_EQ(frame.size(), 98u);
  EXPECT_EQ(frame[96], 0xFF);
  EXPECT_EQ(frame[97], 0xFF);

  WorkerRig r(ReceiverK101(true));
  r.StartUp();
  r.ShowPage(3);
  r.dlg.m_matrixStreaming = 1;
  r.dlg.WorkStep();
  EXPECT_EQ(CountOf(Commands(), kCmdMatrixFrame), 0);
}

namespace {
// A wait dialog with a message-only window: its close request stays in the queue.
struct WaitDialog {
  MDialog dialog;
  WaitDialog() { dialog.Create(HWND_MESSAGE); }
  ~WaitDialog() {
    if (dialog.GetSafeHwnd()) DestroyWindow(dialog.GetSafeHwnd());
  }
  bool CloseRequested() {
    MSG msg;
    return PeekMessageW(&msg, dialog.GetSafeHwnd(), UM_CLOSEWINDOW, UM_CLOSEWINDOW, PM_REMOVE) != 0;
  }
};
}  // namespace

// A wait dialog stayed up for ever when its task was dropped without a keyboard.
TEST(WorkerWaitDialog, ClosedWhenItsTaskIsDropped) {
  WorkerRig w("");
  w.Run(kTaskInitDevices);
  WaitDialog wait;
  ASSERT_NE(wait.dialog.GetSafeHwnd(), nullptr);
  w.dlg.m_waitDlg = &wait.dialog;
  w.Run(kTaskFactoryReset);
  EXPECT_TRUE(wait.CloseRequested());
  w.Run(kTaskCanvasEntered);  // not a waiting task
  EXPECT_FALSE(wait.CloseRequested());
  w.dlg.m_waitDlg = nullptr;
}

TEST(WorkerWaitDialog, ClosedAfterItsTaskAndWhenTheKeyboardGoesAway) {
  WorkerRig w(CableK102());
  w.StartUp();
  WaitDialog wait;
  w.dlg.m_waitDlg = &wait.dialog;
  w.Run(kTaskWriteColourSet);
  EXPECT_TRUE(wait.CloseRequested());
  EXPECT_EQ(w.sleeps.back(), 100u);

  ASSERT_TRUE(sim::SetPlugged("cable-k102", false));
  w.Run(kTaskDeviceRemoved);
  EXPECT_FALSE(w.dlg.m_devicePresent);
  EXPECT_TRUE(wait.CloseRequested());
  w.dlg.m_waitDlg = nullptr;
}

// Emptying the queue (a keyboard arriving, another one chosen in the list) drops the
// waiting tasks in it as well.
TEST(WorkerWaitDialog, ClosedWhenTheQueueIsEmptiedUnderItsTask) {
  WorkerRig w(CableK102());
  w.StartUp();
  WaitDialog wait;
  w.dlg.m_waitDlg = &wait.dialog;
  w.dlg.AddTask(kTaskDeviceArrived);
  w.dlg.AddTask(kTaskWriteColourSet);
  w.dlg.WorkStep();
  EXPECT_TRUE(w.dlg.m_taskQueue.IsEmpty());
  EXPECT_TRUE(wait.CloseRequested());

  w.dlg.AddTask(kTaskMacros);
  w.dlg.OnDeviceSelected();
  EXPECT_TRUE(wait.CloseRequested());
  w.dlg.AddTask(kTaskCanvasEntered);  // nothing waits on this one
  w.dlg.OnDeviceSelected();
  EXPECT_FALSE(wait.CloseRequested());
  w.dlg.m_waitDlg = nullptr;
}

TEST(WorkerHandlers, KnobOnlyWhenIdleAndTabChanges) {
  WorkerRig w(CableK102());
  w.dlg.OnKnobSelected(2);
  w.dlg.OnKnobSelected(1);
  EXPECT_EQ(w.dlg.m_taskQueue.Size(), 1u);
  EXPECT_EQ(w.dlg.m_knobSelected, 1);
  w.dlg.m_taskQueue.Clear();
  w.ShowPage(2);
  EXPECT_EQ(w.dlg.m_canvasPageShown, 1);
  int code = 0;
  ASSERT_TRUE(w.dlg.m_taskQueue.Take(code));
  EXPECT_EQ(code, kTaskCanvasEntered);
  w.dlg.m_liveKeyColors = 1;
  w.ShowPage(1);
  EXPECT_EQ(w.dlg.m_canvasPageShown, 0);
  EXPECT_EQ(w.dlg.m_liveKeyColors, 0);
  w.dlg.OnPowerBroadcast(PBT_APMSUSPEND);
  EXPECT_EQ(w.dlg.m_suspended, 1);
  w.dlg.OnPowerBroadcast(PBT_APMRESUMEAUTOMATIC);
  EXPECT_EQ(w.dlg.m_suspended, 0);
}

namespace {
struct RegistryKey {
  explicit RegistryKey(const wchar_t* value) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyRememberedModel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    if (value)
      RegSetValueExW(key, L"DeviceType", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     DWORD((wcslen(value) + 1) * sizeof(wchar_t)));
  }
  ~RegistryKey() {
    RegCloseKey(key);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyRememberedModel");
  }
  HKEY key = nullptr;
};
}  // namespace

TEST(WorkerCatalogue, RememberedModelAndItsDefault) {
  {
    RegistryKey reg(L"99");
    WorkerRig w(CableK102(), L"QuenbyRememberedModel");
    EXPECT_EQ(w.dlg.m_deviceType, 101);
  }
  {
    RegistryKey reg(L"102");
    WorkerRig w(CableK102(), L"QuenbyRememberedModel");
    EXPECT_EQ(w.dlg.m_deviceType, 102);
    w.Run(kTaskInitDevices);
    EXPECT_EQ(ReadDeviceTypeSetting(L"QuenbyRememberedModel"), 102);
  }
  // Without the key nothing is written.
  WorkerRig w(CableK102(), L"QuenbyRememberedModel");
  w.Run(kTaskInitDevices);
  EXPECT_EQ(ReadDeviceTypeSetting(L"QuenbyRememberedModel"), 0);
}

TEST(WorkerStreaming, LiveKeyColoursAreBrightenedForTheScreen) {
  WorkerRig w(CableK102());
  w.StartUp();
  auto it = w.dlg.m_keyCodeByLight.begin();
  ASSERT_NE(it, w.dlg.m_keyCodeByLight.end());
  int led = it->first, code = it->second;
  w.keyboard.AddKeyItem(L"", L"", code, CRect(), L"", 0);
  std::vector<uint8_t> live(384, 0);
  live[size_t(led) * 3] = 200;
  live[size_t(led) * 3 + 1] = 100;
  live[size_t(led) * 3 + 2] = 10;
  ASSERT_TRUE(sim::WriteTable("k102", sim::Table::LiveColours, 0, live));
  w.dlg.ReadLiveKeyColors();
  EXPECT_EQ(w.keyboard.GetKeyColor(code), long(RGB(255, 130, 12)));
  EXPECT_GT(CountOf(Commands(), kCmdReadLiveColours), 0);
}

TEST(WorkerStartUp, UnlinkReportOfTheCurrentKeyboard) {
  WorkerRig w(ReceiverK101(true));
  w.StartUp();
  ASSERT_TRUE(w.dlg.m_deviceLinked);
  ASSERT_TRUE(sim::SetLinked("receiver-k101", false, true));
  w.ShowPage(4);
  w.dlg.WorkStep();  // idle: the poll reads the unlink report
  EXPECT_FALSE(w.dlg.m_deviceLinked);
  EXPECT_EQ(w.dlg.m_linkMode, 1);
  EXPECT_TRUE(w.dlg.m_devicePresent);  // the receiver stays
  // The no-device view: home tab, the message instead of the device list and the strip.
  EXPECT_EQ(w.controls.tabs.GetSelectItem(), 0);
  EXPECT_TRUE(w.Visible(69));
  EXPECT_TRUE(w.Visible(80));
  EXPECT_FALSE(w.Visible(81));
  EXPECT_FALSE(w.Visible(68));
}

// A device choice closed the store and then opened the chosen model's file, in two steps:
// a setting written from the window in between found no database and was lost.
TEST(WorkerStore, ChoosingAModelNeverLeavesTheStoreClosed) {
  WorkerRig w(CableK102());
  std::atomic<bool> done{false};
  std::atomic<int> written{0}, lost{0};
  std::thread window([&] {
    while (!done) {
      if (w.store.SetConfigValue(1, L"mac_mode", L"1")) ++written;
      else ++lost;
      std::this_thread::yield();
    }
  });
  for (int i = 0; i < 60; ++i) w.dlg.LoadDeviceLayout(i % 2 ? 101 : 102);
  done = true;
  window.join();
  EXPECT_EQ(lost.load(), 0);
  EXPECT_GT(written.load(), 0);
}
