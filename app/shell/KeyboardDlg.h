// The main dialog. Besides its window it is the program's worker: WorkStep runs about
// every 16 ms on the worker thread and does at most one unit of device work - one task
// from the queue, or (idle) the streamed lighting frames and the receiver poll.
#pragma once
#include <windows.h>
#include <dbt.h>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <map>
#include <mutex>
#include <optional>
#include <vector>
#include "audio/KeyboardAudio.h"
#include "audio/Visualizer.h"
#include "core/CString.h"
#include "core/MDialog.h"
#include "device/DeviceCatalog.h"
#include "device/DeviceInfo.h"
#include "device/DeviceListState.h"
#include "device/TaskQueue.h"
#include "pages/InputHookManager.h"
#include "pages/KeyFunctionCatalog.h"
#include "pages/KnobWriteQueue.h"
#include "pages/MacroRecorder.h"
#include "pages/RawInputDecoder.h"
#include "shell/KeyboardDef.h"
#include "shell/ProfileBook.h"
#include "store/StoreRecords.h"
#include "support/HttpTransfer.h"
#include "support/ThreadBasic.h"

class DeviceTransport;
class KeyboardDataStore;
struct LightingPages;
struct LightingUpdate;
struct MatrixUpdate;
// Deletes the lighting pages' logic where its type is complete (pages/LightingPages.cpp).
struct LightingPagesDeleter {
  void operator()(LightingPages* pages) const;
};

// Task codes of the worker queue.
enum WorkerTask {
  kTaskInitDevices = 1,
  kTaskDeviceArrived = 2,
  kTaskDeviceRemoved = 3,
  kTaskDeviceChosen = 4,
  kTaskReload = 5,
  kTaskApplyProfile = 6,
  kTaskShowKeys = 7,
  kTaskKnobKey = 8,
  kTaskKeyMap = 9,
  kTaskMacros = 11,
  kTaskCustomLightMode = 12,
  kTaskLightMode = 13,
  kTaskMatrixLight = 14,
  kTaskReadMatrixColours = 15,
  kTaskWriteMatrixColours = 16,
  kTaskSystemSettings = 17,
  kTaskReadColourSet = 18,
  kTaskWriteColourSet = 19,
  kTaskLightParams = 20,
  kTaskFactoryReset = 22,
  kTaskCanvasEntered = 23,
  kTaskUpdateCheck = 30,
  kTaskUpdateInstall = 31,
  kTaskFirmwareTool = 32,
};

// Where the update check looks for the newest version (the package files lie beside it).
inline constexpr const wchar_t* kUpdateBaseUrl = L"https://update.quenby.invalid/software-upgrade/";

// Posted to the main window when the keyboard's firmware is older than the tool's.
constexpr UINT UM_UPDATE_RESULT = 0x69E;
// The tray icon's callback message.
constexpr UINT UM_TRAY_NOTIFY = 0x69A;
// The program's other private window messages (see OnWindowMessage).
constexpr UINT UM_TRAY_EXIT = 0x69B;
constexpr UINT UM_HOOK_KEYBOARD = 0x69C;
constexpr UINT UM_HOOK_MOUSE = 0x69D;
constexpr UINT UM_SKIN_MENU = 0x69F;
constexpr UINT UM_PROFILE_MENU = 0x721;
constexpr UINT UM_KNOB_SELECTED = 0x722;
constexpr UINT UM_KEYFUNC_TYPE = 0x72A;
constexpr UINT UM_LANGUAGE_CHANGED = 0x7E8;
// The tray exit's only accepted lParam.
constexpr LPARAM kTrayExitCode = 610;
// Posted to the main window when calls handed over by the worker wait to be run there.
constexpr UINT UM_WINDOW_CALLS = WM_APP + 0x51;

// Both the audio capture and the worker thread have Start and Stop: callers name the
// base (KeyboardAudio::Start, CThreadBasic::Stop).
class KeyboardDlg : public MDialog, public KeyboardDef, public KeyboardAudio, public CThreadBasic {
public:
  // The store and the transport default to the process-wide ones.
  KeyboardDlg();
  KeyboardDlg(DeviceTransport& transport, KeyboardDataStore& store);
  ~KeyboardDlg() override;

