// The composite colour pickers without a window: their children's places, the hexadecimal
// text, and how field, spins, edit, swatch and presets keep in step.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "controls/CColorButton.h"
#include "controls/CColorPalette.h"
#include "controls/CColorSelect.h"
#include "controls/MEdit.h"
#include "controls/MPalette.h"
#include "controls/MSpinButton.h"

using namespace qivtest;

namespace {
struct Picker {
  RecordingParent owner;
  CColorPalette palette{&owner, 700, CRect(10, 20, 340, 220), 1};
  Picker() { palette.InitControl(nullptr); }
  template <class T>
  T* Child(unsigned id) {
    return dynamic_cast<T*>(palette.GetControl(id));
  }
  std::vector<int> Spins() {
    std::vector<int> values;
    for (unsigned id = 654; id <= 656; ++id) values.push_back(Child<MSpinButton>(id)->GetCurValue());
    return values;
  }
  std::vector<Notice> Codes(unsigned code) const {
    std::vector<Notice> found;
    for (const Notice& n : owner.notices)
      if (n.code == code) found.push_back(n);
    return found;
  }
};
}  // namespace

TEST(CompositePickerTest, HexTextBothWays) {
  EXPECT_EQ(L"FF8000", CColorPalette::HexText(0x0080FF));
  EXPECT_EQ(L"551B00", CColorPalette::HexText(0x001B55));
  EXPECT_EQ(L"000000", CColorPalette::HexText(0));
  struct Case {
    const wchar_t* text;
    bool ok;
    COLORREF colour;
  } cases[] = {{L"ff8000", true, 0x0080FF}, {L"FF8000", true, 0x0080FF}, {L"zz8000", true, 0x008000},
               {L"12345", false, 0},        {L"1234567", false, 0},     {L"", false, 0}};
  for (const Case& c : cases) {
    COLORREF colour = 0xABCDEF;
    EXPECT_EQ(c.ok, CColorPalette::ParseHex(c.text, colour)) << c.text;
    if (c.ok) EXPECT_EQ(c.colour, colour) << c.text;
  }
}

TEST(CompositePickerTest, ChildrenPlacedAtStartAndByTheOwner) {
  Picker p;
  EXPECT_EQ(CRect(10, 25, 30, 45), p.Child<CColorButton>(631)->GetRect());
  EXPECT_EQ(CRect(185, 25, 205, 45), p.Child<CColorButton>(638)->GetRect());
  EXPECT_EQ(CRect(10, 47, 243, 216), p.Child<MPalette>(620)->GetRect());
  EXPECT_EQ(167, p.Child<MPalette>(620)->GetPalletHeight());
  EXPECT_EQ(CRect(245, 47, 295, 122), p.Child<CColorButton>(622)->GetRect());
  EXPECT_EQ(CRect(270, 72, 330, 96), p.Child<MSpinButton>(654)->GetRect());
  EXPECT_EQ(CRect(270, 156, 330, 180), p.Child<MEdit>(657)->GetRect());
  EXPECT_EQ((std::vector<int>{255, 255, 255}), p.Spins());
  EXPECT_EQ(L"33FFFE", p.Child<MEdit>(657)->GetEditText()) << "the field's colour 0xFEFF33";
  EXPECT_TRUE(p.Child<CColorButton>(622)->GetCheck());
  p.palette.SetRect(CRect(10, 20, 340, 220));
  EXPECT_EQ(CRect(245, 25, 330, 77), p.Child<CColorButton>(622)->GetRect());
  EXPECT_EQ(CRect(270, 82, 330, 106), p.Child<MSpinButton>(654)->GetRect());
  EXPECT_EQ(CRect(270, 166, 330, 190), p.Child<MEdit>(657)->GetRect());
}

TEST(CompositePickerTest, TypedHexMovesSpinsFieldAndSwatch) {
  Picker p;
  MEdit* hex = p.Child<MEdit>(657);
  hex->SetEditText(L"ff8000");
  hex->SendMessageW(NOTIFY_TEXT_CHANGED, 0, 0);
  EXPECT_EQ((std::vector<int>{255, 128, 0}), p.Spins());
  ASSERT_EQ(1u, p.Codes(NOTIFY_COLOR_CHANGED).size());
  EXPECT_EQ(700u, p.Codes(NOTIFY_COLOR_CHANGED)[0].id);
  EXPECT_EQ(0x0080FF, p.Codes(NOTIFY_COLOR_CHANGED)[0].lParam);
  EXPECT_EQ(0x0080FFu, p.Child<CColorButton>(622)->GetColor()) << "the checked swatch takes the colour";
  EXPECT_EQ(1u, p.Codes(NOTIFY_TEXT_CHANGED).size()) << "the edit's message is passed on";
  const CPoint marker = p.Child<MPalette>(620)->GetMarker();

  p.owner.notices.clear();
  hex->SetEditText(L"ff800");
  EXPECT_EQ(0, p.palette.OnBaseMessage(657, NOTIFY_TEXT_CHANGED, 0, 0));
  EXPECT_TRUE(p.owner.notices.empty()) << "five characters change nothing and are not passed on";
  EXPECT_EQ(marker, p.Child<MPalette>(620)->GetMarker());
}

