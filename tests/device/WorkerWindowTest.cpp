// What the device link shows in the main window: the device and no-device views, the
// tabs that depend on the keyboard, firmware texts, battery, catalogue texts and links,
// and the audio consumers of the first set-up.
#include "device/WorkerRig.h"
#include <gtest/gtest.h>
#include "shell/LanguageText.h"

using namespace simtest;

namespace {

// A language file with the texts the device link uses.
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

CString Title(WorkerRig& w, int id) {
  auto* text = dynamic_cast<MControlFont*>(w.dlg.Control(id));
  return text ? text->GetTitle() : CString(L"<none>");
}

}  // namespace

TEST(WorkerWindow, WiredK102WithOldFirmware) {
  LanguageFiles language;
  WorkerRig w(CableK102());
  EXPECT_EQ(Title(w, 436), L"Version: 1.0.3");
  EXPECT_TRUE(w.Visible(43));    // the website link has a url
  EXPECT_TRUE(w.Visible(439));
  EXPECT_FALSE(w.Visible(440));  // feedback and faqs have none
  EXPECT_FALSE(w.Visible(441));

  w.StartUp();
  EXPECT_FALSE(w.Visible(80));
  EXPECT_TRUE(w.Visible(81));
  // Firmware 0x0115 by cable: shown as 1.15, the tool's 1.16 offered.
  EXPECT_EQ(Title(w, 324), L"Firmware: v1.15");
  EXPECT_EQ(Title(w, 325), L"New firmware: v1.16");
  EXPECT_EQ(Title(w, 326), L"Update");
  EXPECT_EQ(w.dlg.m_firmwareOfferState, 1);
  // The matrix screen: its tab shows and the control takes the audio.
  EXPECT_TRUE(w.controls.tabs.GetItemVisible(KeyboardDlg::kMatrixTabPosition));
  EXPECT_EQ(w.dlg.m_matrixConsumer.load(), &w.matrix);
  // The matrix board has light zones 1 and 2 besides zone 0.
  EXPECT_EQ(w.controls.zoneTypes.GetItemShow(1), 1);
  EXPECT_EQ(w.controls.zoneTypes.GetItemShow(2), 1);
}

TEST(WorkerWindow, ReceiverK101HidesTheCanvasTabAndShowsTheBattery) {
  LanguageFiles language;
  WorkerRig w(ReceiverK101(true));
  w.StartUp();
  EXPECT_FALSE(w.controls.tabs.GetItemVisible(KeyboardDlg::kCanvasTabPosition));
  EXPECT_FALSE(w.controls.tabs.GetItemVisible(KeyboardDlg::kMatrixTabPosition));
  EXPECT_EQ(w.dlg.m_matrixConsumer.load(), nullptr);
  EXPECT_EQ(w.controls.battery.GetBatteryLevel(), 80);
  EXPECT_EQ(w.dlg.m_firmwareOfferState, 0);
  EXPECT_TRUE(Title(w, 324).Find(L"Firmware: v") == 0);
}

TEST(WorkerWindow, WiredK101ShowsTheCanvasTab) {
  WorkerRig w("\n[usb cable-k101]\nkeyboard = k101\nvid = 0x3F1D\npid = 0x1101\n");
  w.controls.tabs.SetItemVisible(KeyboardDlg::kCanvasTabPosition, 0);
  w.Run(kTaskInitDevices);
  EXPECT_TRUE(w.controls.tabs.GetItemVisible(KeyboardDlg::kCanvasTabPosition));
}

TEST(WorkerWindow, NoKeyboardShowsTheNoDeviceView) {
  WorkerRig w("");
  w.ShowPage(4);
  w.Run(kTaskInitDevices);
  EXPECT_EQ(w.controls.tabs.GetSelectItem(), 0);
  EXPECT_TRUE(w.Visible(69));
  EXPECT_TRUE(w.Visible(80));
  EXPECT_TRUE(w.Visible(33));
  for (int id : {68, 34, 46, 48, 81}) EXPECT_FALSE(w.Visible(id)) << id;
}

TEST(WorkerWindow, LinkReportBringsTheDeviceViewBack) {
  WorkerRig w(ReceiverK101(false));
  w.Run(kTaskInitDevices);
  ASSERT_TRUE(w.Visible(80));
  w.controls.tabs.SetItemVisible(KeyboardDlg::kCanvasTabPosition, 1);
  ASSERT_TRUE(sim::SetLinked("receiver-k101", true, true));
  w.dlg.WorkStep();
  EXPECT_FALSE(w.Visible(80));
  EXPECT_TRUE(w.Visible(81));
  EXPECT_EQ(w.controls.tabs.GetSelectItem(), 0);
  EXPECT_FALSE(w.controls.tabs.GetItemVisible(KeyboardDlg::kCanvasTabPosition));
}