  void WorkStep() override;
  void AddTask(int code) { m_taskQueue.Push(code); }
  // No task queued and none still running.
  bool IsWorkerIdle() const { return m_taskQueue.IsIdle(); }

  // ---- the worker and the window's controls ----
  // The controls of the main window belong to the window thread: it paints them, and
  // nothing guards a control's text, font, items or visibility against a second thread.
  // Code that runs on the worker (on any thread but the window's) therefore never calls
  // a control itself. It hands the call to OnWindowThread, with everything the call
  // needs captured by value: copies of texts, colours and lists, never references to
  // the worker's members, which may change before the call runs. Nor does the worker
  // read a control back: what it has to know it keeps itself (the device-list choice in
  // m_deviceChoice, the page shown in m_mainPage). ShowControl and SetControlTitle below
  // already hand themselves over. The only controls the worker calls directly are the
  // lighting canvas and the matrix screen, and only for the frame operations they lock
  // for it (GetKeyItems, SetColorMap; the matrix cells' colours read inside
  // EnterCriSec / LeaveCriSec).
  //
  // On the window thread, and while the dialog has never had a window, the call runs at
  // once; after the window has gone it is dropped.
  void OnWindowThread(std::function<void()> call);
  // Runs the calls handed over so far, in the order they came (the window thread does,
  // on UM_WINDOW_CALLS).
  void RunWindowCalls();
  void ShowControl(int id, int show);
  void SetControlTitle(int id, const wchar_t* title);

  // Positions in the main tab strip (the strip's order, not the page ids).
  static constexpr int kMatrixTabPosition = 2;
  static constexpr int kCanvasTabPosition = 3;

  // ---- window life ----
  int OnInitDialog() override;
  // Creates the 1400 x 788 main window, centres it and runs it until it is destroyed.
  UINT ShowModalMain(int cmdShow);
  // Device changes, power events, link reports and the close request.
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The orderly end of the run: hides the window at once, cancels the update transfers,
  // stops the worker (waiting up to a second), the capture and the tray icon, forgets the
  // catalogue and destroys the window. A worker that does not stop in time (held in a
  // device exchange or a network call) is not waited for: the process ends.
  virtual int Quit();

  // ---- the main window's frame (KeyboardDlgFrame.cpp) ----
  // Builds every control of the frame and the page panels, then runs the page builders.
  void InitUI(CRect client) override;
  // The fixed geometry of the frame and the panels, then the pages' layout functions.
  void UISize(CRect client) override;
  // Leaves the software settings page that the settings button opened (button 418).
  int ReturnFromSettings();

  // ---- control notifications (KeyboardDlgDispatch.cpp) ----
  // Routes a control's notification by control id to the handler of its page; 1 when a
  // handler acted, 0 for an id or code nothing handles.
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
  // The frame's buttons.
  int OnCloseButton();
  int ShowSettingsPage();
  int ShowSkinMenu();
  int OpenProfileDialog();
  int OpenAboutDialog();
  // Opens a web link with the shell (the link controls of an empty url are hidden).
  void OpenLink(const CString& url);

  // ---- window messages, tray icon and popups (KeyboardDlgMessages.cpp) ----
  void OnTrayNotify(LPARAM mouseMessage);
  // lParam 610 ends the program; anything else is ignored.
  void OnTrayExit(LPARAM code);
  // The skin menu's choice: 100 a picture of the user's, 101 the default pictures.
  int OnSkinMenu(LPARAM item);
  void OnDeviceChange(WPARAM event, LPARAM header);
  // The knob dialog's choice (0-2); `dialog` (the knob dialog, may be null) holds the
  // actions, and their write is queued only when nothing else waits.
  int OnKnobSelected(WPARAM action, LPARAM dialog);
  // Records the knob's action and queues its write only when nothing else waits.
  void OnKnobSelected(int action);
  // Deletes the tray icon when it is shown; the shell's result, true when none was shown.
  bool RemoveTrayIcon();
  // The "exit" item of the tray menu, which ends the program (WM_COMMAND 100).
  static constexpr UINT kTrayMenuExit = 100;

