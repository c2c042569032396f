// The demo's windows rendered in process: what each paint manager composes, independent
// of X (which blends no per-pixel alpha), checked at known points.
#include <windows.h>
#include <gtest/gtest.h>
#include <gdiplus.h>
#include <ole2.h>
#include "DemoScene.h"
#include "controls/MScroll.h"
#include "core/MRender.h"
#include "core/Manager.h"

namespace {
class Environment : public ::testing::Environment {
public:
  void SetUp() override {
    ::OleInitialize(nullptr);
    Gdiplus::GdiplusStartup(&token_, &input_, nullptr);
    Manager::SetInstance(::GetModuleHandleW(nullptr));
  }
  void TearDown() override {
    Gdiplus::GdiplusShutdown(token_);
    ::OleUninitialize();
  }

private:
  ULONG_PTR token_ = 0;
  Gdiplus::GdiplusStartupInput input_;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new Environment);

// The whole client area of a window as its paint manager composes it.
class Render {
public:
  explicit Render(PaintManager& pm) {
    CRect client;
    pm.GetClientRect(client);
    w_ = client.Width();
    h_ = client.Height();
    HDC screen = ::GetDC(nullptr);
    dc_ = ::CreateCompatibleDC(screen);
    dib_ = MRender::CreateARGB32Bitmap(screen, w_, h_, &bits_);
    ::ReleaseDC(nullptr, screen);
    old_ = ::SelectObject(dc_, dib_);
    pm.Compose(dc_, bits_, CSize(w_, h_), CRect(0, 0, w_, h_));
    ::GdiFlush();
  }
  ~Render() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(dib_);
    ::DeleteDC(dc_);
  }
  DWORD Rgb(int x, int y) const {
    const BYTE* p = bits_ + (static_cast<size_t>(h_ - 1 - y) * w_ + x) * 4;
    return (static_cast<DWORD>(p[2]) << 16) | (p[1] << 8) | p[0];
  }
  template <class Pred>
  int Count(CRect r, Pred pred) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += pred(Rgb(x, y));
    return n;
  }

private:
  int w_ = 0, h_ = 0;
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ old_ = nullptr;
  BYTE* bits_ = nullptr;
};

DWORD Rgb(DWORD argb) { return argb & 0xFFFFFF; }
bool Dark(DWORD c) { return ((c >> 16) & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && (c & 0xFF) < 0x90; }
bool White(DWORD c) { return c == 0xFFFFFF; }

class DemoRenderTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(scene.Open()); }
  demo::Scene scene;
};
}  // namespace

TEST_F(DemoRenderTest, TheMainDialogComposesBackgroundAreasTextsAndAScrollingPanel) {
  using demo::Layout;
  Render r(*scene.main.GetPaintManager());
  EXPECT_EQ(Rgb(demo::kBackground), r.Rgb(600, 420));
  EXPECT_EQ(Rgb(demo::kBorder), r.Rgb(0, 300)) << "the nine-grid edge";
  EXPECT_EQ(Rgb(demo::kBorder), r.Rgb(759, 300));
  EXPECT_EQ(Rgb(demo::kHeader), r.Rgb(700, 30));
  EXPECT_EQ(Rgb(demo::kGreen), r.Rgb(480, 136));
  EXPECT_EQ(Rgb(demo::kOrange), r.Rgb(660, 136));
  EXPECT_GT(r.Count(Layout::Title(), White), 100) << "the title is written over the header";
  EXPECT_GT(r.Count(CRect(24, 84, 380, 112), Dark), 100) << "body text";

  MPanel* panel = scene.main.GetPanel();
  ASSERT_NE(nullptr, panel);
  EXPECT_GT(panel->GetVirtualHeight(), Layout::Panel().Height());
  const CRect panelBox = Layout::Panel();
  EXPECT_GT(r.Count(CRect(panelBox.left + 8, panelBox.top + 8, panelBox.left + 200, panelBox.top + 40), Dark), 50);
  ASSERT_NE(nullptr, panel->GetScrollVertical());
  EXPECT_TRUE(panel->GetScrollVertical()->IsVisible());
  const CRect thumb = panel->GetScrollVertical()->GetThumbRect();
  ASSERT_FALSE(thumb.IsRectEmpty());
  EXPECT_GT(r.Count(thumb, [](DWORD c) { return c != Rgb(demo::kBackground); }), thumb.Width() * thumb.Height() / 2)
      << "the scroll thumb is drawn";
}

