// The per-user data folder: the local application-data folder followed by
// "\<software name> Files\". The profile databases lie in its "db" subfolder.
#pragma once
#include "core/CString.h"

// Ends with a backslash; creates nothing.
CString GetUserDataFolder();
// Points the program at another folder (tests, portable runs); empty restores the default.
void SetUserDataFolder(const CString& folder);
