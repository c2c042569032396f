#include "shell/KeyboardDlg.h"
#include <mmsystem.h>
#include <cstdio>
#include "canvas/MatrixScreen.h"
#include "core/Manager.h"
#include "canvas/ZephraEffect.h"
#include "device/DeviceTransport.h"
#include "store/KeyboardDataStore.h"
#include "store/UserDataFolder.h"
#include "support/WriteLog.h"
#include "widgets/CDeviceList.h"

KeyboardDlg::KeyboardDlg() : KeyboardDlg(DeviceTransport::Instance(), KeyboardDataStore::Instance()) {}

// The folders come from the program's own place and the user's profile, never from the
// current directory: autorun and shortcuts start the program elsewhere.
KeyboardDlg::KeyboardDlg(DeviceTransport& transport, KeyboardDataStore& store)
    : m_transport(transport), m_store(store) {
  m_exeFolder = GetExeFolder();
  m_userDataFolder = GetUserDataFolder();
  // config.xml's name, set before the dialog is made: a second start looks for the window
  // property of that name.
  m_softwareName = Manager::GetDeviceName();
}

KeyboardDlg::~KeyboardDlg() {
  // Without Quit (a dialog that never had its window closed) the worker still runs; it reads
  // this object's members, so it must have ended before they go.
  m_quitting = true;
  m_download.Stop();
  CThreadBasic::Stop(INFINITE);
  if (HANDLE tool = m_toolProcess.exchange(nullptr)) CloseHandle(tool);
  // The capture thread feeds the visualiser member, which goes before this base does.
  KeyboardAudio::Stop();
  if (m_store.IsOpened()) m_store.CloseDeviceDb();
  RemoveTrayIcon();
}

int KeyboardDlg::OnInitDialog() {
  m_windowThreadId = GetCurrentThreadId();
  MDialog::OnInitDialog();
  InitShell();
  SetMTimer(16);
  CThreadBasic::Start();
  m_updateBaseUrl = m_updateServerUrl;
  AddTask(kTaskInitDevices);
  AddTask(kTaskUpdateCheck);
  return 1;
}

UINT KeyboardDlg::ShowModalMain(int cmdShow) {
  if (!Create(nullptr, Manager::GetDeviceName().GetString(), 0x96020000, 0, CRect(0, 0, 1400, 788))) return 0;
  CenterWindow(nullptr);
  return ShowModal(cmdShow);
}

int KeyboardDlg::Quit() {
  {
    std::lock_guard<std::mutex> hold(m_closeLock);
    if (m_quitting) return 0;  // a second close while the worker ends
    m_quitting = true;
  }
  // The user sees the window go at once, whatever the worker is doing.
  if (GetSafeHwnd()) ::ShowWindow(GetSafeHwnd(), SW_HIDE);
  m_download.Stop();
  // The worker uses the canvas and the matrix screen, which go with the window: it must
  // end first. One that does not end in time is held by a device or the network, and
  // the process ends without it rather than keep a hidden window waiting.
  if (!StopWorker(m_workerStopWaitMs)) {
    RemoveTrayIcon();
    ExitNow(0);
    StopWorker(INFINITE);  // only when the tests' seam has not ended the process
  }
  KeyboardAudio::Stop();
  RemoveTrayIcon();
  m_hidNotification.reset();
  m_catalogModes.clear();
  m_catalogKeyboards.clear();
  {
    std::lock_guard<std::mutex> hold(m_windowCallsLock);
    m_windowCallsClosed = true;
    m_windowCalls.clear();
  }
  return DestroyWindow();
}

void KeyboardDlg::ExitNow(UINT code) {
  if (m_exitProcess) m_exitProcess(code);
  else ExitProcess(code);
}

