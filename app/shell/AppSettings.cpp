#include "shell/AppSettings.h"
#include <windows.h>
#include <cwchar>
#include "core/Manager.h"

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// 127 characters and the terminator: what a value may hold to be read at all.
constexpr DWORD kValueChars = 128;

CString SoftwareKey() { return L"SOFTWARE\\" + Manager::GetDeviceName(); }

// Opens the program's key; a missing key is created (and nothing is read from it).
HKEY OpenAppKey(bool& created) {
  created = false;
  HKEY key = nullptr;
  LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, SoftwareKey().GetString(), 0, KEY_ALL_ACCESS, &key);
  if (opened == ERROR_FILE_NOT_FOUND) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SoftwareKey().GetString(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
      RegCloseKey(key);
    created = true;
    return nullptr;
  }
  return opened == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

CString ReadAppRegString(const wchar_t* name) {
  bool created = false;
  HKEY key = OpenAppKey(created);
  if (!key) return CString();
  // Room for 127 characters and a terminator, plus a terminator of our own for data that
  // came without one. A value that does not fit reads as "" rather than as its beginning.
  wchar_t text[kValueChars + 1] = {};
  DWORD size = kValueChars * sizeof(wchar_t);
  LONG read = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS) return CString();
  size_t length = size / sizeof(wchar_t);
  if (length > 0 && text[length - 1] == 0) --length;
  if (length >= kValueChars) return CString();
  text[length] = 0;
  return CString(text);
}

int ReadAppRegInt(const wchar_t* name) {
  return int(wcstol(ReadAppRegString(name).GetString(), nullptr, 10));
}

void WriteAppRegString(const wchar_t* name, const CString& text) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SoftwareKey().GetString(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.GetString()),
                 DWORD((text.GetLength() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

CString AutorunCommand(const CString& exeFolder) {
  return L"\"" + exeFolder + L"Quenby.exe\" -autorun";
}

void WriteAutorunEntry(const CString& exeFolder) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const CString command = AutorunCommand(exeFolder);
  RegSetValueExW(key, Manager::GetDeviceName().GetString(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(command.GetString()), DWORD((command.GetLength() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void DeleteAutorunEntry() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, Manager::GetDeviceName().GetString());
  RegCloseKey(key);
}
