// The update flow's decisions from version texts alone, kept as the program has always
// made them: a different number of parts is offered, and the keyboard's hexadecimal
// firmware text is compared as a decimal number.
#include <gtest/gtest.h>
#include "shell/UpdateDecisions.h"
#include "support/Utf8.h"

namespace {

TEST(UpdateDecisions, SoftwareOfferedWhenOlderOrNumberedDifferently) {
  struct Case {
    const wchar_t* running;
    const wchar_t* latest;
    bool offered;
  } cases[] = {
      {L"1.2.3", L"1.2.4", true},  {L"1.2.3", L"1.2.3", false}, {L"1.2.3", L"1.2.2", false},
      {L"1.2.3", L"1.2", true},    {L"1.2.3", L"1.2.3.4", true}, {L"1.2.3", L"1.10.0", true},
      {L"1.10.0", L"1.9.9", false}, {L"2.0.0", L"1.0", true},     // fewer parts, yet offered
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.offered, IsSoftwareUpdateOffered(c.running, c.latest)) << ToUtf8(c.running) << " " << ToUtf8(c.latest);
}

TEST(UpdateDecisions, FirmwareTextsReadAsDecimal) {
  struct Case {
    const wchar_t* keyboard;
    const wchar_t* offered;
    bool older;
  } cases[] = {
      {L"115", L"116", true},  {L"116", L"116", false}, {L"117", L"116", false},
      {L"", L"116", true},      // not read yet: 0
      {L"11a", L"116", true},   // 0x011A reads as 11
      {L"1a0", L"116", true},   // 0x01A0 reads as 1
      {L"200", L"116", false},  {L"115", L"", false}, {L"21", L"22", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.older, IsFirmwareOlder(c.keyboard, c.offered)) << ToUtf8(c.keyboard) << " " << ToUtf8(c.offered);
}

TEST(UpdateDecisions, FirmwareVersionShownAsMajorAndTwoMinorDigits) {
  EXPECT_EQ(L"v1.16", FirmwareVersionText(L"116"));
  EXPECT_EQ(L"v1.05", FirmwareVersionText(L"105"));
  EXPECT_EQ(L"v1.16", FirmwareVersionText(L"1016"));  // the first character and the last two
  EXPECT_EQ(L"v22", FirmwareVersionText(L"22"));
  EXPECT_EQ(L"v", FirmwareVersionText(L""));
  EXPECT_EQ(L"Latest firmware: v1.16, update now?", FirmwareOfferText(L"Latest firmware", L"116", L"update now?"));
}

}  // namespace
