#include "shell/LanguageText.h"
#include <windows.h>
#include "core/Manager.h"

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
