// The per-user settings under HKCU "SOFTWARE\<software name>" (every value a REG_SZ text)
// and the Windows Run entry. Failures are silent: readers give 0 or "", writers do nothing.
#pragma once
#include "core/CString.h"

// The decimal number of a value; 0 when it is missing, not a number or too long.
int ReadAppRegInt(const wchar_t* name);
// The text of a value (at most 127 characters); "" when it is missing or longer than that.
// A missing key is created, as at start-up.
CString ReadAppRegString(const wchar_t* name);
// Stores a REG_SZ value when the key exists.
void WriteAppRegString(const wchar_t* name, const CString& text);

// The Run entry that starts the program at logon, minimised: the executable's quoted path
// followed by "-autorun" (a path with spaces would otherwise run another program).
CString AutorunCommand(const CString& exeFolder);
void WriteAutorunEntry(const CString& exeFolder);
void DeleteAutorunEntry();
