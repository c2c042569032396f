// The keyboard settings, software settings and device settings pages through the real
// window against the simulated keyboards: the store rows, the registry values and the
// keyboard's settings block each control writes; the language refresh; the factory reset
// with and without a keyboard; the firmware offer with a stand-in tool; the software
// update offer, its download progress and the stand-in installer, against a server on
// 127.0.0.1.
#include "support/LoopbackHttpServer.h"  // winsock2.h before windows.h
#include <map>
#include <mutex>
#include <thread>
#include "ShellWindowRig.h"
#include "controls/CSwitchButton.h"
#include "controls/GroupButton.h"
#include "controls/MComboBox.h"
#include "controls/MProgress.h"
#include "controls/MTabCtrl.h"
#include "controls/MText.h"
#include "device/DeviceInfo.h"
#include "shell/ShellFolders.h"
#include "shell/UpdateProcessDlg.h"
#include "support/TestZipWriter.h"
#include "widgets/KeyboardCtrl.h"

using namespace shelltest;

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run entry of the test's software name; empty when there is none.
std::wstring RunEntry() {
  wchar_t value[1024] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kSoftware, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return L"";
  return value;
}

std::wstring Title(KeyboardDlg& dlg, int id) {
  auto* c = dynamic_cast<MControlFont*>(dlg.Control(id));
  return c ? std::wstring(c->GetTitle().GetString()) : L"(none)";
}

SystemSettings KeyboardSettings(KeyboardDlg& dlg, const char* keyboard) {
  std::vector<uint8_t> block;
  EXPECT_TRUE(sim::ReadTable(keyboard, sim::Table::Settings, 0, block));
  block.resize(64);
  return ReadSystemSettings(block.data(), dlg.m_deviceInfo.protocolVersion);
}

std::wstring StoredValue(KeyboardDataStore& store, int profile, const wchar_t* key) {
  CString value;
  store.GetConfigValue(profile, key, value);
  return value.GetString();
}

}  // namespace

