// The program as a person starts it: Quenby.exe copied into a folder of its own, started
// by this test program as a separate process, and then driven from outside by messages
// to its main window, as the system, the taskbar or another program sends them.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include "device/DeviceReport.h"
#include "shell/KeyboardDlg.h"
#include "support/TempFolder.h"

namespace {

constexpr DWORD kWindowWaitMs = 60000;

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.rfind(L'\\'));
}

void WriteText(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The registry key of a software name, and its "LCID" text ("" when absent).
std::wstring KeyOf(const std::wstring& software) { return L"SOFTWARE\\" + software; }

std::wstring ReadLcid(const std::wstring& software) {
  wchar_t text[64] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, KeyOf(software).c_str(), L"LCID", RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS)
    return L"";
  return text;
}

void WriteValue(const std::wstring& software, const wchar_t* name, const std::wstring& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, KeyOf(software).c_str(), &key), ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 DWORD((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

// The program's files copied from beside this test (the same build), config.xml written
// when the case has one; the program's registry key and data folder are removed after.
class ProgramFolder {
public:
  // `software` empty: no config.xml at all.
  ProgramFolder(const std::wstring& software, const std::vector<int>& languages) : software_(software) {
    const std::wstring from = OwnFolder();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((from + L"\\*.dll").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        CopyFileW((from + L"\\" + found.cFileName).c_str(), folder_.File(found.cFileName).c_str(), FALSE);
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    CopyFileW((from + L"\\Quenby.exe").c_str(), Exe().c_str(), FALSE);
    // No simulated keyboard: start-up does not wait for one.
    WriteText(folder_.File(L"sim.ini"), "");
    if (software.empty()) return;
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>\n  <device.info/>\n";
    xml += "  <language.info default_lan=\"1033\">\n";
    for (int lcid : languages) xml += "    <lan value=\"" + std::to_string(lcid) + "\"/>\n";
    xml += "  </language.info>\n  <software name=\"" + Narrow(software) + "\" version=\"1.0.0\"/>\n</config>\n";
    WriteText(folder_.File(L"config.xml"), xml);
    RegDeleteTreeW(HKEY_CURRENT_USER, KeyOf(software).c_str());
  }
  ~ProgramFolder() {
    if (software_.empty()) return;
    RegDeleteTreeW(HKEY_CURRENT_USER, KeyOf(software_).c_str());
    wchar_t local[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local)))
      TempFolder::Remove(std::wstring(local) + L"\\" + software_ + L" Files");
  }
  std::wstring Exe() const { return folder_.File(L"Quenby.exe"); }
  std::wstring SimConfig() const { return folder_.File(L"sim.ini"); }

private:
  TempFolder folder_;
  std::wstring software_;
};

// One run of the program; it is ended when the test lets go of it.
class Program {
public:
  Program(const ProgramFolder& folder, const std::wstring& arguments) {
    std::wstring command = L"\"" + folder.Exe() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    SetEnvironmentVariableW(L"QUENBY_SIM_CONFIG", folder.SimConfig().c_str());
    STARTUPINFOW start = {};
    start.cb = sizeof(start);
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &info_);
    SetEnvironmentVariableW(L"QUENBY_SIM_CONFIG", nullptr);
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      if (HWND window = Window()) PostMessageW(window, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(info_.hProcess, 15000) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 9);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool Started() const { return started_; }
  // The process's main window (the top-level window titled `title`), waiting for it.
  HWND WaitForWindow(const std::wstring& title) {
    title_ = title;
    for (DWORD begin = GetTickCount(); GetTickCount() - begin < kWindowWaitMs; Sleep(50)) {
      if (HWND window = Window()) {
        // The window exists from its creation on; the run shows it as asked once it waits
        // for input.
        WaitForInputIdle(info_.hProcess, 20000);
        return window;
      }
      if (Ended()) return nullptr;
    }
    return nullptr;
  }
  HWND Window() const {
    for (HWND w = FindWindowW(nullptr, title_.c_str()); w; w = FindWindowExW(nullptr, w, nullptr, title_.c_str())) {
      DWORD process = 0;
      GetWindowThreadProcessId(w, &process);
      if (process == info_.dwProcessId) return w;
    }
    return nullptr;
  }
  bool Ended() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
  // The exit code once the process ends within `ms`; -1 when it is still running.
  int ExitCode(DWORD ms) const {
    if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return int(code);
  }
  DWORD Id() const { return info_.dwProcessId; }

private:
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
  std::wstring title_;
};

// The window answers a message sent to it (its thread is not stuck).
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

// Top-level windows of `process` with the class of a popup menu.
HWND MenuOf(DWORD process) {
  for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == process && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

}  // namespace

// Start-up in each configuration: the language chosen and stored, the title from the
// software name, minimised for "autorun" only; then an orderly close.
TEST(ProgramStart, ChoosesItsLanguageAndShowState) {
  struct Case {
    const char* what;
    bool config;
    std::vector<int> offered;
    const wchar_t* stored;  // null: no LCID value
    const wchar_t* arguments;
    std::wstring expectedLcid;
    bool minimised;
  };
  // The user's interface language is this machine's (the program sees the same); the
  // offered sets are chosen around it.
  const int user = int(GetUserDefaultUILanguage());
  std::vector<int> others;  // offered languages without the user's own
  for (int lcid : {2052, 1028, 1031}) {
    if (lcid != user) others.push_back(lcid);
  }
  const Case cases[] = {
      {"no config.xml: nothing offered", false, {}, L"2052", L"", L"1033", false},
      {"a stored language that is offered", true, {2052, 1028, 1033}, L"1028", L"", L"1028", false},
      {"a stored language that is not", true, {2052, 1033}, L"1028", L"", L"1033", false},
      {"no stored language, the user's offered", true, {user, 1028}, nullptr, L"", std::to_wstring(user), false},
      {"no stored language, the user's not offered", true, others, nullptr, L"", L"1033", false},
      {"-autorun starts minimised", true, {1033}, L"1033", L"-autorun", L"1033", true},
      {"only Autorun: not minimised", true, {1033}, L"1033", L"Autorun", L"1033", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring software = c.config ? L"QuenbyStartTest" : L"Quenby";
    ProgramFolder folder(c.config ? software : L"", c.offered);
    // The default name's key may hold a person's settings: only LCID is touched, and put back.
    const std::wstring before = ReadLcid(software);
    if (c.stored) {
      WriteValue(software, L"LCID", c.stored);
    } else {
      RegDeleteTreeW(HKEY_CURRENT_USER, KeyOf(software).c_str());
    }
    {
      Program program(folder, c.arguments);
      ASSERT_TRUE(program.Started());
      HWND window = program.WaitForWindow(software);
      ASSERT_NE(window, nullptr) << "the main window titled after the software name";
      for (int i = 0; i < 250 && c.minimised && !IsIconic(window); ++i) Sleep(20);
      EXPECT_EQ(IsIconic(window) != 0, c.minimised);
      EXPECT_EQ(ReadLcid(software), c.expectedLcid);
      PostMessageW(window, WM_CLOSE, 0, 0);
      EXPECT_EQ(program.ExitCode(20000), 1) << "the orderly end of the modal run";
    }
    if (!c.config) {
      if (before.empty()) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyOf(software).c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
          RegDeleteValueW(key, L"LCID");
          RegCloseKey(key);
        }
      } else {
        WriteValue(software, L"LCID", before);
      }
    }
  }
}

