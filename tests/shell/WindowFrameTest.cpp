// The main window's frame under the test display: the controls InitUI makes with their
// ids, classes, rectangles and visibility; the pages each simulated model offers after
// it is chosen in the device list; the notification routes driven through the real
// dialog; the window messages; the message box and the busy dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <string>
#include <thread>
#include "controls/MTabCtrl.h"
#include "core/Manager.h"
#include "device/DeviceReport.h"
#include "device/TransportRig.h"
#include "shell/AppPopups.h"
#include "shell/AppSettings.h"
#include "shell/KeyboardDlg.h"
#include "shell/MainWindowRig.h"
#include "shell/NotifyRoutes.h"
#include "shell/ShellDialogs.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CDeviceList.h"

using namespace simtest;

namespace {

using mainwindow::Pump;
using mainwindow::PumpUntil;
using mainwindow::SourceDataFolder;

// Every simulated model on its own cable, all plugged.
const char* kAllModels = R"(
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
[keyboard k150]
model = restricted
vid = 0x3F1D
pid = 0x1150
[keyboard k104]
model = legacy
vid = 0x3F1D
pid = 0x1104
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
[usb cable-k150]
keyboard = k150
vid = 0x3F1D
pid = 0x1150
product = Quenby K150
[usb cable-k104]
keyboard = k104
vid = 0x3F1D
pid = 0x1104
product = Quenby K104
)";

constexpr wchar_t kSoftware[] = L"QuenbyFrameTest";

// The main dialog on the simulated keyboards, its settings under a key of its own.
class MainWindow : public ::testing::Test, public mainwindow::MainWindowRig {
protected:
  MainWindow() : MainWindowRig(kAllModels, kSoftware) {}
  void SetUp() override {
    ASSERT_TRUE(world.Loaded());
    MakeDialog();
    dlg->m_exitProcess = [this](UINT code) { exits.push_back(int(code)); };
  }
  void TearDown() override { Close(); }
  void Open() { ASSERT_TRUE(MainWindowRig::Open()); }
  // The worker has set up the devices and the window has run what it handed over.
  void Settle() {
    ASSERT_TRUE(WaitForDevices());
    Pump(300);
  }
  // Chooses `model` in the device list as a click does, and waits for task 4.
  void Choose(int model) {
    ASSERT_TRUE(MainWindowRig::Choose(model)) << "model " << model;
    Pump(300);
  }
  int Visible(int id) { return dlg->IsControlVisible(id); }

  std::vector<int> exits;
};

struct FrameControl {
  int id;
  const wchar_t* className;
  CRect rect;
  int visible;
};

