// The colour pickers: the lightness field's ramp and picking, the hue strip's marker and
// the swatch bar, drawn into a memory canvas.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "WidgetTestSupport.h"
#include "core/PaintManager.h"
#include "widgets/HslColor.h"
#include "widgets/LCDPalette.h"

using namespace pickerhsl;

using namespace qivtest;
using namespace widgettest;

namespace {
void Redraw(MemoryCanvas& canvas, MControl& control) {
  control.SetUpdate(0, 0);
  canvas.Draw(control);
}
}  // namespace

// A colour given before the control has its window used to be written into a field that
// did not exist yet; it is kept and filled in once the field is made.
TEST(LCDPalette3, ColourSetBeforeTheFieldIsMadeFillsItLater) {
  RecordingParent parent;
  LCDPalette3 field(&parent, 399, CRect(0, 0, 200, 180), 1);
  field.SetControlRect(CRect(0, 0, 200, 180));
  field.SetSelectColor(0x0000FF);
  EXPECT_EQ(field.GetHue(), 0);
  EXPECT_EQ(field.GetSaturation(), 200);
  EXPECT_EQ(field.GetLightness(), 100);
  EXPECT_EQ(field.GetCursorPos(), CPoint(0, 0));
  EXPECT_EQ(field.GetFieldPixel(0, 0), 0u) << "no field yet";

  PaintManager pm;
  field.SetManager(&pm);
  EXPECT_EQ(field.GetFieldPixel(0, 0), 0xFFFFFFu) << "white at the left";
  EXPECT_EQ(field.GetFieldPixel(100, 7), 0x0000FFu) << "the pure hue half way";
  EXPECT_EQ(field.GetFieldPixel(199, 359), 0x000003u) << "near black at the right";
  EXPECT_EQ(field.GetFieldPixel(100, 200), field.GetFieldPixel(100, 7)) << "every row the same";

  field.SetSelectColor(0x808080);
  EXPECT_EQ(field.GetSaturation(), 0);
  EXPECT_EQ(field.GetFieldPixel(100, 0), 0x808080u) << "grey: no hue";
}

TEST(LCDPalette3, DraggingReportsTheOldColourAndTheReleasePicksTheDrawnOne) {
  RecordingParent parent;
  PaintManager pm;
  LCDPalette3 field(&parent, 399, CRect(0, 0, 200, 180), 1);
  field.SetManager(&pm);
  field.SetSelectColor(0x0000FF);
  MemoryCanvas canvas(200, 180);
  Redraw(canvas, field);

  field.OnControlMouseMove(MK_LBUTTON, CPoint(120, 40));
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].code, 27u);
  EXPECT_EQ(field.GetSelectColor(), 0x0000FFu) << "dragging does not pick";
  field.OnControlMouseMove(0, CPoint(150, 40));
  EXPECT_EQ(parent.notices.size(), 1u) << "no button, no drag";

  field.OnControlLButtonUp(0, CPoint(120, 40));
  ASSERT_EQ(parent.notices.size(), 2u);
  EXPECT_EQ(parent.notices[1].code, 2u);
  const uint32_t shown = canvas.Rgb(120, 40);
  const COLORREF picked = field.GetSelectColor();
  EXPECT_EQ(RgbOf(picked), shown) << "the colour as drawn under the cursor";
  EXPECT_NE(picked, 0x0000FFu);
  EXPECT_EQ(field.GetCursorPos(), CPoint(120, 40));

  field.SetEnabled(0);
  EXPECT_EQ(field.OnControlLButtonUp(0, CPoint(10, 10)), 0);
  EXPECT_EQ(field.GetSelectColor(), picked);
}

