// The texts the update server serves beside a new version: the offer's description and
// the version text itself, read without any network or window.
#pragma once
#include <array>
#include "core/CString.h"

// Lines 1-3 of the section "[<languageId>]" of an update description, falling back to
// the section "[1033]"; lines that are missing stay empty. A section holds "key = text"
// lines separated by LF and ends at the next line that begins with "[".
std::array<CString, 3> ParseUpdateDescription(const CString& text, int languageId);

// Whether a version text from the server is usable. It names the downloaded files, so
// besides the length limit (1-10 characters) only letters, digits, ".", "-" and "_" pass;
// a separator, a drive colon or a line end is refused. "1.0.2.0" is never offered.
bool IsUsableVersionText(const CString& version);
