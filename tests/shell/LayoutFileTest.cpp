// The layout file's reading rules, without a dialog.
#include <gtest/gtest.h>
#include <ostream>
#include "shell/LayoutFile.h"

static void PrintTo(const CRect& r, std::ostream* os) { *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")"; }

TEST(LayoutFileRules, RowColumnText) {
  struct Case {
    const wchar_t* text;
    int row, column;
  } cases[] = {
      {L"3_5", 3, 5}, {L"3_12", 3, 12}, {L"7_31", 7, 31}, {L"0_0", 0, 0}, {L"", 0, 0},
      {L"5", 5, 5},  // one character: the row and the last two (the same one)
      {L"3-9", 3, 9},  // any separator
      {L"3_-5", 3, -5}, {L"9_40", 9, 40}, {L"x_y", 0, 0},
  };
  for (const Case& c : cases) {
    int row = -100, column = -100;
    SplitRowCol(c.text, row, column);
    EXPECT_EQ(row, c.row) << c.text;
    EXPECT_EQ(column, c.column) << c.text;
  }
}

TEST(LayoutFileRules, NumbersAndPicturePath) {
  EXPECT_EQ(LayoutHex(L"29"), 0x29);
  EXPECT_EQ(LayoutHex(L"0x29"), 0x29);
  EXPECT_EQ(LayoutHex(L"2C"), 0x2C);
  EXPECT_EQ(LayoutHex(L"ffx"), 0xFF);
  EXPECT_EQ(LayoutHex(L""), 0);
  EXPECT_EQ(LayoutDecimal(L"-12px"), -12);
  EXPECT_EQ(LayoutDecimal(L"+7"), 7);
  EXPECT_EQ(LayoutDecimal(L"abc"), 0);
  EXPECT_EQ(KeyboardPicturePath(L"K101.png"), L"keyboard\\K101.png");
}

TEST(LayoutFileRead, KeysInDocumentOrderOtherElementsSkipped) {
  KeyboardLayout layout;
  ASSERT_TRUE(ParseKeyboardLayout(LR"(<?xml version="1.0"?>
<device.info>
  <Other/>
  <Keyboard bk_color="0x102030" xpos="10" ypos="20" width="300" height="100" image="a.png" row_count="6" col_count="21">
    <Note/>
    <KeyItems>
      <key code="29" name="Esc" desc="E&amp;sc" key_index="0" light_index="4" rect_left="1" rect_top="2" rect_width="30" rect_height="40" row_col="0_0"/>
      <comment/>
      <key code="0x2C" name="Space" key_index="90" light_index="91" rect_left="5" rect_top="6" rect_width="7" rect_height="8" row_col="5_12" icon="x.png" fnlayer_disable="1"/>
    </KeyItems>
  </Keyboard>
</device.info>)",
                                  layout));
  EXPECT_TRUE(layout.hasKeyboard);
  EXPECT_TRUE(layout.hasKeyItems);
  EXPECT_EQ(layout.background, COLORREF(0x102030));
  EXPECT_EQ(layout.rect, CRect(10, 20, 310, 120));
  EXPECT_EQ(layout.image, L"a.png");
  EXPECT_EQ(layout.rows, 6);
  EXPECT_EQ(layout.columns, 21);
  ASSERT_EQ(layout.keys.size(), 2u);
  EXPECT_EQ(layout.keys[0].code, 0x29);
  EXPECT_EQ(layout.keys[0].desc, L"E&sc");
  EXPECT_EQ(layout.keys[0].lightIndex, 4);
  EXPECT_EQ(layout.keys[0].rect, CRect(1, 2, 31, 42));
  EXPECT_EQ(layout.keys[1].code, 0x2C);
  EXPECT_EQ(layout.keys[1].name, L"Space");
  EXPECT_EQ(layout.keys[1].desc, L"");
  EXPECT_EQ(layout.keys[1].keyIndex, 90);
  EXPECT_EQ(layout.keys[1].row, 5);
  EXPECT_EQ(layout.keys[1].column, 12);
}

TEST(LayoutFileRead, GridSizeIsBoundedToTheGrid) {
  struct Case {
    const wchar_t* rows;
    const wchar_t* columns;
    int wantRows, wantColumns;
  } cases[] = {{L"12", L"40", 8, 32}, {L"-3", L"-1", 0, 0}, {L"8", L"32", 8, 32}, {L"", L"", 0, 0}};
  for (const Case& c : cases) {
    CString text;
    text.Format(L"<device.info><Keyboard row_count=\"%s\" col_count=\"%s\"/></device.info>", c.rows, c.columns);
    KeyboardLayout layout;
    ASSERT_TRUE(ParseKeyboardLayout(text, layout));
    EXPECT_EQ(layout.rows, c.wantRows) << c.rows;
    EXPECT_EQ(layout.columns, c.wantColumns) << c.columns;
    EXPECT_FALSE(layout.hasKeyItems);
  }
}

TEST(LayoutFileRead, RejectedDocumentsLeaveTheLayoutAlone) {
  const wchar_t* bad[] = {
      L"",
      L"<device.info><Keyboard><KeyItems><key code=\"29\"/>",  // unended
      L"<config><Keyboard/></config>",                            // another root
      L"<Device.Info><Keyboard/></Device.Info>",                  // names match with case
      L"not xml at all",
  };
  for (const wchar_t* text : bad) {
    KeyboardLayout layout;
    layout.rows = 3;
    layout.keys.resize(2);
    EXPECT_FALSE(ParseKeyboardLayout(text, layout)) << text;
    EXPECT_EQ(layout.rows, 3);
    EXPECT_EQ(layout.keys.size(), 2u);
  }
  KeyboardLayout layout;
  EXPECT_FALSE(ReadKeyboardLayout(L"Z:\\no\\such\\folder\\K1.xml", layout));
}

TEST(LayoutFileRead, DeviceInfoWithoutKeyboard) {
  KeyboardLayout layout;
  ASSERT_TRUE(ParseKeyboardLayout(L"<device.info><keyboard row_count=\"3\"/></device.info>", layout));
  EXPECT_FALSE(layout.hasKeyboard);
  EXPECT_EQ(layout.rows, 0);
}
