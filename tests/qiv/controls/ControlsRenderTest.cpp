// The controls drawn in a real window, checked pixel by pixel on in-process renders of
// the window: button slices by state, switch strips, the swatch grid, level cells, the
// download progress, the slider and GIF pictures, the photo frame, areas and badges.
#include <gtest/gtest.h>
#include <cstdlib>
#include "ControlsTestSupport.h"
#include "controls/CArea.h"
#include "controls/CGifPicture.h"
#include "controls/CImageButton.h"
#include "controls/CPhotoFrame.h"
#include "controls/CSliderPicture.h"
#include "controls/CSwitchButton.h"
#include "controls/ColorView.h"
#include "controls/DownloadButton.h"
#include "controls/MButton.h"
#include "controls/MLevelCtrl.h"
#include "controls/UpgradeButton.h"
#include "qiv/core/SkinFiles.h"
#include "qiv/windows/RobotoFont.h"

using ctltest::Host;
using ctltest::Render;

namespace {
constexpr int kW = 400, kH = 300;
constexpr uint32_t kBack = 0x0A141E;  // the window's back colour

// Colour distance per channel at most `tolerance` (anti-aliased edges).
bool Near(uint32_t a, uint32_t b, int tolerance = 40) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

class ControlsRender : public ::testing::Test {
protected:
  void SetUp() override {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, host.Create(nullptr, L"controls", WS_POPUP, 0, CRect(20, 20, 20 + kW, 20 + kH)));
    host.pm.SetBackColor(RGB(0x0A, 0x14, 0x1E), RGB(0x0A, 0x14, 0x1E));
  }
  void TearDown() override { host.DestroyWindow(); }
  Host host;
  qivtest::SkinFolder skins;
};

// A strip of `frames` frames of `fw` x `fh`: frame i is an 8-pixel red border around colour[i].
void BorderedStrip(qivtest::SkinFolder& skins, const wchar_t* name, int frames, int fw, int fh,
                   const uint32_t* colours) {
  skins.Write(name, frames * fw, fh, [=](unsigned x, unsigned y) {
    const int i = static_cast<int>(x) / fw, fx = static_cast<int>(x) % fw;
    const bool border = fx < 8 || fx >= fw - 8 || static_cast<int>(y) < 8 || static_cast<int>(y) >= fh - 8;
    return border ? 0xFFFF0000u : colours[i];
  });
}
}  // namespace

TEST_F(ControlsRender, PushButtonShowsTheNineGridSliceOfEachState) {
  const uint32_t centres[4] = {0xFF0000C0, 0xFF00C000, 0xFFC0C000, 0xFF606060};
  BorderedStrip(skins, L"btn.png", 4, 24, 24, centres);
  auto* b = host.Add(new MButton(&host, 30, CRect(20, 20, 140, 60), L"", 1, 1));
  ASSERT_EQ(1, b->SetImage(L"btn.png", 4));
  auto look = [&](uint32_t centre) {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(centre & 0xFFFFFF, r.Rgb(80, 40)) << "stretched centre";
    EXPECT_EQ(0xFF0000u, r.Rgb(22, 40)) << "left border keeps its width";
    EXPECT_EQ(0xFF0000u, r.Rgb(80, 58)) << "bottom border";
    EXPECT_EQ(kBack, r.Rgb(150, 40)) << "outside the button";
  };
  look(centres[0]);
  b->OnMouseMove(0, CPoint(50, 40));
  look(centres[1]);
  b->OnLButtonDown(MK_LBUTTON, CPoint(50, 40));
  look(centres[2]);
  b->OnMouseMove(MK_LBUTTON, CPoint(300, 200));
  look(centres[2]);  // held: the pressed slice stays outside
  b->OnLButtonUp(0, CPoint(300, 200));
  b->SetEnabled(0);
  look(centres[3]);
  b->SetEnabled(1);
  look(centres[0]);
}

TEST_F(ControlsRender, ButtonTitlesAreGreyWhenDisabledAndOnlyDrawnWhenSet) {
  qivwin::RegisterRoboto(host.pm);
  auto* b = host.Add(new MButton(&host, 30, CRect(20, 20, 220, 80), L"WWWW", 1, 1));
  b->SetFont(L"Roboto-Medium", 30, Gdiplus::FontStyleBold);
  b->SetTextColor(Gdiplus::Color(0xFF0000FF));
  {
    Render r(host.pm, kW, kH);
    EXPECT_GT(r.Count(20, 20, 220, 80, 0x0000FF), 20) << "the title in its colour";
  }
  b->SetEnabled(0);
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0, r.Count(20, 20, 220, 80, 0x0000FF));
    EXPECT_GT(r.Count(20, 20, 220, 80, 0x808080), 20) << "grey when disabled";
  }
  auto* empty = host.Add(new MButton(&host, 31, CRect(20, 100, 220, 160), L"", 1, 1));
  (void)empty;
  Render r(host.pm, kW, kH);
  EXPECT_EQ(200 * 60, r.Count(20, 100, 220, 160, kBack)) << "no skin, no title: the background only";
}

