#include <gtest/gtest.h>
#include "WindowsTestSupport.h"
#include "core/MShadow.h"

using namespace qivwin;

namespace {
class ShadowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(nullptr, dialog.CreatePopup(nullptr, CRect(200, 150, 400, 250), WS_POPUP | WS_VISIBLE));
    shadow = &dialog.GetPaintManager()->GetShadow();
  }
  void TearDown() override {
    dialog.DestroyWindow();
    Pump();
  }
  CRect ShadowRect() const {
    CRect r;
    ::GetWindowRect(shadow->GetShadowWnd(), &r);
    return r;
  }
  // The picture the shadow would present now, top-down.
  std::vector<DWORD> Picture(CSize& size) const {
    size = shadow->PictureSize(dialog.GetSafeHwnd());
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy, 0);
    if (!pixels.empty()) shadow->ComposePicture(dialog.GetSafeHwnd(), pixels.data(), size);
    return pixels;
  }
  RecordingDialog dialog;
  MShadow* shadow = nullptr;
};

int Opaque(const std::vector<DWORD>& pixels) {
  int n = 0;
  for (DWORD p : pixels) n += (p >> 24) != 0;
  return n;
}
}  // namespace

TEST_F(ShadowTest, NoShadowUntilCreatedWithTheShowFlag) {
  dialog.CreateShadow(0, false);
  EXPECT_EQ(nullptr, shadow->GetShadowWnd());
  dialog.CreateShadow(1, false);
  ASSERT_NE(nullptr, shadow->GetShadowWnd());
  wchar_t cls[32] = {};
  ::GetClassNameW(shadow->GetShadowWnd(), cls, 32);
  EXPECT_STREQ(L"ShadowWnd", cls);
  EXPECT_EQ(MShadow::kEnabled | MShadow::kVisible | MShadow::kParentVisible, shadow->GetStatus());
  const LONG_PTR ex = ::GetWindowLongPtrW(shadow->GetShadowWnd(), GWL_EXSTYLE);
  EXPECT_EQ(WS_EX_LAYERED | WS_EX_TRANSPARENT, ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT));
  EXPECT_EQ(shadow->GetShadowWnd(), ::GetWindow(dialog.GetSafeHwnd(), GW_HWNDNEXT)) << "just below its parent";
  CSize size;
  EXPECT_TRUE(Picture(size).empty()) << "size 0 draws nothing";
  EXPECT_EQ(0, shadow->Update(dialog.GetSafeHwnd()));
}

TEST_F(ShadowTest, SizeTenGivesALargerWindowAtTheOffsetPlace) {
  dialog.CreateShadow(1, false);
  ASSERT_EQ(1, dialog.SetSize(10));
  EXPECT_EQ(CRect(200 + 5 - 10, 150 + 5 - 10, 200 + 5 - 10 + 220, 150 + 5 - 10 + 120), ShadowRect());
  EXPECT_TRUE(::IsWindowVisible(shadow->GetShadowWnd()));
  dialog.MoveWindow(300, 200, 200, 100);
  EXPECT_EQ(CPoint(295, 195), ShadowRect().TopLeft()) << "follows the parent";
  EXPECT_EQ(1, dialog.SetPosition(-3, 8));
  EXPECT_EQ(CPoint(300 - 3 - 10, 200 + 8 - 10), ShadowRect().TopLeft());
}

TEST_F(ShadowTest, RangeSettersRefuseValuesOutOfRange) {
  dialog.CreateShadow(1, false);
  EXPECT_EQ(0, dialog.SetSharpness(36));
  EXPECT_EQ(0, dialog.SetSize(-36));
  EXPECT_EQ(0, dialog.SetSize(36));
  EXPECT_EQ(0, dialog.SetDarkness(256));
  EXPECT_EQ(0, dialog.SetPosition(0, 36));
  EXPECT_EQ(5, shadow->GetSharpness());
  EXPECT_EQ(0, shadow->GetSize());
  EXPECT_EQ(150, shadow->GetDarkness());
  EXPECT_EQ(CPoint(5, 5), shadow->GetOffset());
  EXPECT_EQ(1, dialog.SetSharpness(35));
  EXPECT_EQ(1, dialog.SetDarkness(255));
  EXPECT_EQ(1, dialog.SetSize(-35));
}

