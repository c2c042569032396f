#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include "device/KeyCodeConverter.h"
#include "pages/KeyActionCodec.h"
#include "pages/KeyDefaults.h"
#include "pages/MacroPlayMode.h"
#include "pages/ModifierCombo.h"
#include "PagesTestUtil.h"

using namespace pagestest;

namespace {

std::string Encoded(const KeyMacroRecord& r, KeyboardDataStore& store) {
  uint8_t out[3] = {};
  KeyActionCodec::Encode(r, out, store);
  char text[16];
  snprintf(text, sizeof(text), "%02X %02X %02X", out[0], out[1], out[2]);
  return text;
}

// ---- modifier combinations ----

TEST(ModifierCombo, LabelsBitsAndTheCodeSent) {
  TestStore db;
  struct Case {
    uint8_t bits;
    uint32_t key;  // virtual key captured, 0 for none
    const wchar_t* keyName;
    const wchar_t* label;
    int usage;
    const char* code;
  } cases[] = {
      {0x03, 'A', L"A", L"LCtrl+ LShift + A", 4, "10 03 04"},
      {0x40, 0, L"", L"Alt", 0, "10 40 00"},
      {0x00, VK_F5, L"F5", L"F5", 62, "10 00 3E"},
      {0xFF, 0, L"", L"LCtrl+ LShift+ LAlt+ LWin+ RCtrl+ RShift+ Alt+ RWin", 0, "10 FF 00"},
      {0x90, VK_ESCAPE, L"Esc", L"RCtrl+ RWin + Esc", 41, "10 90 29"},
  };
  for (const Case& c : cases) {
    KeyMacroRecord row = KeyRow(1, 0, 30, 3, 7, 1, 12, L"macro");
    ModifierCombo::Apply(row, c.key, c.keyName, c.bits);
    EXPECT_EQ(row.macro_desc, c.label);
    EXPECT_EQ(row.macro_type, 2) << c.code;
    EXPECT_EQ(row.macro_value, c.usage) << c.code;
    EXPECT_EQ(row.macro_value2, c.bits) << c.code;
    EXPECT_EQ(row.macro_value3, 12) << "kept";
    EXPECT_EQ(Encoded(row, db.store), c.code);
  }
  // A lone right Alt reads back from the keyboard as the right Alt key.
  const uint8_t code[3] = {0x10, 0x40, 0x00};
  KeyMacroRecord back;
  KeyActionCodec::Decode(code, back, db.store);
  EXPECT_EQ(back.macro_value, 230);
}

TEST(ModifierCombo, TogglesByControl) {
  for (int i = 0; i < ModifierCombo::kToggleCount; ++i) {
    const ModifierCombo::Toggle& t = ModifierCombo::ToggleAt(i);
    EXPECT_EQ(t.controlId, 107 + i);
    EXPECT_EQ(t.bit, 1 << i);
    EXPECT_EQ(ModifierCombo::ToggleOfControl(107 + i), &t);
  }
  EXPECT_EQ(ModifierCombo::ToggleOfControl(115), nullptr);
}

// ---- macro play mode ----

TEST(MacroPlayMode, CountTyped) {
  const std::pair<const wchar_t*, int> cases[] = {
      {L"", 1},      {L"1", 1},      {L"12", 12},        {L"255", 255},         {L"256", 255},
      {L"300", 255}, {L"0", 1},      {L"-5", 1},         {L"abc", 1},           {L"4x", 4},
      {L"99999999999999999999", 255},
  };
  for (auto [text, count] : cases) EXPECT_EQ(MacroPlayMode::CountOfText(text), count) << CString(text).GetString();
  EXPECT_EQ(MacroPlayMode::ModeOfRadios(false, false, false), 0);
  EXPECT_EQ(MacroPlayMode::ModeOfRadios(true, false, false), 1);
  EXPECT_EQ(MacroPlayMode::ModeOfRadios(true, false, true), 3);  // a later radio wins
}

TEST(MacroPlayMode, KeyRowMacroAndCode) {
  TestStore db;
  db.MakeMacros({1, 2, 3});
  MacroRecord macro;
  ASSERT_TRUE(db.store.GetMacro(3, macro));

  // Mode 0 with "300": the count is held to 255; the key sends "repeat 255 times".
  KeyMacroRecord row = KeyRow(1, 0, 30, 2, 4, 0, 0, L"A");
  EXPECT_EQ(MacroPlayMode::Apply(row, macro, 3, L"M3", 0, L"300"), 255);
  EXPECT_EQ(row.macro_type, 3);
  EXPECT_EQ(row.macro_value, 3);
  EXPECT_EQ(row.macro_value2, 0);
  EXPECT_EQ(row.macro_value3, 255);
  EXPECT_EQ(row.macro_desc, L"M3");
  EXPECT_EQ(macro.play_type, 0);
  EXPECT_EQ(macro.play_times, 255);
  EXPECT_EQ(Encoded(row, db.store), "61 02 FF");

  // Mode 1 keeps the row's count and gives it to the macro.
  EXPECT_EQ(MacroPlayMode::Apply(row, macro, 3, L"M3", 1, L"1"), 255);
  EXPECT_EQ(row.macro_value2, 1);
  EXPECT_EQ(row.macro_value3, 255);
  EXPECT_EQ(macro.play_type, 1);
  EXPECT_EQ(Encoded(row, db.store), "60 02 01");
  EXPECT_EQ(macro.name, L"M3");
}

// ---- default actions ----

// Keys 30, 31 and 32 at indexes 0, 1 and 2; each layer's defaults differ.
class KeyDefaultsTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int layer = 0; layer < 4; ++layer) {
      const uint8_t key0[3] = {0x10, 0x00, uint8_t(4 + layer)};  // A, B, C, D
      const uint8_t key1[3] = {0x50, uint8_t(5 + layer), 0x00};  // To0 .. To3
      std::memcpy(&tables[layer][0], key0, 3);
      std::memcpy(&tables[layer][3], key1, 3);
      // key 32 has no default (type byte 0)
    }
    for (int i = 0; i < 3; ++i) {
      indexByCode[30 + i] = i;
      codeByIndex[i] = 30 + i;
    }
    indexByCode[40] = -1;  // a key the maps know without an index
    std::vector<KeyMacroRecord> rows;
    for (int profile = 1; profile <= 2; ++profile)
      for (int layer = 0; layer < 4; ++layer)
        for (int code = 30; code <= 32; ++code) rows.push_back(KeyRow(profile, layer, code, 5, 90, 0, 0, L"click"));
    db.store.InsertKeyMacros(rows);
  }
  KeyMacroRecord Row(int profile, int layer, int code) {
    KeyMacroRecord r;
    EXPECT_TRUE(db.store.GetKeyMacro(profile, layer, code, r));
    return r;
  }

  TestLanguage language;
  TestStore db;
  uint8_t tables[4][600] = {};
  std::map<int, int> indexByCode, codeByIndex;
  KeyDefaults defaults{db.store, tables, indexByCode, codeByIndex};
};

