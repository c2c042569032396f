// The main dialog's worker against the simulated keyboards and a real profile database
// in a temporary folder; WorkStep is driven by hand, the window is never created.
#pragma once
#include <windows.h>
#include <dbt.h>
#include <string>
#include "canvas/MatrixScreen.h"
#include "canvas/ZephraEffect.h"
#include "device/TransportRig.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CDeviceList.h"
#include "widgets/KeyboardCtrl.h"
#include "controls/MTabCtrl.h"
#include "controls/MText.h"
#include "controls/TabCtrlEx.h"
#include "widgets/CKeyTestCtrl.h"
#include <memory>
#include <vector>

namespace simtest {

// Models 101 (cable 1101, receiver 5101) and 102 (cable 1102), as the program's catalogue.
inline const char* kCatalogueXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <device.info>
    <keyboard name="K101" device_type="101" device_info="K101" img_connected="a.png" img_disconnected="b.png">
      <mode value="0" desc="cable" vid="0x3F1D" pid="0x1101" product_name="" hid_interface="VID_3F1D&amp;PID_1101&amp;MI_01"/>
      <mode value="1" desc="receiver" vid="3F1D" pid="5101" product_name="" hid_interface="VID_3F1D&amp;PID_5101&amp;MI_01"/>
    </keyboard>
    <keyboard name="K102" device_type="102" device_info="K102" img_connected="a.png" img_disconnected="b.png">
      <mode value="0" desc="cable" vid="0x3F1D" pid="0x1102" product_name="" hid_interface="VID_3F1D&amp;PID_1102&amp;MI_01"/>
    </keyboard>
  </device.info>
  <language.info default_lan="2"><lan value="1"/><lan value="2"/></language.info>
  <software name="Quenby" version="1.0.3">
    <website url="https://example.invalid/"/>
  </software>
</config>
)";

inline const char* kKeyboards = R"(
[keyboard k101]
model = basic
vid = 0x3F1D
pid = 0x1101
battery = 80

[keyboard k102]
model = matrix
vid = 0x3F1D
pid = 0x1102
firmware = 0x0115
)";

inline std::string CableK102() {
  return "\n[usb cable-k102]\nkeyboard = k102\nvid = 0x3F1D\npid = 0x1102\nproduct = Quenby K102\nother_interfaces = 2\n";
}
inline std::string ReceiverK101(bool linked) {
  return std::string("\n[usb receiver-k101]\nreceiver = k101\nvid = 0x3F1D\npid = 0x5101\nlinked = ") +
         (linked ? "yes" : "no") + "\n";
}

// The main window's controls that the device link shows, hides and fills, made without a
// window: the tab strip with its eight tabs and page panels in the window's order, the
// texts, the battery indicator and the zone-type selector.
struct WindowControls {
  MTabCtrl tabs{nullptr, 68, CRect(), 0, 1};
  BatteryCtrl battery{nullptr, 46, CRect(), 1, 1};
  TabCtrlEx zoneTypes{nullptr, 117, CRect(), 1, 1};
  std::vector<std::unique_ptr<MControl>> owned;

  void Install(KeyboardDlg& dlg) {
    dlg.m_mainTab = &tabs;
    dlg.m_batteryCtrl = &battery;
    dlg.m_zoneTypeTab = &zoneTypes;
    dlg.SetControl(68, &tabs);
    dlg.SetControl(46, &battery);
    dlg.SetControl(117, &zoneTypes);
    for (int id = 69; id <= 79; ++id) Add(dlg, std::make_unique<MTabLayout>(nullptr, id, CRect(), id == 69));
    // (item id, page) in strip order.
    const int tabsInOrder[8][2] = {{0, 69}, {1, 71}, {3, 76}, {2, 75}, {4, 70}, {5, 72}, {7, 78}, {8, 73}};
    for (auto& t : tabsInOrder) tabs.InsertItem(unsigned(t[0]), L"", L"", dlg.Control(t[1]), 4, 0);
    tabs.SetItemVisible(2, 0);
    tabs.SetSelectItem(0);
    for (int id : {33, 34, 38, 39, 42, 43, 44, 48, 80, 324, 325, 326, 436, 439, 440, 441})
      Add(dlg, std::make_unique<MText>(nullptr, id, CRect(), L"", 1));
    for (const wchar_t* zone : {L"zone 0", L"zone 1", L"zone 2"}) zoneTypes.AddItem(zone, 0);
  }
  void Add(KeyboardDlg& dlg, std::unique_ptr<MControl> control) {
    dlg.SetControl(int(control->GetControlID()), control.get());
    owned.push_back(std::move(control));
  }
};

