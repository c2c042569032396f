// Looks of the value and text controls, checked on in-process renders.
#include <gtest/gtest.h>
#include <cstdlib>
#include "ControlsWindowSupport.h"
#include "StandInTextServices.h"
#include "controls/CLogonEdit.h"
#include "controls/MPalette.h"
#include "controls/MProgress.h"
#include "controls/MSlider.h"
#include "controls/MText.h"
#include "core/Manager.h"

using namespace qivtest;

namespace {
class RenderWindow : public DialogFixture {
protected:
  static bool Reddish(uint32_t c) { return (c >> 16) > 0xC0 && ((c >> 8) & 0xFF) < 0x60 && (c & 0xFF) < 0x60; }
  int CountReddish(const Render& r, CRect area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) n += Reddish(r.Rgb(x, y)) ? 1 : 0;
    return n;
  }
  // Pixels of a mid grey such as the logon tip's 0x898989 (anti-aliased, so any near-neutral).
  static int CountGrey(const Render& r, CRect area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const uint32_t c = r.Rgb(x, y);
        const int red = int(c >> 16), green = int((c >> 8) & 0xFF), blue = int(c & 0xFF);
        n += std::abs(red - green) < 12 && std::abs(green - blue) < 12 && red > 0x60 && red < 0xE0 ? 1 : 0;
      }
    return n;
  }
};
}  // namespace

TEST_F(RenderWindow, MarkedTextDrawsOnlyTheMarkInItsColourOnTheTextLine) {
  auto* label = dynamic_cast<MText*>(dlg.CreateControl(L"MText", 37, CRect(10, 10, 410, 50), L"abc abc", 1, 1));
  label->SetFont(L"Roboto-Medium", 24, Gdiplus::FontStyleBold);
  label->SetTextColor(Gdiplus::Color(0xFFFF0000));
  int plainTop = 0, plainBottom = 0;
  {
    Render r(dlg.pm(), kWidth, kHeight);
    for (int y = 10; y < 50; ++y) {
      if (CountReddish(r, CRect(10, y, 200, y + 1)) == 0) continue;
      if (!plainTop) plainTop = y;
      plainBottom = y;
    }
  }
  ASSERT_GT(plainBottom, plainTop) << "the unmarked title is drawn";
  label->SetTextColor(Gdiplus::Color(0xFF000000));
  label->SetMarkText(L"abc abc", L"abc", Gdiplus::Color(0xFFFF0000), 1);
  Render r(dlg.pm(), kWidth, kHeight);
  EXPECT_EQ(0, CountReddish(r, CRect(10, 10, 50, 50))) << "the first word is not marked";
  EXPECT_GT(CountReddish(r, CRect(50, 10, 160, 50)), 10) << "the second one is";
  EXPECT_GT(CountReddish(r, CRect(50, plainBottom - 3, 160, plainBottom + 1)), 0)
      << "the mark sits on the same line as the unmarked title, not on the label's top edge";
  EXPECT_EQ(0, CountReddish(r, CRect(10, 10, 410, plainTop - 1)));

  label->EnableTextBack(1, Gdiplus::Color(0xFF0000FF));
  Render back(dlg.pm(), kWidth, kHeight);
  EXPECT_EQ(0x0000FFu, back.Rgb(400, 45)) << "the solid background";
}

TEST_F(RenderWindow, ProgressLineAndFillSliderThumb) {
  auto* bar = dynamic_cast<MProgress*>(dlg.CreateControl(L"MProgress", 32, CRect(10, 100, 210, 120), L"", 1, 1));
  bar->SetProgress(50);
  auto* slider = dynamic_cast<MSlider*>(dlg.CreateControl(L"MSlider", 129, CRect(10, 200, 186, 220), L"", 1, 1));
  slider->SetMaxProgress(100);
  slider->SetProgress(100);
  Render r(dlg.pm(), kWidth, kHeight);
  EXPECT_EQ(0xFF3A32u, r.Rgb(50, 118)) << "the filled part";
  EXPECT_NE(0xFF3A32u, r.Rgb(150, 118)) << "past the progress";
  EXPECT_EQ(RgbOf(Manager::m_down_color.ToCOLORREF()), r.Rgb(10 + 100 + 8, 200 + 8)) << "the thumb at the end";
}

TEST_F(RenderWindow, PaletteFieldAndBar) {
  auto* field = dynamic_cast<MPalette*>(dlg.CreateControl(L"MPalette", 620, CRect(10, 10, 243, 190), L"", 1, 1));
  field->SetControlRect(CRect(10, 10, 243, 190));
  field->SetSelectColor(0x0000FF);
  Render r(dlg.pm(), kWidth, kHeight);
  const uint32_t red = r.Rgb(12, 10 + 60);  // hue 0, lightness (60 x 180 / 150 + 20) / 200 = 0.46
  EXPECT_GT(red >> 16, 0xD0u);
  EXPECT_LT(red & 0xFF, 0x20u);
  const uint32_t cyan = r.Rgb(10 + 97, 10 + 70);  // hue 180
  EXPECT_LT(cyan >> 16, 0x20u);
  EXPECT_GT(cyan & 0xFF, 0xC0u);
  const uint32_t top = r.Rgb(10 + 201 + 8, 12), bottom = r.Rgb(10 + 201 + 8, 10 + 148);
  EXPECT_LT((top >> 16) - (top & 0xFF), (bottom >> 16) - (bottom & 0xFF)) << "the bar grows in saturation downwards";
}

// The text services are the stand-in here: they draw nothing, so what shows is the
// control's own drawing.
TEST_F(RenderWindow, LogonTipIsAPlaceholderWhileEmptyAndALabelOnceTyped) {
  struct StandIn {
    StandIn() { CTxtWinHost::SetServicesFactory(&StandInTextServices::Create); }
    ~StandIn() { CTxtWinHost::SetServicesFactory(nullptr); }
  } standIn;
  const CRect place(20, 200, 320, 250);
  auto* logon = new CLogonEdit(&dlg, 9, place, L"Name", 1, 1);
  logon->SetManager(&dlg.pm());
  dlg.pm().GetControls()->push_back(logon);
  logon->SetRect(place);
  // The label's box at the top left, and the text line right of the icon's 50 pixels.
  const CRect labelBox(place.left + 2, place.top, place.left + 48, place.top + 13);
  const CRect textLine(place.left + 50, place.top + 18, place.left + 200, place.bottom - 2);
  {
    Render r(dlg.pm(), kWidth, kHeight);
    EXPECT_GT(CountGrey(r, textLine), 10) << "empty: the tip is the placeholder on the text line";
    EXPECT_EQ(0, CountGrey(r, labelBox)) << "empty: no label above";
    EXPECT_EQ(0x898989u, r.Rgb(place.left + 150, place.bottom - 1)) << "the line along the bottom";
  }
  logon->SetControlTitle(L"mmmm");
  Render r(dlg.pm(), kWidth, kHeight);
  EXPECT_GT(CountGrey(r, labelBox), 5) << "typed: the tip floats up as a small label";
  EXPECT_EQ(0, CountGrey(r, textLine)) << "and leaves the text line to the text";
}