// Right after the window is made (the home tab selected, nothing chosen yet).
const FrameControl kFrame[] = {
    {30, L"MPicture", CRect(0, 0, 1400, 788), 0},
    {31, L"CGifPicture", CRect(0, 0, 1400, 788), 1},
    {35, L"MPicture", CRect(), 0},
    {38, L"MText", CRect(10, 130, 270, 166), 0},
    {39, L"CImageButton", CRect(1340, 10, 1368, 38), 1},
    {40, L"CImageButton", CRect(1300, 10, 1328, 38), 1},
    {42, L"CImageButton", CRect(1260, 10, 1288, 38), 1},
    {43, L"CImageButton", CRect(1220, 10, 1248, 38), 0},  // no website in config.xml
    {45, L"CImageButton", CRect(1180, 10, 1208, 38), 1},
    {33, L"CArea", CRect(1, 70, 1399, 71), 0},
    {32, L"CArea", CRect(281, 71, 282, 787), 0},
    {46, L"BatteryCtrl", CRect(90, 80, 190, 116), 0},
    {47, L"MPicture", CRect(), 1},
    {51, L"MPicture", CRect(), 0},
    {52, L"MText", CRect(), 0},
    {53, L"ProfileList", CRect(), 0},
    {54, L"CImageButton", CRect(), 0},
    {55, L"CImageButton", CRect(), 0},
    {48, L"CRoundArea", CRect(150, 20, 290, 56), 0},
    {49, L"MPicture", CRect(160, 26, 184, 50), 0},
    {50, L"CTextButton", CRect(186, 25, 280, 56), 0},
    {56, L"KeyLayerCtrl", CRect(1240, 120, 1300, 270), 0},
    {57, L"CKeyTestCtrl", CRect(400, 428, 1220, 464), 0},
    {58, L"KeyboardCtrl", CRect(), 0},
    {59, L"ZephraEffect", CRect(), 0},
    {60, L"MButton", CRect(1220, 320, 1380, 356), 0},
    {61, L"MButton", CRect(1220, 370, 1380, 406), 0},
    {64, L"CImageButton", CRect(30, 668, 249, 753), 0},
    {65, L"CRoundArea", CRect(0, 0, 1400, 788), 0},
    {66, L"MPicture", CRect(), 0},
    {67, L"MText", CRect(), 0},
    {68, L"MTabCtrl", CRect(20, 180, 261, 581), 0},
    {69, L"MTabLayout", CRect(1, 80, 1399, 787), 1},
    {70, L"MTabLayout", CRect(285, 438, 1399, 787), 0},
    {71, L"MTabLayout", CRect(285, 438, 1399, 787), 0},
    {72, L"MTabLayout", CRect(285, 80, 1399, 787), 0},
    {73, L"MTabLayout", CRect(285, 438, 1399, 787), 0},
    {74, L"MTabLayout", CRect(285, 438, 1399, 787), 0},
    {75, L"MTabLayout", CRect(285, 438, 1399, 787), 0},
    {76, L"MTabLayout", CRect(285, 80, 1399, 787), 0},
    {77, L"MTabLayout", CRect(285, 80, 1399, 787), 0},
    {78, L"MTabLayout", CRect(285, 80, 1399, 787), 0},
    {79, L"MTabLayout", CRect(0, 0, 1400, 788), 0},
    {80, L"MText", CRect(100, 150, 1300, 200), 0},
    {81, L"CDeviceList", CRect(100, 150, 1340, 738), 1},
};

// The panel of each main tab item id.
int PanelOf(int item) {
  switch (item) {
    case 0: return 69;
    case 1: return 71;
    case 2: return 75;
    case 3: return 76;
    case 4: return 70;
    case 5: return 72;
    case 7: return 78;
    case 8: return 73;
    default: return 0;
  }
}

}  // namespace

TEST_F(MainWindow, InitUiBuildsTheFrameWithItsIdsRectanglesAndVisibility) {
  Open();
  // Checked before any message runs: the worker's changes reach the window as messages.
  for (const FrameControl& expected : kFrame) {
    SCOPED_TRACE(expected.id);
    MControl* control = dlg->Control(expected.id);
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->GetClassNameW(), expected.className);
    EXPECT_EQ(control->GetControlID(), unsigned(expected.id));
    // The keyboard and the canvas take their rectangles from the model's layout file.
    if (expected.id != 58 && expected.id != 59) {
      EXPECT_EQ(control->GetRect(), expected.rect);
    }
    EXPECT_EQ(control->IsVisible(), expected.visible);
  }
  ASSERT_NE(dlg->m_aboutCaption, nullptr) << "the caption that shares id 64";
  EXPECT_EQ(dlg->m_aboutCaption->GetRect(), CRect()) << "never placed";
  EXPECT_EQ(dlg->m_mainPage, 0);

  // The strip: item ids in strip order, the matrix screen hidden until a model has it.
  ASSERT_NE(dlg->m_mainTab, nullptr);
  const int items[] = {0, 1, 3, 2, 4, 5, 7, 8};
  ASSERT_EQ(dlg->m_mainTab->GetItemCount(), 8);
  for (int position = 0; position < 8; ++position) {
    EXPECT_EQ(dlg->m_mainTab->GetItemID(position), items[position]);
    EXPECT_EQ(dlg->m_mainTab->GetItemVisible(position), position == 2 ? 0 : 1) << position;
  }
  EXPECT_EQ(dlg->m_mainTab->GetSelectItem(), 0);

  // Once the worker has found the keyboards the home page lists them.
  Settle();
  EXPECT_EQ(Visible(69), 1);
  EXPECT_EQ(Visible(81), 1);
  EXPECT_EQ(Visible(80), 0);
  EXPECT_EQ(dlg->m_deviceList->GetItemCount(), 5);

  // A resize moves the frame with the right and bottom edges.
  dlg->UISize(CRect(0, 0, 1200, 700));
  EXPECT_EQ(dlg->Control(39)->GetRect(), CRect(1140, 10, 1168, 38));
  EXPECT_EQ(dlg->Control(81)->GetRect(), CRect(100, 150, 1140, 650));
}

