// The canvas in a real window, stepped as the window's timer steps it: it asks the window
// for a new picture only once the last one has been painted and the window has had time
// for its input since, so a canvas that paints slower than the timer runs cannot keep
// the window's message loop from ever waiting for input.
#include <gtest/gtest.h>

#include "CanvasTestSupport.h"
#include "qiv/widgets/WidgetWindow.h"

using canvastest::FakeSources;

namespace {
// Counts the canvas's repaint requests on their way to the paint manager.
class CountingHost : public widgettest::HostWindow {
public:
  MControl* watched = nullptr;
  int requests = 0;
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override {
    if (control && control == watched) ++requests;
    return HostWindow::OnControlUpdate(rect, redraw, control);
  }
};

bool HasPaint(HWND window) {
  RECT r{};
  return ::GetUpdateRect(window, &r, FALSE) != FALSE;
}
}  // namespace

TEST(CanvasWindow, StepsAskForAPictureOnlyAfterThePaintAndTheWindowsTurn) {
  Manager::SetInstance(::GetModuleHandleW(nullptr));
  CountingHost host;
  ASSERT_NE(nullptr, host.Create(nullptr, L"canvas", WS_POPUP, 0, CRect(0, 0, 600, 300)));
  ::ShowWindow(host.GetSafeHwnd(), SW_SHOWNOACTIVATE);
  auto* canvas = host.Make<ZephraEffect>(L"ZephraEffect", 59, CRect(0, 0, 600, 300));
  ASSERT_NE(nullptr, canvas);
  FakeSources sources;
  canvas->SetEffectSources(sources.Make());
  canvas->SetZephraMode(ZEPHRA_MUSIC);
  canvas->AddLightLayer(LAYER_BREATHING, CRect());
  for (int i = 0; i < 8; ++i) canvas->AddKeyItem(L"K", DWORD(4 + i), CRect(i * 60, 40, i * 60 + 50, 90), i, 0);
  const HWND window = host.GetSafeHwnd();
  ::UpdateWindow(window);
  widgettest::Pump();
  ASSERT_FALSE(HasPaint(window));
  host.watched = canvas;

  sources.precise += 16;
  EXPECT_EQ(canvas->OnTimer(), 1) << "a shown canvas steps";
  EXPECT_EQ(host.requests, 1);
  EXPECT_TRUE(HasPaint(window));
  for (int i = 0; i < 3; ++i) canvas->OnTimer();
  EXPECT_EQ(host.requests, 1) << "no new request while the last picture waits for its paint";

  ::UpdateWindow(window);
  ASSERT_FALSE(HasPaint(window));
  canvas->OnTimer();
  EXPECT_EQ(host.requests, 1) << "right after the paint the window has its turn";
  EXPECT_FALSE(HasPaint(window)) << "so its message loop finds nothing to do and waits for input";

  sources.precise += PicturePace::kMinIdleMs;
  canvas->OnTimer();
  EXPECT_EQ(host.requests, 2) << "then the next picture is asked for";

  // A request the window dropped (its area validated without a paint) is asked again.
  ::ValidateRect(window, nullptr);
  sources.precise += 16;
  canvas->OnTimer();
  EXPECT_EQ(host.requests, 3);

  // Hidden behind another tab, the canvas asks nothing.
  ::UpdateWindow(window);
  host.watched = nullptr;
  canvas->SetVisible(0);
  host.watched = canvas;
  sources.precise += 100;
  canvas->OnTimer();
  EXPECT_EQ(host.requests, 3);
  host.watched = nullptr;
  host.DestroyWindow();
}
