#include "widgets/EditWorkingCopy.h"
#include <shlobj.h>
#include "core/Manager.h"

CString GetUserDataFolder() {
  wchar_t base[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base))) return CString();
  CString folder;
  folder.Format(L"%s\\%s Files\\", base, Manager::GetDeviceName().GetString());
  return folder;
}

CString GetFileNameFromPath(const CString& path) {
  int slash = path.ReverseFind(L'\\');
  if (slash < 0) slash = path.ReverseFind(L'/');
  return slash < 0 ? path : path.Mid(slash + 1);
}

CString GetEditFolder() {
  const CString data = GetUserDataFolder();
  return data.IsEmpty() ? CString() : data + L"edit\\";
}

CString GetEditWorkingCopyPath(const CString& source) {
  const CString folder = GetEditFolder();
  return folder.IsEmpty() ? CString() : folder + L"edit_" + GetFileNameFromPath(source);
}
