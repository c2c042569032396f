// The update check, the package installs and the firmware-writing tool of the main dialog,
// against a real HTTP server on 127.0.0.1 and a real data folder. The dialog has no
// window; opening the installer and ending the process are watched through its seams.
#include "support/LoopbackHttpServer.h"  // winsock2.h before windows.h
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <string>
#include <vector>
#include "device/DeviceTransport.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "support/TempFolder.h"
#include "support/TestZipWriter.h"

namespace {

// Copies of this test program stand in for the firmware-writing tool. Started with this
// variable naming a file, a copy writes its own path into that file and ends before any
// test runs.
constexpr const wchar_t* kStandInVariable = L"QUENBY_TEST_TOOL_MARKER";

const bool g_isStandIn = [] {
  wchar_t marker[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(kStandInVariable, marker, MAX_PATH)) return false;
  wchar_t self[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD put = 0;
    WriteFile(file, self, length * sizeof(wchar_t), &put, nullptr);
    CloseHandle(file);
  }
  ExitProcess(0);
}();

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
  bool Started() const { return server_.Started(); }
  CString Url(const std::string& path) const { return server_.Url(path).c_str(); }
  std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (auto& r : server_.Requests()) paths.push_back(r.path);
    return paths;
  }

private:
  std::mutex mutex_;
  std::map<std::string, std::string> files_;
  LoopbackHttpServer server_;  // last: its thread stops before the files go
};

std::string Zip(const std::vector<std::pair<std::string, std::string>>& items) {
  std::vector<TestZipEntry> entries;
  for (auto& [name, data] : items) {
    TestZipEntry e;
    e.name = name;
    e.data = data;
    entries.push_back(e);
  }
  return BuildTestZip(entries);
}

const char* kDescription =
    "[2052]\r\n1=zh\r\n[1033]\r\n1=New version\r\n2 = Faster start \r\n3=Fixes\r\n[1028]\r\n1=tw\r\n";

struct UpdateRig {
  UpdateServer server;
  TempFolder data;
  DeviceTransport transport;
  KeyboardDataStore store;
  KeyboardDlg dlg{transport, store};
  std::vector<std::wstring> opened;
  std::vector<UINT> exits;
  int language = 1033;

  UpdateRig() {
    const CString folder = (data.Path() + L"\\").c_str();
    dlg.m_userDataFolder = folder;
    dlg.m_exeFolder = folder;
    dlg.m_updateBaseUrl = server.Url("/software-upgrade/");
    dlg.m_softwareVersion = L"1.2.3";
    dlg.m_openProgram = [this](const CString& path) { opened.push_back(path.GetString()); };
    dlg.m_exitProcess = [this](UINT code) { exits.push_back(code); };
    dlg.m_languageId = [this] { return language; };
  }
  std::wstring Temp(const wchar_t* name) const { return data.Path() + L"\\temp\\" + name; }
  // One check, from a clean result.
  void Check() {
    dlg.m_updateResult = 0;
    dlg.m_latestVersion = L"stale";
    dlg.CheckSoftwareUpdate();
  }
};

TEST(UpdateCheck, ComparesTheServersVersionWithTheRunningOne) {
  struct Case {
    const char* served;
    int result;  // 0: refused like a failed fetch
  } cases[] = {
      {"1.2.4", 1},   {"1.2.3", 2}, {"1.2.2", 2}, {"1.10.0", 1},
      {"1.2", 1},     {"1.2.3.4", 1},  // different numbers of parts count as newer
      {"1.0.2.0", 0}, {"", 0},      {"1.2.3.4.56", 1}, {"1.2.3.4.567", 0},  // 10 and 11 characters
      {"..\\1.2.4", 0}, {"1/2.4", 0}, {"1.2.4\n", 0},
  };
  UpdateRig rig;
  ASSERT_TRUE(rig.server.Started());
  for (const Case& c : cases) {
    rig.server.Put("/software-upgrade/version", c.served);
    rig.Check();
    EXPECT_EQ(rig.dlg.m_updateResult, c.result) << c.served;
    EXPECT_EQ(rig.dlg.m_latestVersion, c.result ? CString(c.served) : CString()) << c.served;
  }
}

TEST(UpdateCheck, NewerVersionReadsTheDescriptionOfTheLanguage) {
  UpdateRig rig;
  rig.server.Put("/software-upgrade/version", "1.2.4");
  rig.server.Put("/software-upgrade/update_desc", kDescription);

  rig.language = 1028;
  rig.Check();
  EXPECT_EQ(rig.dlg.m_updateLines[0], L"tw");
  EXPECT_EQ(rig.dlg.m_updateLines[1], L"");

  rig.language = 1031;  // no section: the 1033 lines
  rig.Check();
  EXPECT_EQ(rig.dlg.m_updateLines[0], L"New version");
  EXPECT_EQ(rig.dlg.m_updateLines[1], L"Faster start");
  EXPECT_EQ(rig.dlg.m_updateLines[2], L"Fixes");
  EXPECT_EQ(rig.server.Paths(), (std::vector<std::string>{"/software-upgrade/version", "/software-upgrade/update_desc",
                                                          "/software-upgrade/version", "/software-upgrade/update_desc"}));

  // A description that cannot be fetched any more leaves the offer with empty lines.
  rig.server.Put("/software-upgrade/update_desc", "");
  rig.Check();
  EXPECT_EQ(rig.dlg.m_updateResult, 1);
  for (auto& line : rig.dlg.m_updateLines) EXPECT_EQ(line, L"");
}

