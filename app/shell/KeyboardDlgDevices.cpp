// The device catalogue, hot-plug matching, and the refresh and selection that every
// device change runs on the worker.
#include "shell/KeyboardDlg.h"
#include <imm.h>
#include <shellapi.h>
#include <string>
#include "controls/MTabCtrl.h"
#include "core/Manager.h"
#include "device/DeviceTransport.h"
#include "shell/AppPopups.h"
#include "shell/LanguageText.h"
#include "store/KeyboardDataStore.h"
#include "widgets/CDeviceList.h"

namespace {
// GUID_DEVINTERFACE_HID
constexpr GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
}  // namespace

void KeyboardDlg::InitShell() {
  HWND window = GetSafeHwnd();
  if (window) {
    SetPropW(window, m_softwareName.GetString(), reinterpret_cast<HANDLE>(1));
    NOTIFYICONDATAW& tray = m_trayIcon;
    tray = {};
    tray.cbSize = sizeof(tray);
    tray.hWnd = window;
    tray.uID = 109;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = UM_TRAY_NOTIFY;
    tray.hIcon = static_cast<HICON>(LoadImageW(nullptr, (GetSkinsFolder() + L"Velmora.ico").GetString(), IMAGE_ICON,
                                               0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    lstrcpynW(tray.szTip, m_softwareName.GetString(), ARRAYSIZE(tray.szTip));
    // A failed add keeps the handle: the removal at the end is then harmless.
    Shell_NotifyIconW(NIM_ADD, &tray);
    HICON icon = LoadIconW(Manager::GetInstance(), MAKEINTRESOURCEW(107));
    if (icon) ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (HIMC context = ImmGetContext(window)) {
      ImmSetOpenStatus(context, FALSE);
      ImmReleaseContext(window, context);
    }
    ImmAssociateContext(window, nullptr);
  }
  LoadDeviceCatalog();
  m_transport.SetNotifyWindow(window);
}

void KeyboardDlg::LoadDeviceCatalog() {
  int d = ReadDeviceTypeSetting(m_softwareName);
  if (d < 100) d = 101;
  m_catalogKeyboards.clear();
  m_catalogModes.clear();
  m_deviceChoice.Clear();
  if (m_deviceList) m_deviceList->ClearList();

  DeviceCatalog catalog;
  if (LoadDeviceCatalogFile(m_exeFolder, catalog)) {
    for (size_t i = 0; i < catalog.keyboards.size(); ++i) {
      const DeviceCatalogEntry& k = catalog.keyboards[i];
      m_catalogKeyboards.push_back(k);
      m_deviceChoice.AddDevice(k.deviceType);
      if (m_deviceList) {
        m_deviceList->AddDevice(k.name.GetString(), k.deviceType, k.disconnectedPicture.GetString(),
                                k.connectedPicture.GetString());
        for (const CString& picture : catalog.colorImages[i])
          m_deviceList->AddColorImage(k.deviceType, picture.GetString());
      }
    }
    for (const DeviceCatalogEntry& m : catalog.modes) {
      m_catalogModes.push_back(m);
      m_transport.AddKnownDevice(m.vid, m.pid, m.name, m.deviceType, m.mode);
    }
    m_defaultLanguage = catalog.defaultLanguage;
    m_softwareVersion = catalog.softwareVersion;
    m_websiteUrl = catalog.websiteUrl;
    m_feedbackUrl = catalog.feedbackUrl;
    m_faqsUrl = catalog.faqsUrl;
    m_storeUrl = catalog.storeUrl;
    m_upgradeUrl = catalog.upgradeUrl;
    CString version;
    version.Format(L"%s: %s", LoadLangString(517).GetString(), m_softwareVersion.GetString());
    SetControlTitle(436, version.GetString());
    ShowControl(43, !m_websiteUrl.IsEmpty());
    ShowControl(439, !m_websiteUrl.IsEmpty());
    ShowControl(440, !m_feedbackUrl.IsEmpty());
    ShowControl(441, !m_faqsUrl.IsEmpty());
  }
  SelectListDevice(d);
  m_selectedDeviceIndex = m_deviceChoice.GetSelectItem();
  LoadDeviceLayout(d);
  RegisterHidNotification();
}

void KeyboardDlg::RegisterHidNotification() {
  if (!GetSafeHwnd()) return;
  DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kHidInterfaceClass;
  // Held until the window closes: the system must not go on sending to a window that is gone.
  m_hidNotification.reset(RegisterDeviceNotificationW(GetSafeHwnd(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

void KeyboardDlg::UpdateUSBDevice(UINT event, const DEV_BROADCAST_HDR* header) {
  OutputDebugStringA("UpdateUSBDevice \n");
  if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return;
  auto* info = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
  UpdateUSBDevicePath(event, CString(info->dbcc_name));
}

void KeyboardDlg::UpdateUSBDevicePath(UINT event, const CString& path) {
  CString upper = path;
  upper.MakeUpper();
  if (event == DBT_DEVICEARRIVAL) {
    int i = MatchArrival(m_catalogModes, upper);
    if (i < 0) return;
    m_changedModel = m_catalogModes[size_t(i)].deviceType;
    HidInterfaceCaps caps;
    std::string narrow;
    for (wchar_t c : std::wstring(path.GetString())) narrow += char(c);
    if (m_transport.QueryInterfaceCaps(narrow, caps) && caps.usagePage == 0xFF60 && caps.usage == 0x61) {
      m_lastDeviceEvent = 1;
      m_taskQueue.Push(kTaskDeviceArrived);
    }
  } else if (event == DBT_DEVICEREMOVECOMPLETE) {
    int i = MatchRemoval(m_catalogModes, upper);
    if (i < 0) return;
    m_catalogModes[size_t(i)].present = 0;
    m_changedModel = m_catalogModes[size_t(i)].deviceType;
    m_lastDeviceEvent = 2;
    m_taskQueue.Push(kTaskDeviceRemoved);
  }
}

void KeyboardDlg::OnDeviceSelected() {
  DropQueuedTasks();
  m_deviceLinked = false;
  m_canvasPageShown = 0;
  m_matrixStreaming = 0;
  int model = 0;
  if (m_deviceList) {
    model = m_deviceList->GetSelectDevice();
    m_selectedDeviceIndex = m_deviceList->GetSelectItem();
  }
  WriteDeviceTypeSetting(m_softwareName, model);
  for (int id : {31, 80}) ShowControl(id, 0);
  for (int id : {68, 35, 81, 46, 47}) ShowControl(id, 1);
  // The tab change does not re-apply the light mode here: a write queued now would reach
  // a keyboard before task 4 has switched to the chosen one; task 4 reloads the pages.
  m_selectingDevice = true;
  if (m_mainTab) m_mainTab->SetSelectItem(m_mainTabIndex);
  m_selectingDevice = false;
  // Only the choice is recorded here. The transport's model, the layout, the key maps and
  // the profile database change on the worker, in task 4: changed here they would move
  // the task the worker is running (a layer write, a profile apply, a read) to the new
  // keyboard halfway, with the old keyboard's tables and database.
  m_chosenModel = model;
  m_taskQueue.Push(kTaskDeviceChosen);
}

void KeyboardDlg::OnPowerBroadcast(WPARAM event) {
  if (event == PBT_APMSUSPEND) m_suspended = 1;
  else if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) m_suspended = 0;
}

void KeyboardDlg::OnDeviceLink(LPARAM linked) {
  m_taskQueue.Push(linked == 1 ? kTaskDeviceArrived : kTaskDeviceRemoved);
}

int KeyboardDlg::OnKnobSelected(WPARAM action, LPARAM dialog) {
  m_knobSelected = int(action);
  if (!dialog) return 1;
  CopyKnobDialogActions(dialog);
  OnKnobSelected(int(action));
  return 1;
}

void KeyboardDlg::OnKnobSelected(int action) {
  m_knobSelected = action;
  m_taskQueue.PushIfEmpty(kTaskKnobKey);
}

void KeyboardDlg::RefreshDevices(int wanted, int) {
  OnWindowThread([this] {
    if (!IsControlVisible(79)) return;
    KeyboardDef::ShowControl(79, 0);
    for (int id : {38, 39, 42, 44, 46, 48}) KeyboardDef::ShowControl(id, 1);
  });
  m_deviceLinked = false;
  m_keyboardTablesRead = false;  // the keyboard behind the model may be another one now
  m_keyboardTablesFailed = false;
  m_transport.ClearCachedHandle();
  m_transport.CloseAll();
  m_transport.EnumerateDevice();
  m_transport.SetOpen(true);
  const int p = wanted > 0 ? wanted : ReadDeviceTypeSetting(m_softwareName);
  m_transport.SetCurrentModel(0);

  std::vector<HidDeviceRecord*> records;
  bool any = m_transport.GetModelDevices(records);
  SetListDeviceStates(0);
  for (HidDeviceRecord* r : records) {
    SetListDeviceState(r->model, r->linkMode, r->linked);
    SetListDeviceBattery(r->model, r->linkMode, r->batteryLevel, r->batteryState);
  }
  SelectListDevice(p);
  for (DeviceCatalogEntry& m : m_catalogModes) {
    int r = m_transport.FindLinkState(m.vid, m.pid, m.name, m.mode);
    m.present = r >= 0 ? 1 : 0;
    if (r > 0) m_deviceLinked = true;
  }
  WriteDeviceTypeSetting(m_softwareName, m_deviceChoice.GetSelectDevice());
  m_devicePresent = any && !records.empty();
}

void KeyboardDlg::SelectCurrentDevice() {
  OnWindowThread(CloseAppPopups);
  if (!m_devicePresent) {
    ShowNoDeviceView();
    m_linkMode = -1;
    return;
  }
  int m = m_deviceChoice.GetSelectDevice();
  if (m == 0) m = m_deviceType;  // no catalogue model to choose from
  m_transport.SetCurrentModel(m);
  WriteDeviceTypeSetting(m_softwareName, m);
  LoadDeviceLayout(m);
  m_selectedDeviceIndex = m_deviceChoice.GetSelectItem();

  m_linkMode = m_transport.GetConnectionKind();
  if (m_linkMode == kLinkWired) {
    m_deviceLinked = true;
    if (m == 101) SetTabVisible(kCanvasTabPosition, 1);
  } else if (m_linkMode == kLinkReceiver || m_linkMode == kLinkOther) {
    m_deviceLinked = m_transport.GetLinkState(m, m_linkMode) > 0;
  } else {
    m_deviceLinked = false;
  }
  if (m_deviceLinked) {
    ShowDeviceView();
  } else {
    ShowNoDeviceView();
  }
}

void KeyboardDlg::ShowDeviceView() {
  // On the window thread as a whole: the remembered tab depends on the tabs the strip
  // shows, and the tab change handler reads m_selectingDevice.
  const int model = m_deviceType;
  OnWindowThread([this, model] {
    KeyboardDef::ShowControl(80, 0);
    KeyboardDef::ShowControl(81, 1);
    m_selectingDevice = true;
    if (model >= 150 && model <= 180 && m_mainTabIndex >= 1 && m_mainTabIndex <= 3) m_mainTabIndex = 4;
    if (m_mainTab && !m_mainTab->GetItemVisible(m_mainTabIndex)) m_mainTabIndex = 1;
    m_selectingDevice = false;
  });
  m_lastDeviceEvent = 0;
}

void KeyboardDlg::ShowNoDeviceView() {
  for (int id : {68, 34, 46, 81, 48}) ShowControl(id, 0);
  ShowControl(80, 1);
  SelectHomeTab();
  // Hiding the tab strip hid its pages: the home page, which shows the message, returns.
  ShowControl(69, 1);
  ShowControl(33, 1);
  m_lastDeviceEvent = 0;
  // The keyboard went away: a task's wait dialog and a disabled window would stay so.
  CloseWaitDialog();
  EnableMainWindow();
}