// A second start finds the first one's window (hidden to the tray), shows and raises it,
// and ends with 0 without a window of its own.
TEST(ProgramStart, SecondStartRaisesTheFirstAndEnds) {
  const std::wstring software = L"QuenbyStartTwice";
  ProgramFolder folder(software, {1033});
  Program first(folder, L"");
  HWND window = first.WaitForWindow(software);
  ASSERT_NE(window, nullptr);
  // The property a second start looks for, named after config.xml's software name; the
  // window gets it while it is being made.
  for (int i = 0; i < 500 && !GetPropW(window, software.c_str()); ++i) Sleep(20);
  EXPECT_EQ(GetPropW(window, software.c_str()), reinterpret_cast<HANDLE>(1));
  ShowWindow(window, SW_HIDE);
  ASSERT_FALSE(IsWindowVisible(window));

  Program second(folder, L"");
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(second.ExitCode(30000), 0);
  // The show reaches the first program as a message its thread runs.
  for (int i = 0; i < 250 && !IsWindowVisible(window); ++i) Sleep(20);
  EXPECT_TRUE(IsWindowVisible(window)) << "the running window came back";
  EXPECT_FALSE(first.Ended());
  int windows = 0;
  for (HWND w = FindWindowW(nullptr, software.c_str()); w; w = FindWindowExW(nullptr, w, nullptr, software.c_str()))
    ++windows;
  EXPECT_EQ(windows, 1);
}