TEST_F(MainWindow, EachModelOffersItsPagesAndEveryTabShowsItsPanel) {
  Open();
  Settle();
  struct ModelTabs {
    int model;
    bool lighting, matrix, canvas;
  };
  const ModelTabs models[] = {
      {101, true, false, true}, {102, true, true, true}, {103, true, false, true},
      {104, true, false, true}, {150, false, false, false},
  };
  for (const ModelTabs& m : models) {
    SCOPED_TRACE(m.model);
    Choose(m.model);
    EXPECT_EQ(Visible(68), 1) << "the tab strip";
    EXPECT_EQ(Visible(31), 0) << "the animated home background";
    // The keyboard's own description (read after the layout) has the last word.
    PumpUntil([&] {
      return dlg->m_mainTab->GetItemVisible(1) == (m.lighting ? 1 : 0) &&
             dlg->m_mainTab->GetItemVisible(2) == (m.matrix ? 1 : 0) &&
             dlg->m_mainTab->GetItemVisible(3) == (m.canvas ? 1 : 0);
    }, 10000);
    EXPECT_EQ(dlg->m_mainTab->GetItemVisible(1), m.lighting ? 1 : 0);
    EXPECT_EQ(dlg->m_mainTab->GetItemVisible(2), m.matrix ? 1 : 0);
    EXPECT_EQ(dlg->m_mainTab->GetItemVisible(3), m.canvas ? 1 : 0);
    for (int position = 1; position < 8; ++position) {
      if (!dlg->m_mainTab->GetItemVisible(position)) continue;
      const int item = dlg->m_mainTab->GetItemID(position);
      SCOPED_TRACE(item);
      dlg->m_mainTab->SetSelectItem(position);
      EXPECT_EQ(dlg->m_mainPage, item);
      EXPECT_EQ(dlg->m_mainTabIndex, position);
      for (int panel : {69, 70, 71, 72, 73, 75, 76, 78}) EXPECT_EQ(Visible(panel), panel == PanelOf(item)) << panel;
      EXPECT_EQ(Visible(58), item == 1 || item == 4 || item == 8) << "the on-screen keyboard";
      EXPECT_EQ(Visible(59), item == 2) << "the canvas";
      for (int id : {56, 57, 60, 61}) EXPECT_EQ(Visible(id), item == 4) << id;
      EXPECT_EQ(Visible(50), 1) << "the device view of the frame";
    }
    dlg->m_mainTab->SetSelectItem(0);
    EXPECT_EQ(dlg->m_mainPage, 0);
    EXPECT_EQ(Visible(68), 0);
    EXPECT_EQ(Visible(31), 1);
    Pump(100);
  }
}

