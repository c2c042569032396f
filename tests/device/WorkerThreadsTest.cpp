// The device link with both of its threads running: the main window on this thread (the
// window thread) and the worker on its own, against two simulated keyboards. A device
// choice is forced into the middle of a task at a chosen report, and the worker updates
// the window while it repaints.
#include <windows.h>
#include <gtest/gtest.h>
#include <array>
#include <gdiplus.h>
#include <atomic>
#include <functional>
#include <thread>
#include "controls/MTabCtrl.h"
#include "device/WorkerRig.h"
#include "pages/KeyActionCodec.h"
#include "pages/LightDefaults.h"
#include "shell/LanguageText.h"

using namespace simtest;

namespace {

template <typename Done>
bool PumpUntil(Done done, int ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < DWORD(ms);) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    Sleep(5);
  }
  return done();
}

// Serves what has come in for this thread.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The main dialog with the controls the device link shows, hides and fills, made by its
// window's builder on the window thread. Every repaint request a control sends up to the
// window is checked for the thread it comes from.
class ThreadedDlg : public KeyboardDlg {
public:
  using KeyboardDlg::KeyboardDlg;

  void InitUI(CRect) override {
    m_builderThread = GetCurrentThreadId();
    m_mainTab = static_cast<MTabCtrl*>(Make(L"MTabCtrl", 68, CRect(0, 0, 400, 30), 1));
    for (int id = 69; id <= 79; ++id) Make(L"MTabLayout", unsigned(id), CRect(0, 40, 400, 200), id == 69);
    // (item id, page) in strip order.
    const int tabsInOrder[8][2] = {{0, 69}, {1, 71}, {3, 76}, {2, 75}, {4, 70}, {5, 72}, {7, 78}, {8, 73}};
    for (auto& t : tabsInOrder) m_mainTab->InsertItem(unsigned(t[0]), L"", L"", Control(t[1]), 4, 0);
    m_mainTab->SetItemVisible(2, 0);
    m_mainTab->SetSelectItem(0);
    int x = 0;
    for (int id : {33, 34, 38, 39, 42, 43, 44, 48, 80, 324, 325, 326, 436, 439, 440, 441}) {
      Make(L"MText", unsigned(id), CRect(x, 210, x + 60, 230), 1);
      x += 62;
    }
    m_batteryCtrl = static_cast<BatteryCtrl*>(Make(L"BatteryCtrl", 46, CRect(500, 0, 560, 20), 1));
    m_keyboardCtrl = static_cast<KeyboardCtrl*>(Make(L"KeyboardCtrl", 58, CRect(0, 240, 400, 400), 1));
    m_zephraEffect = static_cast<ZephraEffect*>(Make(L"ZephraEffect", 59, CRect(400, 240, 800, 400), 0));
    m_matrixScreen = static_cast<MatrixScreen*>(Make(L"MatrixScreen", 277, CRect(600, 40, 700, 140), 1));
    // The device list and the zone selector live in panels.
    auto* panel = static_cast<MPanel*>(Make(L"MTabLayout", 35, CRect(420, 40, 600, 200), 1));
    m_deviceList = static_cast<CDeviceList*>(panel->CreateControl(L"CDeviceList", 81, CRect(420, 40, 600, 150), L"", 1, 1));
    SetControl(81, m_deviceList);
    m_zoneTypeTab = static_cast<TabCtrlEx*>(panel->CreateControl(L"TabCtrlEx", 117, CRect(420, 160, 600, 190), L"", 1, 1));
    SetControl(117, m_zoneTypeTab);
    for (const wchar_t* zone : {L"zone 0", L"zone 1", L"zone 2"}) m_zoneTypeTab->AddItem(zone, 0);
  }

  long OnControlUpdate(CRect rect, int redraw, MControl* control) override {
    if (GetCurrentThreadId() != m_builderThread) ++offThreadUpdates;
    return KeyboardDlg::OnControlUpdate(rect, redraw, control);
  }

  void WorkStep() override {
    KeyboardDlg::WorkStep();
    ++steps;
  }

  std::atomic<int> offThreadUpdates{0};
  std::atomic<int> steps{0};

private:
  MControl* Make(const wchar_t* className, unsigned id, CRect rect, int visible) {
    MControl* control = CreateControl(className, id, rect, L"", visible, 1);
    SetControl(int(id), control);
    return control;
  }
  DWORD m_builderThread = 0;
};

constexpr UINT kRunAction = WM_APP + 7;