TEST(CompositePickerTest, PresetSpinFieldAndSwatchPresses) {
  Picker p;
  CColorButton* preset = p.Child<CColorButton>(631);
  preset->SetCheck(1);
  preset->SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  EXPECT_EQ((std::vector<int>{85, 27, 0}), p.Spins());
  EXPECT_EQ(L"551B00", p.Child<MEdit>(657)->GetEditText());
  ASSERT_EQ(1u, p.Codes(NOTIFY_COLOR_CHANGED).size());
  EXPECT_EQ(0x001B55, p.Codes(NOTIFY_COLOR_CHANGED)[0].lParam);
  EXPECT_EQ(1u, p.Codes(NOTIFY_LBUTTONDOWN).size()) << "the press is passed on";

  p.owner.notices.clear();
  MSpinButton* green = p.Child<MSpinButton>(655);
  green->SetCurValue(200);
  green->SendMessageW(NOTIFY_VALUE_CHANGED, 0, 0);
  EXPECT_EQ(L"55C800", p.Child<MEdit>(657)->GetEditText());
  ASSERT_EQ(1u, p.Codes(NOTIFY_COLOR_CHANGED).size());
  EXPECT_EQ(0x00C855, p.Codes(NOTIFY_COLOR_CHANGED)[0].lParam);
  EXPECT_EQ(1u, p.Codes(NOTIFY_VALUE_CHANGED).size());

  p.owner.notices.clear();
  MPalette* field = p.Child<MPalette>(620);
  EXPECT_EQ(1, field->SendMessageW(NOTIFY_COLOR_CHANGED, 0, 0));
  ASSERT_EQ(1u, p.owner.notices.size()) << "the field's own 27 is not passed on";
  EXPECT_EQ(700u, p.owner.notices[0].id);
  EXPECT_EQ(static_cast<long>(field->GetSelectColor()), p.owner.notices[0].lParam);

  p.owner.notices.clear();
  CColorButton* swatch = p.Child<CColorButton>(622);
  swatch->SetColor(0x102030);
  swatch->SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  EXPECT_EQ((std::vector<int>{0x30, 0x20, 0x10}), p.Spins());
  EXPECT_EQ(0x102030, p.Codes(NOTIFY_COLOR_CHANGED)[0].lParam);
}

TEST(CompositePickerTest, BeforeInitialisationNothingIsThere) {
  RecordingParent owner;
  CColorPalette palette(&owner, 700, CRect(0, 0, 330, 200), 1);
  EXPECT_EQ(0u, palette.GetSelectColor());
  EXPECT_EQ(0, palette.SetThumbImage(L"img_palette_thumb.png"));
  palette.SetSelectColor(0x123456);
  EXPECT_EQ(1, palette.SetImage(L"spin.png", 4));
}

TEST(ColorSelectTest, IndexesAndPresses) {
  RecordingParent owner;
  CColorSelect select(&owner, 710, CRect(0, 0, 30, 200), 1);
  select.InitControl(nullptr);
  EXPECT_EQ(CRect(0, 155, 20, 175), select.GetPreset(6)->GetRect());
  select.SetColorIndex(2);
  EXPECT_TRUE(select.GetPreset(2)->GetCheck());
  select.SetColorIndex(7);
  EXPECT_TRUE(select.GetPreset(2)->GetCheck()) << "7 does nothing";
  select.GetPreset(2)->SendMessageW(NOTIFY_LBUTTONDOWN, 0, 0);
  ASSERT_EQ(2u, owner.notices.size());
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_COLOR_CHANGED), owner.notices[0].code);
  EXPECT_EQ(2u, owner.notices[0].wParam);
  EXPECT_EQ(0xFF0000, owner.notices[0].lParam);
  EXPECT_EQ(633u, owner.notices[1].id) << "then passed on";
  select.SetColorIndex(-1);
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(select.GetPreset(i)->GetCheck()) << i;
  EXPECT_EQ(0u, select.GetSelectColor());
}

TEST(CompositePickerTest, BarDragFollowsEveryMoveFieldDragOnlyThePress) {
  Picker p;
  p.palette.SetRect(CRect(10, 20, 340, 220));
  MPalette* field = p.Child<MPalette>(620);
  const CRect f = field->GetFieldRect(), bar = field->GetBarRect();
  field->OnControlLButtonDown(MK_LBUTTON, CPoint(f.left + 40, f.top + 60));
  const std::vector<int> atPress = p.Spins();
  field->OnControlMouseMove(MK_LBUTTON, CPoint(f.left + 120, f.top + 30));
  field->OnControlLButtonUp(0, CPoint(f.left + 120, f.top + 30));
  EXPECT_EQ(atPress, p.Spins()) << "a drag in the field itself changes the parts only at the press";
  EXPECT_EQ(1u, p.Codes(NOTIFY_COLOR_CHANGED).size());

  p.owner.notices.clear();
  field->OnControlLButtonDown(MK_LBUTTON, CPoint(bar.left + 4, bar.top + 100));
  const std::vector<int> barPress = p.Spins();
  field->OnControlMouseMove(MK_LBUTTON, CPoint(bar.left + 4, bar.top + 10));
  EXPECT_NE(barPress, p.Spins()) << "every move in the bar changes them";
  EXPECT_EQ(CColorPalette::HexText(field->GetSelectColor()), p.Child<MEdit>(657)->GetEditText());
  EXPECT_EQ(field->GetSelectColor(), p.Child<CColorButton>(622)->GetColor());
  EXPECT_EQ(2u, p.Codes(NOTIFY_COLOR_CHANGED).size());
}