TEST_F(ControlsRender, SwitchShowsTheFramesOfItsPosition) {
  const uint32_t on[4] = {0xFF00FF00, 0xFF00C000, 0xFF008000, 0xFF004000};
  const uint32_t off[4] = {0xFFFF00FF, 0xFFC000C0, 0xFF800080, 0xFF400040};
  skins.Write(L"sw_on.png", 80, 10, [&](unsigned x, unsigned) { return on[x / 20]; });
  skins.Write(L"sw_off.png", 80, 10, [&](unsigned x, unsigned) { return off[x / 20]; });
  auto* sw = host.Add(new CSwitchButton(&host, 32, CRect(100, 100, 140, 120), 1, 1));
  ASSERT_EQ(1, sw->SetImage(L"sw_on.png", L"sw_off.png", 4));
  auto pixel = [&] {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(kBack, r.Rgb(130, 102)) << "the frame is 20 x 10, vertically centred";
    return r.Rgb(110, 110);
  };
  EXPECT_EQ(off[0] & 0xFFFFFF, pixel());
  sw->OnLButtonDown(MK_LBUTTON, CPoint(110, 110));
  sw->OnLButtonUp(0, CPoint(110, 110));
  EXPECT_EQ(on[1] & 0xFFFFFF, pixel()) << "on, hovered";
  sw->SetCheck(0);
  EXPECT_EQ(off[0] & 0xFFFFFF, pixel());
  sw->SetEnabled(0);
  EXPECT_EQ(off[3] & 0xFFFFFF, pixel());
}

TEST_F(ControlsRender, SwatchGridOutlinesTheHoveredAndTheChosenSwatch) {
  auto* grid = host.Add(new ColorView(&host, 33, CRect(0, 0, 240, 180), 1, 1));
  grid->InitColorView();
  const uint32_t outline = 0xFBC93E;
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0xB71C1Cu, r.Rgb(22, 21)) << "first swatch";
    EXPECT_EQ(0x1A1A1Au, r.Rgb(36, 21)) << "the gap";
    EXPECT_EQ(0x646464u, r.Rgb(0, 100)) << "the frame";
    EXPECT_TRUE(Near(0xB71C1C, r.Rgb(11, 21))) << "edge outlined in its own colour";
  }
  grid->OnMouseMove(0, CPoint(22, 21));
  {
    Render r(host.pm, kW, kH);
    EXPECT_TRUE(Near(outline, r.Rgb(11, 21), 60)) << std::hex << r.Rgb(11, 21);
  }
  grid->OnLButtonUp(0, CPoint(22, 21));
  grid->OnMouseMove(0, CPoint(50, 21));  // the second swatch
  Render r(host.pm, kW, kH);
  EXPECT_TRUE(Near(outline, r.Rgb(11, 21), 60)) << "the chosen one keeps its outline";
  EXPECT_TRUE(Near(outline, r.Rgb(39, 21), 60)) << "the hovered one";
  EXPECT_TRUE(Near(0x0E5204, r.Rgb(151, 21))) << "others keep their own";
}

TEST_F(ControlsRender, LevelCellsLightUpToTheLevel) {
  auto* level = host.Add(new MLevelCtrl(&host, 34, CRect(0, 100, 400, 140), 1, 1));
  level->SetLevelValue(3);
  Render r(host.pm, kW, kH);
  for (int k = 0; k < 16; ++k) {
    const int x = k * 25;
    // The cell colours have alpha 254: the background shows through by a hair.
    EXPECT_TRUE(Near(0xA0A0A0u, r.Rgb(x, 100), 2)) << "cell border " << k;
    EXPECT_TRUE(Near(k <= 3 ? 0xFFE100u : 0xA0A0A0u, r.Rgb(x + 10, 106), 2)) << "cell " << k;
  }
  EXPECT_EQ(kBack, r.Rgb(22, 106)) << "between cells";
}

TEST_F(ControlsRender, EmptyLevelRangeDrawsNoCells) {
  auto* level = host.Add(new MLevelCtrl(&host, 34, CRect(0, 100, 400, 140), 1, 1));
  level->SetRangeValue(3, 1);
  Render r(host.pm, kW, kH);
  EXPECT_EQ(400 * 12, r.Count(0, 100, 400, 112, kBack));
}