// A message-only window of this thread that runs what the worker asks for with a sent
// message: the worker waits inside its report while the window thread acts.
class WindowThreadAction {
public:
  WindowThreadAction() {
    static const ATOM kClass = [] {
      WNDCLASSW wc = {};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"QuenbyWindowThreadAction";
      return RegisterClassW(&wc);
    }();
    (void)kClass;
    hwnd_ = CreateWindowExW(0, L"QuenbyWindowThreadAction", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, LONG_PTR(this));
  }
  ~WindowThreadAction() { DestroyWindow(hwnd_); }
  // From the worker: runs `action_` on the window thread and returns when it has run.
  void RunFromWorker() { SendMessageW(hwnd_, kRunAction, 0, 0); }
  std::function<void()> action;

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunAction) {
      auto* self = reinterpret_cast<WindowThreadAction*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      if (self && self->action) self->action();
      return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
};

// A language file with the texts the device link shows.
struct LanguageFiles {
  TempFolder folder;
  LanguageFiles() {
    WriteText(folder.File(L"1033.lan"),
              "[KB.DIALOG]\n517=Version\n520=New firmware\n530=Firmware\n531=Up to date\n532=Update tool\n533=Update\n");
    SetLanguageFolder((folder.Path() + L"\\").c_str());
    CurrentLanguageId = 1033;
  }
  ~LanguageFiles() { SetLanguageFolder(L""); }
};

inline std::string CableK101() { return "\n[usb cable-k101]\nkeyboard = k101\nvid = 0x3F1D\npid = 0x1101\n"; }

// The real window and its worker, both running. The transport's wait before each report
// can hand an action to the window thread at a chosen report of a task.
struct ThreadRig {
  SimWorld world;
  TempFolder folder;
  TransportRig rig;
  KeyboardDataStore store;
  ThreadedDlg dlg{rig.transport, store};
  WindowThreadAction onWindow;
  std::atomic<int> reportsToAction{0};
  HWND window = nullptr;

  explicit ThreadRig(const std::string& usb) : world(std::string(kKeyboards) + usb) {
    CreateDirectoryW(folder.File(L"db").c_str(), nullptr);
    WriteText(folder.File(L"config.xml"), kCatalogueXml);
    CreateDirectoryW(folder.File(L"layouts").c_str(), nullptr);
    for (const wchar_t* name : {L"K101.xml", L"K102.xml"})
      CopyFileW((SourceDataFolder() + L"layouts\\" + name).c_str(), (folder.Path() + L"\\layouts\\" + name).c_str(),
                FALSE);
    dlg.m_sleep = [](DWORD) {};
    dlg.m_startAudio = false;
    dlg.m_exeFolder = (folder.Path() + L"\\").c_str();
    dlg.m_userDataFolder = (folder.Path() + L"\\").c_str();
    dlg.m_softwareName = L"QuenbyThreadsTest";
    dlg.m_updateServerUrl = L"";  // no update check
    rig.transport.SetSleep([this](DWORD) {
      if (reportsToAction > 0 && --reportsToAction == 0) onWindow.RunFromWorker();
    });
    if (dlg.Create(nullptr, L"QuenbyThreadsTest", WS_POPUP, 0, CRect(0, 0, 800, 420))) {
      window = dlg.GetSafeHwnd();
      ShowWindow(window, SW_SHOWNOACTIVATE);
    }
  }
  ~ThreadRig() {
    if (IsWindow(window)) {
      PostMessageW(window, WM_CLOSE, 0, 0);
      PumpUntil([&] { return !IsWindow(window); }, 30000);
    }
    store.CloseDeviceDb();
    for (const wchar_t* name : {L"K101", L"K102"}) store.DeleteDeviceDb((folder.Path() + L"\\").c_str(), name);
  }

  // Until the queue is empty and the worker has finished the step it was in.
  bool WaitIdle() {
    if (!PumpUntil([&] { return dlg.m_taskQueue.IsEmpty(); }, 30000)) return false;
    const int seen = dlg.steps;
    return PumpUntil([&] { return dlg.steps >= seen + 2 && dlg.m_taskQueue.IsEmpty(); }, 30000);
  }
  // The user clicks the model in the device list (on the window thread).
  void Choose(int model) {
    dlg.m_deviceList->SetSelectDevice(model);
    dlg.OnDeviceSelected();
  }
  // The next task's `report`-th report (counting its ConfigBegin) first lets the window
  // thread choose `model`.
  void ChooseAtReport(int report, int model) {
    onWindow.action = [this, model] { Choose(model); };
    reportsToAction = report;
  }
};