TEST(UpdateCheck, UpToDateOrUnreachableLeavesTheDescriptionAlone) {
  UpdateRig rig;
  rig.server.Put("/software-upgrade/version", "1.2.3");
  rig.dlg.m_updateLines[0] = L"kept";
  rig.Check();
  EXPECT_EQ(rig.dlg.m_updateResult, 2);
  EXPECT_EQ(rig.dlg.m_updateLines[0], L"kept");

  // No "version" file, a server that is not there, no server at all: nothing happens.
  UpdateRig missing;
  missing.Check();
  EXPECT_EQ(missing.dlg.m_updateResult, 0);
  EXPECT_EQ(missing.dlg.m_latestVersion, L"");

  missing.dlg.m_updateBaseUrl.Format(L"http://127.0.0.1:%d/software-upgrade/", LoopbackHttpServer::UnusedPort());
  missing.Check();
  EXPECT_EQ(missing.dlg.m_updateResult, 0);

  missing.dlg.m_updateBaseUrl.Empty();
  missing.Check();
  EXPECT_EQ(missing.dlg.m_latestVersion, L"stale");  // stopped before anything
  EXPECT_EQ(missing.server.Paths().size(), 1u);
}

TEST(UpdateInstall, UnpacksAndOpensTheInstallerThenEnds) {
  UpdateRig rig;
  rig.dlg.m_latestVersion = L"1.2.4";
  rig.server.Put("/software-upgrade/Quenby-1.2.4.zip", Zip({{"Quenby-1.2.4.exe", "installer"}, {"readme.txt", "r"}}));
  rig.dlg.InstallSoftwareUpdate();

  EXPECT_EQ(rig.server.Paths(), std::vector<std::string>{"/software-upgrade/Quenby-1.2.4.zip"});
  EXPECT_EQ(rig.opened, std::vector<std::wstring>{rig.Temp(L"Quenby-1.2.4.exe")});
  EXPECT_EQ(rig.exits, std::vector<UINT>{0});
  EXPECT_EQ(ReadFileBytes(rig.Temp(L"Quenby-1.2.4.exe")), "installer");
  EXPECT_FALSE(FileExists(rig.Temp(L"Quenby-1.2.4.zip")));  // unpacked archives go
}

TEST(UpdateInstall, FailuresReturnWithoutOpeningOrEnding) {
  const std::string noInstaller = Zip({{"Quenby-1.2.5.exe", "other version"}, {"sub/Quenby-1.2.4.exe", "nested"}});
  const std::string notZip = "PK\x03\x04 this is no archive";
  // What the server holds for the package (null: nothing).
  const std::pair<const char*, const std::string*> packages[] = {
      {"download fails", nullptr}, {"no installer in it", &noInstaller}, {"damaged archive", &notZip}};
  for (auto& [name, package] : packages) {
    UpdateRig rig;
    rig.dlg.m_latestVersion = L"1.2.4";
    CreateDirectoryW((rig.data.Path() + L"\\temp").c_str(), nullptr);
    // An installer left by an earlier attempt is not taken for the new one.
    WriteFileBytes(rig.Temp(L"Quenby-1.2.4.exe"), "stale");
    if (package) rig.server.Put("/software-upgrade/Quenby-1.2.4.zip", *package);
    rig.dlg.InstallSoftwareUpdate();

    EXPECT_TRUE(rig.opened.empty()) << name;
    EXPECT_TRUE(rig.exits.empty()) << name;
    EXPECT_FALSE(FileExists(rig.Temp(L"Quenby-1.2.4.exe"))) << name;
    // Only an archive that would not unpack is kept.
    EXPECT_EQ(FileExists(rig.Temp(L"Quenby-1.2.4.zip")), package == &notZip) << name;
    if (package == &notZip) {
      EXPECT_EQ(ReadFileBytes(rig.Temp(L"Quenby-1.2.4.zip")), notZip);
    }
  }
}

TEST(UpdateInstall, VersionThatCouldLeaveTheFolderIsNeverUsed) {
  for (const wchar_t* version : {L"..\\..\\x", L"../x", L"a/b", L"C:x", L""}) {
    UpdateRig rig;
    rig.dlg.m_latestVersion = version;
    rig.dlg.InstallSoftwareUpdate();
    EXPECT_TRUE(rig.server.Paths().empty()) << version;
    EXPECT_TRUE(rig.opened.empty()) << version;
    EXPECT_TRUE(rig.exits.empty()) << version;
  }
}