  // ---- the pages' handlers: each page's own file (app/pages, app/shell) ----
  // Key assignment page: on-screen keyboard clicks, Fn layers, key functions, modifier combinations, macro play modes, key test and key capture (pages/KeyAssignHandlers.cpp).
  void CreateKeyAssignPage();
  void LayoutKeyAssignPage(CRect client);
  int OnKeyboardClick(UINT code, WPARAM wParam, LPARAM lParam);
  int OnKeyLayerChanged();
  int ResetKeyAssignments(int keyCode);
  int OnResetKeyAssignments();
  int ShowKeyFunctions();
  int OnAssignKeyFunction();
  int OnKeyFunctionType(WPARAM type);
  int OnKeyDragMove(LPARAM point);
  int ApplyMacroPlayMode();
  int OnMacroPlayModeRadio(int id);
  int OnModifierComboApply();
  int OnKeyCaptureEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnKeyTestInput(LPARAM input);
  // Copies the knob dialog's three actions into m_knobActions of the current layer.
  int CopyKnobDialogActions(LPARAM dialog);
  // ---- key assignment, key test, knob and macro pages: their own members (app/pages) ----
  int OnKnobConfig(int code);
  // Opens the knob dialog on the current layer's three knob actions.
  int RunKnobDialog();
  // Stores `row` as the selected key's assignment and relabels the key; false when no key
  // is selected.
  bool StoreSelectedKey(KeyMacroRecord& row);
  void ShowKeyAssignGroupA(int show);
  void ShowKeyAssignGroupB(int show);
  // The labels of m_keyAssignments on the on-screen keys (window thread).
  void ShowKeyLabels();
  void LoadMacroList();
  void LoadMacroSteps(int macroId);
  int SaveMacroDelayMode();
  int ClearMacroKeyAssignments(int macroId);
  // After the macro list changed positions: the keyboard's macro memory and every key that
  // plays a macro are written again (a macro action names the macro by its position).
  void RewriteMacroKeys();
  void ShowStepEditor(int show);
  void SetMacroEditEnabled(int enable);
  int AppendRecordedEvent(const InputEvent& event);
  CString MakeUniqueMacroName(const CString& base);
  // The page's message boxes (ShowMessageBox over the dimmed window unless replaced).
  int PageMessageBox(int textId, int captionId, int type);