TEST_F(ControlsRender, DownloadButtonFillsItsProgress) {
  skins.Write(L"dl.png", 48, 24, [](unsigned x, unsigned) { return x < 24 ? 0xFF0000FFu : 0xFF00FF00u; });
  auto* dl = host.Add(new DownloadButton(&host, 35, CRect(100, 100, 300, 140), L"Get", 1, 1));
  ASSERT_EQ(1, dl->SetImage(L"dl.png", 2));
  dl->SetDownloadProcess(50);
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0x00FF00u, r.Rgb(150, 104)) << "filled half";
    EXPECT_EQ(0x0000FFu, r.Rgb(250, 104)) << "the rest";
    EXPECT_EQ(0x00FF00u, r.Rgb(197, 104));
    EXPECT_EQ(0x0000FFu, r.Rgb(203, 104));
  }
  dl->OnMouseMove(0, CPoint(250, 120));
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0x0000FFu, r.Rgb(250, 104)) << "hover does not change the progress look";
  }
  dl->SetDownloadProcess(0);
  Render r(host.pm, kW, kH);
  EXPECT_EQ(0x00FF00u, r.Rgb(250, 104)) << "the button again, hovered: frame 1";
}

TEST_F(ControlsRender, SliderPictureRevealsFromItsEdgeThenHides) {
  skins.Write(L"slide.png", 200, 50, [](unsigned x, unsigned) { return x < 100 ? 0xFFFF0000u : 0xFF0000FFu; });
  auto* slider = host.Add(new CSliderPicture(&host, 36, CRect(100, 100, 300, 150), 1, 1));
  ASSERT_EQ(1, slider->SetImage(L"slide.png", 1));
  slider->SetShowMode(SHOWMODE_STRETCH, 0);
  slider->SetRun(1, SLIDER_LEFT_TO_RIGHT);
  for (int i = 0; i < 25; ++i) slider->OnControlTimer();  // 50 pixels
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0x0000FFu, r.Rgb(110, 120)) << "the last 50 columns of the picture";
    EXPECT_EQ(0x0000FFu, r.Rgb(148, 120));
    EXPECT_EQ(0xF2F2F2u, r.Rgb(152, 120)) << "not yet revealed";
  }
  for (int i = 0; i < 50; ++i) slider->OnControlTimer();  // 150 pixels
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0xFF0000u, r.Rgb(110, 120));
    EXPECT_EQ(0x0000FFu, r.Rgb(240, 120));
    EXPECT_EQ(0xF2F2F2u, r.Rgb(260, 120));
  }
  slider->SetRun(1, SLIDER_RIGHT_TO_LEFT);
  for (int i = 0; i < 25; ++i) slider->OnControlTimer();
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0xF2F2F2u, r.Rgb(110, 120));
    EXPECT_EQ(0xFF0000u, r.Rgb(260, 120)) << "the picture from its left edge";
  }
  while (slider->IsRunning()) slider->OnControlTimer();
  { Render r(host.pm, kW, kH); }
  EXPECT_EQ(0, slider->IsVisible()) << "a stopped slider hides at its next draw";
  Render r(host.pm, kW, kH);
  EXPECT_EQ(kBack, r.Rgb(200, 120));
}

TEST_F(ControlsRender, GifPictureAdvancesItsFrames) {
  auto* gif = host.Add(new CGifPicture(&host, 37, CRect(10, 10, 42, 42), 1, 1));
  ASSERT_EQ(1, gif->SetImageFile(ctltest::FixturePath(L"anim3.gif")));
  gif->SetRunState(1, 0);
  const uint32_t frames[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000};
  for (uint32_t colour : frames) {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(colour, r.Rgb(26, 26));
    for (int t = 0; t < 5; ++t) gif->OnControlTimer();
  }
}