// (control id, code) to the handler it reaches.
TEST(NotifyRoutes, EveryNotificationReachesItsPagesHandler) {
  struct Case {
    UINT id, code;
    const char* handler;  // null: nothing handles it
  };
  const Case cases[] = {
      {53, 9, "OnProfileListNotify"},  {58, 5, "OnKeyboardClick"},      {68, 2, "OnMainTabChanged"},
      {95, 29, "ApplyMacroPlayMode"},  {95, 2, "(none)"},               {126, 30, "OnLightModeSelected"},
      {141, 27, "OnLightPalette"},     {141, 2, nullptr},               {177, 26, nullptr},
      {304, 27, "OnMatrixPalette"},    {147, 26, "OnLightBlueEdit"},    {406, 29, "OnLedBlueEdit"},
      {39, 2, "OnCloseButton"},        {39, 5, nullptr},                {40, 2, "OnMinimize"},
      {42, 2, "ShowSettingsPage"},     {43, 2, "OpenLink(website)"},    {439, 2, "OpenLink(website)"},
      {440, 2, "OpenLink(feedback)"},  {441, 2, "OpenLink(faqs)"},      {45, 2, "ShowSkinMenu"},
      {50, 2, "OpenProfileDialog"},    {64, 2, "OpenAboutDialog"},      {81, 2, "OnDeviceSelected"},
      {81, 11, nullptr},               {91, 2, "OnMacroPlayModeRadio"}, {94, 2, "OnMacroPlayModeRadio"},
      {148, 2, "OnLightColorButton"},  {156, 2, "OnLightColorButton"},  {157, 2, "OnLightApply"},
      {161, 2, "OnMusicLayerCheck"},   {172, 2, "OnMusicLayerCheck"},   {173, 2, nullptr},
      {237, 2, "SaveMacroRecords"},    {274, 2, "OnZephraPresetSelected"}, {276, 2, "(none)"},
      {288, 2, "(none)"},              {326, 2, "RunFirmwareTool"},     {333, 2, "FactoryReset"},
      {392, 2, "OnLedPictureImport"},  {418, 2, "ReturnFromSettings"},  {432, 2, "OnExitModeRadio"},
      {437, 2, "OnCheckUpdateButton"}, {30, 2, nullptr},                {442, 2, nullptr},
  };
  for (const Case& c : cases) {
    const NotifyRoute* route = FindNotifyRoute(c.id, c.code);
    if (!c.handler) {
      EXPECT_EQ(route, nullptr) << c.id << "/" << c.code;
    } else {
      ASSERT_NE(route, nullptr) << c.id << "/" << c.code;
      EXPECT_STREQ(route->handler, c.handler) << c.id << "/" << c.code;
    }
  }
}