bool KeyboardDlg::StopWorker(DWORD waitMs) {
  bool quitSeen = false;
  int quitCode = 0;
  const DWORD start = GetTickCount();
  bool stopped = false;
  while (!(stopped = CThreadBasic::Stop(0))) {
    if (waitMs != INFINITE && GetTickCount() - start >= waitMs) break;
    HANDLE ended = m_hStopEvent;
    MsgWaitForMultipleObjects(ended ? 1 : 0, ended ? &ended : nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // The modal loop that called us ends the run; it sees the quit once we return.
      if (msg.message == WM_QUIT) {
        quitSeen = true;
        quitCode = int(msg.wParam);
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (quitSeen) PostQuitMessage(quitCode);
  return stopped;
}

bool KeyboardDlg::RemoveTrayIcon() {
  if (!m_trayIcon.hIcon) return true;
  const bool removed = Shell_NotifyIconW(NIM_DELETE, &m_trayIcon) != FALSE;
  DestroyIcon(m_trayIcon.hIcon);
  m_trayIcon.hIcon = nullptr;
  return removed;
}

void KeyboardDlg::Sleep(DWORD ms) {
  if (m_sleep) m_sleep(ms);
  else ::Sleep(ms);
}

bool KeyboardDlg::RunsAnyState(int code) const {
  return code == kTaskInitDevices || code == kTaskDeviceArrived || code == kTaskDeviceRemoved ||
         code == kTaskDeviceChosen || code == kTaskUpdateCheck || code == kTaskUpdateInstall;
}

// Every task that sends the keyboard something built from its description, key maps or
// LED map (or the macro memory size).
bool KeyboardDlg::NeedsKeyboardTables(int code) const {
  switch (code) {
    case kTaskApplyProfile:
    case kTaskKnobKey:
    case kTaskKeyMap:
    case kTaskMacros:
    case kTaskCustomLightMode:
    case kTaskLightMode:
    case kTaskMatrixLight:
    case kTaskReadMatrixColours:
    case kTaskWriteMatrixColours:
    case kTaskSystemSettings:
    case kTaskReadColourSet:
    case kTaskWriteColourSet:
    case kTaskLightParams: return true;
    default: return false;
  }
}

bool KeyboardDlg::IsWaitTask(int code) const {
  return code == kTaskApplyProfile || code == kTaskShowKeys || code == kTaskKnobKey || code == kTaskKeyMap ||
         code == kTaskMacros || code == kTaskWriteColourSet || code == kTaskFactoryReset;
}

void KeyboardDlg::CloseWaitDialog() {
  // The window thread deletes and replaces the dialog: the pointer is read there, when
  // the close runs, never on the worker. The close is a posted message, so it also
  // reaches a dialog whose window was still being made when the task ended.
  OnWindowThread([this] {
    if (m_waitDlg) m_waitDlg->DoOK();
  });
}

void KeyboardDlg::EnableMainWindow() {
  OnWindowThread([this] {
    if (GetSafeHwnd()) ::EnableWindow(GetSafeHwnd(), TRUE);
  });
}

void KeyboardDlg::OnTaskDropped(int code) {
  if (IsWaitTask(code)) CloseWaitDialog();
  if (code == kTaskFactoryReset) EnableMainWindow();
}

void KeyboardDlg::DropQueuedTasks() {
  for (int code : m_taskQueue.TakeAll()) OnTaskDropped(code);
}

bool KeyboardDlg::IsHomePageShown() const {
  // The home layout (control 69) shows exactly while the home tab is selected, which the
  // tab change handler keeps in m_mainPage.
  return m_mainPage == 0;
}

bool KeyboardDlg::IsMainWindowShown() const {
  return GetSafeHwnd() && ::IsWindowVisible(GetSafeHwnd());
}

void KeyboardDlg::WorkStep() {
  if (m_suspended || m_quitting) return;
  if (m_toolProcessId) WaitForFirmwareTool();

  int code = 0;
  if (!m_taskQueue.Take(code)) {
    if (!m_devicePresent) return;
    // Streaming needs the keyboard's LED map; a keyboard that would not give it is asked
    // again after the next enumeration, not at every step.
    if (m_deviceLinked && !m_keyboardTablesRead && !m_keyboardTablesFailed) EnsureKeyboardTables();
    timeBeginPeriod(1);
    if (m_mainPage == 1) {
      if (IsMainWindowShown() && m_liveKeyColors) ReadLiveKeyColors();
    } else if (m_deviceLinked && m_canvasPageShown && !IsHomePageShown()) {
      SendVisualizerFrame();
    }
    if (m_deviceLinked && m_matrixStreaming && !IsHomePageShown()) StreamMatrixFrame();
    timeEndPeriod(1);
    PollDeviceNotify();
    return;
  }

  struct Finish {
    TaskQueue& queue;
    ~Finish() { queue.Finished(); }
  } finish{m_taskQueue};
  if (RunsAnyState(code)) RunTask(code);
  if (m_devicePresent && m_deviceLinked) {
    // Codes that ran above (the update install among them) do not run a second time.
    if (!RunsAnyState(code)) {
      // A write built from another keyboard's tables (or from none) would land on this
      // one: without its own the task is dropped.
      if (!NeedsKeyboardTables(code) || EnsureKeyboardTables()) RunTask(code);
      if (IsWaitTask(code)) {
        CloseWaitDialog();
        Sleep(100);
      }
    }
    m_needConfigBegin = 1;
  } else if (!RunsAnyState(code)) {
    // Dropped without a keyboard: nobody else would close its wait dialog.
    OnTaskDropped(code);
  }
}

void KeyboardDlg::RunTask(int code) {
  switch (code) {
    case kTaskInitDevices: InitDevicesOnce(); break;
    case kTaskDeviceArrived: Trd_DeviceInstall(); break;
    case kTaskDeviceRemoved: Trd_DeviceUnInstall(); break;
    case kTaskDeviceChosen: ReconnectDevice(); break;
    case kTaskReload: ReloadDeviceProfile(); break;
    case kTaskApplyProfile: ApplyProfile(); break;
    case kTaskShowKeys: LoadKeyAssignments(m_profileId); break;
    case kTaskKnobKey: WriteKnobKey(); break;
    case kTaskKeyMap: SetKeyMacroData(); break;
    case kTaskMacros: WriteMacros(); break;
    case kTaskCustomLightMode: WriteCustomLightMode(); break;
    case kTaskLightMode:
    case kTaskLightParams: WriteLightMode(); break;
    case kTaskMatrixLight: WriteMatrixLight(); break;
    case kTaskReadMatrixColours: ReadMatrixColors(); break;
    case kTaskWriteMatrixColours: WriteMatrixColors(); break;
    case kTaskSystemSettings: WriteSystemSettings(); break;
    case kTaskReadColourSet: ReadCustomColors(); break;
    case kTaskWriteColourSet: WriteCustomColors(); break;
    case kTaskFactoryReset:
      FactoryResetDevice();
      EnableMainWindow();
      break;
    case kTaskUpdateCheck: CheckSoftwareUpdate(); break;
    case kTaskFirmwareTool: InstallFirmwareTool(); break;
    case kTaskUpdateInstall:
      InstallSoftwareUpdate();
      Sleep(100);
      if (m_updateProcessDlg) m_updateProcessDlg->DoOK();
      Sleep(100);
      break;
    default: break;  // 23 sends nothing
  }
}

void KeyboardDlg::WaitForFirmwareTool() {
  m_transport.CloseAll();
  HANDLE process = m_toolProcess.exchange(nullptr);
  if (!process) process = OpenProcess(SYNCHRONIZE, FALSE, m_toolProcessId);
  if (process) {
    // Until the tool ends, or the program does.
    while (WaitForSingleObject(process, 100) == WAIT_TIMEOUT && !m_quitting) {
    }
    CloseHandle(process);
  }
  OnWindowThread([this] {
    // Not the window of a program that is closing: the close hid it for good.
    if (GetSafeHwnd() && !m_quitting) ::ShowWindow(GetSafeHwnd(), SW_SHOW);
  });
  m_toolProcessId = 0;
  m_taskQueue.Push(kTaskDeviceArrived);
}

void KeyboardDlg::InitDevicesOnce() {
  if (m_devicesInitialised) return;
  m_devicesInitialised = true;
  RefreshDevices(0, 0);
  SelectCurrentDevice();
  OnWindowThread([this] {
    if (m_zephraEffect) m_zephraEffect->Initialize();
  });
  m_visualizer.Init();
  m_visualizer.Start();
  // The render thread idles until a music page turns rendering on.
  m_visualizer.m_enabled = false;
  if (m_startAudio) KeyboardAudio::Start();
  m_canvasConsumer = m_zephraEffect;
  m_visualizerConsumer = &m_visualizer;
}

void KeyboardDlg::Trd_DeviceInstall() {
  Sleep(200);
  DropQueuedTasks();
  if (m_changedModel == m_deviceType) SelectHomeTab();
  OutputDebugStringA("Trd_DeviceInstall \n");
  RefreshDevices(0, 0);
  SelectCurrentDevice();
}

void KeyboardDlg::Trd_DeviceUnInstall() {
  Sleep(200);
  DropQueuedTasks();
  if (m_changedModel == m_deviceType) SelectHomeTab();
  OutputDebugStringA("Trd_DeviceUnInstall \n");
  RefreshDevices(0, 0);
  SelectCurrentDevice();
}

void KeyboardDlg::ReconnectDevice() {
  // The model chosen in the list (if a choice waits) is taken here, between two tasks.
  const int wanted = m_chosenModel.exchange(0);
  RefreshDevices(wanted, 0);
  SelectCurrentDevice();
  // Without the keyboard, selecting it loaded nothing; the chosen model still becomes the
  // current one.
  const int chosen = wanted > 0 ? wanted : m_deviceChoice.GetSelectDevice();
  if (!m_devicePresent && chosen > 0) LoadDeviceLayout(chosen);
  ReloadDeviceProfile();
}

void KeyboardDlg::ReloadDeviceProfile() {
  LoadProfileList();
  if (m_mainPage == 1 && m_lightMode >= 128) OnLightModeSelected(2);
}

void KeyboardDlg::PollDeviceNotify() {
  uint8_t buffer[kFullReportLength] = {};
  int model = 0;
  m_transport.GetDeviceNotify(buffer, model);
  if (buffer[0] == 0) return;
  char line[128];
  snprintf(line, sizeof(line), "device notify %02X %02X %02X %02X %02X %02X model %d\n", buffer[0], buffer[1],
           buffer[8], buffer[9], buffer[10], buffer[13], model);
  OutputDebugStringA(line);
  WriteLog(1, "device notify data: %02X %02X %02X %02X %02X %02X", buffer[0], buffer[1], buffer[2], buffer[3],
           buffer[4], buffer[5]);
  if (!IsLinkReport(buffer, sizeof(buffer))) return;

  bool linked = buffer[13] == kLinkStateLinked;
  SetListDeviceState(model, kLinkReceiver, linked ? 1 : 0);
  if (!linked) SetListDeviceState(model, kLinkWired, m_transport.GetLinkState(model, kLinkWired) == 1);
  if (model == m_deviceType && linked) {
    m_deviceLinked = true;
    SelectHomeTab();
    ShowControl(80, 0);
    ShowControl(81, 1);
    int level = 0, state = 0;
    if (m_transport.GetBattery(model, level, state) && level > 0) SetListDeviceBattery(model, kLinkWired, level, state);
    if (model == 101) SetTabVisible(kCanvasTabPosition, 0);
    return;
  }
  if (model == m_deviceType) {
    m_linkMode = m_transport.GetConnectionKind();
    if (m_linkMode == kLinkReceiver) {
      m_deviceLinked = false;
      ShowNoDeviceView();
    }
  } else if (!IsHomePageShown()) {
    return;
  }
  m_changedModel = model;
  RefreshDevices(0, 0);
  SelectCurrentDevice();
}
