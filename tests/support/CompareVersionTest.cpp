#include <gtest/gtest.h>
#include "support/CompareVersion.h"

namespace {

TEST(CompareVersion, PartByPart) {
  struct Case {
    const wchar_t* first;
    const wchar_t* second;
    int result;
  } cases[] = {
      {L"1.0.2", L"1.0.10", 1}, {L"2.0", L"1.9", -1},  {L"1.2", L"1.2.0", 2},
      {L"1.a", L"1.0", 0},      {L"1.0.0", L"1.0.0", 0}, {L"10", L"9", -1},
      {L"1.2x", L"1.2", 0},     {L"", L"", 0},          {L"1..2", L"1.0.2", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CompareVersion(c.first, c.second), c.result) << "first " << c.first << " second " << c.second;
}

TEST(CompareVersion, SplitKeepsEmptyPieces) {
  EXPECT_EQ(SplitString(L"", L"."), (std::vector<CString>{L""}));
  EXPECT_EQ(SplitString(L"1..2", L"."), (std::vector<CString>{L"1", L"", L"2"}));
  EXPECT_EQ(SplitString(L".a.", L"."), (std::vector<CString>{L"", L"a", L""}));
  EXPECT_EQ(SplitString(L"a--b-c", L"--"), (std::vector<CString>{L"a", L"b-c"}));
  EXPECT_EQ(SplitString(L"a.b", L""), (std::vector<CString>{L"a.b"}));
}

}  // namespace