// Without an overlay the hover and pressed looks are copies of the picture, never an
// unpainted bitmap.
TEST_F(ControlsRender, PhotoFrameHoverLooksCarryThePictureAndTheOverlay) {
  skins.Solid(L"photo.png", 40, 40, 0xFF3366CC);
  auto* frame = host.Add(new CPhotoFrame(&host, 38, CRect(50, 50, 90, 90), 1, 1));
  ASSERT_EQ(1, frame->SetPhotoFrame(L"photo.png", 1));
  frame->SetShowMode(SHOWMODE_STRETCH, 0);
  frame->OnMouseMove(0, CPoint(70, 70));
  ASSERT_EQ(1, frame->GetState());
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0x3366CCu, r.Rgb(70, 70));
  }
  frame->OnLButtonDown(MK_LBUTTON, CPoint(70, 70));
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0x3366CCu, r.Rgb(70, 70)) << "pressed";
  }
  frame->OnLButtonUp(0, CPoint(70, 70));
  // An overlay's second frame (a 12-pixel border) lies over the hover look only.
  skins.Write(L"overlay.png", 80, 40, [](unsigned x, unsigned y) {
    const unsigned fx = x % 40;
    const bool border = fx < 12 || fx >= 28 || y < 12 || y >= 28;
    return x >= 40 && border ? 0xFFFFFF00u : 0x00000000u;
  });
  ASSERT_EQ(1, frame->SetImage(L"overlay.png", 2));
  frame->UpdateControl(1, 0);
  {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0xFFFF00u, r.Rgb(52, 70)) << "overlay border";
    EXPECT_EQ(0x3366CCu, r.Rgb(70, 70)) << "picture through the overlay";
  }
  frame->OnMouseMove(0, CPoint(300, 300));
  Render r(host.pm, kW, kH);
  EXPECT_EQ(0x3366CCu, r.Rgb(52, 70)) << "no overlay at rest";
}

TEST_F(ControlsRender, ImageButtonHighlightsHoverAndPressOnly) {
  skins.Solid(L"icon.png", 10, 10, 0xFFFFFFFF);
  auto* b = host.Add(new CImageButton(&host, 39, CRect(100, 100, 140, 140), L"", 1, 1));
  ASSERT_EQ(1, b->SetImage(L"icon.png", 1));
  auto at = [&](int x, int y) {
    Render r(host.pm, kW, kH);
    return r.Rgb(x, y);
  };
  EXPECT_EQ(0xFFFFFFu, at(120, 120)) << "the image centred";
  EXPECT_EQ(kBack, at(108, 120)) << "no highlight at rest";
  b->OnMouseMove(0, CPoint(120, 120));
  EXPECT_EQ(Manager::GetNormalColor().GetValue() & 0xFFFFFF, at(108, 120)) << "highlight on hover";
  b->OnLButtonDown(MK_LBUTTON, CPoint(120, 120));
  EXPECT_EQ(Manager::GetNormalColor().GetValue() & 0xFFFFFF, at(108, 120)) << "and on press";
  b->OnLButtonUp(0, CPoint(300, 300));
  b->SetEnabled(0);
  EXPECT_EQ(kBack, at(108, 120)) << "disabled: the image alone";
  EXPECT_EQ(0xFFFFFFu, at(120, 120));
}

TEST_F(ControlsRender, UpgradeBadgeInEveryLookUntilCleared) {
  auto* b = host.Add(new UpgradeButton(&host, 40, CRect(100, 100, 200, 140), L"", 1, 1));
  b->SetUpgradeStatus(1);
  for (int step = 0; step < 2; ++step) {
    Render r(host.pm, kW, kH);
    EXPECT_EQ(0xFF0000u, r.Rgb(187, 108)) << "badge, look " << b->GetState();
    b->OnMouseMove(0, CPoint(150, 120));
  }
  b->SetUpgradeStatus(0);
  Render r(host.pm, kW, kH);
  EXPECT_EQ(kBack, r.Rgb(187, 108));
}

TEST_F(ControlsRender, AreasFillRoundAndBlend) {
  auto* low = host.Add(new CArea(&host, 41, CRect(10, 10, 110, 19), 1, 1));  // 9 high: plain
  low->SetTransparent(0, 0, RGB(0, 200, 0));
  auto* tall = host.Add(new CArea(&host, 42, CRect(10, 30, 110, 80), 1, 1));
  tall->SetTransparent(0, 0, RGB(0, 200, 0));
  auto* framed = host.Add(new CArea(&host, 43, CRect(10, 90, 110, 140), 1, 1));
  framed->SetTransparent(0, 0, RGB(0, 200, 0));
  framed->SetFrame(2, Gdiplus::Color(0xFFFF0000), 0);
  auto* overlay = host.Add(new CRoundArea(&host, 44, CRect(200, 10, 300, 110), 1, 1));
  overlay->SetColor(Gdiplus::Color(128, 255, 255, 255));
  Render r(host.pm, kW, kH);
  EXPECT_EQ(0x00C800u, r.Rgb(10, 10)) << "a low area has square corners";
  EXPECT_EQ(kBack, r.Rgb(10, 30)) << "a taller one is rounded";
  EXPECT_EQ(0x00C800u, r.Rgb(60, 55));
  EXPECT_EQ(0xFF0000u, r.Rgb(10, 90)) << "one-pixel frame";
  EXPECT_EQ(0x00C800u, r.Rgb(11, 91)) << "whatever the frame width";
  EXPECT_TRUE(Near(0x848A8E, r.Rgb(250, 60), 3)) << std::hex << r.Rgb(250, 60) << " half-strength white";
}
