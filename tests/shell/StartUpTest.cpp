// The start-up routines that decide before any window exists: the DPI rule and the scale
// it asks for, and the creation of the profile folder's tree.
#include <gtest/gtest.h>
#include <windows.h>
#include "shell/StartUp.h"
#include "support/TempFolder.h"

TEST(StartUp, MonitorScaleOfEachDpi) {
  const struct {
    int dpi, scale;
  } cases[] = {{72, 100}, {96, 100}, {97, 100}, {120, 125}, {121, 100}, {144, 144},
               {168, 168}, {192, 192}, {240, 100}};
  for (const auto& c : cases) EXPECT_EQ(ScaleOfDpi(c.dpi), c.scale) << c.dpi;
}

TEST(StartUp, DpiRuleAsksTheScaleOnlyForAFullHdScreen) {
  const struct {
    int width, height, scale;
    bool aware, asked;
  } cases[] = {
      {1366, 768, 100, true, false},  {1280, 1024, 192, true, false}, {1400, 788, 192, false, false},
      {1920, 1080, 120, false, true}, {1920, 1080, 125, false, true}, {1920, 1080, 144, true, true},
      {1920, 1080, 168, true, true},  {1920, 1080, 192, true, true},  {2560, 1440, 192, false, false},
      {1920, 1200, 192, false, false},
  };
  for (const auto& c : cases) {
    bool asked = false;
    const bool aware = NeedsDpiAwareness(c.width, c.height, [&] {
      asked = true;
      return c.scale;
    });
    EXPECT_EQ(aware, c.aware) << c.width << "x" << c.height << " at " << c.scale;
    EXPECT_EQ(asked, c.asked) << c.width << "x" << c.height;
  }
  // This machine's monitor gives one of the scales the rule knows.
  const int scale = GetMonitorScale();
  EXPECT_TRUE(scale == 100 || scale == 125 || scale == 144 || scale == 168 || scale == 192) << scale;
}

TEST(StartUp, DirectoryTreeCreatesEveryMissingFolder) {
  TempFolder temp;
  const std::wstring deep = temp.Path() + L"\\Quenby Files\\db\\one\\two";
  EXPECT_TRUE(CreateDirectoryTree(deep.c_str()));
  EXPECT_TRUE(GetFileAttributesW(deep.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_NE(GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES);
  // Present already, or with a trailing backslash: nothing to do, still true.
  EXPECT_TRUE(CreateDirectoryTree(deep.c_str()));
  EXPECT_TRUE(CreateDirectoryTree((temp.Path() + L"\\Quenby Files\\").c_str()));

  // A file where a folder must go: the tree cannot be made, and the file stays.
  const std::wstring file = temp.File(L"taken");
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, "keep", 4, &written, nullptr);
  CloseHandle(h);
  EXPECT_FALSE(CreateDirectoryTree((file + L"\\db").c_str()));
  EXPECT_FALSE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(CreateDirectoryTree(L""));
}
