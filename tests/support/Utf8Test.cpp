#include <gtest/gtest.h>
#include "support/Utf8.h"

TEST(Utf8, RoundTripsAndEdgeCases) {
  struct Case { const wchar_t* wide; const char* utf8; } cases[] = {
      {L"", ""},
      {L"abc", "abc"},
      {L"\u00e9t\u00e9", "\xc3\xa9t\xc3\xa9"},
      {L"\u952e\u76d8", "\xe9\x94\xae\xe7\x9b\x98"},
      {L"\U0001F3B5", "\xf0\x9f\x8e\xb5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(c.utf8), ToUtf8(c.wide));
    EXPECT_EQ(CString(c.wide), FromUtf8(c.utf8));
  }
  EXPECT_TRUE(FromUtf8(nullptr).IsEmpty());
}

TEST(Utf8, MalformedInputIsReplacedNotRefused) {
  EXPECT_FALSE(FromUtf8("a\xff" "b").IsEmpty());
  std::wstring lone(1, static_cast<wchar_t>(0xD800));
  EXPECT_FALSE(ToUtf8(CString(lone)).empty());
}