TEST_F(KeyDefaultsTest, OneKey) {
  KeyMacroRecord shown;
  EXPECT_TRUE(defaults.RestoreKey(1, 2, 30, shown));
  EXPECT_EQ(shown.macro_desc, L"C");
  KeyMacroRecord stored = Row(1, 2, 30);
  EXPECT_EQ(stored.macro_type, 2);
  EXPECT_EQ(stored.macro_value, 6);
  EXPECT_EQ(Row(1, 1, 30).macro_type, 5) << "other layers keep theirs";
  EXPECT_EQ(Row(2, 2, 30).macro_type, 5) << "other profiles keep theirs";
  // Keys without an index are not restored.
  EXPECT_FALSE(defaults.RestoreKey(1, 2, 40, shown));
  EXPECT_FALSE(defaults.RestoreKey(1, 2, 41, shown));
  EXPECT_FALSE(defaults.RestoreKey(1, 2, 0, shown));
}

TEST_F(KeyDefaultsTest, WholeLayer) {
  EXPECT_EQ(defaults.RestoreLayer(2, 3), 2);
  EXPECT_EQ(Row(2, 3, 30).macro_value, 7);
  EXPECT_EQ(Row(2, 3, 31).macro_type, 12);
  EXPECT_EQ(Row(2, 3, 31).macro_value, 8);
  EXPECT_EQ(Row(2, 3, 32).macro_type, 5) << "no default: kept";
  EXPECT_EQ(Row(2, 2, 30).macro_type, 5);
  // A layer outside 0-3 has no defaults: nothing changes.
  EXPECT_EQ(defaults.RestoreLayer(2, 4), 0);
}

