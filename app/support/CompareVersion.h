// Dotted version texts ("1.0.10") compared part by part, and the splitting they use.
#pragma once
#include <vector>
#include "core/CString.h"

// 0 equal, 1 `first` is older, -1 `first` is newer, 2 the texts have different numbers
// of parts. Each part reads as its leading decimal digits (none give 0).
int CompareVersion(const CString& first, const CString& second);

// The pieces between the delimiters: n delimiters give n + 1 pieces, empty ones
// included. An empty delimiter gives the whole text as one piece.
std::vector<CString> SplitString(const CString& text, const CString& delimiter);