const char* KeyboardOf(int model) { return model == 101 ? "k101" : "k102"; }
const char* CableOf(int model) { return model == 101 ? "cable-k101" : "cable-k102"; }
const wchar_t* NameOf(int model) { return model == 101 ? L"K101" : L"K102"; }

// Everything a task could change on a keyboard.
struct KeyboardTables {
  std::vector<std::vector<uint8_t>> tables;
  explicit KeyboardTables(const std::string& keyboard) {
    tables.push_back(Table(keyboard, sim::Table::Settings));
    for (int i = 0; i < 4; ++i) tables.push_back(Table(keyboard, sim::Table::KeyMap, i));
    for (int i = 0; i < 5; ++i) tables.push_back(Table(keyboard, sim::Table::ColourSet, i));
    tables.push_back(Table(keyboard, sim::Table::MacroMemory));
  }
  bool operator==(const KeyboardTables& other) const { return tables == other.tables; }
};

// Where two keyboards' tables differ, for a failure message: (table, byte) actual/expected.
std::string Differences(const KeyboardTables& actual, const KeyboardTables& expected) {
  std::string out;
  for (size_t t = 0; t < actual.tables.size() && t < expected.tables.size(); ++t) {
    const auto& a = actual.tables[t];
    const auto& e = expected.tables[t];
    for (size_t b = 0; b < a.size() && b < e.size(); ++b)
      if (a[b] != e[b]) out += " (" + std::to_string(t) + "," + std::to_string(b) + ") " + std::to_string(a[b]) + "/" + std::to_string(e[b]);
    if (a.size() != e.size()) out += " table " + std::to_string(t) + " has another size";
  }
  return out;
}

// Each ConfigBegin of a device followed by its ConfigEnd before the next one begins.
void ExpectBracketsClosed(const std::string& device, const char* scenario) {
  int open = 0;
  for (auto& write : Writes(device)) {
    const int command = Command(write);
    if (command == kCmdConfigBegin) {
      EXPECT_EQ(open, 0) << scenario << ": " << device << " began a second exchange inside one";
      open = 1;
    } else if (command == kCmdConfigEnd) {
      EXPECT_EQ(open, 1) << scenario << ": " << device << " ended an exchange it never began";
      open = 0;
    }
  }
  EXPECT_EQ(open, 0) << scenario << ": " << device << " was left inside an exchange";
}

CString StoredSleep(const std::wstring& folder, int model) {
  KeyboardDataStore look;
  CString value;
  if (look.OpenDeviceDb(folder.c_str(), NameOf(model))) look.GetConfigValue(1, L"sleep_time", value);
  look.CloseDeviceDb();
  return value;
}

// The settings block of each keyboard names it: its own sleep time and Mac mode.
void MarkKeyboards() {
  for (int model : {101, 102}) {
    auto block = Table(KeyboardOf(model), sim::Table::Settings);
    const int seconds = model == 101 ? 60 : 300;
    block[39] = model == 101 ? 0 : 1;
    block[46] = uint8_t(seconds & 0xFF);
    block[47] = uint8_t(seconds >> 8);
    block[48] = 0;
    ASSERT_TRUE(sim::WriteTable(KeyboardOf(model), sim::Table::Settings, 0, block));
  }
}