// Each switch and list stores its value in the profile and reaches the keyboard's
// settings block; the knob mode stays on the screen and in the store.
TEST_F(ShellWindow, KeyboardSettingsStoreEachValueAndWriteTheSettingsBlock) {
  Open();
  Settle();
  Choose(101);
  struct Case {
    int control;
    int choice;  // a switch: on (1) or off; a list: the item's position
    const wchar_t* key;
    const wchar_t* stored;
    int SystemSettings::*field;
    int sent;
  };
  const Case cases[] = {
      {338, 1, L"mac_mode", L"1", &SystemSettings::macMode, 1},
      {341, 1, L"game_mode", L"1", &SystemSettings::gameMode, 1},
      {344, 1, L"lock_win", L"1", &SystemSettings::lockWin, 1},
      {347, 1, L"wasd_mode", L"1", &SystemSettings::wasdMode, 1},
      {338, 0, L"mac_mode", L"0", &SystemSettings::macMode, 0},
      {350, 3, L"sleep_time", L"5", &SystemSettings::sleepSeconds, 300},
      {350, 9, L"sleep_time", L"60", &SystemSettings::sleepSeconds, 3600},
      // The third response item reads "3" and sends 4.
      {353, 2, L"key_keyresponse", L"4", &SystemSettings::keyResponse, 4},
      {353, 5, L"key_keyresponse", L"20", &SystemSettings::keyResponse, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    MControl* control = dlg->Control(c.control);
    ASSERT_NE(control, nullptr);
    if (auto* sw = dynamic_cast<CSwitchButton*>(control)) sw->SetCheck(c.choice);
    if (auto* combo = dynamic_cast<MComboBox*>(control)) combo->SetCurSel(c.choice);
    EXPECT_EQ(dlg->OnMessage(UINT(c.control), 2, 0, 0), 1);
    EXPECT_EQ(StoredValue(store, dlg->m_profileId, c.key), c.stored);
    Drain();
    EXPECT_EQ(KeyboardSettings(*dlg, "k101").*c.field, c.sent);
  }

  // Loading shows the stored values: only "1" is on; a minute no item has leaves the list.
  auto* sleep = dynamic_cast<MComboBox*>(dlg->Control(350));
  auto* mac = dynamic_cast<CSwitchButton*>(dlg->Control(338));
  ASSERT_TRUE(sleep && mac);
  sleep->SelectData(10);
  store.SetConfigValue(dlg->m_profileId, L"mac_mode", L"2");
  store.SetConfigValue(dlg->m_profileId, L"sleep_time", L"7");
  mac->SetCheck(1);
  dlg->LoadSystemSettings();
  Pump(100);
  EXPECT_EQ(mac->GetCheck(), 0);
  EXPECT_EQ(sleep->GetCurData(), 10);

  // The knob row shows on the knob model only; its switch turns key item 14 into the knob
  // at once and queues nothing.
  EXPECT_EQ(dlg->IsControlVisible(356), 0);
  Choose(103);
  EXPECT_EQ(dlg->IsControlVisible(356), 1);
  auto* knob = dynamic_cast<CSwitchButton*>(dlg->Control(356));
  ASSERT_NE(knob, nullptr);
  dlg->m_suspended = 1;
  knob->SetCheck(1);
  EXPECT_EQ(dlg->OnMessage(356, 2, 0, 0), 1);
  EXPECT_TRUE(dlg->m_taskQueue.IsEmpty());
  EXPECT_EQ(StoredValue(store, dlg->m_profileId, L"encoder_mode"), L"1");
  ASSERT_GT(dlg->m_keyboardCtrl->GetKeyItems().size(), 14u);
  EXPECT_EQ(dlg->m_keyboardCtrl->GetKeyItems()[14]->keyCode, 255);
  knob->SetCheck(0);
  dlg->OnMessage(356, 2, 0, 0);
  EXPECT_EQ(dlg->m_keyboardCtrl->GetKeyItems()[14]->keyCode, 74);
  dlg->m_suspended = 0;
}

// Start with Windows writes and removes the quoted Run entry; the close behaviour decides
// what the close button does.
TEST_F(ShellWindow, SoftwareSettingsWriteTheRegistryAndDecideTheCloseButton) {
  Open();
  Settle();
  HWND window = dlg->GetSafeHwnd();
  ShowWindow(window, SW_SHOW);
  auto* autorun = dynamic_cast<CSwitchButton*>(dlg->Control(428));
  auto* minimise = dynamic_cast<CSwitchButton*>(dlg->Control(429));
  ASSERT_TRUE(autorun && minimise);
  EXPECT_EQ(autorun->GetCheck(), 0);
  EXPECT_EQ(minimise->IsVisible(), 0);

  autorun->SetCheck(1);
  EXPECT_EQ(dlg->OnMessage(428, 2, 0, 0), 1);
  EXPECT_EQ(RunEntry(), Text(AutorunCommand(dlg->m_exeFolder)));
  EXPECT_EQ(RunEntry().front(), L'"') << "a folder with blanks must not start another program";
  EXPECT_EQ(minimise->IsVisible(), 1);
  minimise->SetCheck(1);
  dlg->OnMessage(429, 2, 0, 0);
  EXPECT_EQ(ReadAppRegInt(L"autorun_minimize"), 1);
  autorun->SetCheck(0);
  dlg->OnMessage(428, 2, 0, 0);
  EXPECT_EQ(RunEntry(), L"");
  EXPECT_EQ(ReadAppRegInt(L"autorun_minimize"), 0);
  EXPECT_EQ(minimise->GetCheck(), 0);
  EXPECT_EQ(minimise->IsVisible(), 0);

  // Close behaviour: to the tray keeps the program, the other ends it.
  auto* toTray = dynamic_cast<CRadioButton*>(dlg->Control(432));
  auto* quit = dynamic_cast<CRadioButton*>(dlg->Control(433));
  ASSERT_TRUE(toTray && quit);
  EXPECT_EQ(quit->GetCheck(), 1);
  toTray->SetCheck(1);
  EXPECT_EQ(dlg->OnMessage(432, 2, 0, 0), 1);
  EXPECT_EQ(std::wstring(ReadAppRegString(L"exit_mode").GetString()), L"1");
  dlg->OnMessage(39, 2, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(exits.empty());
  ShowWindow(window, SW_SHOW);
  quit->SetCheck(1);
  dlg->OnMessage(433, 2, 0, 0);
  EXPECT_EQ(std::wstring(ReadAppRegString(L"exit_mode").GetString()), L"0");
  dlg->OnMessage(39, 2, 0, 0);
  EXPECT_EQ(exits, std::vector<int>{0});

  // The check button queues the update check.
  dlg->m_suspended = 1;
  Pump(100);
  dlg->OnMessage(437, 2, 0, 0);
  EXPECT_EQ(dlg->m_taskQueue.TakeAll(), std::deque<int>{kTaskUpdateCheck});
  dlg->m_suspended = 0;
}

// A language radio switches every text the window shows; the choice is stored.
TEST_F(ShellWindow, LanguageRadiosSetEveryTextAgain) {
  dlg->m_softwareVersion = L"1.0.0";
  Open();
  Settle();
  Choose(101);
  struct Shown {
    int id;
    int text;
  };
  const Shown shown[] = {{335, 560}, {337, 561}, {349, 565}, {420, 500}, {427, 506}, {432, 510},
                         {435, 515}, {437, 516}, {324, 530}, {333, 551}, {50, 67},   {52, 65}};
  auto* chinese = dynamic_cast<CRadioButton*>(dlg->Control(421));
  auto* english = dynamic_cast<CRadioButton*>(dlg->Control(422));
  ASSERT_TRUE(chinese && english);
  EXPECT_EQ(english->GetCheck(), 1);
  for (auto [radio, language] : {std::pair{chinese, 2052}, std::pair{english, 1033}}) {
    SCOPED_TRACE(language);
    radio->SetCheck(1);
    EXPECT_EQ(dlg->OnMessage(radio == chinese ? 421 : 422, 2, 0, 0), 1);
    EXPECT_EQ(CurrentLanguageId, language);
    EXPECT_EQ(ReadAppRegInt(L"LCID"), language);
    for (const Shown& s : shown) EXPECT_EQ(Title(*dlg, s.id), Text(LoadLangString(s.text))) << s.id;
    EXPECT_EQ(Title(*dlg, 436), Text(LoadLangString(517)) + L": 1.0.0");
    EXPECT_EQ(Text(dlg->m_mainTab->GetItemInfo(1)->text), Text(LoadLangString(51)));
    EXPECT_EQ(Text(dlg->Control(39)->GetTooltip()), Text(LoadLangString(510)));
  }
  // The two languages' texts differ, so the check above saw a change.
  CurrentLanguageId = 2052;
  const std::wstring chineseTitle = Text(LoadLangString(560));
  CurrentLanguageId = 1033;
  EXPECT_NE(chineseTitle, Text(LoadLangString(560)));
}

// The factory reset: confirmed with a keyboard, the model's database starts anew with the
// three default profiles; cancelled, nothing changes; without a keyboard, only the
// pictures and their registry values are reset.
TEST_F(ShellWindow, FactoryResetWithAndWithoutAKeyboard) {
  Open();
  Settle();
  Choose(101);
  HWND window = dlg->GetSafeHwnd();
  dlg->OnMessage(54, 2, 0, 0);
  Drain();
  ASSERT_EQ(ProfileCount(), 4);
  WriteAppRegString(L"theme_bkg", L"C:\\pictures\\mine.png");

  answers = {2};
  EXPECT_EQ(dlg->OnMessage(333, 2, 0, 0), 0);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, Text(LoadLangString(552)));
  EXPECT_EQ(asked[0].type, 4);
  EXPECT_EQ(ProfileCount(), 4);
  EXPECT_EQ(std::wstring(ReadAppRegString(L"theme_bkg").GetString()), L"C:\\pictures\\mine.png");

  // Runs the busy dialog until the worker has reset the keyboard.
  EXPECT_EQ(dlg->OnMessage(333, 2, 0, 0), 1);
  Drain();
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_EQ(ProfileCount(), 3);
  EXPECT_EQ(store.GetActiveProfile(), 1);
  EXPECT_EQ(List()->GetItemCount(), 3);
  EXPECT_EQ(std::wstring(ReadAppRegString(L"theme_bkg").GetString()), L"");
  EXPECT_TRUE(store.IsOpened());

  // Without a keyboard: the pictures only.
  dlg->OnMessage(54, 2, 0, 0);
  Drain();
  for (const char* cable : {"cable-k101", "cable-k102", "cable-k103"}) sim::SetPlugged(cable, false);
  dlg->AddTask(kTaskDeviceRemoved);
  ASSERT_TRUE(PumpUntil([&] { return !dlg->m_devicePresent && dlg->IsWorkerIdle(); }, 15000));
  WriteAppRegString(L"theme_bkg_gif", L"C:\\pictures\\mine.gif");
  const int before = ProfileCount();
  EXPECT_EQ(dlg->OnMessage(333, 2, 0, 0), 0);
  EXPECT_EQ(ProfileCount(), before);
  EXPECT_EQ(std::wstring(ReadAppRegString(L"theme_bkg_gif").GetString()), L"");
  EXPECT_TRUE(IsWindowEnabled(window));
}

// Folder paths built from an empty or escaping part used to delete the folder above.
TEST(FolderDelete, RefusesPathsWithAnEmptyOrEscapingPart) {
  simtest::TempFolder root;  // ends with a backslash
  const std::wstring led = root.Path() + L"led\\";
  CreateDirectoryW(led.c_str(), nullptr);
  CreateDirectoryW((led + L"K101").c_str(), nullptr);
  simtest::WriteText(led + L"K101\\frame.png", "frame");
  const std::wstring refused[] = {
      led + L"\\",             // an empty model name
      led + L"K101\\\\",       // an empty animation folder
      led + L"K101\\..",       // the folder above
      led + L"..\\led",        //
      led + L".\\",            //
      L"\\",                   // the root
      L"C:\\",                 // a whole drive
      L"",                     //
  };
  for (const std::wstring& path : refused) {
    EXPECT_FALSE(IsDeletableFolderPath(path.c_str())) << std::string(path.begin(), path.end());
    EXPECT_FALSE(DeleteFolderTree(path.c_str()));
    EXPECT_EQ(simtest::ReadText(led + L"K101\\frame.png"), "frame");
  }
  // A doubled separator inside the path (a base folder joined with another) is no part.
  EXPECT_TRUE(DeleteFolderTree((root.Path() + L"\\led\\K101\\").c_str()));
  EXPECT_EQ(GetFileAttributesW((led + L"K101").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW(led.c_str()), INVALID_FILE_ATTRIBUTES);
}

// ---- firmware and software update ----

namespace {

// A program folder of the test's own: the shipped configuration and layouts, and the
// stand-in tool where the firmware-writing tool lies.
struct StandInProgram {
  simtest::TempFolder folder;
  std::wstring marker;
  StandInProgram() {
    const std::wstring source = SourceDataFolder();
    CopyFileW((source + L"config.xml").c_str(), (folder.Path() + L"config.xml").c_str(), FALSE);
    CreateDirectoryW((folder.Path() + L"layouts").c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((source + L"layouts\\*.xml").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        CopyFileW((source + L"layouts\\" + fd.cFileName).c_str(), (folder.Path() + L"layouts\\" + fd.cFileName).c_str(),
                  FALSE);
      } while (FindNextFileW(h, &fd));
      FindClose(h);
    }
    CreateDirectoryW((folder.Path() + L"firmwares").c_str(), nullptr);
    CopyFileW((shelltest::ProgramFolder() + L"stub_tool.exe").c_str(),
              (folder.Path() + L"firmwares\\dravo_q63_0116.exe").c_str(), FALSE);
    marker = folder.Path() + L"ran.txt";
    SetEnvironmentVariableW(L"QUENBY_STUB_MARKER", marker.c_str());
  }
  ~StandInProgram() {
    SetEnvironmentVariableW(L"QUENBY_STUB_MARKER", nullptr);
    SetEnvironmentVariableW(L"QUENBY_STUB_WAIT_MS", nullptr);
  }
  // The paths the stand-in wrote, one per start.
  std::vector<std::wstring> Runs() const {
    const std::string bytes = simtest::ReadText(marker);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    std::vector<std::wstring> runs;
    for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
      runs.push_back(text.substr(start, end - start));
    return runs;
  }
};

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = wchar_t(towlower(c));
  return s;
}

}  // namespace

// The matrix keyboard's firmware 1.15 is older than the tool's 1.16: the offer names the
// version; accepted, the tool runs while the window is hidden and the keyboard is read
// again afterwards. With current firmware the button says so.
TEST_F(ShellWindow, FirmwareOfferRunsTheToolWithTheWindowHidden) {
  StandInProgram program;
  SetEnvironmentVariableW(L"QUENBY_STUB_WAIT_MS", L"3000");
  dlg->m_exeFolder = program.folder.Path().c_str();
  Open();
  HWND window = dlg->GetSafeHwnd();
  ShowWindow(window, SW_SHOW);
  Settle();
  // The basic keyboard's firmware is not older than the tool's: the button only tells.
  Choose(101);
  dlg->OnMessage(326, 2, 0, 0);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, Text(LoadLangString(531)));
  EXPECT_EQ(asked[0].caption, Text(LoadLangString(533)));
  EXPECT_TRUE(program.Runs().empty());
  EXPECT_TRUE(IsWindowVisible(window));

  // Without the tool beside the program no offer is made: accepting could do nothing.
  const std::wstring tool = program.folder.Path() + L"firmwares\\dravo_q63_0116.exe";
  ASSERT_TRUE(MoveFileW(tool.c_str(), (tool + L".away").c_str()));
  asked.clear();
  Choose(102);
  Pump(1500);
  EXPECT_TRUE(asked.empty());
  ASSERT_TRUE(MoveFileW((tool + L".away").c_str(), tool.c_str()));

  Choose(101);
  answers = {1};
  Choose(102);
  ASSERT_TRUE(PumpUntil([&] { return !asked.empty(); }, 10000)) << "the offer";
  EXPECT_EQ(asked[0].text, Text(LoadLangString(520)) + L": v1.16, " + Text(LoadLangString(521)));
  EXPECT_EQ(asked[0].caption, Text(LoadLangString(533)));
  EXPECT_EQ(asked[0].type, 4);
  // Accepted: the tool runs and the window hides until it has ended.
  EXPECT_FALSE(IsWindowVisible(window));
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) && dlg->m_toolProcessId == 0; }, 20000));
  ASSERT_EQ(program.Runs().size(), 1u);
  EXPECT_EQ(Lower(program.Runs()[0]), Lower(program.folder.Path() + L"firmwares\\dravo_q63_0116.exe"));
  ASSERT_TRUE(PumpUntil([&] { return dlg->m_deviceLinked && dlg->IsWorkerIdle(); }, 15000)) << "read again";
}

