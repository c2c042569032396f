// The DPI stage tile: radio behaviour within its group, its two children and how their
// notifications reach the parent, and its two looks.
#include <gtest/gtest.h>
#include "QivTestSupport.h"
#include "WidgetTestSupport.h"
#include "controls/CCheckButton.h"
#include "controls/CColorButton.h"
#include "core/PaintManager.h"
#include "widgets/DPIControl.h"

using namespace qivtest;
using namespace widgettest;

namespace {
struct Tiles {
  RecordingParent parent;
  PaintManager pm;
  MPanel panel{&parent, 1, CRect(0, 0, 600, 200), 1};
  DPIControl* Add(unsigned id, int left) {
    auto* tile = new DPIControl(&panel, id, CRect(left, 0, left + 120, 100), 1);
    panel.AppendChild(1, tile);
    tile->SetManager(&pm);
    return tile;
  }
};
}  // namespace

TEST(DPIControl, AClickChecksTheTileAndUnchecksItsGroup) {
  Tiles t;
  DPIControl* a = t.Add(10, 0);
  DPIControl* b = t.Add(11, 150);
  DPIControl* other = t.Add(12, 300);
  other->SetGroupName(L"other");
  a->SetCheck(1);
  other->SetCheck(1);
  EXPECT_EQ(b->SetCheck(0), 1);

  b->OnControlLButtonDown(MK_LBUTTON, CPoint(200, 50));
  EXPECT_EQ(b->GetCheck(), 1);
  EXPECT_EQ(a->GetCheck(), 0) << "same group";
  EXPECT_EQ(other->GetCheck(), 1) << "another group";
  b->SetCheck(0);
  EXPECT_EQ(a->GetCheck(), 0) << "SetCheck leaves the group alone";
  b->OnControlLButtonDown(MK_LBUTTON, CPoint(20, 50));  // outside b
  EXPECT_EQ(b->GetCheck(), 0);
  b->SetEnabled(0);
  b->OnControlLButtonDown(MK_LBUTTON, CPoint(200, 50));
  EXPECT_EQ(b->GetCheck(), 0) << "disabled";

  DPIControl orphan(nullptr, 1, CRect(), 1);
  EXPECT_EQ(orphan.ResetGroupCheck(), 0);
}

TEST(DPIControl, ChildrenAreLaidOutAndTheirNotificationsReachTheParentTwice) {
  Tiles t;
  DPIControl* tile = t.Add(10, 20);
  ASSERT_NE(nullptr, tile->GetCheckButton());
  ASSERT_NE(nullptr, tile->GetColorButton());
  EXPECT_EQ(tile->GetCheckButton()->GetControlID(), 30u);
  EXPECT_EQ(tile->GetCheckButton()->GetRect(), CRect(20, 30, 44, 100));
  EXPECT_EQ(tile->GetColorButton()->GetRect(), CRect(120, 35, 140, 95));
  tile->SetControlRect(CRect(0, 0, 100, 80));
  EXPECT_EQ(tile->GetColorButton()->GetRect(), CRect(80, 35, 100, 75));

  t.parent.notices.clear();
  tile->OnBaseMessage(31, 2, 5, 6);
  ASSERT_EQ(t.parent.notices.size(), 2u);
  EXPECT_EQ(t.parent.notices[0].id, 10u);
  EXPECT_EQ(t.parent.notices[0].code, 2u);
  EXPECT_EQ(t.parent.notices[0].lParam, 2) << "from the colour swatch";
  EXPECT_EQ(t.parent.notices[1].id, 31u);
  EXPECT_EQ(t.parent.notices[1].wParam, 5u);
  tile->OnBaseMessage(30, 7, 0, 0);
  EXPECT_EQ(t.parent.notices[2].lParam, 1) << "from the check box";

  EXPECT_EQ(tile->GetCheckButton()->GetCheck(), 1) << "the check box starts checked";
  EXPECT_EQ(tile->GetColorButton()->GetCheck(), 1);
  EXPECT_EQ(tile->GetColorButton()->GetColor(), 255u) << "the tile's colour, given before the swatch existed";
  tile->SetColor(0x123456);
  EXPECT_EQ(tile->GetColor(), 0x123456u);
  EXPECT_EQ(tile->GetColorButton()->GetColor(), 0x123456u);
}

TEST(DPIControl, ValueRepaintsOnlyOnAChangeAndTheCheckPicksTheLook) {
  SkinFolder skins;
  skins.Write(L"dpi.png", 40, 20, [](unsigned x, unsigned) { return x < 20 ? 0xFF0000FFu : 0xFFFF0000u; });
  Tiles t;
  DPIControl* tile = t.Add(10, 0);
  ASSERT_EQ(tile->SetImage(L"dpi.png", 2), 1);
  MemoryCanvas canvas(120, 100);
  canvas.Draw(*tile);
  ASSERT_EQ(tile->GetUpdate(), 1) << "the looks are cached";
  tile->SetDPIValue(500);
  EXPECT_EQ(tile->GetUpdate(), 1) << "500 is the value it has: no repaint";
  tile->SetDPIValue(800);
  EXPECT_EQ(tile->GetDPIValue(), 800);
  EXPECT_EQ(tile->GetUpdate(), 0) << "a new value renders both looks again";
  canvas.Draw(*tile);
  EXPECT_EQ(canvas.Rgb(60, 60), 0x0000FFu) << "unchecked: frame 0";
  tile->SetCheck(1);
  canvas.Draw(*tile);
  EXPECT_EQ(canvas.Rgb(60, 60), 0xFF0000u) << "checked: the second look, frame 1";
}