// A device choice in the middle of each kind of multi-report task: the task ends on the
// keyboard it began with, and only then does the worker take the other one. The choice
// used to switch the transport at once: the rest of a K101 layer write landed in K102,
// and a read stored K102's settings in K101's profile.
TEST(WorkerThreads, DeviceChoiceInTheMiddleOfATaskLeavesItOnItsKeyboard) {
  ThreadRig w(CableK101() + CableK102());
  ASSERT_NE(w.window, nullptr);
  MarkKeyboards();
  ASSERT_TRUE(PumpUntil([&] { return w.dlg.m_devicesInitialised && w.dlg.m_deviceLinked; }, 20000));
  w.Choose(101);
  ASSERT_TRUE(w.WaitIdle());
  ASSERT_EQ(w.dlg.m_deviceType, 101);

  struct Scenario {
    const char* name;
    int task;
    int report;  // the report before which the other keyboard is chosen
  } scenarios[] = {
      {"key layers", kTaskKeyMap, 4},         // ConfigBegin, layers 0 and 1, then the choice
      {"profile apply", kTaskApplyProfile, 8},  // all layers written, the lighting's settings read next
      {"read sequence", kTaskReload, 3},      // description read, the settings read next
      {"colour set", kTaskWriteColourSet, 2},
  };
  for (const Scenario& s : scenarios) {
    const int target = w.dlg.m_deviceType;
    const int other = target == 101 ? 102 : 101;
    const std::string keyboard = KeyboardOf(target);
    // The stored state the task writes, in the target's database (open now).
    auto [index, code] = std::pair<int, int>{-1, 0};
    for (const auto& [i, c] : w.dlg.m_keyCodeByIndex) {
      if (c > 0 && c < 224) {
        index = i;
        code = c;
        break;
      }
    }
    ASSERT_GE(index, 0) << s.name;
    // Each layer's row: a different keyboard key (usages of A to D).
    uint8_t actions[4][3] = {};
    for (int layer = 0; layer < 4; ++layer) {
      KeyMacroRecord row;
      row.profile = 1;
      row.fn_layer = layer;
      row.key_code = code;
      row.macro_type = kFuncKeyboardKey;
      row.macro_value = 4 + layer;
      ASSERT_GT(w.store.ReplaceKeyMacro(row), 0);
      KeyActionCodec::Encode(row, actions[layer]);
      ASSERT_NE(actions[layer][0], 0) << s.name;
    }
    UserLightRgbRecord rgb;
    rgb.profile = 1;
    rgb.userlight_id = 130;
    rgb.key_code = code;
    rgb.key_rgb = int(RGB(7, 8, 9));
    ASSERT_EQ(w.store.ReplaceUserLightRgbs(1, 130, {rgb}), 1);
    const int led = w.dlg.m_lightIndexByCode.at(code);

    // Every key's stored action of the target's profile (a new database seeds a row for
    // every key), as the layer writes put it over the factory map.
    std::vector<std::pair<int, std::array<uint8_t, 3>>> stored[4];
    for (int layer = 0; layer < 4; ++layer) {
      for (const auto& [i, c] : w.dlg.m_keyCodeByIndex) {
        KeyMacroRecord row;
        if (!w.store.GetKeyMacro(1, layer, c, row) || row.macro_type == 0) continue;
        std::array<uint8_t, 3> bytes{};
        KeyActionCodec::Encode(row, bytes.data());
        stored[layer].push_back({i, bytes});
      }
    }
    // The profile's lighting shows mode 5 on zone 0: its stored row is what a profile
    // apply writes to the keyboard.
    LightDefaults::SeedZones(w.store, 1, target);
    w.store.SetActiveLightMode(1, 0, 5);
    w.store.SetConfigValue(1, L"enable_light", L"1");
    LightRecord zone0Row;
    ASSERT_TRUE(w.store.GetLight(1, 0, 5, zone0Row)) << s.name;
    const int zone0SpeedMax = w.dlg.m_deviceInfo.zone0SpeedMax;
    const KeyboardTables before(keyboard);
    const KeyboardTables otherBefore(KeyboardOf(other));
    w.dlg.m_selectedKey = -2;
    // The choice lands on the macro page: on the lighting page the reload after task 4
    // re-applies the light mode to the chosen keyboard, which is not what is looked at here.
    w.dlg.m_mainTabIndex = 5;
    w.dlg.m_lightZone = 0;
    w.dlg.m_lightMode = s.task == kTaskWriteColourSet ? 130 : 5;
    sim::ClearLog();
    w.ChooseAtReport(s.report, other);
    w.dlg.AddTask(s.task);
    ASSERT_TRUE(w.WaitIdle()) << s.name;
    ASSERT_EQ(w.reportsToAction.load(), 0) << s.name << ": the choice was made";
    EXPECT_EQ(w.dlg.m_deviceType, other) << s.name;

    // The other keyboard was only read.
    EXPECT_TRUE(KeyboardTables(KeyboardOf(other)) == otherBefore) << s.name;
    // The target holds what the task wrote, and only that.
    KeyboardTables expected = before;
    if (s.task == kTaskKeyMap || s.task == kTaskApplyProfile) {
      for (int layer = 0; layer < 4; ++layer) {
        auto& map = expected.tables[size_t(1 + layer)];
        map = Table(keyboard, sim::Table::FactoryKeyMap, layer);
        for (const auto& [i, bytes] : stored[layer])
          for (int b = 0; b < 3; ++b) map[size_t(i) * 3 + size_t(b)] = bytes[size_t(b)];
        for (int b = 0; b < 3; ++b) map[size_t(index) * 3 + size_t(b)] = actions[layer][b];
      }
    }
    if (s.task == kTaskApplyProfile) {
      ZoneLight zone0;
      zone0.mode = 5;
      zone0.brightness = zone0Row.brightness;
      zone0.speed = zone0Row.speed;
      zone0.colorful = zone0Row.colorful;
      zone0.colorindex = zone0Row.colorindex;
      zone0.color = uint32_t(zone0Row.color_value);
      WriteZoneRecord(expected.tables[0].data(), kZone0Record, zone0, zone0SpeedMax);
    }
    if (s.task == kTaskWriteColourSet) {
      auto& set = expected.tables[5 + 2];
      set[size_t(led) * 3] = 7;
      set[size_t(led) * 3 + 1] = 8;
      set[size_t(led) * 3 + 2] = 9;
    }
    const KeyboardTables after(keyboard);
    EXPECT_TRUE(after == expected) << s.name << ":" << Differences(after, expected);
    for (int model : {101, 102}) ExpectBracketsClosed(CableOf(model), s.name);
    // Each model's database holds its own keyboard's settings.
    EXPECT_EQ(StoredSleep(w.folder.Path() + L"\\", 101), L"1") << s.name;
    EXPECT_EQ(StoredSleep(w.folder.Path() + L"\\", 102), L"5") << s.name;
  }
  EXPECT_EQ(w.dlg.offThreadUpdates.load(), 0);
}

