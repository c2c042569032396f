// Shared by the page tests: a language file whose text of id N reads "T<N>" (so a label
// shows which text it came from), and a real profile database in a temporary folder.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "core/CString.h"
#include "shell/LanguageText.h"
#include "store/KeyboardDataStore.h"
#include "support/TempFolder.h"

namespace pagestest {

// While it lives, LoadLangString reads a 1033.lan of its own: "T<id>" for ids 1-600 in
// section KB.DIALOG, or no texts at all.
class TestLanguage {
public:
  explicit TestLanguage(bool withTexts = true) {
    std::wstring text = L"\xFEFF[KB.DIALOG]\r\n";
    for (int id = 1; withTexts && id <= 600; ++id)
      text += std::to_wstring(id) + L"=T" + std::to_wstring(id) + L"\r\n";
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    WriteFileBytes(m_folder.File(L"1033.lan"), bytes);
    m_oldLanguage = CurrentLanguageId;
    CurrentLanguageId = 1033;
    SetLanguageFolder((m_folder.Path() + L"\\").c_str());
  }
  ~TestLanguage() {
    SetLanguageFolder(CString());
    CurrentLanguageId = m_oldLanguage;
  }

private:
  TempFolder m_folder;
  int m_oldLanguage = 1033;
};

inline CString T(int id) {
  CString s;
  s.Format(L"T%d", id);
  return s;
}

// A store with an opened database of its own, removed at the end.
class TestStore {
public:
  TestStore() {
    CreateDirectoryW(m_folder.File(L"db").c_str(), nullptr);
    EXPECT_TRUE(store.OpenDeviceDb(Folder(), L"K1"));
  }
  ~TestStore() { store.CloseDeviceDb(); }
  CString Folder() const { return (m_folder.Path() + L"\\").c_str(); }

  // Macros named "M<id>" until the list holds `ids` (ids are given in rising order;
  // the ids between are made and deleted again).
  void MakeMacros(std::vector<int> ids, const wchar_t* namePrefix = L"M") {
    int next = 1;
    for (int id : ids) {
      for (; next <= id; ++next) {
        CString name;
        name.Format(L"%s%d", namePrefix, next);
        EXPECT_EQ(store.AddMacro(name), next);
        if (next != id) store.DeleteMacro(next);
      }
    }
  }

  KeyboardDataStore store;

private:
  TempFolder m_folder;
};

inline KeyMacroRecord KeyRow(int profile, int layer, int code, int type = 0, int value = 0, int value2 = 0,
                             int value3 = 0, const wchar_t* desc = L"") {
  KeyMacroRecord r;
  r.profile = profile;
  r.fn_layer = layer;
  r.key_code = code;
  r.layout_value = code;
  r.macro_type = type;
  r.macro_value = value;
  r.macro_value2 = value2;
  r.macro_value3 = value3;
  r.macro_desc = desc;
  return r;
}

}  // namespace pagestest