TEST(WorkerWindow, RefreshLeavesTheSettingsView) {
  WorkerRig w(CableK102());
  w.dlg.ShowControl(79, 1);
  for (int id : {38, 39, 42, 44, 48}) w.dlg.ShowControl(id, 0);
  w.Run(kTaskInitDevices);
  EXPECT_FALSE(w.Visible(79));
  for (int id : {38, 39, 42, 44, 48}) EXPECT_TRUE(w.Visible(id)) << id;
}

TEST(WorkerWindow, AHiddenRememberedTabFallsBackToLighting) {
  WorkerRig w(ReceiverK101(true));
  w.dlg.m_mainTabIndex = 2;  // the matrix tab: a keyboard without a screen hides it
  w.Run(kTaskInitDevices);
  EXPECT_EQ(w.dlg.m_mainTabIndex, 1);
}

TEST(WorkerWindow, FirstSetUpFeedsTheCanvasAndTheVisualiser) {
  WorkerRig w(CableK102());
  w.Run(kTaskInitDevices);
  EXPECT_EQ(w.dlg.m_canvasConsumer.load(), &w.canvas);
  EXPECT_EQ(w.dlg.m_visualizerConsumer.load(), &w.dlg.m_visualizer);
  EXPECT_FALSE(w.dlg.m_visualizer.m_enabled.load());
  // Once only: a second task 1 changes nothing.
  w.dlg.m_canvasConsumer = nullptr;
  w.Run(kTaskInitDevices);
  EXPECT_EQ(w.dlg.m_canvasConsumer.load(), nullptr);
}

TEST(WorkerWindow, ShowKeysLoadsTheLayerOfTheProfile) {
  WorkerRig w(CableK102());
  w.StartUp();
  // A profile of these rows only (the default profiles hold a row for every key).
  w.dlg.m_profileId = 7;
  std::vector<KeyMacroRecord> rows;
  for (int layer : {0, 1, 1}) {
    KeyMacroRecord row;
    row.profile = w.dlg.m_profileId;
    row.fn_layer = layer;
    row.key_code = 4 + int(rows.size());
    rows.push_back(row);
  }
  ASSERT_EQ(w.store.InsertKeyMacros(rows), 3);
  w.dlg.m_fnLayer = 1;
  w.Run(kTaskShowKeys);
  std::lock_guard<std::mutex> hold(w.dlg.m_pageStateLock);
  ASSERT_EQ(w.dlg.m_keyAssignments.size(), 2u);
  EXPECT_EQ(w.dlg.m_keyAssignments.count(5), 1u);
  EXPECT_EQ(w.dlg.m_keyAssignments.count(6), 1u);
}

TEST(WorkerWindow, LightingPageReappliesItsMode) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_lightMode = 3;
  w.ShowPage(1);
  EXPECT_EQ(w.dlg.m_taskQueue.Size(), 1u);
  int code = 0;
  ASSERT_TRUE(w.dlg.m_taskQueue.Take(code));
  EXPECT_EQ(code, kTaskLightMode);

  // Not while the device link is choosing a keyboard.
  w.ShowPage(4);
  w.dlg.m_selectingDevice = true;
  w.ShowPage(1);
  EXPECT_TRUE(w.dlg.m_taskQueue.IsEmpty());
  w.dlg.m_selectingDevice = false;

  // A custom mode shown on the lighting page is re-applied after a device choice: the set
  // is selected, then its colours are read back.
  w.dlg.m_lightMode = 128;
  w.dlg.m_liveKeyColors = 1;
  w.Run(kTaskDeviceChosen);
  std::vector<int> codes;
  while (w.dlg.m_taskQueue.Take(code)) codes.push_back(code);
  EXPECT_EQ(codes, (std::vector<int>{kTaskCustomLightMode, kTaskReadColourSet}));
  EXPECT_EQ(w.dlg.m_liveKeyColors, 0);
}

TEST(WorkerWindow, CanvasModeOneSamplesTheVisualiserFrame) {
  WorkerRig w(CableK102());
  w.StartUp();
  ASSERT_GT(w.dlg.m_layoutRows, 0);
  ASSERT_GT(w.dlg.m_layoutColumns, 0);
  // A frame that is one colour: every key of the canvas takes it.
  w.dlg.m_visualizer.Init();
  w.dlg.m_visualizer.m_enabled = true;
  w.dlg.m_visualizer.RenderFrame();
  std::vector<COLORREF> frame(Visualizer::kPixels);
  w.dlg.m_visualizer.CopyFrontFrame(frame.data());

  w.dlg.m_zephraMode = 1;
  w.canvas.SetZephraMode(1);
  w.ShowPage(2);
  w.dlg.WorkStep();  // task 23
  sim::ClearLog();
  w.dlg.WorkStep();
  EXPECT_EQ(CountOf(Commands(), kCmdCanvasFrame), 4);
  // The key at the top-left cell shows the frame's pixel at the centre of that cell.
  int y = Visualizer::kHeight / (2 * w.dlg.m_layoutRows);
  int x = Visualizer::kWidth / (2 * w.dlg.m_layoutColumns);
  EXPECT_EQ(w.canvas.GetColorMap(0, 0), frame[size_t(y) * Visualizer::kWidth + size_t(x)]);
  for (KEYITEM_INFO* item : w.canvas.GetKeyItems()) {
    if (item->column == 0 && item->row == 0) {
      EXPECT_EQ(item->color, w.canvas.GetColorMap(0, 0));
    }
  }
}

