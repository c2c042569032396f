// The program's configuration from "config.xml" beside the executable: the offered
// languages and the software name (which names the registry key, the data folder, the
// single-instance mutex and the window).
#pragma once
#include <set>
#include "core/CString.h"

// Language ids (LCIDs) that config.xml offers; empty when it offers none.
extern std::set<int> OfferedLanguages;

// Reads "config.xml" in `folder` (with a trailing backslash): "language.info" with its
// "lan" values, then "software" and its "name", which goes to Manager::SetDeviceName.
// A file that cannot be read or parsed changes nothing but emptying the languages.
void LoadAppConfig(const CString& folder);
