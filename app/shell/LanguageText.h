// The program's texts by number, from the language file of the current language
// ("language\<id>.lan" beside the executable, INI format). Nothing is cached: a change
// of language shows with the next lookup.
#pragma once
#include "core/CString.h"

// The language id (a Windows LCID) that names the language file; 1033 until start-up
// chooses one.
extern int CurrentLanguageId;

// The text of `id` in `section` ("KB.DIALOG", "OEM", "CAPTION"); empty when the file,
// the section or the key is missing.
CString LoadLangString(int id, const wchar_t* section = L"KB.DIALOG");
// One INI lookup, at most 259 characters.
CString ReadIniString(const wchar_t* section, const wchar_t* key, const CString& file);

// The folder of the language files (with a trailing backslash); the executable's
// "language\" folder unless a test or a portable run points elsewhere (empty restores it).
CString GetLanguageFolder();
void SetLanguageFolder(const CString& folder);

// The "LCID" value under HKCU "SOFTWARE\<software name>": 0 when the value is missing
// (a missing key is created), 2052 when the key can neither be opened nor created.
int ReadLanguageId();
// Writes "LCID" when the key opens; nothing otherwise.
void WriteLanguageId(int lcid);
// Chooses CurrentLanguageId from the registry, else the user's interface language, and
// settles on 1033 when config.xml does not offer the choice.
void InitLanguage();
// The same for a user whose interface language is `userLanguage`.
void InitLanguage(int userLanguage);
