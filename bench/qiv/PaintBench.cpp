// Paint and input routing of a main-window-sized window (1400 x 788) full of the
// library's controls: skinned push buttons, texts, and panels whose content is larger
// than they are (four push buttons each, two of them in view). "drawn" counts the
// controls that really rendered their look in one repaint (panel children and scroll
// bars included). Goals: a whole re-render within one 16 ms frame, a single control's
// repaint under 0.2 ms.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "controls/MButton.h"
#include "controls/MScroll.h"
#include "controls/MText.h"
#include "core/MRender.h"
#include "core/MPanel.h"
#include "core/MWindow.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "qiv/core/SkinFiles.h"
#include "qiv/core/WindowTestSupport.h"

namespace {
constexpr int kWidth = 1400, kHeight = 788;

// A panel that draws its overflowing content itself, shifted by its scroll position.
class ScrolledPanel : public MPanel {
public:
  ScrolledPanel(MObject* parent, unsigned id, CRect rect) : MPanel(parent, id, rect, 1) {}
  const wchar_t* GetClassNameW() const override { return L"ScrolledPanel"; }
  int DrawSubControls(HDC& hdc, CRect paint) override {
    const CPoint off = GetScrollOffset();
    const int saved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, m_rcControl.left, m_rcControl.top, m_rcControl.right, m_rcControl.bottom);
    ::OffsetViewportOrgEx(hdc, -off.x, -off.y, nullptr);
    CRect content = paint;
    content.OffsetRect(off);
    for (MControl* child : *GetControls())
      if (child && child->GetControlID() > 2 && child->IsVisible()) child->Draw(hdc, content);
    ::RestoreDC(hdc, saved);
    for (MControl* bar : {static_cast<MControl*>(GetScrollVertical()), static_cast<MControl*>(GetScrollHorizontal())})
      if (bar->IsVisible()) bar->Draw(hdc, paint);
    return 1;
  }
};

// The library's own test window: its paint manager gets every message and repaint request.
using BenchWindow = qivtest::PaintHostWindow;

// The window with `count` controls in a grid: every third a button, a text, or a panel
// with four buttons in content twice its height.
struct Scene {
  qivtest::SkinFolder skins;
  BenchWindow window;
  HDC dc = nullptr;
  HBITMAP dib = nullptr;
  HGDIOBJ old = nullptr;
  BYTE* bits = nullptr;
  std::vector<MControl*> controls;
  std::vector<MControl*> buttons;  // the top-level push buttons

  // A push button with the skin and the title "Apply" (its skin is set once it has a manager).
  static MButton* Button(MObject* parent, unsigned id, CRect rect) { return new MButton(parent, id, rect, L"Apply", 1, 1); }

  explicit Scene(int count) {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    window.Create(nullptr, L"bench", WS_POPUP, 0, CRect(0, 0, kWidth, kHeight));
    ::ShowWindow(window.GetSafeHwnd(), SW_SHOWNOACTIVATE);  // mouse tracking needs a shown window
    skins.Write(L"paint_btn.png", 96, 24, [](unsigned x, unsigned) { return x < 24 ? 0xFF3A4E60u : 0xFF4977E5u; });
    window.pm.SetBackColor(RGB(240, 240, 240), RGB(200, 200, 200));
    window.pm.AddTempFont(L"Roboto-Medium",
                          L"Z:\\usr\\share\\fonts\\truetype\\roboto\\unhinted\\RobotoTTF\\Roboto-Medium.ttf");
    const int columns = 20, cellW = kWidth / columns, cellH = 44;
    for (int i = 0; i < count; ++i) {
      const int x = (i % columns) * cellW, y = (i / columns % 17) * cellH;
      CRect cell(x + 2, y + 2, x + cellW - 2, y + cellH - 2);
      MControl* c = nullptr;
      if (i % 3 == 0) {
        c = Button(&window, 10 + i, cell);
        buttons.push_back(c);
      } else if (i % 3 == 1) {
        c = new MText(&window, 10 + i, cell, L"Lighting", 1);
      } else {
        auto* panel = new ScrolledPanel(&window, 10 + i, cell);
        for (int k = 0; k < 4; ++k) {
          CRect row(cell.left, cell.top + k * cellH / 2, cell.right - 6, cell.top + (k + 1) * cellH / 2);
          panel->AppendChild(1, Button(panel, 3 + k, row));
        }
        panel->SetControlRect(cell);
        c = panel;
      }
      c->SetManager(&window.pm);
      if (auto* panel = dynamic_cast<MPanel*>(c))
        for (MControl* child : *panel->GetControls())
          if (child) child->SetManager(&window.pm);
      window.pm.GetControls()->push_back(c);
      if (auto* b = dynamic_cast<MButton*>(c)) b->SetImage(L"paint_btn.png", 4);
      if (auto* panel = dynamic_cast<MPanel*>(c))
        for (MControl* child : *panel->GetControls())
          if (auto* b = dynamic_cast<MButton*>(child)) b->SetImage(L"paint_btn.png", 4);
      controls.push_back(c);
    }
    HDC screen = ::GetDC(nullptr);
    dc = ::CreateCompatibleDC(screen);
    dib = MRender::CreateARGB32Bitmap(screen, kWidth, kHeight, &bits);
    ::ReleaseDC(nullptr, screen);
    old = ::SelectObject(dc, dib);
  }
  ~Scene() {
    ::SelectObject(dc, old);
    ::DeleteObject(dib);
    ::DeleteDC(dc);
    window.DestroyWindow();
  }
  void Compose(CRect update) { window.pm.Compose(dc, bits, CSize(kWidth, kHeight), update); }
};

