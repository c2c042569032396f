// How profiles are named: the name a stored profile name is shown with in the current
// language, and the first free "<base> <n>" for a new profile.
#pragma once
#include <vector>
#include "core/CString.h"

// The language's words the names are made of. The main window and the profile dialog
// differ only in which words they pass.
struct ProfileNameTexts {
  CString newName;      // base of new and default profiles: "<newName> 1"
  CString profileWord;  // shown for stored names that begin with a default word
  CString privateWord;  // shown for stored names that begin with the traditional-Chinese word
};

// A stored name that begins with "Profile", "配置文件" (both: profileWord) or "我的專屬配寘"
// (privateWord) is shown with that word in its place; the comparison is exact and
// case-sensitive. Any other name is shown as stored.
CString DisplayProfileName(const CString& stored, const ProfileNameTexts& texts);

// The first of "<base> 1", "<base> 2" ... that no text of `taken` equals exactly. The
// search ends at 1000, which is answered even when taken. With `texts`, a name is taken
// also when the name it is shown as is: pass the stored and the shown names, so that a
// new name neither repeats a stored one nor looks like one the list already shows.
CString MakeUniqueProfileName(const CString& base, const std::vector<CString>& taken,
                              const ProfileNameTexts* texts = nullptr);