TEST_F(MainWindow, FrameNotificationsActOnTheRealDialog) {
  Open();
  Settle();
  HWND window = dlg->GetSafeHwnd();
  ShowWindow(window, SW_SHOW);
  // Results: handled, the no-op ids, and what nothing handles.
  EXPECT_EQ(dlg->OnMessage(95, 7, 0, 0), 1);
  EXPECT_EQ(dlg->OnMessage(276, 2, 0, 0), 1);
  EXPECT_EQ(dlg->OnMessage(141, 2, 0, 0), 0);
  EXPECT_EQ(dlg->OnMessage(999, 2, 0, 0), 0);
  EXPECT_EQ(dlg->OnMessage(392, 2, 0, 0), 0);

  // Settings page and back: from home the home page returns.
  EXPECT_EQ(dlg->OnMessage(42, 2, 0, 0), 1);
  EXPECT_EQ(Visible(79), 1);
  for (int id : {68, 39, 40, 42, 45, 69, 31}) EXPECT_EQ(Visible(id), 0) << id;
  EXPECT_EQ(Visible(30), 1);
  EXPECT_EQ(dlg->OnMessage(418, 2, 0, 0), 1);
  EXPECT_EQ(Visible(79), 0);
  for (int id : {39, 40, 42, 45, 69, 31}) EXPECT_EQ(Visible(id), 1) << id;

  // On the key page the settings page hides its group and the way back restores it.
  Choose(102);
  dlg->m_mainTab->SetSelectItem(4);
  ASSERT_EQ(dlg->m_mainPage, 4);
  dlg->OnMessage(42, 2, 0, 0);
  EXPECT_EQ(Visible(56), 0);
  EXPECT_EQ(Visible(58), 0);
  dlg->OnMessage(418, 2, 0, 0);
  EXPECT_EQ(Visible(56), 1);
  EXPECT_EQ(Visible(58), 1);
  EXPECT_EQ(Visible(68), 1);

  // Home and then a device: the last device page comes back, not home.
  dlg->m_mainTab->SetSelectItem(0);
  Choose(102);
  EXPECT_EQ(dlg->m_mainPage, 4);

  // The close button: a right-button release does nothing; "exit_mode" 1 hides the
  // window and keeps the program; anything else ends it.
  EXPECT_EQ(dlg->OnMessage(39, 5, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(window));
  WriteAppRegString(L"exit_mode", L"1");
  EXPECT_EQ(dlg->OnMessage(39, 2, 0, 0), 1);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(exits.empty());
  EXPECT_TRUE(dlg->IsRunning()) << "the worker goes on behind the tray icon";
  for (const wchar_t* mode : {L"0", L"2"}) {
    WriteAppRegString(L"exit_mode", mode);
    exits.clear();
    dlg->OnMessage(39, 2, 0, 0);
    EXPECT_EQ(exits, std::vector<int>{0}) << mode;
  }
}

TEST_F(MainWindow, WindowMessagesReachTheirHandlers) {
  Open();
  Settle();
  HWND window = dlg->GetSafeHwnd();
  auto send = [&](UINT msg, WPARAM w, LPARAM l) {
    PostMessageW(window, msg, w, l);
    Pump(100);
  };
  // The tray icon: a click shows the hidden window.
  ShowWindow(window, SW_HIDE);
  send(UM_TRAY_NOTIFY, 109, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(window));
  // Its menu: a right-button release opens it; the menu's only item ends the program.
  std::thread closer([] {
    for (int i = 0; i < 100; ++i) {
      if (HWND menu = FindWindowW(L"#32768", nullptr)) {
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
      }
      Sleep(20);
    }
  });
  send(UM_TRAY_NOTIFY, 109, WM_RBUTTONUP);
  closer.join();
  EXPECT_TRUE(exits.empty()) << "the menu was dismissed";
  send(WM_COMMAND, 100, 0);
  EXPECT_EQ(exits, std::vector<int>{0});

  // The tray exit from another program: only lParam 610 counts.
  exits.clear();
  send(UM_TRAY_EXIT, 0, 5);
  EXPECT_TRUE(exits.empty());
  send(UM_TRAY_EXIT, 0, 610);
  EXPECT_EQ(exits, std::vector<int>{0});

  // Suspend stops device work until resume; a resume alone changes nothing.
  send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_EQ(dlg->m_suspended, 0);
  send(WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_EQ(dlg->m_suspended, 1);
  send(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  EXPECT_EQ(dlg->m_suspended, 0);

  // The receiver's link report: a device arrival or removal task for the worker.
  dlg->m_suspended = 1;  // the worker leaves the queue as it is
  Pump(100);
  send(UM_DEVICE_LINK, 0, 1);
  EXPECT_EQ(dlg->m_taskQueue.TakeAll(), std::deque<int>{kTaskDeviceArrived});
  send(UM_DEVICE_LINK, 0, 0);
  EXPECT_EQ(dlg->m_taskQueue.TakeAll(), std::deque<int>{kTaskDeviceRemoved});
  dlg->m_suspended = 0;

  // The language change and the skin menu's unknown item leave the window as it was.
  send(UM_LANGUAGE_CHANGED, 0, 0);
  EXPECT_EQ(SendMessageW(window, UM_SKIN_MENU, 0, 7), 1);
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(MainWindow, SkinMenuRestoresTheDefaultPictures) {
  Open();
  WriteAppRegString(L"theme_bkg", L"C:\\nowhere\\gone.png");
  WriteAppRegString(L"theme_bkg_gif", L"C:\\nowhere\\gone.gif");
  EXPECT_EQ(SendMessageW(dlg->GetSafeHwnd(), UM_SKIN_MENU, 0, 101), 1);
  EXPECT_EQ(std::wstring(ReadAppRegString(L"theme_bkg").GetString()), L"");
  EXPECT_EQ(std::wstring(ReadAppRegString(L"theme_bkg_gif").GetString()), L"");
}

namespace {

// Clicks the client point of the first window of that title once it is shown.
void ClickWhenShown(const wchar_t* title, POINT at) {
  for (int i = 0; i < 300; ++i) {
    HWND box = FindWindowW(L"TQXWindow", title);
    if (box && IsWindowVisible(box)) {
      Sleep(100);
      PostMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
      PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
      return;
    }
    Sleep(20);
  }
}

}  // namespace

TEST(MessageBoxDialog, AnswersByItsButtonsAndByAClosedBox) {
  struct Case {
    int type;
    POINT click;  // client point, or {-1, -1} to close the box from outside
    int result;
  };
  const Case cases[] = {
      {kMessageBoxOk, {250, 228}, 1},       // the one button at the bottom centre
      {kMessageBoxOkCancel, {180, 228}, 1}, // left of the centre
      {kMessageBoxOkCancel, {320, 228}, 2}, // right of the centre
      {kMessageBoxOkCancel, {-1, -1}, 2},   // closed by CloseAppPopups
  };
  for (const Case& c : cases) {
    std::thread clicker([&] {
      if (c.click.x >= 0) {
        ClickWhenShown(L"MessageBox", c.click);
      } else {
        for (int i = 0; i < 300 && !FindWindowW(L"TQXWindow", L"MessageBox"); ++i) Sleep(20);
        Sleep(100);
        CloseAppPopups();
      }
    });
    EXPECT_EQ(ShowMessageBox(nullptr, L"Body text", L"Caption", c.type), c.result) << c.type << " " << c.click.x;
    clicker.join();
  }
}

TEST(BusyDialog, CentresOnItsOwner) {
  RECT owner = {100, 100, 1500, 888};
  EXPECT_EQ(WaitDlg::CenteredOn(owner), CRect(749, 443, 851, 545));
}

// The worker closes the busy dialog of a task through the window thread, also when the
// task is dropped before the dialog's window exists.
TEST_F(MainWindow, BusyDialogClosesWhenItsTaskIsDropped) {
  Open();
  Settle();
  dlg->m_suspended = 0;
  auto wait = std::make_unique<WaitDlg>();
  dlg->m_waitDlg = wait.get();
  // No keyboard linked: the write is dropped and its dialog closed.
  sim::SetPlugged("cable-k101", false);
  sim::SetPlugged("cable-k102", false);
  sim::SetPlugged("cable-k103", false);
  sim::SetPlugged("cable-k104", false);
  sim::SetPlugged("cable-k150", false);
  dlg->m_deviceLinked = false;
  dlg->AddTask(kTaskKeyMap);
  const DWORD start = GetTickCount();
  wait->ShowCentered(dlg->GetSafeHwnd());
  EXPECT_LT(GetTickCount() - start, 5000u) << "the dialog was closed";
  dlg->m_waitDlg = nullptr;
}

// A worker step that ends after the close request reaches no control: its call to the
// window thread is dropped, whichever thread makes it and however long the test waits.
TEST_F(MainWindow, WindowCallsAfterTheCloseAreDropped) {
  Open();
  Settle();
  HWND window = dlg->GetSafeHwnd();
  // Before the close a call from another thread runs on this one.
  std::atomic<int> ranOn{0};
  std::thread([&] { dlg->OnWindowThread([&] { ranOn = int(GetCurrentThreadId()); }); }).join();
  ASSERT_TRUE(PumpUntil([&] { return ranOn != 0; }, 5000));
  EXPECT_EQ(ranOn, int(GetCurrentThreadId()));

  SendMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_FALSE(IsWindow(window));
  EXPECT_FALSE(dlg->IsRunning());
  std::atomic<bool> ran{false};
  std::thread([&] {
    dlg->OnWindowThread([&] { ran = true; });
    dlg->ShowControl(58, 1);
  }).join();
  Pump(300);
  EXPECT_FALSE(ran);
}

// The worker closes the busy dialog when the task it covers has run on the keyboard, for
// both spinners, however quickly the task ends.
TEST_F(MainWindow, BusyDialogsCloseWhenTheirTaskRuns) {
  Open();
  Settle();
  Choose(101);
  std::unique_ptr<WaitDlg> dialogs[] = {std::make_unique<WaitDlg>(), std::make_unique<LEDWaitDlg>()};
  for (auto& wait : dialogs) {
    dlg->m_waitDlg = wait.get();
    const size_t writes = sim::Log().size();
    dlg->AddTask(kTaskKeyMap);
    const DWORD start = GetTickCount();
    wait->ShowCentered(dlg->GetSafeHwnd());
    EXPECT_LT(GetTickCount() - start, 10000u) << "the dialog was closed";
    EXPECT_GT(sim::Log().size(), writes) << "the key map went to the keyboard";
    dlg->m_waitDlg = nullptr;
  }
}
