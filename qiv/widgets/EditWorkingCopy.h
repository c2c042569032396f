// Where the picture editor keeps the working copy of the picture being edited: the
// per-user data folder's "edit" folder, one "edit_<file name>" per source picture.
#pragma once
#include "core/CString.h"
#include "qiv_export.h"

// The per-user data folder: the local application-data folder, then "<device name> Files\"
// (with its trailing backslash).
QIV_API CString GetUserDataFolder();

// The part after the last '\' (or after the last '/' when there is no '\'), or the path.
QIV_API CString GetFileNameFromPath(const CString& path);

// The folder of the working copies (with its trailing backslash).
QIV_API CString GetEditFolder();

// The working copy of a source picture.
QIV_API CString GetEditWorkingCopyPath(const CString& source);
