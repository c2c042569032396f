// The per-user registry values and the Run entry: readers always return a terminated,
// whole text (or nothing), and the Run entry's program path is quoted.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "core/Manager.h"
#include "shell/AppSettings.h"

namespace {

constexpr wchar_t kName[] = L"QuenbySettingsTest";
const std::wstring kKey = std::wstring(L"SOFTWARE\\") + kName;

class AppSettings : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = Manager::GetDeviceName();
    Manager::SetDeviceName(kName);
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
    Manager::SetDeviceName(previous_);
  }
  // Stores raw bytes under the program's key, as another program might have.
  void Store(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
  }
  CString previous_;
};

}  // namespace

TEST_F(AppSettings, ReadersGiveWholeTerminatedTextsOrNothing) {
  // A missing key is created by the first read and reads as nothing.
  EXPECT_EQ(std::wstring(ReadAppRegString(L"theme_bkg").GetString()), L"");
  EXPECT_EQ(ReadAppRegInt(L"exit_mode"), 0);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);

  const std::wstring longest(127, L'x'), tooLong(128, L'y');
  struct Case {
    const wchar_t* what;
    std::wstring stored;
    bool terminated;
    std::wstring text;
    int number;
  };
  const Case cases[] = {
      {L"a number", L"1", true, L"1", 1},
      {L"not a number", L"abc", true, L"abc", 0},
      {L"127 characters", longest, true, longest, 0},
      {L"too long to read whole", tooLong, true, L"", 0},
      {L"stored without its terminator", L"2052", false, L"2052", 2052},
  };
  for (const Case& c : cases) {
    const DWORD bytes = DWORD((c.stored.size() + (c.terminated ? 1 : 0)) * sizeof(wchar_t));
    Store(L"value", REG_SZ, c.stored.c_str(), bytes);
    EXPECT_EQ(std::wstring(ReadAppRegString(L"value").GetString()), c.text) << c.what;
    EXPECT_EQ(ReadAppRegInt(L"value"), c.number) << c.what;
  }
  // A value of an odd length (not whole characters) still ends where its data ends.
  const char odd[] = {'7', 0, '5', 0, '9'};
  Store(L"odd", REG_BINARY, odd, sizeof(odd));
  EXPECT_EQ(std::wstring(ReadAppRegString(L"odd").GetString()), L"75");

  WriteAppRegString(L"exit_mode", L"1");
  EXPECT_EQ(ReadAppRegInt(L"exit_mode"), 1);
}

TEST_F(AppSettings, WriterNeedsTheKeyAndTheRunEntryQuotesTheProgram) {
  WriteAppRegString(L"exit_mode", L"1");  // no key yet: nothing is written
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);

  EXPECT_EQ(std::wstring(AutorunCommand(L"C:\\Program Files\\Quenby\\").GetString()),
            L"\"C:\\Program Files\\Quenby\\Quenby.exe\" -autorun");
  WriteAutorunEntry(L"C:\\Program Files\\Quenby\\");
  wchar_t text[300] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", kName,
                         RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(text), L"\"C:\\Program Files\\Quenby\\Quenby.exe\" -autorun");
  DeleteAutorunEntry();
  size = sizeof(text);
  EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", kName,
                         RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
}
