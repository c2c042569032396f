// Software update check and install, and the firmware-writing tool.
#include "shell/KeyboardDlg.h"
#include <shellapi.h>
#include <cwchar>
#include <string>
#include "shell/LanguageText.h"
#include "shell/UpdateDecisions.h"
#include "shell/UpdateDescription.h"
#include "support/CompareVersion.h"
#include "support/ZipReader.h"

namespace {

constexpr const wchar_t* kToolPackage = L"DeviceFlasher.zip";
constexpr const wchar_t* kToolInstaller = L"DeviceFlasher.exe";

bool IsFile(const CString& path) {
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Downloads `package` into the download folder and unpacks it there. Returns the path of
// `program` when the package brought it, else empty. An archive that does not unpack
// stays where it is; a download cut short by the close is not unpacked at all.
CString FetchProgram(KeyboardDlg& dlg, const CString& url, const CString& package, const CString& program) {
  if (dlg.m_userDataFolder.IsEmpty()) return CString();
  const CString folder = dlg.m_userDataFolder + L"temp\\";
  CreateDirectoryTree(nullptr, folder);
  const CString archive = folder + package;
  const CString programPath = folder + program;
  DeleteFileW(archive);
  // A program left by an earlier attempt must not pass for this package's.
  DeleteFileW(programPath);

  if (dlg.m_download.HttpDownloadFile(url, archive, dlg.GetSafeHwnd()) == -2) return CString();
  if (!IsFile(archive)) return CString();
  if (ZipExtractAll(archive, folder)) DeleteFileW(archive);
  return IsFile(programPath) ? programPath : CString();
}

}  // namespace

// Hands the installer to the shell and ends this process, which the installer replaces.
// Once the window is closing no program is opened: the user has asked for the end, not
// for an installation.
void KeyboardDlg::OpenProgramAndExit(const CString& program) {
  std::lock_guard<std::mutex> hold(m_closeLock);
  if (m_quitting) return;
  if (m_openProgram) m_openProgram(program);
  else ShellExecuteW(nullptr, L"open", program, nullptr, nullptr, SW_SHOW);
  ExitNow(0);
}

void KeyboardDlg::CheckSoftwareUpdate() {
  if (m_updateBaseUrl.IsEmpty()) return;
  m_latestVersion.Empty();
  CString version;
  // Only a whole text counts: a transfer cut short by the close holds the first digits of
  // the version, which would read as another one and offer it.
  if (m_download.HttpGetText(m_updateBaseUrl + L"version", version) != 1) return;
  if (!IsUsableVersionText(version)) return;

  m_latestVersion = version;
  const int order = CompareVersion(m_softwareVersion, version);
  const HWND window = GetSafeHwnd();
  if (order == 1 || order == 2) {  // older, or numbered differently
    for (CString& line : m_updateLines) line.Empty();
    CString description;
    if (m_download.HttpGetText(m_updateBaseUrl + L"update_desc", description) == -2) return;  // closing
    if (!description.IsEmpty()) {
      const int language = m_languageId ? m_languageId() : CurrentLanguageId;
      const auto lines = ParseUpdateDescription(description, language);
      for (int i = 0; i < 3; ++i) m_updateLines[i] = lines[i];
    }
    m_updateResult = 1;
    if (window) ::PostMessageW(window, UM_UPDATE_RESULT, 1, 1);
  } else {
    m_updateResult = 2;
    // Only a check asked for on the settings page reports "up to date"; whether the page
    // shows is the window thread's to see.
    OnWindowThread([this, window] {
      if (window && IsControlVisible(79)) ::PostMessageW(window, UM_UPDATE_RESULT, 1, 2);
    });
  }
}

void KeyboardDlg::InstallSoftwareUpdate() {
  // The version names the downloaded files; a text that could leave the folder is refused.
  if (!IsUsableVersionText(m_latestVersion) || m_updateBaseUrl.IsEmpty()) return;
  const CString package = L"Quenby-" + m_latestVersion + L".zip";
  const CString installer = L"Quenby-" + m_latestVersion + L".exe";
  const CString program = FetchProgram(*this, m_updateBaseUrl + package, package, installer);
  if (!program.IsEmpty()) OpenProgramAndExit(program);
}

void KeyboardDlg::InstallFirmwareTool() {
  if (m_toolPackageBaseUrl.IsEmpty()) return;
  const CString program = FetchProgram(*this, m_toolPackageBaseUrl + kToolPackage, kToolPackage, kToolInstaller);
  // Without the tool there is nothing to hand over to: the program keeps running.
  if (!program.IsEmpty()) OpenProgramAndExit(program);
}

void KeyboardDlg::RunFirmwareTool() {
  CString firmware, offered;
  {
    std::lock_guard<std::mutex> hold(m_pageStateLock);  // the worker writes both
    firmware = m_firmwareVersion;
    offered = m_offeredFirmware;
  }
  if (IsFirmwareOlder(firmware, offered)) {
    m_toolProcessId = 0;
    const CString path = FirmwareToolPath();
    if (!IsFile(path)) return;
    // Quoted, so that a program folder with blanks cannot start a program named by a
    // prefix of the path.
    std::wstring commandLine = L"\"" + path.str() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
      return;
    // The handle first: the worker starts waiting once it sees the id.
    if (HANDLE earlier = m_toolProcess.exchange(process.hProcess)) CloseHandle(earlier);
    m_toolProcessId = process.dwProcessId;
    if (GetSafeHwnd()) ::ShowWindow(GetSafeHwnd(), SW_HIDE);
    CloseHandle(process.hThread);
    return;
  }
  // The keyboard's firmware is current: the window says so (a dialog without its window,
  // as the worker's own tests run it, has nobody to tell).
  if (!GetSafeHwnd()) return;
  KeyboardDef::ShowControl(65, 1);
  AskUser(LoadLangString(531), LoadLangString(533), 0);
  KeyboardDef::ShowControl(65, 0);
}