TEST(WorkerWindow, FactoryResetReloadsTheSettingsPage) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_shownSettings.macMode = 7;
  w.dlg.m_shownSettings.sleepSeconds = 7;
  w.Run(kTaskFactoryReset);
  // What the page shows is what the keyboard's fresh settings put into the store.
  CString sleep;
  ASSERT_TRUE(w.store.GetConfigValue(w.dlg.m_profileId, L"sleep_time", sleep));
  std::lock_guard<std::mutex> hold(w.dlg.m_pageStateLock);
  EXPECT_EQ(w.dlg.m_shownSettings.sleepSeconds, _wtoi(sleep.GetString()) * 60);
  EXPECT_NE(w.dlg.m_shownSettings.macMode, 7);
  EXPECT_EQ(w.dlg.m_ledLayerCount, 0);
}

TEST(WorkerWindow, ChoosingAnotherKeyboardInTheList) {
  // The choice travels to the worker through the remembered model, whose key the program
  // makes at start-up.
  const wchar_t* software = L"QuenbyDeviceChoiceTest";
  const std::wstring key = std::wstring(L"SOFTWARE\\") + software;
  HKEY made = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(made);
  WorkerRig w(CableK102() + ReceiverK101(true), software);
  w.StartUp();
  const int first = w.dlg.m_deviceType;
  const int other = first == 102 ? 101 : 102;
  w.deviceList.SetSelectDevice(other);
  w.dlg.AddTask(kTaskMacros);  // a change still waiting is dropped with the old keyboard
  w.dlg.OnDeviceSelected();
  EXPECT_EQ(w.dlg.m_taskQueue.Size(), 1u);
  EXPECT_FALSE(w.dlg.m_deviceLinked);
  // The window thread only records the choice: the previous keyboard's model, layout and
  // database stay until the worker takes it, between two tasks.
  EXPECT_EQ(w.dlg.m_chosenModel.load(), other);
  EXPECT_EQ(w.dlg.m_deviceType, first);
  EXPECT_EQ(w.dlg.m_deviceName, first == 101 ? L"K101" : L"K102");
  EXPECT_EQ(w.controls.tabs.GetSelectItem(), w.dlg.m_mainTabIndex);
  EXPECT_FALSE(w.Visible(80));
  EXPECT_TRUE(w.Visible(68));

  w.dlg.WorkStep();  // task 4: the chosen keyboard is selected and read
  EXPECT_TRUE(w.dlg.m_deviceLinked);
  EXPECT_EQ(w.dlg.m_deviceType, other);
  EXPECT_EQ(w.dlg.m_deviceName, other == 101 ? L"K101" : L"K102");
  EXPECT_EQ(w.dlg.m_linkMode, other == 101 ? 1 : 0);
  EXPECT_EQ(ReadDeviceTypeSetting(software), other);
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

// The worker keeps its own copy of the device list's choice; it must choose as the list
// does, whatever states the entries go through.
TEST(WorkerWindow, TheWorkersCopyOfTheDeviceListChoosesAsTheListDoes) {
  CDeviceList list(nullptr, 81, CRect(), 1, 1);
  DeviceListState copy;
  EXPECT_EQ(copy.GetSelectDevice(), list.GetSelectDevice());  // empty: 0
  for (int model : {101, 102, 103}) {
    list.AddDevice(L"", model, L"", L"");
    copy.AddDevice(model);
  }
  struct Step {
    int all;  // -1: no SetAllDeviceState
    int model, linkMode, state;
    int select;
  } steps[] = {
      {-1, 0, 0, 0, 102},   {0, 102, 0, 1, 102},  {-1, 103, 1, 1, 101}, {-1, 103, 0, 0, 103},
      {-1, 103, 1, 1, 103}, {0, 101, 2, 1, 101},  {-1, 101, 1, 1, 102}, {-1, 101, 1, 0, 101},
      {-1, 999, 0, 1, 999}, {1, 102, 0, 0, 102},  {-1, 103, 1, 0, 101},
  };
  for (const Step& s : steps) {
    if (s.all >= 0) {
      list.SetAllDeviceState(s.all);
      copy.SetAllDeviceState(s.all);
    }
    list.SetDeviceState(s.model, s.linkMode, s.state);
    copy.SetDeviceState(s.model, s.linkMode, s.state);
    list.SetSelectDevice(s.select);
    copy.SetSelectDevice(s.select);
    EXPECT_EQ(copy.GetSelectItem(), list.GetSelectItem()) << s.model << " " << s.select;
    EXPECT_EQ(copy.GetSelectDevice(), list.GetSelectDevice()) << s.model << " " << s.select;
  }
}
