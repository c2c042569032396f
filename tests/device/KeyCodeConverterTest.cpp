#include <gtest/gtest.h>
#include "device/KeyCodeConverter.h"

namespace {

unsigned Usage(uint32_t vk) { return KeyCodeConverter::Instance().VirtualKeyToHidUsage(&vk); }
unsigned Bit(unsigned code) { return KeyCodeConverter::Instance().HidModifierBit(code); }
CString Name(unsigned usage) { return KeyCodeConverter::Instance().HidUsageName(usage); }

struct RangeCase {
  uint32_t firstKey, lastKey;
  unsigned firstUsage;
};

TEST(KeyCodeConverter, RangesMapKeyForKey) {
  const RangeCase ranges[] = {
      {65, 90, 4}, {49, 57, 30}, {112, 123, 58}, {124, 135, 104}, {97, 105, 89}, {136, 139, 136},
  };
  for (const RangeCase& r : ranges) {
    for (uint32_t vk = r.firstKey; vk <= r.lastKey; ++vk) EXPECT_EQ(Usage(vk), r.firstUsage + (vk - r.firstKey)) << vk;
  }
}

TEST(KeyCodeConverter, SingleKeysAndPseudoCodes) {
  const std::pair<uint32_t, unsigned> singles[] = {
      {48, 39},   {13, 40},   {27, 41},   {8, 42},    {9, 43},    {32, 44},   {189, 45},  {187, 46},
      {219, 47},  {221, 48},  {220, 49},  {666, 50},  {186, 51},  {222, 52},  {192, 53},  {188, 54},
      {190, 55},  {191, 56},  {20, 57},   {44, 70},   {145, 71},  {19, 72},   {45, 73},   {36, 74},
      {33, 75},   {46, 76},   {35, 77},   {34, 78},   {39, 79},   {37, 80},   {40, 81},   {38, 82},
      {144, 83},  {111, 84},  {106, 85},  {109, 86},  {107, 87},  {108, 88},  {96, 98},   {110, 99},
      {226, 100}, {93, 101},  {162, 224}, {160, 225}, {164, 226}, {91, 227},  {163, 228}, {161, 229},
      {165, 230}, {92, 231},  {254, 175}, {301, 236}, {302, 235},
  };
  for (auto [vk, usage] : singles) EXPECT_EQ(Usage(vk), usage) << vk;
}

TEST(KeyCodeConverter, UnlistedKeysHaveNoUsage) {
  for (uint32_t vk : {0u, 1u, 16u, 17u, 18u, 47u, 58u, 64u, 255u, 300u, 303u, 665u, 667u, 0xFFFFFFFFu})
    EXPECT_EQ(Usage(vk), 0u) << vk;
  EXPECT_EQ(KeyCodeConverter::Instance().VirtualKeyToHidUsage(nullptr), 0u);
}

TEST(KeyCodeConverter, ModifierBitsForVirtualKeysAndUsages) {
  const unsigned keys[] = {162, 160, 164, 91, 163, 161, 165, 92};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Bit(keys[i]), 1u << i) << keys[i];
    EXPECT_EQ(Bit(224 + i), 1u << i) << 224 + i;
  }
  EXPECT_EQ(Bit(0), 0u);
  EXPECT_EQ(Bit(65), 65u) << "anything else comes back unchanged";
  EXPECT_EQ(Bit(232), 232u);
}

TEST(KeyCodeConverter, Names) {
  const std::pair<unsigned, const wchar_t*> names[] = {
      {4, L"A"},          {29, L"Z"},        {30, L"1"},           {38, L"9"},      {39, L"0"},
      {40, L"Enter"},     {44, L"Space"},    {49, L"\\"},          {53, L"~"},      {56, L"/"},
      {57, L"CapsLock"},  {58, L"F1"},       {69, L"F12"},         {70, L"Print"},  {78, L"PgDn"},
      {79, L"\u2192"},    {82, L"\u2191"},   {83, L"Num Lock"},    {88, L"Num Enter"}, {89, L"Num 1"},
      {97, L"Num 9"},     {101, L"App"},     {104, L"F13"},        {115, L"F24"},   {175, L"Fn"},
      {224, L"Ctrl"},     {227, L"Win"},     {230, L"Alt"},
  };
  for (auto [usage, text] : names) EXPECT_EQ(Name(usage), text) << usage;
}

TEST(KeyCodeConverter, OneHundredFourteenNamedUsages) {
  int named = 0;
  for (unsigned u = 0; u < 400; ++u) {
    if (!Name(u).IsEmpty()) {
      ++named;
      EXPECT_TRUE(u >= 4 && u <= 230) << u;
    }
  }
  EXPECT_EQ(named, 114);
  for (unsigned u : {0u, 3u, 50u, 98u, 99u, 100u, 102u, 103u, 116u, 174u, 176u, 223u, 231u, 232u})
    EXPECT_TRUE(Name(u).IsEmpty()) << u;
}

TEST(KeyCodeConverter, ConversionsAndNamesTogether) {
  EXPECT_EQ(Name(Usage(0x41)), L"A");
  EXPECT_EQ(Name(Usage(93)), L"App");
  EXPECT_EQ(Usage(226), 100u);
  EXPECT_TRUE(Name(100).IsEmpty());
  EXPECT_EQ(Name(Usage(254)), L"Fn");
  EXPECT_EQ(Usage(92), 231u);
  EXPECT_EQ(Bit(231), 0x80u);
  EXPECT_TRUE(Name(231).IsEmpty());
}

}  // namespace
