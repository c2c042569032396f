#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "pages/KeyActionCodec.h"
#include "pages/KeyFunctionCatalog.h"
#include "pages/MacroNames.h"
#include "PagesTestUtil.h"

using namespace pagestest;

namespace {

struct Bytes {
  uint8_t b[3];
};

std::string Hex(const uint8_t* b) {
  char text[16];
  snprintf(text, sizeof(text), "%02X %02X %02X", b[0], b[1], b[2]);
  return text;
}

// What Decode makes of a code; `label` null means the label stays as it was ("old").
struct DecodeCase {
  Bytes code;
  int type, value, value2, value3;
  const wchar_t* label;
};

class KeyActionCodecTest : public ::testing::Test {
protected:
  TestLanguage language;
  TestStore db;
};

TEST_F(KeyActionCodecTest, DecodesEveryCategory) {
  const DecodeCase cases[] = {
      // keyboard keys: usage, lone modifier, several modifiers, nothing
      {{0x10, 0x00, 0x04}, 2, 4, 0, 0, L"A"},
      {{0x10, 0x08, 0x07}, 2, 7, 8, 0, L"D"},  // shortcut 150 reads back as a key
      {{0x10, 0x02, 0x00}, 2, 225, 0, 0, L"Shift"},
      {{0x10, 0x40, 0x00}, 2, 230, 0, 0, L"Alt"},
      {{0x10, 0x03, 0x00}, 2, 0, 3, 0, L"LCtrl+ LShift"},
      {{0x10, 0x00, 0x00}, 2, 0, 0, 0, L""},
      // system actions
      {{0x02, 0x02, 0x00}, 7, 161, 0, 0, L"T257"},
      {{0x02, 0x01, 0x05}, 7, 162, 0, 0, L"T258"},
      {{0x02, 0x03, 0x00}, 7, 163, 0, 0, L"T259"},
      {{0x02, 0x09, 0x00}, 7, 0, 0, 0, nullptr},
      // consumer keys: the decode texts, also for the values the lists do not offer
      {{0x30, 0xCD, 0x00}, 6, 100, 0, 0, L"T264"},
      {{0x30, 0x94, 0x01}, 6, 113, 0, 0, L"T280"},
      {{0x30, 0x6F, 0x00}, 6, 111, 0, 0, L"T278"},
      {{0x30, 0x21, 0x02}, 6, 122, 0, 0, L"T277"},
      {{0x30, 0x00, 0x07}, 6, 0, 0, 0, nullptr},
      // mouse: the left button by value 1, the others whatever value 1 holds
      {{0x40, 0x00, 0x01}, 5, 90, 0, 0, L"T220"},
      {{0x40, 0x05, 0x01}, 5, 96, 0, 0, L"T225"},
      {{0x40, 0x06, 0x01}, 5, 97, 0, 0, L"T226"},
      {{0x40, 0x07, 0x01}, 5, 0, 0, 0, nullptr},
      {{0x40, 0x09, 0x02}, 5, 92, 0, 0, L"T223"},
      {{0x40, 0x00, 0x04}, 5, 91, 0, 0, L"T222"},
      {{0x40, 0x00, 0x08}, 5, 95, 0, 0, L"T228"},
      {{0x40, 0x00, 0x10}, 5, 94, 0, 0, L"T227"},
      {{0x40, 0x00, 0x20}, 5, 0, 0, 0, nullptr},
      // device functions
      {{0x50, 0x05, 0x00}, 12, 5, 0, 0, L"To0"},
      {{0x50, 0x12, 0x00}, 12, 18, 0, 0, L"Color"},
      {{0x50, 0x4A, 0x00}, 12, 74, 0, 0, L"KeyTest"},
      {{0x50, 0x05, 0x01}, 12, 5, 0, 0, nullptr},
      {{0x50, 0x4B, 0x00}, 12, 75, 0, 0, nullptr},
      {{0x50, 0x00, 0x00}, 12, 0, 0, 0, nullptr},
      // specials
      {{0x05, 0x03, 0x07}, 1, 0, 0, 0, L"T213"},
      {{0x05, 0x02, 0x2A}, 8, 42, 0, 0, L"Special"},
      {{0x05, 0x01, 0x00}, 0, 0, 0, 0, nullptr},
      // nothing
      {{0x00, 0x00, 0x00}, 0, 0, 0, 0, nullptr},
      {{0x99, 0x01, 0x02}, 0, 0, 0, 0, nullptr},
      {{0x62, 0x00, 0x01}, 0, 0, 0, 0, nullptr},
  };
  for (const DecodeCase& c : cases) {
    KeyMacroRecord r = KeyRow(3, 2, 44, 9, 9, 9, 9, L"old");
    KeyActionCodec::Decode(c.code.b, r, db.store);
    const std::string at = Hex(c.code.b);
    EXPECT_EQ(r.macro_type, c.type) << at;
    EXPECT_EQ(r.macro_value, c.value) << at;
    EXPECT_EQ(r.macro_value2, c.value2) << at;
    EXPECT_EQ(r.macro_value3, c.value3) << at;
    EXPECT_EQ(r.macro_desc, c.label ? c.label : L"old") << at;
    EXPECT_EQ(r.profile, 3) << at;  // the row's own fields stay
    EXPECT_EQ(r.fn_layer, 2) << at;
    EXPECT_EQ(r.key_code, 44) << at;
  }
}

struct EncodeCase {
  int type, value, value2, value3;
  Bytes code;
};

TEST_F(KeyActionCodecTest, EncodesEveryCategory) {
  const EncodeCase cases[] = {
      {1, 0, 0, 0, {0x05, 0x03, 0x00}},
      {2, 4, 0, 0, {0x10, 0x00, 0x04}},
      {2, 91, 0, 0, {0x10, 0x00, 0x5B}},  // keypad 3
      {2, 92, 0, 0, {0x10, 0x00, 0x5C}},  // keypad 4
      {2, 225, 0, 0, {0x10, 0x02, 0x00}},
      {2, 231, 0, 0, {0x10, 0x80, 0x00}},
      {2, 225, 1, 0, {0x10, 0x01, 0xE1}},
      {2, 0, 3, 0, {0x10, 0x03, 0x00}},
      {2, 4, 3, 0, {0x10, 0x03, 0x04}},
      {2, 300, 0, 0, {0x10, 0x00, 0x2C}},
      {5, 90, 0, 0, {0x40, 0x00, 0x01}},
      {5, 91, 0, 0, {0x40, 0x00, 0x04}},
      {5, 92, 0, 0, {0x40, 0x00, 0x02}},
      {5, 94, 0, 0, {0x40, 0x00, 0x10}},
      {5, 95, 0, 0, {0x40, 0x00, 0x08}},
      {5, 96, 0, 0, {0x40, 0x05, 0x01}},
      {5, 97, 0, 0, {0x40, 0x06, 0x01}},
      {5, 93, 0, 0, {0x40, 0x00, 0x00}},
      {6, 100, 0, 0, {0x30, 0xCD, 0x00}},
      {6, 113, 0, 0, {0x30, 0x94, 0x01}},
      {6, 112, 0, 0, {0x30, 0x70, 0x00}},
      {6, 107, 0, 0, {0x30, 0x00, 0x00}},
      {7, 150, 0, 0, {0x10, 0x08, 0x07}},
      {7, 154, 0, 0, {0x10, 0x04, 0x2B}},
      {7, 160, 0, 0, {0x10, 0x01, 0x11}},
      {7, 161, 0, 0, {0x02, 0x02, 0x00}},
      {7, 163, 0, 0, {0x02, 0x03, 0x00}},
      {7, 164, 0, 0, {0x10, 0x00, 0x00}},
      {8, 42, 0, 0, {0x05, 0x02, 0x2A}},
      {9, 42, 0, 0, {0x05, 0x02, 0x2A}},
      {10, 42, 0, 0, {0x05, 0x02, 0x2A}},
      {11, 42, 0, 0, {0x05, 0x02, 0x2A}},
      {12, 5, 0, 0, {0x50, 0x05, 0x00}},
      {12, 300, 0, 0, {0x50, 0x2C, 0x00}},
      {4, 1, 0, 0, {0x00, 0x00, 0x00}},
      {13, 1, 0, 0, {0x00, 0x00, 0x00}},
      {3, 99, 0, 0, {0x00, 0x00, 0x00}},  // no such macro
  };
  for (const EncodeCase& c : cases) {
    uint8_t out[3] = {0xAB, 0xCD, 0xEF};
    KeyActionCodec::Encode(KeyRow(1, 0, 4, c.type, c.value, c.value2, c.value3), out, db.store);
    EXPECT_EQ(Hex(out), Hex(c.code.b)) << "type " << c.type << " value " << c.value;
  }
}

TEST_F(KeyActionCodecTest, NothingAssignedLeavesTheDestination) {
  uint8_t out[3] = {0xAB, 0xCD, 0xEF};
  KeyActionCodec::Encode(KeyRow(1, 0, 4, 0, 7, 7, 7), out, db.store);
  EXPECT_EQ(Hex(out), "AB CD EF");
}

// A key whose code carries several modifiers and no key keeps them through a read from
// the keyboard, so the next write of the whole layer sends the same code again.
TEST_F(KeyActionCodecTest, SeveralModifiersWithoutKeySurviveReadAndWrite) {
  for (uint8_t bits : {0x03, 0x05, 0x41, 0xFF}) {
    const uint8_t code[3] = {0x10, bits, 0x00};
    KeyMacroRecord r;
    KeyActionCodec::Decode(code, r, db.store);
    uint8_t out[3] = {};
    KeyActionCodec::Encode(r, out, db.store);
    EXPECT_EQ(Hex(out), Hex(code));
  }
  // A lone modifier read back as 10 00 E1 is written in its modifier form.
  const uint8_t shiftAsUsage[3] = {0x10, 0x00, 0xE1};
  KeyMacroRecord r;
  KeyActionCodec::Decode(shiftAsUsage, r, db.store);
  uint8_t out[3] = {};
  KeyActionCodec::Encode(r, out, db.store);
  EXPECT_EQ(Hex(out), "10 02 00");
}

// Every function of the lists goes out and comes back as itself, except the shortcuts,
// which the keyboard holds as ordinary key codes.
TEST_F(KeyActionCodecTest, EveryListedFunctionComesBackAsItself) {
  KeyFunctionCatalog catalog;
  catalog.Build();
  for (const KeyFunctionItem& item : catalog.Items()) {
    uint8_t out[3] = {};
    KeyActionCodec::Encode(KeyRow(1, 0, 4, item.type, item.value), out, db.store);
    KeyMacroRecord back;
    KeyActionCodec::Decode(out, back, db.store);
    if (item.type == kFuncShortcut) {
      EXPECT_EQ(back.macro_type, kFuncKeyboardKey) << item.value;
      continue;
    }
    EXPECT_EQ(back.macro_type, item.type) << item.type << "/" << item.value;
    EXPECT_EQ(back.macro_value, item.value) << item.type << "/" << item.value;
  }
}

// Macro codes name the macro by its position in the macro list; rows keep the id.
TEST_F(KeyActionCodecTest, MacrosByListPosition) {
  db.MakeMacros({1, 2, 7, 8});  // id 7 is at position 2
  db.store.RenameMacro(7, L"New Macro 3");
  const EncodeCase encodes[] = {
      {3, 7, 0, 5, {0x61, 0x02, 0x05}},
      {3, 7, 0, 1, {0x60, 0x02, 0x00}},
      {3, 7, 0, 0, {0x60, 0x02, 0x00}},
      {3, 7, 3, 5, {0x60, 0x02, 0x03}},
      {3, 8, 0, 255, {0x61, 0x03, 0xFF}},
      {3, 1, 1, 0, {0x60, 0x00, 0x01}},
      {3, 5, 0, 0, {0x00, 0x00, 0x00}},  // deleted
  };
  for (const EncodeCase& c : encodes) {
    uint8_t out[3] = {};
    KeyActionCodec::Encode(KeyRow(1, 0, 4, c.type, c.value, c.value2, c.value3), out, db.store);
    EXPECT_EQ(Hex(out), Hex(c.code.b)) << c.value << "/" << c.value2 << "/" << c.value3;
  }
  const DecodeCase decodes[] = {
      {{0x61, 0x02, 0x05}, 3, 7, 0, 5, L"T351 3"},
      {{0x60, 0x02, 0x03}, 3, 7, 3, 0, L"T351 3"},
      {{0x60, 0x01, 0x00}, 3, 2, 0, 0, L"M2"},
      {{0x60, 0x04, 0x01}, 3, 0, 1, 0, nullptr},  // no macro at that position
  };
  for (const DecodeCase& c : decodes) {
    KeyMacroRecord r = KeyRow(1, 0, 4, 0, 0, 0, 0, L"old");
    KeyActionCodec::Decode(c.code.b, r, db.store);
    const std::string at = Hex(c.code.b);
    EXPECT_EQ(r.macro_type, c.type) << at;
    EXPECT_EQ(r.macro_value, c.value) << at;
    EXPECT_EQ(r.macro_value2, c.value2) << at;
    EXPECT_EQ(r.macro_value3, c.value3) << at;
    EXPECT_EQ(r.macro_desc, c.label ? c.label : L"old") << at;
  }
  // A list read once serves a whole layer the same way.
  KeyActionCodec::MacroList macros;
  db.store.GetMacros(macros);
  uint8_t out[3] = {};
  KeyActionCodec::Encode(KeyRow(1, 0, 4, 3, 8, 2, 0), out, macros);
  EXPECT_EQ(Hex(out), "60 03 02");
}

TEST_F(KeyActionCodecTest, MacrosWithoutADatabaseAreNothing) {
  KeyboardDataStore closed;
  uint8_t out[3] = {0xAB, 0xCD, 0xEF};
  KeyActionCodec::Encode(KeyRow(1, 0, 4, 3, 1, 0, 0), out, closed);
  EXPECT_EQ(Hex(out), "00 00 00");
  const uint8_t code[3] = {0x60, 0x00, 0x02};
  KeyMacroRecord r = KeyRow(1, 0, 4, 0, 0, 0, 0, L"old");
  KeyActionCodec::Decode(code, r, closed);
  EXPECT_EQ(r.macro_type, 3);
  EXPECT_EQ(r.macro_value2, 2);
  EXPECT_EQ(r.macro_desc, L"old");
}

TEST(MacroNames, ShownNamesReplaceTheMadePrefixes) {
  TestLanguage language;
  const std::pair<const wchar_t*, const wchar_t*> keyLabels[] = {
      {L"New Macro 3", L"T351 3"},
      {L"\u65B0\u5EFA\u5DE8\u96C6 2", L"T351 2"},
      {L"\u65B0\u5EFA\u5B8F4", L"T3514"},
      {L"new macro 3", L"new macro 3"},
      {L"My New Macro", L"My New Macro"},
  };
  for (auto [name, label] : keyLabels) EXPECT_EQ(MacroNames::KeyLabel(name), label) << label;
  const std::pair<const wchar_t*, const wchar_t*> listLabels[] = {
      {L"Custom 3", L"T351 3"},
      {L"M1 Copy", L"M1  T31"},
      {L"Custom 2 Copy", L"T351 2  T31"},
      {L"\u81EA\u5B9A\u4E491\u590D\u5236", L"T3511 T31"},
      {L"Copy of M1", L"Copy of M1"},
      {L"M1", L"M1"},
  };
  for (auto [name, label] : listLabels) EXPECT_EQ(MacroNames::ListLabel(name), label) << label;
}

}  // namespace
