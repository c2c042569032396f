// The HSL colour model in single precision, the hue field and the colour wheel.
#include <gtest/gtest.h>
#include <cmath>
#include "QivTestSupport.h"
#include "controls/CirclePalette.h"
#include "controls/ColorModel.h"
#include "controls/MPalette.h"
#include "core/PaintManager.h"

using namespace ColorModel;

using namespace qivtest;

TEST(ColorModelTest, HslToRgbInSinglePrecision) {
  struct Case {
    float h, s, l;
    COLORREF rgb;
  } cases[] = {
      {0.0f, 1.0f, 0.5f, 0x0000FF},
      {1.0f / 3.0f, 1.0f, 0.5f, 0x00FF00},
      {2.0f / 3.0f, 1.0f, 0.5f, 0xFF0000},
      {0.3f, 0.0f, 1.0f, 0xFFFFFF},
      {0.7f, 0.0f, 0.0f, 0x000000},
      {0.5f, 1.0f, 0.6f, 0xFEFF33},  // hue 180, saturation 200, lightness 120: blue 254, not 255
      {0.0f, 0.0f, 0.5f, 0x7F7F7F},
      {1.0f / 6.0f, 1.0f, 0.5f, 0x00FFFF},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.rgb, HslToRgb(c.h, c.s, c.l)) << std::hex << c.rgb << " from " << c.h << "," << c.s << "," << c.l;
}

TEST(ColorModelTest, RgbToHslAndBack) {
  struct Case {
    COLORREF rgb;
    float h, s, l;
  } cases[] = {
      {0x0000FF, 0.0f, 1.0f, 0.5f},
      {0x00FF00, 0.33333334f, 1.0f, 0.5f},
      {0xFF0000, 0.6666667f, 1.0f, 0.5f},
      {0xFFFFFF, 0.0f, 0.0f, 1.0f},
      {0x000000, 0.0f, 0.0f, 0.0f},
      {0x808080, 0.0f, 0.0f, 128.0f / 255.0f},
  };
  for (const Case& c : cases) {
    const HslColor hsl = RgbToHsl(c.rgb);
    EXPECT_FLOAT_EQ(c.h, hsl.hue) << std::hex << c.rgb;
    EXPECT_FLOAT_EQ(c.s, hsl.saturation) << std::hex << c.rgb;
    EXPECT_FLOAT_EQ(c.l, hsl.lightness) << std::hex << c.rgb;
  }
  for (COLORREF c : {0x0080FFu, 0x551B00u, 0x33FF80u, 0x102030u}) {
    const HslColor hsl = RgbToHsl(c);
    const COLORREF back = HslToRgb(hsl.hue, hsl.saturation, hsl.lightness);
    for (int shift : {0, 8, 16}) EXPECT_NEAR(double((c >> shift) & 0xFF), double((back >> shift) & 0xFF), 1.0) << std::hex << c;
  }
  EXPECT_FLOAT_EQ(0.2f, HueToChannel(0.2f, 1.0f, 1.9f)) << "hue past 1 comes back by one";
  EXPECT_FLOAT_EQ(1.0f, HueToChannel(0.2f, 1.0f, -0.75f));
}