// Controls (panel children included) whose look is current: after RefreshControls and a
// repaint, those that rendered in it.
int CountCurrent(std::vector<MControl*>& list) {
  int n = 0;
  for (MControl* c : list) {
    if (!c) continue;
    n += c->GetUpdate() ? 1 : 0;
    if (auto* panel = dynamic_cast<MPanel*>(c)) n += CountCurrent(*panel->GetControls());
  }
  return n;
}

struct GdiplusRun {
  GdiplusRun() { Gdiplus::GdiplusStartup(&token, &input, nullptr); }
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
};
GdiplusRun g_gdiplus;

// Every control re-renders its picture (as after a theme or language change).
void BM_FullRepaintAllStale(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.window.pm.RefreshControls();
    scene.Compose(CRect(0, 0, kWidth, kHeight));
    ::GdiFlush();
  }
  state.counters["drawn"] = CountCurrent(*scene.window.pm.GetControls());
  state.counters["goal_ms"] = 16;
}
BENCHMARK(BM_FullRepaintAllStale)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);

// The window's own paint (WM_PAINT) with every control re-rendering: the composition
// into the window's back buffer (allocated once and kept) and the present, to the window
// DC or, layered, through UpdateLayeredWindow. Arguments: controls, layered (0/1).
void BM_WindowPaintAllStale(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  scene.window.pm.SetLayeredWindow(state.range(1) != 0 ? 1 : 0);
  HWND hwnd = scene.window.GetSafeHwnd();
  ::InvalidateRect(hwnd, nullptr, FALSE);
  ::UpdateWindow(hwnd);
  for (auto _ : state) {
    scene.window.pm.RefreshControls();
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
    ::GdiFlush();
  }
  state.counters["drawn"] = CountCurrent(*scene.window.pm.GetControls());
  state.counters["goal_ms"] = 16;
}
BENCHMARK(BM_WindowPaintAllStale)
    ->ArgNames({"controls", "layered"})
    ->ArgsProduct({{100, 300}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The whole window from the controls' cached pictures (an uncovered window, a layered paint).
void BM_FullRepaintCached(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  scene.Compose(CRect(0, 0, kWidth, kHeight));
  for (auto _ : state) {
    scene.Compose(CRect(0, 0, kWidth, kHeight));
    ::GdiFlush();
  }
}
BENCHMARK(BM_FullRepaintCached)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);

// One push button changes (the same kind at every window size, in the middle of the
// window's buttons): its repaint request, its new render and the paint of its rectangle.
void BM_SingleControlRepaint(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  scene.Compose(CRect(0, 0, kWidth, kHeight));
  MControl* target = scene.buttons[scene.buttons.size() / 2];
  for (auto _ : state) {
    target->SetUpdateEx(0);
    target->UpdateControl(1, 0);
    scene.Compose(target->GetRect());
    ::GdiFlush();
  }
  state.counters["goal_ms"] = 0.2;
}
BENCHMARK(BM_SingleControlRepaint)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kMicrosecond);

// A mouse move through the window's routing (hover tracking and every control's hook),
// sweeping the window in 3 px steps as a moving pointer does.
void BM_MouseMoveRouting(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  scene.Compose(CRect(0, 0, kWidth, kHeight));  // every picture current, as on screen
  int i = 0, hovered = 0;
  for (auto _ : state) {
    const int step = i * 3;
    scene.window.pm.OnMouseMove(0, CPoint(step % kWidth, (20 + step / kWidth * 23) % 220));
    hovered += scene.window.pm.GetHoverControl() != nullptr;
    ++i;
  }
  state.counters["hovered"] = hovered;
}
BENCHMARK(BM_MouseMoveRouting)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kMicrosecond);
}  // namespace