namespace {

// Serves fixed files by path; anything else is a 404.
class UpdateServer {
public:
  UpdateServer()
      : server_([this](SOCKET client, const LoopbackHttpServer::Request& request) {
          std::string body;
          bool found = false;
          {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = files_.find(request.path);
            if (it != files_.end()) {
              body = it->second;
              found = true;
            }
          }
          LoopbackHttpServer::SendAll(client, LoopbackHttpServer::Response(found ? 200 : 404, found ? body : "none"));
        }) {}
  void Put(const std::string& path, const std::string& body) {
    std::lock_guard<std::mutex> lock(mutex_);
    files_[path] = body;
  }
  CString Url(const std::string& path) const { return server_.Url(path).c_str(); }

private:
  std::mutex mutex_;
  std::map<std::string, std::string> files_;
  LoopbackHttpServer server_;  // last: its thread stops before the files go
};

std::string Zip(const std::string& name, const std::string& data) {
  TestZipEntry e;
  e.name = name;
  e.data = data;
  return BuildTestZip({e});
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (wcscmp(fd.cFileName, L".") && wcscmp(fd.cFileName, L"..")) names.push_back(fd.cFileName);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

constexpr POINT kAccept = {434, 324};

}  // namespace

// A newer version on the server: the offer, accepted, downloads with progress, unpacks,
// starts the installer (the stand-in) and ends the program.
TEST_F(ShellWindow, UpdateOfferDownloadsStartsTheInstallerAndEnds) {
  StandInProgram program;
  UpdateServer server;
  std::string installer = simtest::ReadText(shelltest::ProgramFolder() + L"stub_tool.exe");
  ASSERT_FALSE(installer.empty());
  installer.resize(installer.size() + 400000, '\0');  // several progress steps
  server.Put("/software-upgrade/version", "9.9.9");
  server.Put("/software-upgrade/update_desc", "[1033]\n1=Faster\n2 = Safer\n3=Smaller\n");
  server.Put("/software-upgrade/Quenby-9.9.9.zip", Zip("Quenby-9.9.9.exe", installer));
  dlg->m_updateServerUrl = server.Url("/software-upgrade/");
  std::vector<int> progress;
  std::thread clicker;
  Open();
  ShowWindow(dlg->GetSafeHwnd(), SW_SHOW);
  clicker = std::thread([] {
    for (int i = 0; i < 500 && !FindWindowW(L"TQXWindow", L"UpdateTipDlg"); ++i) Sleep(20);
    HWND offer = FindWindowW(L"TQXWindow", L"UpdateTipDlg");
    if (!offer) return;
    Sleep(300);
    PostMessageW(offer, WM_MOUSEMOVE, 0, MAKELPARAM(kAccept.x, kAccept.y));
    PostMessageW(offer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kAccept.x, kAccept.y));
    PostMessageW(offer, WM_LBUTTONUP, 0, MAKELPARAM(kAccept.x, kAccept.y));
  });
  ASSERT_TRUE(PumpUntil([&] { return !exits.empty(); }, 30000)) << "the program ends after the installer starts";
  clicker.join();
  EXPECT_EQ(exits, std::vector<int>{0});
  EXPECT_EQ(Text(dlg->m_updateLines[1]), L"Safer");
  auto* shown = dynamic_cast<UpdateProcessDlg*>(dlg->m_updateProcessDlg);
  ASSERT_NE(shown, nullptr);
  EXPECT_GE(shown->m_shownPercent, 100) << "the whole download was shown";
  const std::wstring temp = user.Path() + L"temp\\";
  ASSERT_TRUE(PumpUntil([&] { return program.Runs().size() == 1; }, 10000)) << "the installer ran";
  EXPECT_EQ(Lower(program.Runs()[0]), Lower(temp + L"Quenby-9.9.9.exe"));
  EXPECT_EQ(FilesIn(temp), std::vector<std::wstring>{L"Quenby-9.9.9.exe"}) << "the archive is gone";
}

