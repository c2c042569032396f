// The removal of a folder tree (the program's folders come from core/Manager.h).
#pragma once
#include "core/CString.h"

// Deletes the folder, its files and its subfolders; true when it is gone.
bool DeleteFolderTree(const CString& folder);