  int m_keyFuncCategory = 2;
  CRect m_funcListRect, m_macroListRect;
  KeyFunctionCatalog m_keyFunctions;
  int m_captureKeyCode = 0;
  CString m_captureKeyName;
  int m_hookConsumer = 0;  // 1 the macro recorder, 2 the key-capture edit
  std::unique_ptr<InputHookManager> m_hookManager;
  bool m_rawInputToken = false;  // the key test takes WM_INPUT
  std::map<int, int> m_pressedKeys;
  int m_recording = 0;
  int m_stepBudget = 0;
  int m_stepKeyCode = 0;
  CString m_stepKeyName;
  // Knob choices waiting for task 8, each with its layer and records by value.
  KnobWriteQueue m_knobWrites;
  // Seams: message boxes (text, caption, type -> result), the recorder's clock and the
  // raw-input reader.
  std::function<int(const CString& text, const CString& caption, int type)> m_pageMessageBox;
  std::function<DWORD()> m_recordClock;
  MacroRecorder m_recorder{[this] { return m_recordClock ? m_recordClock() : ::GetTickCount(); }};
  RawInputDecoder m_rawInputDecoder;
  // ---- end of the key and macro pages' members ----
  // Macro page and macro recording (pages/MacroHandlers.cpp).
  void BuildMacroPage();
  void LayoutMacroPage(CRect client);
  int OnMacroListEvent(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMacroStepListEvent(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMacroFixedDelayEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMacroStepEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMacroNew();
  int OnMacroDelete();
  int OnMacroInsertMenu();
  int OnMacroStepDelete();
  int OnMacroStepsClear();
  int OnMacroRecordToggle();
  int OnMacroDelayModeRadio(int id);
  int OnMacroStepKindSelected();
  int SaveMacroRecords();
  int OnMacroStepUp();
  int OnMacroStepDown();
  LRESULT OnHookKeyEvent(WPARAM wParam, LPARAM lParam);
  LRESULT OnHookMouseEvent(WPARAM wParam, LPARAM lParam);
  // Lighting page and per-key custom colours (pages/LightingHandlers.cpp).
  void CreateLightingPage();
  void LayoutLightingPage(CRect client);
  int OnLightPalette();
  int OnLightRedEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLightGreenEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLightBlueEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLightTypeChanged();
  int OnLightEnableSwitch();
  int OnLightPerKeySwitch();
  int OnLightBrightness();
  int OnLightSpeed();
  int OnLightDirection(int id);
  int OnLightColorfulCheck();
  int OnLightColorButton(int id);
  int OnLightApply();
  int OnLightCustomSetSelected();
  // Matrix screen page (pages/MatrixHandlers.cpp).
  void CreateMatrixPage();
  void LayoutMatrixPage(CRect client);
  int OnMatrixModeSelected(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMatrixPalette();
  int OnMatrixRedEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMatrixGreenEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMatrixBlueEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMatrixTask16();
  int OnMatrixPresetSelected();
  int OnMatrixEnableSwitch();
  int OnMatrixBrightness();
  int OnMatrixSpeed();
  int OnMatrixDirection(int id);
  int OnMatrixColorfulCheck();
  int OnMatrixColorButton(int id);
  int OnMatrixAmplitude();
  // Lighting canvas page (pages/CanvasHandlers.cpp).
  void CreateCanvasPage();
  void LayoutCanvasPage(CRect client);
  int OnZephraModeChanged();
  int OnZephraCaptureWindow();
  int OnZephraMediaFile();
  int OnZephraPresetSelected();
  // Music section of the canvas page (pages/MusicHandlers.cpp).
  void CreateMusicPage();
  void LayoutMusicPage(CRect client);
  int OnMusicPalette();
  int OnMusicRedEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMusicGreenEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMusicBlueEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnMusicLayerCheck(int id);
  int OnMusicColorfulCheck();
  int OnMusicColorButton(int id);
  int OnMusicForeMode();
  int OnMusicForeAmplitude();
  int OnMusicBackBright();
  int OnMusicBackMode();
  int OnMusicLightRight();
  // LED animation page and its frame editor (pages/LedHandlers.cpp).
  void CreateLedPage();
  int OnLcdSlotSelected(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedAnimationSelected(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedImageViewEvent(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedFrameListEvent(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedFontSize(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedPalette3(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedPalette2(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedRedEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedGreenEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedBlueEdit(UINT code, WPARAM wParam, LPARAM lParam);
  int OnLedAnimationAdd();
  int OnLedGifImport();
  int OnLedAnimationDelete();
  int OnLedGridLines();
  int OnLedEditMode();
  int OnLedPreviewMode();
  int OnLedAddText();
  int OnLedPictureImport();
  int OnLedFrameCopy();
  int OnLedDrawMode(int mode);
  int OnLedFrameDelete();
  int OnLedUndo();
  int OnLedColorButton(int id);
  int OnLedTask29();
  int SaveLedFrames();
  int OnLedGifExport();
  int OnLedDownload();
  // Keyboard settings page (shell/KeyboardSettingsPage.cpp).
  void CreateKeyboardSettingsPage();
  void LayoutKeyboardSettingsPage(CRect client);
  int OnMacModeSwitch();
  int OnGameModeSwitch();
  int OnLockWinSwitch();
  int OnWasdModeSwitch();
  int OnSleepTimeSelected();
  int OnKeyResponseSelected();
  int OnEncoderModeSwitch();
  // Device settings page (shell/DeviceSettingsPage.cpp).
  void CreateDeviceSettingsPage();
  void LayoutDeviceSettingsPage(CRect client);
  int FactoryReset();
  // Software settings page and the language refresh (shell/SoftwareSettingsPage.cpp).
  void CreateSoftwareSettingsPage();
  void LayoutSoftwareSettingsPage(CRect client);
  int OnLanguageRadio(int id);
  int SetAutorun();
  int OnAutorunMinimizeSwitch();
  int OnExitModeRadio(int id);
  int OnCheckUpdateButton();
  int ReloadTexts();
  // Profiles: the profile list, its menu and the key-assignment XML (shell/ProfilePage.cpp).
  int OnProfileListNotify(UINT code, WPARAM wParam, LPARAM lParam);
  int OnProfileMenu(LPARAM item);
  int AddProfile();
  int ImportProfileXml();
  int RunProfileDialog();
  int RunAboutDialog();
  // Software and firmware update offers (shell/UpdateResultPage.cpp).
  int OnUpdateResult(WPARAM kind, LPARAM result);

  // ---- profiles, settings pages, language refresh and update dialogs (begin) ----
  // The keys of the current layout, for the default key rows of new profiles: set by the
  // layout loader on whichever thread loads, read under m_pageStateLock.
  std::vector<ProfileKey> m_profileKeys;
  // The profiles of the current model with the words of the main window's list.
  ProfileBook MainProfileBook();
  // Fills the profile list (on the window thread) from the store: the rows as shown and
  // the active profile selected.
  void ShowProfileList();
  // The pages of the current profile again (worker, after the list or the profile changed).
  void ReloadPages();
  // The switches and lists of the keyboard settings page from m_shownSettings.
  void ShowSystemSettings();
  int DeleteProfile();
  void ExportProfileXml();
  // The export and import of the file at `path` (what the file dialogs chose): 1 when the
  // file was written / read and the profile added, 0 otherwise.
  int ExportProfileFile(int profile, const CString& path);
  int ImportProfileFile(const CString& path);
  // The fixed limit message of the main window's list.
  int ShowProfileLimitMessage(HWND owner);
  // Makes the profile active in the store and has the worker apply it, with the busy
  // dialog when `wait`.
  void SwitchProfile(int profile, bool wait);
  // Where the firmware-writing tool lies beside the executable.
  CString FirmwareToolPath() const;
  // UM_DOWNLOAD_PROGRESS: the software download's progress to its dialog.
  int OnDownloadProgress(LPARAM percent);
  // The checked language of the radios 421-423.
  static int LanguageOfRadio(int id);
  // Seams of the modal questions (the real dialogs by default; tests answer them):
  // the file dialogs (empty: cancelled) and the message box.
  std::function<CString(bool save)> m_chooseProfileFile;
  std::function<int(HWND owner, const CString& text, const CString& caption, int type)> m_messageBox;
  int AskUser(const CString& text, const CString& caption, int type);
  // The last software download's progress window (m_updateProcessDlg points to it); kept
  // after it has closed until the next accepted offer replaces it.
  std::unique_ptr<MDialog> m_updateProgress;
  // The start-minimised label, which shares id 427 with the autorun label in the slot.
  MControl* m_minimiseLabel = nullptr;
  // ---- profiles, settings pages, language refresh and update dialogs (end) ----

  // ---- catalogue and hot-plug (user-interface thread) ----
  // Start-up of the window: instance property, tray and window icons, no input method,
  // the catalogue, and the transport's notify window.
  void InitShell();
  void LoadDeviceCatalog();
  void RegisterHidNotification();
  void UpdateUSBDevice(UINT event, const DEV_BROADCAST_HDR* header);
  // The same matcher, given the device-interface path.
  void UpdateUSBDevicePath(UINT event, const CString& path);
  // A click on the device list: records the list's selection as the chosen model and
  // queues task 4. The worker switches to it between two tasks; a task it is running
  // ends on the keyboard it began with.
  void OnDeviceSelected();
  // Power broadcast: suspend (4) stops the worker's device work, resume (18 or 7) restarts it.
  void OnPowerBroadcast(WPARAM event);
  // UM_DEVICE_LINK: lParam 1 = a keyboard linked behind its receiver.
  void OnDeviceLink(LPARAM linked);
  // The main tab strip selected the tab at `tabIndex` (its position; the item id tells
  // the page). Keeps the page in m_mainPage and, but for home, the position in
  // m_mainTabIndex.
  int OnMainTabChanged(int tabIndex);
  void LoadDeviceLayout(int deviceType);

  // ---- software and firmware update (worker tasks 30-32; the tool from the window) ----
  void CheckSoftwareUpdate();
  // Returns only when a step failed or the window is closing: on success the installer
  // runs and the process ends.
  void InstallSoftwareUpdate();
  void InstallFirmwareTool();
  void RunFirmwareTool();

  // ---- worker tasks ----
  void InitDevicesOnce();
  void Trd_DeviceInstall();
  void Trd_DeviceUnInstall();
  void ReconnectDevice();
  void ReloadDeviceProfile();
  // Re-enumerates and shows the devices; the list selects `wanted` when it is connected
  // (0: the remembered model).
  void RefreshDevices(int wanted, int unused);
  void SelectCurrentDevice();
  void PollDeviceNotify();
  void LoadProfileList();
  void ApplyProfile();
  // Task 7: the stored assignments of the profile and Fn layer on the on-screen keyboard.
  void LoadKeyAssignments(int profile);
  // Reload the settings page and the LED animation page after a factory reset.
  void LoadSystemSettings();
  void LoadLedPage();
  // Re-applies the lighting page's current mode (code 2; other codes are the page's).
  void OnLightModeSelected(int code);

  // Read sequence.
  bool SyncFromDevice();
  bool ReadDeviceInfo();
  bool ReadDefaultKeyMaps();
  bool ReadLightIndexMap();
  bool ReadKeyMapsToDb();
  // What the writers need of the current keyboard - its description, factory key maps,
  // key and LED maps and knob keys - read unless they were read from it since it was
  // chosen. False when they cannot be read: nothing may then be written with them.
  bool EnsureKeyboardTables();

  // Key map and macro writes.
  void SetKeyMacroData();
  void WriteKnobKey();
  void WriteMacros();

  // Lighting writes and streaming.
  void WriteCustomLightMode();
  void WriteLightMode();
  void WriteMatrixLight();
  void WriteSystemSettings();
  void ReadCustomColors();
  void WriteCustomColors();
  void ReadMatrixColors();
  void WriteMatrixColors();
  void FactoryResetDevice();
  void ReadLiveKeyColors();
  void SendVisualizerFrame();
  void StreamCanvasFrame();
  void StreamMatrixFrame();

  // ---- state the worker reads and keeps (names shared with the pages) ----
  // Flags that both threads write or that one writes while the other reads are atomic.
  TaskQueue m_taskQueue;
  std::atomic<int> m_suspended{0};
  // The firmware tool the worker waits for: its id, and the handle its start gave (the id
  // alone could name another process once the tool has ended).
  std::atomic<DWORD> m_toolProcessId{0};
  std::atomic<HANDLE> m_toolProcess{nullptr};
  MDialog* m_waitDlg = nullptr;
  MDialog* m_updateProcessDlg = nullptr;

  bool m_devicesInitialised = false;
  std::atomic<bool> m_devicePresent{false};
  std::atomic<bool> m_deviceLinked{false};
  int m_selectedDeviceIndex = 0;
  // The model the worker works with: only the worker changes it once it runs.
  int m_deviceType = 0;
  // The model last chosen in the device list, until task 4 takes it (0: none waiting).
  std::atomic<int> m_chosenModel{0};
  int m_linkMode = 0;
  int m_lastDeviceEvent = 0;
  int m_changedModel = 0;
  CString m_deviceName;
  std::vector<DeviceCatalogEntry> m_catalogKeyboards;
  std::vector<DeviceCatalogEntry> m_catalogModes;
  // What the device list shows, kept by the worker (see OnWindowThread).
  DeviceListState m_deviceChoice;
  DeviceInfo m_deviceInfo;
  CString m_firmwareVersion;
  CString m_offeredFirmware = L"22";
  int m_firmwareOfferState = 0;
  int m_needConfigBegin = 0;
  std::atomic<bool> m_selectingDevice{false};
  int m_featureMask = 0x7F;
  int m_defaultLanguage = 0;
  CString m_softwareVersion;
  CString m_websiteUrl, m_feedbackUrl, m_faqsUrl, m_storeUrl, m_upgradeUrl;

  int m_featureMask2 = 0x7F;
  CString m_updateBaseUrl;
  CString m_latestVersion;
  int m_updateResult = 0;
  CString m_updateLines[3];
  CString m_toolPackageBaseUrl;
  HttpTransfer m_download;

  int m_layoutRows = 0;
  int m_layoutColumns = 0;
  uint8_t m_keyGrid[8 * 32] = {};
  COLORREF m_keyBaseColor = 0x604E3A;

  std::atomic<int> m_mainPage{0};  // 0 home, 1 lighting, 2 canvas, 3 matrix screen ...
  int m_mainTabIndex = 1;
  int m_profileId = 1;
  int m_fnLayer = 0;
  int m_selectedKey = 0;
  KeyMacroRecord m_knobActions[3][4];
  // The knob's key indexes were read from this keyboard (they are 0 until then).
  bool m_knobKeysKnown = false;
  int m_knobSelected = 0;
  int m_lightMode = 0;
  int m_lightZone = 0;
  int m_matrixMode = 0;
  std::atomic<int> m_liveKeyColors{0};
  std::atomic<int> m_matrixStreaming{0};
  std::atomic<int> m_canvasPageShown{0};
  bool m_canvasEntered = false;
  int m_zephraMode = 2;
  int m_ledPageEnabled = 1;
  // Default text colour (ARGB) of the window's texts and page controls.
  uint32_t m_textColor = 0xFF333333;
  // The main window takes raw input while the key-assignment page is shown.
  bool m_rawInputRegistered = false;
  NOTIFYICONDATAW m_trayIcon = {};
  Visualizer m_visualizer;

  // What the page reloads read for the pages (worker writes, user-interface thread reads);
  // it also guards m_firmwareVersion and m_offeredFirmware, which the firmware button reads.
  std::mutex m_pageStateLock;
  std::map<int, KeyMacroRecord> m_keyAssignments;  // key code -> assignment (task 7)
  SystemSettings m_shownSettings;
  int m_ledLayerCount = 0;

  // The worker's tables of the current keyboard (the layout's until they are read from it).
  std::map<int, int> m_keyIndexByCode;  // key code -> key index 0-127
  std::map<int, int> m_keyCodeByIndex;  // key index -> key code
  std::map<int, int> m_lightIndexByCode;  // key code -> LED index
  std::map<int, int> m_keyCodeByLight;  // LED index -> key code
  uint8_t m_defaultKeyActions[4][600] = {};
  // The tables above, m_deviceInfo and the knob keys were read from the current
  // keyboard; cleared whenever the devices are enumerated or a layout is loaded.
  bool m_keyboardTablesRead = false;

  // ---- begin: the lighting pages (pages/LightingHandlers.cpp, MatrixHandlers.cpp,
  // CanvasHandlers.cpp, MusicHandlers.cpp, LedHandlers.cpp) ----
  // Page reloads: from the worker they are handed to the window thread.
  void LoadLightModes();
  void LoadMatrixPage();
  // The lighting, matrix and music pages for the current profile and model.
  void LoadLightingPages();
  // A click (2) or right-button release (5) on the on-screen keyboard while the
  // lighting page is current paints the current colour set.
  int OnLightCustomColorKeys(int code);
  void UpdateLightControls();
  void ApplyLightColor(COLORREF colour);
  void ApplyLightRgbEdits();
  void EnableLightColorGroup(int enable);
  void UpdateMatrixControls();
  void UpdateMatrixAmplitudeControls();
  void ApplyMatrixColor(COLORREF colour);
  void ApplyMatrixRgbEdits();
  void EnableMatrixColorGroup(int enable);
  // The pages' logic, made on first use.
  LightingPages& Pages();
  // Applies what a handler of the lighting or matrix page answered to their controls.
  void ApplyLightingUpdate(const LightingUpdate& update);
  void ApplyMatrixUpdate(const MatrixUpdate& update);
  int m_lightConfigFunc = 0;
  // The music section of the canvas page and the geometry of the visualiser's frame.
  void LoadMusicLayer(int profile);
  void InitVisualizerGeometry();
  // The LED animation page (built and loaded, but no tab shows it).
  void LoadLedFrames(int ledId);
  void EnableLedPageControls(int enable);
  void EnableLedEditor(int enable);
  void ApplyLedRgbEdits();
  void ApplyLedPenColor(COLORREF colour);
  // Unsaved frame edits: the user saves them or drops the one in the editor.
  void ConfirmSaveLedEdits();
  int m_lcdSlotCount = 1;
  int m_lcdSlotFrameLimits[5] = {256, 256, 256, 256, 256};
  int m_ledFrameLimit = 0;
  int m_ledAnimationId = 0;
  int m_ledFrameIndex = 0;
  bool m_ledEdited = false;
  int m_ledColorButtonId = 407;
  CString m_ledGifPath;
  std::unique_ptr<MDialog> m_ledWaitDlg;
  std::unique_ptr<MDialog> m_ledProgressDlg;
  // Message boxes of the LED page (ShowMessageBox unless a test answers them).
  std::function<int(const CString& text, const CString& caption, int type)> m_ledMessageBox;
  std::unique_ptr<LightingPages, LightingPagesDeleter> m_lightingPages;
  std::once_flag m_lightingPagesMade;
  // ---- end: the lighting pages ----

  // ---- seams ----
  std::function<void(DWORD ms)> m_sleep;  // the worker's own waits
  CString m_exeFolder;                    // config.xml and pictures; ends with '\'
  CString m_userDataFolder;               // the profile databases' folder; ends with '\'
  CString m_softwareName = L"Quenby";     // registry key and window property
  // Opening a downloaded program and ending the process (ShellExecuteW and ExitProcess
  // by default; tests watch them instead).
  std::function<void(const CString& path)> m_openProgram;
  std::function<void(UINT code)> m_exitProcess;
  // The update server that OnInitDialog fixes as the base location.
  CString m_updateServerUrl = kUpdateBaseUrl;
  // The first device set-up starts loopback capture (off in tests that have no audio).
  bool m_startAudio = true;
  // The language of the update description (the current language by default).
  std::function<int()> m_languageId;
  // How long the close waits for the worker before the process ends without it.
  DWORD m_workerStopWaitMs = 1000;

  // The registration for HID device-interface notifications (null when none).
  HDEVNOTIFY HidNotification() const { return m_hidNotification.get(); }

private:
  struct DeviceNotificationCloser {
    void operator()(void* handle) const { UnregisterDeviceNotification(handle); }
  };

  void Sleep(DWORD ms);
  bool RunsAnyState(int code) const;
  bool NeedsKeyboardTables(int code) const;
  void RunTask(int code);
  bool IsWaitTask(int code) const;
  void CloseWaitDialog();
  void EnableMainWindow();
  // A task that will not run: its page's wait dialog closes and, for the factory reset,
  // the main window takes input again.
  void OnTaskDropped(int code);
  // Empties the queue, dropping every task in it.
  void DropQueuedTasks();
  bool IsHomePageShown() const;
  bool IsMainWindowShown() const;
  void ShowDeviceView();
  void ShowNoDeviceView();
  void SelectHomeTab();
  void SetTabVisible(int position, int visible);
  // The device list and the worker's copy of it, changed together.
  void SetListDeviceStates(int state);
  void SetListDeviceState(int model, int linkMode, int state);
  void SetListDeviceBattery(int model, int linkMode, int level, int state);
  void SelectListDevice(int model);
  void WaitForFirmwareTool();
  // Ends the worker while this thread serves its messages (the worker may be waiting for
  // this thread); false when it has not ended within `waitMs`.
  bool StopWorker(DWORD waitMs);
  // Ends the process (ExitProcess, or the tests' seam).
  void ExitNow(UINT code);
  // Opens a downloaded program and ends the process - unless the window is closing.
  void OpenProgramAndExit(const CString& program);
  bool SendConfigBeginForStream();
  void WriteKeyLayerFromStore(int layer);
  // The knob's key indexes (command 0x3E) on a keyboard that has a knob.
  void ReadKnobKeys();
  // The description (command 0x12) into m_deviceInfo.
  bool ReadDescription();
  // The current profile's stored settings (mac_mode ... key_keyresponse); a setting
  // without a row stays unknown.
  KnownSystemSettings StoredSystemSettings();
  // A configuration value of the current profile as a number; none without its row.
  std::optional<int> StoredInt(const wchar_t* key);
  bool ReadSettingsBlock(uint8_t* block);

  DeviceTransport& m_transport;
  KeyboardDataStore& m_store;
  // Set once the window is closing: a second close waits for nothing, no further task
  // runs, no program is opened, and the firmware-tool wait lets the worker go. Set and
  // tested under m_closeLock where a program is opened.
  std::atomic<bool> m_quitting{false};
  std::mutex m_closeLock;
  std::vector<COLORREF> m_sampledFrame;  // the worker's copy of the visualiser's frame
  // A failed EnsureKeyboardTables is not tried again by the idle steps until the next
  // enumeration (tasks try again).
  bool m_keyboardTablesFailed = false;
  std::unique_ptr<void, DeviceNotificationCloser> m_hidNotification;

  // Calls handed to the window thread (OnWindowThread).
  std::mutex m_windowCallsLock;
  std::deque<std::function<void()>> m_windowCalls;
  DWORD m_windowThreadId = 0;  // 0 until the window exists
  bool m_windowCallsClosed = false;
};