TEST_F(DemoRenderTest, TheMenuShowsItsRowsAndTheHoveredOne) {
  ASSERT_NE(nullptr, scene.menu);
  Render r(*scene.menu->GetPaintManager());
  const CRect hovered = scene.menu->GetControl(2)->GetRect();
  EXPECT_EQ(Rgb(demo::kHeader), r.Rgb(hovered.right - 8, hovered.CenterPoint().y)) << "hover highlight";
  const CRect first = scene.menu->GetControl(1)->GetRect();
  EXPECT_EQ(Rgb(demo::kMenuBack), r.Rgb(first.right - 8, first.CenterPoint().y));
  EXPECT_GT(r.Count(CRect(first.left + 5, first.top, first.left + 90, first.bottom), Dark), 30) << "row text";
  EXPECT_EQ(220, scene.menu->GetMenuWidth());
  RECT window;
  ::GetWindowRect(scene.menuWindow, &window);
  EXPECT_EQ(12 + 4 * 35 + 4 + 6, window.bottom - window.top);
}

TEST_F(DemoRenderTest, ThePopupAndTheShadowedWindow) {
  Render popup(*scene.popup.GetPaintManager());
  EXPECT_EQ(Rgb(demo::kPopupBack), popup.Rgb(120, 130));
  EXPECT_EQ(Rgb(demo::kOrange), popup.Rgb(120, 90));
  EXPECT_GT(popup.Count(CRect(16, 12, 200, 48), Dark), 50);

  Render shadowed(*scene.shadowed.GetPaintManager());
  EXPECT_EQ(Rgb(demo::kShadowedBack), shadowed.Rgb(200, 160));

  MShadow& shadow = scene.shadowed.GetPaintManager()->GetShadow();
  HWND parent = scene.shadowed.GetSafeHwnd();
  ASSERT_NE(nullptr, shadow.GetShadowWnd());
  EXPECT_TRUE(::IsWindowVisible(shadow.GetShadowWnd()));
  const CSize size = shadow.PictureSize(parent);
  ASSERT_EQ(CSize(280 + 28, 180 + 28), size);
  std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy, 0);
  shadow.ComposePicture(parent, pixels.data(), size);
  auto alpha = [&](int x, int y) { return pixels[static_cast<size_t>(y) * size.cx + x] >> 24; };
  EXPECT_EQ(static_cast<DWORD>(demo::kShadowDarkness), alpha(size.cx / 2, size.cy - 14)) << "solid below the window";
  EXPECT_EQ(0u, alpha(0, 0)) << "clear at the far corner";
  EXPECT_GT(alpha(size.cx - 10, size.cy / 2), 0u) << "soft edge at the right";
}

TEST_F(DemoRenderTest, AMenuChoiceReachesTheDialogAndTheMenuGoes) {
  HWND menu = scene.menuWindow;
  const CPoint at = scene.menu->GetControl(4)->GetRect().CenterPoint();
  const LPARAM point = MAKELPARAM(at.x, at.y);
  ::PostMessageW(menu, WM_MOUSEMOVE, 0, point);
  ::PostMessageW(menu, WM_LBUTTONDOWN, MK_LBUTTON, point);
  ::PostMessageW(menu, WM_LBUTTONUP, 0, point);
  demo::Pump(200);
  EXPECT_FALSE(::IsWindow(menu));
  EXPECT_EQ(1, scene.main.choices);
  EXPECT_EQ(4u, scene.main.lastChoice);
}