TEST_F(KeyDefaultsTest, KnobActions) {
  KeyMacroRecord knob[3][4];
  for (int a = 0; a < 3; ++a) knob[a][0].key_code = a;  // the knob's key indexes
  knob[2][0].key_code = 200;                            // outside the map: left alone
  knob[2][1].macro_desc = L"mine";
  defaults.RestoreKnobActions(knob, 2, 1);
  EXPECT_EQ(knob[0][1].macro_desc, L"B");
  EXPECT_EQ(knob[0][1].profile, 2);
  EXPECT_EQ(knob[0][1].fn_layer, 1);
  EXPECT_EQ(knob[1][1].macro_value, 6);
  EXPECT_EQ(knob[2][1].macro_desc, L"mine");
  // No index for action 0: nothing at all.
  KeyMacroRecord none[3][4];
  none[0][0].key_code = -1;
  none[1][0].key_code = 0;
  defaults.RestoreKnobActions(none, 2, 1);
  EXPECT_EQ(none[1][1].macro_type, 0);
}

// A key without a row (a profile made without default rows) gets one when its default is
// restored; a key without a default gets none.
TEST_F(KeyDefaultsTest, KeysWithoutARowGetOne) {
  auto drop = [&](int profile, int layer, int code) {
    db.store.ReplaceKeyMacro(KeyRow(profile, layer, code, 0, 0, 0, 0, L""));
    KeyMacroRecord none;
    ASSERT_FALSE(db.store.GetKeyMacro(profile, layer, code, none));
  };
  drop(1, 2, 30);
  KeyMacroRecord shown;
  EXPECT_TRUE(defaults.RestoreKey(1, 2, 30, shown));
  KeyMacroRecord stored = Row(1, 2, 30);
  EXPECT_EQ(stored.macro_type, 2);
  EXPECT_EQ(stored.macro_value, 6);
  EXPECT_EQ(stored.macro_desc, L"C");

  for (int code = 30; code <= 32; ++code) drop(2, 1, code);
  EXPECT_EQ(defaults.RestoreLayer(2, 1), 2);
  EXPECT_EQ(Row(2, 1, 30).macro_value, 5);
  EXPECT_EQ(Row(2, 1, 31).macro_type, 12);
  EXPECT_EQ(Row(2, 1, 31).macro_value, 6);
  KeyMacroRecord none;
  EXPECT_FALSE(db.store.GetKeyMacro(2, 1, 32, none)) << "no default: no row";
  drop(2, 1, 32);
  EXPECT_TRUE(defaults.RestoreKey(2, 1, 32, shown));
  EXPECT_FALSE(db.store.GetKeyMacro(2, 1, 32, none)) << "no default: no row";
}

// Keys that play a deleted macro get the default of the layer they are on, in every
// profile, whichever layer the page shows.
TEST_F(KeyDefaultsTest, MacroKeysGetTheirOwnLayersDefault) {
  db.MakeMacros({1, 2});
  for (auto [profile, layer, code] : {std::tuple{1, 0, 30}, {2, 2, 30}, {1, 3, 31}}) {
    KeyMacroRecord r = Row(profile, layer, code);
    r.macro_type = 3;
    r.macro_value = 2;
    db.store.UpdateKeyMacro(r);
  }
  KeyMacroRecord other = Row(1, 1, 30);
  other.macro_type = 3;
  other.macro_value = 1;
  db.store.UpdateKeyMacro(other);
  EXPECT_EQ(defaults.CountMacroKeys(1), 3);

  EXPECT_EQ(defaults.ClearMacroAssignments(2), 3);
  EXPECT_EQ(Row(1, 0, 30).macro_desc, L"A");
  EXPECT_EQ(Row(2, 2, 30).macro_desc, L"C");
  EXPECT_EQ(Row(2, 2, 30).macro_value, 6);
  EXPECT_EQ(Row(1, 3, 31).macro_type, 12);
  EXPECT_EQ(Row(1, 3, 31).macro_value, 8);
  EXPECT_EQ(Row(1, 1, 30).macro_value, 1) << "another macro's key stays";
  EXPECT_EQ(defaults.CountMacroKeys(1), 1);
  EXPECT_EQ(defaults.ClearMacroAssignments(2), 0);
}

}  // namespace
