// The program entry: configuration, one instance per logon, the process-wide services,
// then the main dialog as a modal window until it is closed.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <cwchar>
#include <memory>
#include "core/Manager.h"
#include "shell/AppConfig.h"
#include "shell/KeyboardDlg.h"
#include "shell/LanguageText.h"
#include "shell/StartUp.h"
#include "store/UserDataFolder.h"
#include "support/WriteLog.h"

namespace {

// Another instance is running: bring its main window (found by the property it sets on
// itself) to the front, also when it is hidden in the tray.
void ShowRunningInstance(const CString& name) {
  for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w && IsWindow(w); w = GetWindow(w, GW_HWNDNEXT)) {
    if (!GetPropW(w, name.GetString())) continue;
    SetForegroundWindow(w);
    ShowWindow(w, SW_SHOWNORMAL);
    UpdateWindow(w);
    BringWindowToTop(w);
    return;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  ApplyDpiRule();
  LoadAppConfig(GetExeFolder());
  const CString name = Manager::GetDeviceName();
  HANDLE instanceMutex = CreateMutexW(nullptr, TRUE, name.GetString());
  if (instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(instanceMutex);
    ShowRunningInstance(name);
    return 0;
  }
  WriteLog(2, "KBLog");
  EnableDebugPrivilege();  // nothing depends on it
  Manager::InitGdiplus();
  InitLanguage();
  Manager::SetInstance(instance);
  CreateDirectoryTree(GetUserDataFolder() + L"db");
  CoInitialize(nullptr);
  OleInitialize(nullptr);

  const int show = commandLine && wcsstr(commandLine, L"autorun") ? SW_MINIMIZE : SW_SHOW;
  {
    // The dialog goes before COM and GDI+ do: its audio and drawing objects belong to them.
    auto dialog = std::make_unique<KeyboardDlg>();
    dialog->ShowModalMain(show);
  }
  // The reverse of the start: OLE goes before the COM it stands on.
  OleUninitialize();
  CoUninitialize();
  Manager::UnInitGdiplus();
  return 1;
}
