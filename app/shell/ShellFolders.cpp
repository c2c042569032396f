#include "shell/ShellFolders.h"
#include <windows.h>
#include <string>
#include <vector>

bool IsDeletableFolderPath(const CString& folder) {
  std::wstring path = folder.GetString();
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  // One trailing separator ends the folder's name. A second one is an empty last part: a
  // path built from an empty name ("led\\" + "" + "\\"), which would name the folder above.
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  if (path.empty() || path.back() == L'\\') return false;
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = path.find(L'\\', start);
    std::wstring part = path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    // A doubled separator inside the path (a base folder that ends with one, joined with
    // another) names no folder of its own; the file system reads it as one.
    if (!part.empty()) parts.push_back(part);
    else if (start == 0) return false;  // "\\..." : no drive
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  for (const std::wstring& part : parts) {
    if (part == L"." || part == L"..") return false;
  }
  // "C:" and the folder inside it at least: never a whole drive.
  return parts.size() >= 2 && parts[0].size() == 2 && parts[0][1] == L':';
}

bool DeleteFolderTree(const CString& folder) {
  if (!IsDeletableFolderPath(folder)) return false;
  CString base = folder;
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