TEST(LCDPalette2, MarkerHueIsTheSelectedColour) {
  RecordingParent parent;
  LCDPalette2 strip(&parent, 400, CRect(0, 0, 370, 40), 1);
  EXPECT_EQ(strip.GetSelectColor(), HslToRgb(175 / 360.0f, 1.0f, 0.5f))
      << "before the first draw: the marker's colour, not an unset value";
  strip.SetControlRect(CRect(10, 10, 380, 50));
  MemoryCanvas canvas(400, 60);
  Redraw(canvas, strip);

  // Press on the marker (x 180 of the control) and drag it to 185.
  strip.OnControlLButtonDown(MK_LBUTTON, CPoint(10 + 185, 30));
  strip.OnControlMouseMove(MK_LBUTTON, CPoint(10 + 190, 30));
  EXPECT_EQ(strip.GetMarkerX(), 185);
  Redraw(canvas, strip);
  EXPECT_EQ(strip.GetSelectColor(), 0xFFFF00u) << "hue 180: cyan";
  strip.OnControlLButtonUp(0, CPoint(10 + 190, 30));
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].code, 2u);

  strip.OnControlMouseMove(MK_LBUTTON, CPoint(10 + 100, 30));
  EXPECT_EQ(strip.GetMarkerX(), 185) << "the drag ended with the release";
  strip.OnControlLButtonDown(MK_LBUTTON, CPoint(12, 30));
  EXPECT_EQ(strip.GetMarkerX(), 0) << "held at the left edge";
  Redraw(canvas, strip);
  EXPECT_EQ(strip.GetSelectColor(), 0x0000FFu) << "red";
  EXPECT_EQ(canvas.Rgb(10 + 10, 10 + 35), 0xFF0000u) << "the strip starts red";

  strip.OnControlScroll(1, 0, CPoint(100, 30));
  EXPECT_EQ(strip.GetMarkerX(), 2);
  strip.OnControlScroll(1, 1, CPoint(100, 30));
  strip.OnControlScroll(1, 1, CPoint(100, 30));
  EXPECT_EQ(strip.GetMarkerX(), 0);
  strip.SetSelectColor(0x123456);
  EXPECT_EQ(strip.GetSelectColor(), 0x123456u) << "kept until the next draw";
}

TEST(LCDPalette, HueBarWrapsAndSwatchesFollowTheHue) {
  RecordingParent parent;
  LCDPalette bar(&parent, 1, CRect(0, 0, 420, 60), 1);
  bar.SetControlRect(CRect(0, 0, 420, 60));
  MemoryCanvas canvas(420, 60);
  Redraw(canvas, bar);
  EXPECT_EQ(canvas.Rgb(10 + 360, 15), 0xFF0000u) << "beyond 360 degrees the bar wraps back to red";
  EXPECT_EQ(bar.GetSelectColor(), bar.SwatchColor(4));

  bar.OnControlLButtonDown(MK_LBUTTON, CPoint(10 + 80 + 5, 40));
  EXPECT_EQ(bar.GetSelectSwatch(), 2);
  bar.OnControlLButtonUp(0, CPoint(10 + 80 + 5, 40));
  ASSERT_EQ(parent.notices.size(), 1u);
  Redraw(canvas, bar);
  EXPECT_EQ(bar.GetSelectColor(), bar.SwatchColor(2));
  bar.OnControlLButtonDown(MK_LBUTTON, CPoint(10 + 39 + 0, 40));  // the gap between swatches 0 and 1
  EXPECT_EQ(bar.GetSelectSwatch(), 2);

  bar.OnControlLButtonDown(MK_LBUTTON, CPoint(100, 10));  // on the hue bar, off the marker
  EXPECT_EQ(bar.GetMarker(), 90);
  EXPECT_EQ(bar.GetSelectSwatch(), 4) << "a new hue goes back to the middle swatch";
  bar.OnControlLButtonUp(0, CPoint(100, 25));
  EXPECT_EQ(parent.notices.size(), 1u) << "released between the bar and the swatches";
}

// The pick area (and the swatch bar's active rows) used to stay empty until the control
// was moved, so a picker made at its place never reported a click.
TEST(LCDPalette2, PickerMadeAtItsPlaceReportsClicks) {
  RecordingParent parent;
  LCDPalette2 strip(&parent, 400, CRect(0, 0, 370, 40), 1);
  strip.OnControlLButtonDown(MK_LBUTTON, CPoint(50, 30));
  strip.OnControlLButtonUp(0, CPoint(50, 30));
  ASSERT_EQ(parent.notices.size(), 1u);
  EXPECT_EQ(parent.notices[0].code, 2u);
  LCDPalette bar(&parent, 1, CRect(0, 0, 420, 60), 1);
  bar.OnControlLButtonUp(0, CPoint(50, 10));
  EXPECT_EQ(parent.notices.size(), 2u);
}
