// Conversion between the program's wide strings and UTF-8 (database text, URLs, HTTP bodies).
#pragma once
#include <string>
#include "core/CString.h"

// Malformed UTF-16 becomes the replacement character; the result stops at the first NUL.
std::string ToUtf8(const CString& text);
// A null pointer or rejected text gives an empty string; malformed UTF-8 is replaced.
CString FromUtf8(const char* text);
