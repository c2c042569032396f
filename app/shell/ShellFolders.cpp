#include "shell/ShellFolders.h"
#include <windows.h>

bool DeleteFolderTree(const CString& folder) {
  CString base = folder;
  if (base.IsEmpty()) return false;
  if (base[base.GetLength() - 1] != L'\\') base += L'\\';
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((base + L"*").GetString(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      CString name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      CString path = base + name;
      // A link to a folder is removed as a link; what it points to stays.
      if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        DeleteFolderTree(path);
      } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(path.GetString());
      } else {
        SetFileAttributesW(path.GetString(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.GetString());
      }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(base.GetString());
  return GetFileAttributesW(base.GetString()) == INVALID_FILE_ATTRIBUTES;
}