// The main window's messages sent by another program: the tray icon's clicks and menu, the
// tray exit, the power and device broadcasts, the language change and the close request.
class ProgramMessages : public ::testing::Test {
protected:
  void SetUp() override {
    program = std::make_unique<Program>(folder, L"");
    window = program->WaitForWindow(kName);
    ASSERT_NE(window, nullptr);
  }
  static constexpr const wchar_t* kName = L"QuenbyMessageTest";
  ProgramFolder folder{kName, {1033}};
  std::unique_ptr<Program> program;
  HWND window = nullptr;
};

TEST_F(ProgramMessages, TrayIconShowsTheWindowAndItsMenuEndsTheProgram) {
  ShowWindow(window, SW_HIDE);
  ASSERT_FALSE(IsWindowVisible(window));
  PostMessageW(window, UM_TRAY_NOTIFY, 109, WM_LBUTTONDOWN);
  ASSERT_TRUE(Answers(window));
  for (int i = 0; i < 250 && !IsWindowVisible(window); ++i) Sleep(20);
  EXPECT_TRUE(IsWindowVisible(window));

  // A right-button release opens the one-item menu; dismissed, nothing ends.
  PostMessageW(window, UM_TRAY_NOTIFY, 109, WM_RBUTTONUP);
  HWND menu = nullptr;
  for (int i = 0; i < 500 && !menu; ++i, Sleep(20)) menu = MenuOf(program->Id());
  ASSERT_NE(menu, nullptr) << "the tray menu";
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  for (int i = 0; i < 250 && MenuOf(program->Id()); ++i) Sleep(20);
  EXPECT_EQ(MenuOf(program->Id()), nullptr);
  EXPECT_TRUE(Answers(window));
  EXPECT_FALSE(program->Ended());

  // Its item arrives as WM_COMMAND 100 and ends the process with 0.
  PostMessageW(window, WM_COMMAND, 100, 0);
  EXPECT_EQ(program->ExitCode(20000), 0);
}

TEST_F(ProgramMessages, TrayExitNeedsItsCode) {
  PostMessageW(window, UM_TRAY_EXIT, 0, 5);
  EXPECT_TRUE(Answers(window));
  EXPECT_FALSE(program->Ended());
  PostMessageW(window, UM_TRAY_EXIT, 0, kTrayExitCode);
  EXPECT_EQ(program->ExitCode(20000), 0);
}

// Broadcasts the program must live through, then the close request ends it in order.
TEST_F(ProgramMessages, BroadcastsKeepItRunningAndCloseEndsItInOrder) {
  const struct {
    UINT msg;
    WPARAM w;
    LPARAM l;
  } broadcasts[] = {
      {WM_POWERBROADCAST, PBT_APMSUSPEND, 0},       {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0},
      {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0}, {UM_DEVICE_LINK, 0, 1},
      {UM_DEVICE_LINK, 0, 0},                       {WM_DEVICECHANGE, 0x0007 /* devnodes changed */, 0},
      {UM_LANGUAGE_CHANGED, 0, 0},
  };
  for (const auto& b : broadcasts) {
    SCOPED_TRACE(b.msg);
    PostMessageW(window, b.msg, b.w, b.l);
    EXPECT_TRUE(Answers(window));
    EXPECT_FALSE(program->Ended());
  }
  // A close request quits whatever "exit_mode" says: the window goes and the run ends.
  WriteValue(kName, L"exit_mode", L"1");
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program->ExitCode(20000), 1);
}

// The close button, clicked: "exit_mode" 1 hides the window and keeps the program in the
// tray; "0" ends it.
TEST_F(ProgramMessages, CloseButtonFollowsTheExitMode) {
  auto click = [&](int x, int y) {
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  };
  ASSERT_TRUE(Answers(window));
  Sleep(500);
  WriteValue(kName, L"exit_mode", L"1");
  click(1354, 24);
  for (int i = 0; i < 250 && IsWindowVisible(window); ++i) Sleep(20);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(program->Ended());

  PostMessageW(window, UM_TRAY_NOTIFY, 109, WM_LBUTTONDOWN);
  for (int i = 0; i < 250 && !IsWindowVisible(window); ++i) Sleep(20);
  ASSERT_TRUE(IsWindowVisible(window));
  WriteValue(kName, L"exit_mode", L"0");
  Sleep(300);
  click(1354, 24);
  EXPECT_EQ(program->ExitCode(20000), 0);
}
