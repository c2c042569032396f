// Shared by the profile tests: a store on a real database in a temporary folder, a small
// keyboard, the language's words, and a look at every row of a database.
#pragma once
#include <ostream>
#include <string>
#include <vector>
#include "shell/ProfileBook.h"
#include "store/StoreTestUtil.h"

// Failure messages show texts as texts.
inline void PrintTo(const CString& text, std::ostream* out) { *out << '"' << ToUtf8(text) << '"'; }

namespace profiletest {

// "<base> <n>"
inline CString Numbered(const wchar_t* base, int n) {
  CString name;
  name.Format(L"%s %d", base, n);
  return name;
}

inline ProfileNameTexts Texts() { return {L"Profile", L"Config", L"Mine"}; }

// Five keys of an on-screen keyboard, the knob (255) among them.
inline std::vector<ProfileKey> SmallKeyboard() {
  return {{41, L"Esc"}, {4, L"A"}, {5, L"B"}, {224, L"L-Ctrl"}, {255, L"Knob"}};
}

// Every row of every table, in a fixed order: two databases that print alike hold the
// same data.
inline std::string Dump(storetest::RawDb& db) {
  std::string out;
  for (const std::string& table :
       db.Column("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
    std::string columns = "''";
    for (const std::string& column : db.Column(("SELECT name FROM pragma_table_info('" + table + "')").c_str()))
      columns += " || '|' || quote(" + column + ")";
    out += "[" + table + "]\n";
    for (const std::string& row : db.Column(("SELECT " + columns + " FROM " + table + " ORDER BY rowid").c_str()))
      out += row + "\n";
  }
  return out;
}

// A key row without its ids, for comparing rows of two profiles.
inline std::string KeyText(const KeyMacroRecord& r) {
  return std::to_string(r.fn_layer) + "|" + std::to_string(r.key_code) + "|" + std::to_string(r.layout_value) +
         "|" + ToUtf8(r.layout_desc) + "|" + std::to_string(r.macro_type) + "|" + std::to_string(r.macro_value) +
         "|" + std::to_string(r.macro_value2) + "|" + std::to_string(r.macro_value3) + "|" + ToUtf8(r.macro_desc);
}

inline std::vector<std::string> KeyTexts(KeyboardDataStore& store, int profile) {
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  store.GetProfileKeyMacros(profile, rows);
  std::vector<std::string> out;
  for (const auto& r : rows) out.push_back(KeyText(*r));
  return out;
}

}  // namespace profiletest
