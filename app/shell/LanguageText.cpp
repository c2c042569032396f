#include "shell/LanguageText.h"
#include <windows.h>
#include <cwchar>
#include "core/Manager.h"
#include "shell/AppConfig.h"

int CurrentLanguageId = 1033;

namespace {
CString g_languageFolder;
}

CString GetLanguageFolder() {
  if (!g_languageFolder.IsEmpty()) return g_languageFolder;
  return GetExeFolder() + L"language\\";
}

void SetLanguageFolder(const CString& folder) { g_languageFolder = folder; }

CString ReadIniString(const wchar_t* section, const wchar_t* key, const CString& file) {
  wchar_t buffer[260] = {};
  GetPrivateProfileStringW(section, key, nullptr, buffer, 260, file.GetString());
  return CString(buffer);
}

CString LoadLangString(int id, const wchar_t* section) {
  CString key;
  key.Format(L"%d", id);
  CString file;
  file.Format(L"%s%d.lan", GetLanguageFolder().GetString(), CurrentLanguageId);
  return ReadIniString(section, key.GetString(), file);
}

namespace {
CString SoftwareKey() { return L"SOFTWARE\\" + Manager::GetDeviceName(); }
}  // namespace

int ReadLanguageId() {
  HKEY key = nullptr;
  LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, SoftwareKey().GetString(), 0, KEY_ALL_ACCESS, &key);
  if (opened == ERROR_FILE_NOT_FOUND) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SoftwareKey().GetString(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return 2052;
    RegCloseKey(key);
    return 0;
  }
  if (opened != ERROR_SUCCESS) return 2052;
  wchar_t text[128] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);  // the terminator stays
  RegQueryValueExW(key, L"LCID", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return int(wcstol(text, nullptr, 10));
}

void WriteLanguageId(int lcid) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SoftwareKey().GetString(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  CString text;
  text.Format(L"%d", lcid);
  RegSetValueExW(key, L"LCID", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.GetString()),
                 DWORD((text.GetLength() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void InitLanguage() { InitLanguage(int(GetUserDefaultUILanguage())); }

void InitLanguage(int userLanguage) {
  CurrentLanguageId = ReadLanguageId();
  if (CurrentLanguageId == 0) {
    CurrentLanguageId = userLanguage;
    WriteLanguageId(OfferedLanguages.count(CurrentLanguageId) ? CurrentLanguageId : 1033);
  }
  if (!OfferedLanguages.count(CurrentLanguageId)) {
    WriteLanguageId(1033);
    CurrentLanguageId = 1033;
  }
}
