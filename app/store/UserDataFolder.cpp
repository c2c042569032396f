#include "store/UserDataFolder.h"
#include <windows.h>
#include <shlobj.h>
#include <mutex>
#include "core/Manager.h"

namespace {
std::mutex g_lock;
CString g_override;
}  // namespace

CString GetUserDataFolder() {
  {
    std::lock_guard<std::mutex> guard(g_lock);
    if (!g_override.IsEmpty()) return g_override;
  }
  wchar_t base[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)))
    base[0] = L'\0';
  CString folder;
  folder.Format(L"%s\\%s Files\\", base, Manager::GetDeviceName().GetString());
  return folder;
}

void SetUserDataFolder(const CString& folder) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_override = folder;
  if (!g_override.IsEmpty() && g_override.Right(1) != L"\\") g_override += L"\\";
}