TEST_F(ShadowTest, MaximiseAndMinimiseHideItRestoringShowsItAgain) {
  dialog.CreateShadow(1, false);
  dialog.SetSize(6);
  HWND s = shadow->GetShadowWnd();
  dialog.SendMessageW(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(200, 100));
  EXPECT_FALSE(::IsWindowVisible(s));
  EXPECT_EQ(0, shadow->GetStatus() & MShadow::kVisible);
  dialog.SendMessageW(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100));
  EXPECT_TRUE(::IsWindowVisible(s));
  dialog.SendMessageW(WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_FALSE(::IsWindowVisible(s));
  dialog.SendMessageW(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100));
  EXPECT_TRUE(::IsWindowVisible(s));
  dialog.ShowWindow(SW_HIDE);
  EXPECT_FALSE(::IsWindowVisible(s));
  EXPECT_EQ(MShadow::kEnabled, shadow->GetStatus());
  dialog.ShowWindow(SW_SHOWNA);
  EXPECT_TRUE(::IsWindowVisible(s));
  EXPECT_EQ(0, shadow->IsUpdatePending()) << "drawn as the parent is shown";
  EXPECT_EQ(CSize(212, 112), ShadowRect().Size());
}

TEST_F(ShadowTest, GrowingWaitsForThePaintShrinkingRecomputesAtOnce) {
  dialog.CreateShadow(1, false);
  dialog.SetSize(6);
  dialog.SendMessageW(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100));
  dialog.MoveWindow(200, 150, 260, 140);
  EXPECT_EQ(1, shadow->IsUpdatePending());
  dialog.SendMessageW(WM_PAINT, 0, 0);
  EXPECT_EQ(0, shadow->IsUpdatePending());
  EXPECT_EQ(CSize(260 + 12, 140 + 12), ShadowRect().Size());
  dialog.MoveWindow(200, 150, 120, 90);
  EXPECT_EQ(0, shadow->IsUpdatePending());
  EXPECT_EQ(CSize(120 + 12, 90 + 12), ShadowRect().Size());
}

TEST_F(ShadowTest, AParentWithoutARegionCastsItsRectangle) {
  dialog.CreateShadow(1, false);
  dialog.SetSize(8);
  CSize size;
  std::vector<DWORD> rect = Picture(size);
  ASSERT_EQ(CSize(216, 116), size);
  EXPECT_GT(Opaque(rect), 216 * 8) << "a region-less parent casts a shadow";
  const DWORD below = rect[static_cast<size_t>(size.cy - 8) * size.cx + size.cx / 2];
  EXPECT_EQ(150u, below >> 24) << "solid under the parent's bottom edge";

  // With a round region only the round part casts.
  HRGN round = ::CreateEllipticRgn(0, 0, 200, 100);
  ::SetWindowRgn(dialog.GetSafeHwnd(), round, TRUE);
  std::vector<DWORD> oval = Picture(size);
  EXPECT_GT(Opaque(oval), 0);
  EXPECT_LT(Opaque(oval), Opaque(rect));
  EXPECT_EQ(0u, oval[static_cast<size_t>(size.cy - 3) * size.cx + 3]) << "no shadow under a cut-off corner";
}

TEST_F(ShadowTest, ColourIsTakenAsACOLORREF) {
  dialog.CreateShadow(1, false);
  EXPECT_EQ(1, dialog.SetShadowColor(RGB(255, 0, 0)));
  EXPECT_EQ(0x00FF0000u, shadow->GetColor());
}

TEST_F(ShadowTest, ImageModeWithoutAnImageStaysTransparent) {
  dialog.CreateShadow(1, false);
  dialog.SetSize(10);
  dialog.SetShadowImage(L"no_such_shadow.png", CRect(4, 4, 4, 4));
  EXPECT_EQ(1, shadow->IsImageMode());
  CSize size;
  std::vector<DWORD> pixels = Picture(size);
  ASSERT_EQ(CSize(208, 108), size);
  EXPECT_EQ(0, Opaque(pixels));
  EXPECT_EQ(CPoint(196, 146), ShadowRect().TopLeft()) << "placed by the image corners";
  dialog.SetShadowImage(L"still_none.png", CRect(-1, 0, 0, 0));
  EXPECT_EQ(4, shadow->GetCorners().left) << "negative corners keep the old ones";
}

