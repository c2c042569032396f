// The removal of a folder tree (the program's folders come from core/Manager.h).
#pragma once
#include "core/CString.h"

// Whether `folder` names one folder below a drive that may be deleted whole: a full path
// with no "." or ".." part that does not end in an empty part. A path built from an empty
// name ("led\\" + "" + "\\") ends in one and is refused, so it cannot widen a delete to
// the folder above; a drive root is refused too.
bool IsDeletableFolderPath(const CString& folder);
// Deletes the folder, its files and its subfolders; true when it is gone. A path that
// IsDeletableFolderPath refuses deletes nothing and answers false.
bool DeleteFolderTree(const CString& folder);
