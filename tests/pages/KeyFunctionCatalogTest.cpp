#include <gtest/gtest.h>
#include <vector>
#include "pages/KeyActionCodec.h"
#include "pages/KeyFunctionCatalog.h"
#include "PagesTestUtil.h"

using namespace pagestest;

namespace {

std::vector<int> Values(const KeyFunctionCatalog& c, int type) {
  std::vector<int> out;
  for (const KeyFunctionItem* item : c.OfType(type)) out.push_back(item->value);
  return out;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> out;
  for (int v = first; v <= last; ++v) out.push_back(v);
  return out;
}

TEST(KeyFunctionCatalog, FiveBlocksInOrder) {
  TestLanguage language;
  KeyFunctionCatalog c;
  c.Build();
  ASSERT_EQ(c.Size(), 213);
  // The blocks follow each other: 103 keys, 7 mouse buttons, 18 media keys, 11 shortcuts,
  // 74 device functions.
  const std::pair<int, int> blocks[] = {{2, 103}, {5, 7}, {6, 18}, {7, 11}, {12, 74}};
  size_t at = 0;
  for (auto [type, count] : blocks) {
    for (int i = 0; i < count; ++i, ++at) ASSERT_EQ(c.Items()[at].type, type) << at;
  }
  EXPECT_EQ(Values(c, 5), (std::vector<int>{90, 91, 92, 96, 97, 94, 95}));
  EXPECT_EQ(Values(c, 6), (std::vector<int>{113, 114, 115, 110, 100, 101, 102, 103, 104, 105, 106, 116, 117, 118,
                                            119, 120, 121, 122}));
  EXPECT_EQ(Values(c, 7), (std::vector<int>{155, 156, 157, 158, 159, 160, 150, 151, 152, 153, 154}));
  EXPECT_EQ(Values(c, 12), Range(1, 74));
  for (const KeyFunctionItem& item : c.Items()) EXPECT_TRUE(item.icon.IsEmpty());
}

TEST(KeyFunctionCatalog, KeyboardKeysAsTheListShowsThem) {
  TestLanguage language;
  KeyFunctionCatalog c;
  c.Build();
  const auto keys = c.OfType(2);
  ASSERT_EQ(keys.size(), 103u);
  // (position, label, usage) at the places where the order is easy to get wrong.
  const struct {
    size_t at;
    const wchar_t* label;
    int usage;
  } anchors[] = {
      {0, L"A", 4},          {25, L"Z", 29},       {26, L"0", 39},         {27, L"1", 30},
      {36, L"F1", 58},       {48, L"\u2191", 82},  {51, L"\u2192", 79},    {57, L"Backsapce", 42},
      {66, L"Enter", 40},    {68, L"NumLock", 83}, {72, L"7", 95},         {82, L"Enter", 88},
      {83, L"0", 98},        {84, L".", 99},       {85, L"Shift", 225},    {86, L"Ctrl", 224},
      {91, L"R-Win", 231},   {92, L"R-Alt", 230},  {93, L"-", 45},         {97, L"||", 49},
      {102, L"/?", 56},
  };
  for (const auto& a : anchors) {
    EXPECT_EQ(keys[a.at]->label, a.label) << a.at;
    EXPECT_EQ(keys[a.at]->value, a.usage) << a.at;
  }
  // Usages without an entry are not offered.
  for (int usage : {50, 100, 101}) EXPECT_EQ(c.Find(2, usage), -1) << usage;
}

TEST(KeyFunctionCatalog, LabelsComeFromTheLanguageOfTheBuild) {
  KeyFunctionCatalog c;
  {
    TestLanguage language;
    c.Build();
    EXPECT_EQ(c.Items()[c.Find(5, 96)].label, T(225));
    EXPECT_EQ(c.Items()[c.Find(6, 113)].label, T(260));  // the catalogue's own text, not the decode text
    EXPECT_EQ(c.Items()[c.Find(7, 155)].label, T(31));
    EXPECT_EQ(c.Items()[c.Find(12, 18)].label, L"COLOUR");
    EXPECT_EQ(c.Items()[c.Find(12, 17)].label, L"BL-SPD");
    EXPECT_EQ(c.Items()[c.Find(12, 74)].label, L"KeyTest");
    EXPECT_EQ(c.Find(6, 111), -1);
    EXPECT_EQ(c.Find(6, 112), -1);
    EXPECT_EQ(c.Find(7, 161), -1);
  }
  TestLanguage empty(false);
  c.Build();  // a second build replaces the first
  ASSERT_EQ(c.Size(), 213);
  EXPECT_TRUE(c.Items()[c.Find(5, 96)].label.IsEmpty());
  EXPECT_EQ(c.Items()[c.Find(2, 4)].label, L"A");
  EXPECT_EQ(c.Items()[c.Find(12, 1)].label, L"Fn0");
}

TEST(KeyFunctionCatalog, TheKnobsOwnOrder) {
  TestLanguage language;
  KeyFunctionCatalog keys;
  keys.Build();
  KeyFunctionCatalog knob;
  knob.BuildForKnob();
  ASSERT_EQ(knob.Size(), 192);
  // Media keys as on the key page, then the device functions without 18, 63 and 64,
  // then the keyboard keys as on the key page.
  EXPECT_EQ(Values(knob, 6), Values(keys, 6));
  std::vector<int> functions = Range(1, 74);
  std::erase_if(functions, [](int n) { return n == 18 || n == 63 || n == 64; });
  EXPECT_EQ(Values(knob, 12), functions);
  EXPECT_EQ(Values(knob, 2), Values(keys, 2));
  EXPECT_EQ(knob.Items()[8].value, 104);
  EXPECT_EQ(knob.Items()[89].label, L"A");
  EXPECT_EQ(knob.Items()[88].type, 12);
  EXPECT_EQ(knob.Items()[knob.Find(12, 71)].label, T(268));
  EXPECT_EQ(knob.Items()[knob.Find(12, 73)].label, T(270));
  EXPECT_EQ(knob.Items()[knob.Find(12, 70)].label, L"LCDUSBMode");
  EXPECT_EQ(knob.Find(5, 90), -1);
  EXPECT_EQ(knob.Find(7, 150), -1);
}

}  // namespace