TEST_F(ShadowTest, ASecondCreateAndTheParentsEndAreSafe) {
  dialog.CreateShadow(1, false);
  HWND first = shadow->GetShadowWnd();
  dialog.CreateShadow(1, true);
  EXPECT_EQ(first, shadow->GetShadowWnd()) << "one shadow window per parent";
  dialog.SetSize(4);
  dialog.MoveWindow(210, 150, 200, 100);  // would recurse if the parent were subclassed twice
  EXPECT_EQ(1u, GetShadowMap().count(dialog.GetSafeHwnd()));
  HWND parent = dialog.GetSafeHwnd();
  dialog.DestroyWindow();
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_EQ(0u, GetShadowMap().count(parent));
}

TEST_F(ShadowTest, CopyShadowCarriesTheRegionSettings) {
  MShadow source, target;
  source.SetSize(12);
  source.SetSharpness(7);
  source.SetDarkness(90);
  source.SetColor(0x00123456);
  source.SetPosition(-2, 3);
  source.ShowShadow(1);
  EXPECT_EQ(1, source.CopyShadow(&target));
  EXPECT_EQ(12, target.GetSize());
  EXPECT_EQ(7, target.GetSharpness());
  EXPECT_EQ(90, target.GetDarkness());
  EXPECT_EQ(0x00123456u, target.GetColor());
  EXPECT_EQ(CPoint(-2, 3), target.GetOffset());
  EXPECT_EQ(1, target.IsShowShadow());
}

TEST_F(ShadowTest, WithoutItsBitmapTheShadowStopsAndKeepsItsLastPicture) {
  struct NoBitmap : MShadow {
    int asked = 0;
    HBITMAP CreatePictureBitmap(CSize, DWORD** pixels) override {
      ++asked;
      *pixels = nullptr;
      return nullptr;
    }
  };
  NoBitmap lone;
  lone.ShowShadow(1);
  MShadow::Initialize(Manager::GetInstance(), false);
  lone.Create(dialog.GetPaintManager());
  ASSERT_NE(nullptr, lone.GetShadowWnd());
  CRect before;
  ::GetWindowRect(lone.GetShadowWnd(), &before);
  EXPECT_EQ(1, lone.SetSize(9));
  EXPECT_GE(lone.asked, 1);
  EXPECT_EQ(0, lone.Update(dialog.GetSafeHwnd()));
  CRect after;
  ::GetWindowRect(lone.GetShadowWnd(), &after);
  EXPECT_EQ(before, after) << "nothing was drawn or moved";
}

TEST_F(ShadowTest, AnOwnedParentShownAfterItsShadowIsMadeHasItJustBelow) {
  RecordingDialog owned;
  ASSERT_NE(nullptr, owned.CreatePopup(dialog.GetSafeHwnd(), CRect(500, 300, 700, 400), WS_POPUP));
  owned.CreateShadow(1, false);
  MShadow& s = owned.GetPaintManager()->GetShadow();
  ASSERT_NE(nullptr, s.GetShadowWnd());
  EXPECT_EQ(MShadow::kEnabled, s.GetStatus());
  EXPECT_FALSE(::IsWindowVisible(s.GetShadowWnd()));
  owned.SetSize(10);
  owned.ShowWindow(SW_SHOWNA);
  EXPECT_TRUE(::IsWindowVisible(s.GetShadowWnd()));
  Pump();
  EXPECT_EQ(0, s.IsUpdatePending());
  EXPECT_EQ(CRect(495, 295, 715, 415), [&] {
    CRect r;
    ::GetWindowRect(s.GetShadowWnd(), &r);
    return r;
  }());
  owned.MoveWindow(520, 300, 200, 100);
  Pump();
  EXPECT_EQ(s.GetShadowWnd(), ::GetWindow(owned.GetSafeHwnd(), GW_HWNDNEXT));
  owned.DestroyWindow();
}