// The worker rewrote texts, visibility and the device list while the window thread
// painted them. Here, for a few thousand rounds while the window repaints without pause,
// the worker reads the matrix screen's colours, shows a round's text and flips a control,
// and every hundred rounds reads the keyboard (firmware texts, tabs, battery) or follows
// its receiver linking or unlinking (device list, device views, the other model's layout).
TEST(WorkerThreads, WorkerUpdatesTheWindowWhileItRepaints) {
  LanguageFiles language;
  ThreadRig w(CableK102() + ReceiverK101(true));
  ASSERT_NE(w.window, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return w.dlg.m_devicesInitialised; }, 20000));
  // From here the worker's steps run on a thread of the test's, as fast as they can.
  while (!w.dlg.CThreadBasic::Stop(0)) Pump();

  constexpr int kRounds = 3000;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int round = 0; round < kRounds; ++round) {
      if (round % 100 == 50) sim::SetLinked("receiver-k101", round % 200 != 50, true);
      else if (round % 100 == 99) w.dlg.AddTask(kTaskReload);
      else w.dlg.AddTask(kTaskReadMatrixColours);
      w.dlg.WorkStep();
      w.dlg.SetControlTitle(436, (L"round " + std::to_wstring(round)).c_str());
      w.dlg.ShowControl(44, round % 2);
    }
    done = true;
  });
  while (!done) {
    InvalidateRect(w.window, nullptr, FALSE);
    UpdateWindow(w.window);
    Pump();
  }
  worker.join();
  Pump();

  EXPECT_EQ(w.dlg.offThreadUpdates.load(), 0);
  auto title = [&](int id) { return static_cast<MControlFont*>(w.dlg.Control(id))->GetTitle(); };
  EXPECT_EQ(title(436), L"round 2999");
  EXPECT_EQ(w.dlg.IsControlVisible(44), 1);
  const CString version = w.dlg.m_firmwareVersion;
  ASSERT_EQ(version.GetLength(), 3);
  EXPECT_EQ(title(324), L"Firmware: v" + version.Left(1) + L"." + version.Right(2));
  EXPECT_EQ(title(38), NameOf(w.dlg.m_deviceType));
  EXPECT_EQ(w.dlg.IsControlVisible(81), w.dlg.m_deviceLinked ? 1 : 0);
  EXPECT_EQ(w.dlg.IsControlVisible(80), w.dlg.m_deviceLinked ? 0 : 1);
  EXPECT_EQ(w.dlg.m_deviceList->GetSelectItem(), w.dlg.m_deviceChoice.GetSelectItem());
  for (int model : {101, 102}) {
    const CDeviceList::DeviceItem* item = w.dlg.m_deviceList->GetItem(model == 101 ? 0 : 1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->state > 0, w.dlg.m_deviceChoice.GetState(model) > 0) << model;
  }
}

}  // namespace