// A missing package or one without the installer: the download ends, the progress window
// closes and the program goes on; nothing runnable is left in the download folder.
TEST_F(ShellWindow, FailedUpdateLeavesTheProgramRunning) {
  struct Case {
    const char* what;
    std::string package;  // empty: 404
  };
  const Case cases[] = {{"404", ""}, {"no installer", Zip("readme.txt", "r")}, {"bad zip", "PK\x03\x04 broken"}};
  // No check at start-up: each case offers the update itself.
  dlg->m_updateServerUrl = L"";
  Open();
  Settle();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UpdateServer server;
    server.Put("/software-upgrade/version", "9.9.9");
    if (!c.package.empty()) server.Put("/software-upgrade/Quenby-9.9.9.zip", c.package);
    dlg->m_updateBaseUrl = server.Url("/software-upgrade/");
    dlg->m_latestVersion = L"9.9.9";
    std::thread clicker([] {
      for (int i = 0; i < 500 && !FindWindowW(L"TQXWindow", L"UpdateTipDlg"); ++i) Sleep(20);
      HWND offer = FindWindowW(L"TQXWindow", L"UpdateTipDlg");
      if (!offer) return;
      Sleep(300);
      PostMessageW(offer, WM_MOUSEMOVE, 0, MAKELPARAM(kAccept.x, kAccept.y));
      PostMessageW(offer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kAccept.x, kAccept.y));
      PostMessageW(offer, WM_LBUTTONUP, 0, MAKELPARAM(kAccept.x, kAccept.y));
    });
    // Returns once the worker has closed the progress window.
    EXPECT_EQ(dlg->OnUpdateResult(1, 1), 1);
    clicker.join();
    EXPECT_TRUE(exits.empty());
    EXPECT_TRUE(IsWindow(dlg->GetSafeHwnd()));
    for (const std::wstring& name : FilesIn(user.Path() + L"temp\\"))
      EXPECT_EQ(name.find(L".exe"), std::wstring::npos) << std::string(name.begin(), name.end());
  }
}

// A version text with path characters is never offered.
TEST_F(ShellWindow, VersionWithPathCharactersIsNotOffered) {
  UpdateServer server;
  server.Put("/software-upgrade/version", "..\\9");
  dlg->m_updateServerUrl = server.Url("/software-upgrade/");
  Open();
  Settle();
  Pump(500);
  EXPECT_EQ(FindWindowW(L"TQXWindow", L"UpdateTipDlg"), nullptr);
  EXPECT_TRUE(dlg->m_latestVersion.IsEmpty());
  EXPECT_EQ(GetFileAttributesW((user.Path() + L"temp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(exits.empty());
}
