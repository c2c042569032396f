// The program configuration read at start-up and the texts of the language files.
#include <gtest/gtest.h>
#include <set>
#include "core/Manager.h"
#include "shell/AppConfig.h"
#include "shell/LanguageText.h"
#include "support/TempFolder.h"

namespace {

struct NameGuard {
  CString saved = Manager::GetDeviceName();
  ~NameGuard() { Manager::SetDeviceName(saved); }
};

CString Folder(const TempFolder& folder) { return CString((folder.Path() + L"\\").c_str()); }

void WriteText(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

TEST(AppConfig, LanguagesAndSoftwareName) {
  NameGuard guard;
  TempFolder folder;
  WriteText(folder.File(L"config.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config><device.info/>"
            "<language.info default_lan=\"1033\"><lan value=\"2052\"/><lan value=\"1033\"/><lan value=\"x\"/></language.info>"
            "<software name=\"QuenbyConfigTest\" version=\"1.2.3\"/></config>");
  LoadAppConfig(Folder(folder));
  EXPECT_EQ(OfferedLanguages, (std::set<int>{0, 1033, 2052}));
  EXPECT_EQ(Manager::GetDeviceName(), L"QuenbyConfigTest");
}

TEST(AppConfig, SoftwareBeforeLanguagesIsNotFound) {
  NameGuard guard;
  Manager::SetDeviceName(L"Before");
  TempFolder folder;
  WriteText(folder.File(L"config.xml"),
            "<config><software name=\"Other\"/><language.info><lan value=\"1033\"/></language.info></config>");
  LoadAppConfig(Folder(folder));
  EXPECT_EQ(OfferedLanguages, (std::set<int>{1033}));
  EXPECT_EQ(Manager::GetDeviceName(), L"Before");
}

TEST(AppConfig, MissingOrBrokenFileChangesNothingButTheLanguages) {
  NameGuard guard;
  Manager::SetDeviceName(L"Before");
  TempFolder folder;
  OfferedLanguages = {1033};
  LoadAppConfig(Folder(folder));
  EXPECT_TRUE(OfferedLanguages.empty());
  WriteText(folder.File(L"config.xml"), "<config><software name=\"Broken\"");
  LoadAppConfig(Folder(folder));
  EXPECT_EQ(Manager::GetDeviceName(), L"Before");
}

TEST(LanguageText, TextsByIdSectionAndLanguage) {
  TempFolder folder;
  WriteText(folder.File(L"1033.lan"), "[KB.DIALOG]\n517=Version\n[OEM]\n1=Brand\n");
  WriteText(folder.File(L"2052.lan"), "[KB.DIALOG]\n517=Other\n");
  SetLanguageFolder(Folder(folder));
  CurrentLanguageId = 1033;
  EXPECT_EQ(LoadLangString(517), L"Version");
  EXPECT_EQ(LoadLangString(1, L"OEM"), L"Brand");
  EXPECT_EQ(LoadLangString(518), L"");
  EXPECT_EQ(LoadLangString(1, L"CAPTION"), L"");
  CurrentLanguageId = 2052;  // no cache: the next lookup reads the other file
  EXPECT_EQ(LoadLangString(517), L"Other");
  CurrentLanguageId = 1031;  // no such file
  EXPECT_EQ(LoadLangString(517), L"");
  CurrentLanguageId = 1033;
  SetLanguageFolder(L"");
}

TEST(LanguageText, ChoiceFollowsTheRegistryAndTheOfferedLanguages) {
  NameGuard guard;
  Manager::SetDeviceName(L"QuenbyLanguageTest");
  RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyLanguageTest");
  OfferedLanguages = {2052, 1028, 1033};

  EXPECT_EQ(ReadLanguageId(), 0);  // no key yet: it is made, nothing is stored
  InitLanguage();
  const int user = int(GetUserDefaultUILanguage());
  const int expected = OfferedLanguages.count(user) ? user : 1033;
  EXPECT_EQ(CurrentLanguageId, expected);
  EXPECT_EQ(ReadLanguageId(), expected);

  WriteLanguageId(1028);  // an offered choice is used as it stands
  InitLanguage();
  EXPECT_EQ(CurrentLanguageId, 1028);

  WriteLanguageId(1031);  // one that is not offered falls back to English, stored
  InitLanguage();
  EXPECT_EQ(CurrentLanguageId, 1033);
  EXPECT_EQ(ReadLanguageId(), 1033);

  OfferedLanguages.clear();
  RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyLanguageTest");
}

// The first start (no "LCID" stored) for users of several languages: their own language
// when config.xml offers it, English otherwise; either way the choice is stored.
TEST(LanguageText, FirstStartTakesTheUsersLanguageWhenOffered) {
  NameGuard guard;
  Manager::SetDeviceName(L"QuenbyLanguageTest");
  const struct {
    int user;
    std::set<int> offered;
    int chosen;
  } cases[] = {
      {1031, {2052, 1028, 1033}, 1033}, {1028, {2052, 1028, 1033}, 1028},
      {2052, {2052, 1028, 1033}, 2052}, {2052, {}, 1033},
  };
  for (const auto& c : cases) {
    RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyLanguageTest");
    OfferedLanguages = c.offered;
    InitLanguage(c.user);
    EXPECT_EQ(CurrentLanguageId, c.chosen) << c.user;
    EXPECT_EQ(ReadLanguageId(), c.chosen) << c.user;
  }
  OfferedLanguages.clear();
  CurrentLanguageId = 1033;
  RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\QuenbyLanguageTest");
}