TEST(UpdateInstall, FirmwareToolPackage) {
  UpdateRig rig;
  rig.dlg.m_toolPackageBaseUrl = rig.server.Url("/tools/");
  rig.server.Put("/tools/DeviceFlasher.zip", Zip({{"DeviceFlasher.exe", "flasher"}}));
  rig.dlg.InstallFirmwareTool();
  EXPECT_EQ(rig.opened, std::vector<std::wstring>{rig.Temp(L"DeviceFlasher.exe")});
  EXPECT_EQ(rig.exits, std::vector<UINT>{0});
  EXPECT_FALSE(FileExists(rig.Temp(L"DeviceFlasher.zip")));

  // A package without the tool leaves the program running.
  UpdateRig empty;
  empty.dlg.m_toolPackageBaseUrl = empty.server.Url("/tools/");
  empty.server.Put("/tools/DeviceFlasher.zip", Zip({{"notes.txt", "n"}}));
  empty.dlg.InstallFirmwareTool();
  EXPECT_TRUE(empty.opened.empty());
  EXPECT_TRUE(empty.exits.empty());

  // No package location: nothing is fetched.
  UpdateRig none;
  none.dlg.InstallFirmwareTool();
  EXPECT_TRUE(none.server.Paths().empty());
  EXPECT_TRUE(none.exits.empty());
}

// ---- the firmware-writing tool ----

std::wstring ThisProgram() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// Copies of this program find their libraries beside the original through PATH, and
// report through the marker file; both settings hold while the object lives.
class StandInEnvironment {
public:
  explicit StandInEnvironment(const std::wstring& marker) {
    wchar_t old[32767] = {};
    hadPath_ = GetEnvironmentVariableW(L"PATH", old, 32767) > 0;
    oldPath_ = old;
    std::wstring self = ThisProgram();
    SetEnvironmentVariableW(L"PATH", (self.substr(0, self.rfind(L'\\')) + L";" + oldPath_).c_str());
    SetEnvironmentVariableW(kStandInVariable, marker.c_str());
  }
  ~StandInEnvironment() {
    SetEnvironmentVariableW(kStandInVariable, nullptr);
    SetEnvironmentVariableW(L"PATH", hadPath_ ? oldPath_.c_str() : nullptr);
  }

private:
  bool hadPath_ = false;
  std::wstring oldPath_;
};

// The path the started program wrote into the marker, once it is there (up to 20 s).
std::wstring WaitForMarker(const std::wstring& marker) {
  for (int i = 0; i < 400; ++i) {
    std::string bytes = ReadFileBytes(marker);
    if (!bytes.empty()) return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    Sleep(50);
  }
  return std::wstring();
}

TEST(FirmwareTool, StartsTheToolWhenTheKeyboardIsOlder) {
  ASSERT_FALSE(g_isStandIn);
  UpdateRig rig;
  // A program folder with a blank, and a program named by the part before it: only a
  // quoted command line starts the tool itself.
  const std::wstring programFolder = rig.data.Path() + L"\\Program Files\\";
  CreateDirectoryW(programFolder.c_str(), nullptr);
  CreateDirectoryW((programFolder + L"firmwares").c_str(), nullptr);
  const std::wstring tool = programFolder + L"firmwares\\dravo_q63_0116.exe";
  ASSERT_TRUE(CopyFileW(ThisProgram().c_str(), tool.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(ThisProgram().c_str(), (rig.data.Path() + L"\\Program.exe").c_str(), FALSE));
  rig.dlg.m_exeFolder = programFolder.c_str();
  rig.dlg.m_firmwareVersion = L"115";
  rig.dlg.m_offeredFirmware = L"116";

  const std::wstring marker = rig.data.Path() + L"\\marker";
  {
    StandInEnvironment environment(marker);
    rig.dlg.RunFirmwareTool();
  }
  EXPECT_NE(rig.dlg.m_toolProcessId, 0u);
  EXPECT_EQ(WaitForMarker(marker), tool);
  // Let the copy end before the folder goes.
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, rig.dlg.m_toolProcessId);
  if (process) {
    WaitForSingleObject(process, 20000);
    CloseHandle(process);
  }
}

TEST(FirmwareTool, CurrentFirmwareOrMissingToolStartsNothing) {
  struct Case {
    const wchar_t* firmware;
    const wchar_t* offered;
  } cases[] = {{L"116", L"116"}, {L"117", L"116"}, {L"115", L""}, {L"21", L"22"}};
  for (const Case& c : cases) {
    UpdateRig rig;  // no tool beside the program
    rig.dlg.m_firmwareVersion = c.firmware;
    rig.dlg.m_offeredFirmware = c.offered;
    rig.dlg.m_toolProcessId = 7;
    rig.dlg.RunFirmwareTool();
    // Only an older keyboard looks for the tool, and clears the last id doing so.
    const bool older = c.offered[0] && _wtoi(c.firmware) < _wtoi(c.offered);
    EXPECT_EQ(rig.dlg.m_toolProcessId, older ? 0u : 7u) << c.firmware << " " << c.offered;
  }
}

}  // namespace
