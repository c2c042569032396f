// The update server's texts read on their own: the description's sections and lines, and
// which version texts may name the downloaded files.
#include <gtest/gtest.h>
#include "shell/UpdateDescription.h"

namespace {

const wchar_t* kTwoSections =
    L"[2052]\n1=zh one\n2=zh two\n3=zh three\n"
    L"[1033]\r\n"
    L"1=New version\r\n"
    L"  2 =   Faster start   \r\n"
    L"=not a line\r\n"
    L"\r\n"
    L"no equals sign\r\n"
    L"4=ignored\r\n"
    L"3=a=b\r\n"
    L"[1036]\r\n"
    L"3=from the next section\r\n";

TEST(UpdateDescription, TakesTheLanguageSectionOrFallsBackTo1033) {
  auto zh = ParseUpdateDescription(kTwoSections, 2052);
  EXPECT_EQ(zh[0], L"zh one");
  EXPECT_EQ(zh[1], L"zh two");
  EXPECT_EQ(zh[2], L"zh three");  // "[1033]" ends the section

  for (int language : {1028, 1033}) {
    auto en = ParseUpdateDescription(kTwoSections, language);
    EXPECT_EQ(en[0], L"New version") << language;
    EXPECT_EQ(en[1], L"Faster start") << language;  // key and text trimmed, CR too
    EXPECT_EQ(en[2], L"a=b") << language;            // split at the first "=" only
  }
}

TEST(UpdateDescription, LinesOutsideTheRulesChangeNothing) {
  struct Case {
    const wchar_t* text;
    int language;
    const wchar_t* line1;
    const wchar_t* line2;
  } cases[] = {
      {L"", 1033, L"", L""},
      {L"1=no header", 1033, L"", L""},
      {L"[2052]\n1=only zh", 1033, L"", L""},        // no 1033 section to fall back to
      {L"[2052]\n1=only zh", 1028, L"", L""},
      {L"[1033]\n=1\n 1=x", 1033, L"x", L""},         // a line that starts with "=" is skipped
      {L"[1033]\n1=first\n1=second", 1033, L"second", L""},  // a repeated key overwrites
      {L"[1033]\n1=x\n  [next\n2=y", 1033, L"x", L""},       // a trimmed "[" ends the section
      {L"[1033]\n1\n2=", 1033, L"", L""},             // no "=", and an empty text
      {L"intro [1033] 1=a\n2=b", 1033, L"a", L"b"},  // a header mid-line; the rest of it counts
      {L"[1033]\n1=en\n[1028]\n1=tw", 1028, L"tw", L""},     // the own section wins
      {L"[1033]\n\t1\t=\ttabs\t\n", 1033, L"tabs", L""},
  };
  for (const Case& c : cases) {
    auto lines = ParseUpdateDescription(c.text, c.language);
    EXPECT_EQ(lines[0], c.line1) << c.text;
    EXPECT_EQ(lines[1], c.line2) << c.text;
    EXPECT_EQ(lines[2], L"") << c.text;
  }
}

TEST(UpdateVersionText, OnlyShortPlainVersionsPass) {
  for (const wchar_t* good : {L"1.2.4", L"1", L"10.20.30.4", L"2.0-beta_1", L"1.0.2.1"})
    EXPECT_TRUE(IsUsableVersionText(good)) << good;
  const wchar_t* bad[] = {
      L"",            L"1.0.2.0",      L"1.2.3.4.5.6",  // 11 characters
      L"..\\..\\evil", L"../x",        L"1/2",          L"1\\2",   L"C:1",
      L"1.2.4\n",     L" 1.2.4",       L"1.2.4\r",      L"a*b",    L"1.2<3",
  };
  for (const wchar_t* text : bad) EXPECT_FALSE(IsUsableVersionText(text)) << text;
}

}  // namespace
