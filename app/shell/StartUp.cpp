#include "shell/StartUp.h"
#include <windows.h>
#include <shlwapi.h>

namespace {

// Shcore's GetDpiForMonitor, looked up at run time: older systems lack the library.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

}  // namespace

int ScaleOfDpi(int dpi) {
  if (dpi <= 96) return 100;
  if (dpi == 120) return 125;
  if (dpi == 144 || dpi == 168 || dpi == 192) return dpi;
  return 100;
}

int GetMonitorScale() {
  const POINT corner = {1, 1};
  HMONITOR monitor = MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST);
  if (!monitor) return 100;
  UINT dpiX = 96, dpiY = 96;
  // The library stays loaded: the process asks once, at start.
  if (HMODULE shcore = LoadLibraryW(L"Shcore.dll")) {
    auto query = reinterpret_cast<GetDpiForMonitorFn>(
        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    if (query && FAILED(query(monitor, 0 /* effective DPI */, &dpiX, &dpiY))) {
      MessageBoxW(nullptr, L"GetDpiForMonitor failed", L"Notification", MB_OK);
      dpiX = 96;
    }
  }
  return ScaleOfDpi(int(dpiX));
}

bool ApplyDpiRule() {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (!NeedsDpiAwareness(width, height, [] { return GetMonitorScale(); })) return false;
  SetProcessDPIAware();
  return true;
}

bool EnableDebugPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  bool enabled = false;
  if (LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid)) {
    // AdjustTokenPrivileges succeeds also when it could not assign the privilege: the
    // last error tells.
    SetLastError(ERROR_SUCCESS);
    enabled = AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(privileges), nullptr, nullptr) &&
              GetLastError() == ERROR_SUCCESS;
  }
  CloseHandle(token);
  return enabled;
}

bool CreateDirectoryTree(const CString& path) {
  if (path.IsEmpty()) return false;
  if (PathIsDirectoryW(path.GetString())) return true;
  const wchar_t* text = path.GetString();
  const wchar_t* first = wcschr(text, L'\\');
  if (first) {
    for (const wchar_t* slash = wcschr(first + 1, L'\\'); slash; slash = wcschr(slash + 1, L'\\')) {
      const CString folder(text, int(slash - text));
      CreateDirectoryW(folder.GetString(), nullptr);
    }
  }
  SetLastError(ERROR_SUCCESS);
  return CreateDirectoryW(text, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