TEST(PaletteTest, NewFieldReportsItsStartColourAndPicksFromFieldAndBar) {
  RecordingParent owner;
  PaintManager pm;  // unbound: the field's images are built against the screen
  MPalette palette(&owner, 620, CRect(0, 0, 233, 180), 1);
  EXPECT_EQ(0xFEFF33u, palette.GetSelectColor());
  palette.SetManager(&pm);
  palette.SetControlRect(CRect(0, 0, 233, 180));
  EXPECT_EQ(CRect(0, 0, 195, 150), palette.GetFieldRect());
  EXPECT_EQ(CRect(201, 0, 233, 150), palette.GetBarRect());
  EXPECT_EQ(RGB(0xFF, 0, 0), palette.GetImagePixel(0, 100)) << "field: hue 0 at half lightness";
  EXPECT_EQ(RGB(1, 0, 0), palette.GetImagePixel(0, 0)) << "black is written as red 1";

  palette.SetSelectColor(0x000000);
  EXPECT_EQ(0, palette.GetMarker().y) << "lightness 0 lies above the drawn range: the field top";
  palette.SetSelectColor(0x0000FF);
  EXPECT_EQ(0, palette.GetHue());
  EXPECT_EQ(200, palette.GetSaturation());
  EXPECT_EQ(100, palette.GetLightness());
  EXPECT_TRUE(owner.notices.empty()) << "a colour set from code is not notified";

  palette.OnControlLButtonDown(MK_LBUTTON, CPoint(97, 40));
  ASSERT_EQ(1u, owner.notices.size());
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_COLOR_CHANGED), owner.notices[0].code);
  EXPECT_EQ(palette.GetSelectColor(), owner.notices[0].wParam) << "the press passes the colour in wParam";
  EXPECT_EQ(179, palette.GetHue());
  EXPECT_EQ(68, palette.GetLightness());
  palette.OnControlMouseMove(MK_LBUTTON, CPoint(120, 40));
  EXPECT_EQ(1u, owner.notices.size()) << "dragging in the field notifies nothing";
  palette.OnControlLButtonUp(0, CPoint(120, 40));
  palette.OnControlLButtonDown(MK_LBUTTON, CPoint(210, 75));
  EXPECT_EQ(100, palette.GetSaturation());
  palette.OnControlMouseMove(MK_LBUTTON, CPoint(210, 30));
  palette.OnControlMouseMove(MK_LBUTTON, CPoint(210, 150));
  EXPECT_EQ(200, palette.GetSaturation()) << "199 and above become 200";
  ASSERT_EQ(4u, owner.notices.size()) << "every move in the bar notifies";
  EXPECT_EQ(0u, owner.notices[3].wParam);
  EXPECT_EQ(1, palette.OnControlScroll(1, 1, CPoint())) << "the wheel is swallowed";
  EXPECT_EQ(0, palette.SetThumbImage(L"no-such-thumb.png"));
}

TEST(PaletteTest, BarDragWithoutPaletteHeightKeepsTheSaturation) {
  RecordingParent owner;
  MPalette palette(&owner, 620, CRect(0, 0, 233, 180), 1);
  palette.SetControlRect(CRect(0, 0, 233, 180));
  palette.OnControlLButtonDown(MK_LBUTTON, CPoint(210, 75));
  ASSERT_EQ(100, palette.GetSaturation());
  palette.SetPalletHeight(0);
  palette.SetControlRect(CRect(0, 0, 233, 180));
  palette.OnControlMouseMove(MK_LBUTTON, CPoint(210, 30));
  EXPECT_EQ(100, palette.GetSaturation()) << "no height: nothing to pick, no division by zero";
  palette.OnControlLButtonUp(0, CPoint(210, 30));
  palette.OnControlLButtonDown(MK_LBUTTON, CPoint(10, 0));
  EXPECT_EQ(100, palette.GetSaturation());
}

TEST(CirclePaletteTest, ReachDragThresholdAndRelease) {
  RecordingParent owner;
  CirclePalette wheel(&owner, 70, CRect(0, 0, 1, 1), 1, 1);
  EXPECT_EQ(0x0000FFu, wheel.GetSelectColor());
  EXPECT_TRUE(wheel.GetMarkerRect().IsRectNull());
  wheel.SetControlRect(CRect(100, 100, 220, 220));
  EXPECT_EQ(CRect(160, 110, 170, 120), wheel.GetMarkerRect());
  EXPECT_EQ(60, wheel.GetDistanse(CPoint(220, 160)));

  wheel.OnControlLButtonDown(MK_LBUTTON, CPoint(218, 160));  // 58 from the centre
  EXPECT_EQ(CRect(160, 110, 170, 120), wheel.GetMarkerRect()) << "beyond reach: nothing moves";
  wheel.OnControlLButtonUp(0, CPoint(218, 160));
  ASSERT_EQ(1u, owner.notices.size());
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_CLICK), owner.notices[0].code);
  EXPECT_EQ(0x0000FF, owner.notices[0].lParam);

  owner.notices.clear();
  wheel.OnControlLButtonDown(MK_LBUTTON, CPoint(165, 115));  // the marker's own place
  EXPECT_EQ(2, wheel.GetState()) << "a press on the marker drags it";
  EXPECT_TRUE(owner.notices.empty()) << "the marker is already there";
  wheel.OnControlMouseMove(MK_LBUTTON, CPoint(168, 117));
  EXPECT_TRUE(owner.notices.empty()) << "3 pixels are ignored";
  wheel.OnControlMouseMove(MK_LBUTTON, CPoint(171, 115));
  ASSERT_EQ(1u, owner.notices.size()) << "6 pixels move the marker";
  EXPECT_EQ(static_cast<unsigned>(NOTIFY_COLOR_CHANGED), owner.notices[0].code);
  EXPECT_EQ(CRect(166, 110, 176, 120), wheel.GetMarkerRect());
  EXPECT_EQ(0, wheel.SetImage(L"wheel.png", 1)) << "no window, no picture";
}
