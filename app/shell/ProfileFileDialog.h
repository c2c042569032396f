// The open and save dialogs of the profile exchange file.
#pragma once
#include <windows.h>
#include "core/CString.h"

// The chosen path; empty when the user cancelled.
CString ChooseProfileFile(HWND owner, bool save);