// The source tree's data folder, as Wine sees it (drive Z: is the root).
inline std::wstring SourceDataFolder() {
  std::wstring path = L"Z:";
  for (const char* c = __FILE__; *c; ++c) path.push_back(*c == '/' ? L'\\' : wchar_t(*c));
  path.resize(path.rfind(L"\\tests\\device\\"));
  return path + L"\\data\\";
}

struct WorkerRig {
  SimWorld world;
  TempFolder folder;  // stands for the program's folder and the user data folder
  TransportRig rig;
  KeyboardDataStore store;
  CDeviceList deviceList{nullptr, 81, CRect(), 0, 1};
  KeyboardCtrl keyboard{nullptr, 58, CRect(), 0};
  ZephraEffect canvas{nullptr, 59, CRect(), 0};
  MatrixScreen matrix{nullptr, 277, CRect(), 0};
  KeyboardDlg dlg{rig.transport, store};
  WindowControls controls;
  std::vector<DWORD> sleeps;

  // `software` names the registry key of the remembered model; tests that create that
  // key use a name of their own, since test processes share the registry.
  explicit WorkerRig(const std::string& usb, const wchar_t* software = L"QuenbyWorkerTest")
      : world(std::string(kKeyboards) + usb) {
    CreateDirectoryW(folder.File(L"db").c_str(), nullptr);
    WriteText(folder.File(L"config.xml"), kCatalogueXml);
    // The program's own layouts of the two models.
    CreateDirectoryW(folder.File(L"layouts").c_str(), nullptr);
    for (const wchar_t* name : {L"K101.xml", L"K102.xml"})
      CopyFileW((SourceDataFolder() + L"layouts\\" + name).c_str(), (folder.Path() + L"\\layouts\\" + name).c_str(),
                FALSE);
    dlg.m_sleep = [this](DWORD ms) { sleeps.push_back(ms); };
    dlg.m_startAudio = false;  // no capture thread in these tests
    dlg.m_exeFolder = (folder.Path() + L"\\").c_str();
    dlg.m_userDataFolder = (folder.Path() + L"\\").c_str();
    dlg.m_softwareName = software;  // no registry key: nothing is remembered
    dlg.m_deviceList = &deviceList;
    dlg.m_keyboardCtrl = &keyboard;
    dlg.m_zephraEffect = &canvas;
    dlg.m_matrixScreen = &matrix;
    dlg.SetControl(81, &deviceList);
    controls.Install(dlg);
    dlg.LoadDeviceCatalog();
  }
  ~WorkerRig() {
    store.CloseDeviceDb();
    for (const wchar_t* name : {L"K101", L"K102"}) store.DeleteDeviceDb((folder.Path() + L"\\").c_str(), name);
  }

  // A main tab chosen by the user: the strip shows its page, the dialog hears the item id.
  void ShowPage(int itemId) {
    for (int i = 0; i < controls.tabs.GetItemCount(); ++i) {
      if (controls.tabs.GetItemID(i) != itemId) continue;
      controls.tabs.SetSelectItem(i);
      dlg.OnMainTabChanged(i);  // the strip reports the position
    }
  }
  bool Visible(int id) const { return dlg.IsControlVisible(id) != 0; }

  // Runs one queued task (and nothing else).
  void Run(int code) {
    dlg.AddTask(code);
    dlg.WorkStep();
  }
  // Start-up: the first device set-up and the device choice with its read sequence.
  void StartUp() {
    Run(kTaskInitDevices);
    Run(kTaskDeviceChosen);
    sim::ClearLog();
  }
};

// Commands of the writes to the device, in order.
inline std::vector<int> Commands(const std::string& device = std::string()) {
  std::vector<int> out;
  for (auto& w : Writes(device)) out.push_back(Command(w));
  return out;
}

inline int CountOf(const std::vector<int>& v, int command) {
  int n = 0;
  for (int c : v) n += c == command;
  return n;
}

}  // namespace simtest
