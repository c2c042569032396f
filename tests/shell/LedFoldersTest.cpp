// The LED animation folders are built only from parts that each name one folder: a path
// from an empty or climbing part is empty and so never deleted.
#include <gtest/gtest.h>
#include "shell/LedFolders.h"
#include "support/Utf8.h"

namespace {

TEST(LedFolders, PathsOnlyFromSingleFolderNames) {
  EXPECT_EQ(L"C:\\data\\led\\K102\\", LedModelFolder(L"C:\\data\\", L"K102"));
  EXPECT_EQ(L"C:\\data\\led\\K102\\", LedModelFolder(L"C:\\data", L"K102"));
  EXPECT_EQ(L"C:\\data\\led\\K102\\20240101120000123\\",
            LedAnimationFolder(L"C:\\data\\", L"K102", L"20240101120000123"));

  struct Case {
    const wchar_t* data;
    const wchar_t* model;
    const wchar_t* dir;
  } refused[] = {
      {L"C:\\data\\", L"", L"x"},          // every model's animations
      {L"C:\\data\\", L"K102", L""},       // every animation of the model
      {L"", L"K102", L"x"},
      {L"C:\\data\\", L"..", L"x"},
      {L"C:\\data\\", L"K102", L".."},
      {L"C:\\data\\", L"K102", L"..\\..\\Windows"},
      {L"C:\\data\\", L"K102", L"a\\b"},
      {L"C:\\data\\", L"K/102", L"x"},
      {L"C:\\data\\", L"K102", L"C:x"},
      {L"C:\\data\\", L"K102", L"."},
      {L"C:\\data\\", L"K102", L". ."},
      {L"C:\\data\\", L" ", L"x"},
  };
  for (const Case& c : refused) {
    EXPECT_EQ(L"", LedAnimationFolder(c.data, c.model, c.dir)) << ToUtf8(c.model) << " " << ToUtf8(c.dir);
  }
  EXPECT_EQ(L"", LedModelFolder(L"C:\\data\\", L""));
  EXPECT_EQ(L"", LedModelFolder(L"", L"K102"));
  EXPECT_TRUE(IsSingleFolderName(L"my.anim v2"));
}

}  // namespace
