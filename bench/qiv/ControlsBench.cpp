// Paint of a main-window-sized window (1400 x 788) holding 300 generic controls mixed:
// push buttons, switches, colour swatches, edit fields, level controls and check boxes.
// Figures: a full repaint with every control rendering its looks again, a full repaint
// from the cached looks, and one hover change (routing plus the repaint it asks for).
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include <vector>
#include "controls/CCheckButton.h"
#include "controls/CColorButton.h"
#include "controls/CSwitchButton.h"
#include "controls/MButton.h"
#include "controls/MEdit.h"
#include "controls/MLevelCtrl.h"
#include "core/MRender.h"
#include "core/MWindow.h"
#include "core/Manager.h"
#include "core/PaintManager.h"
#include "qiv/core/SkinFiles.h"

namespace {
constexpr int kWidth = 1400, kHeight = 788, kColumns = 20, kCellW = kWidth / kColumns, kCellH = 52;

struct GdiplusRun {
  GdiplusRun() { Gdiplus::GdiplusStartup(&token, &input, nullptr); }
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
};
GdiplusRun g_gdiplus;

class BenchWindow : public MWindow, public MObject {
public:
  PaintManager pm;
  int OnInitDialog() override {
    pm.Init(GetSafeHwnd(), this);
    return 1;
  }
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override {
    return pm.OnControlUpdate(rect, redraw, control);
  }
};

// The skins every control of the scene draws from, written once into a theme folder.
void WriteSkins(qivtest::SkinFolder& skins) {
  const uint32_t looks[4] = {0xFF3A4E60, 0xFF4977E5, 0xFF2B3A48, 0xFF606060};
  skins.Write(L"bench_btn.png", 96, 24, [&](unsigned x, unsigned y) {
    const unsigned fx = x % 24;
    return (fx < 4 || fx >= 20 || y < 4 || y >= 20) ? 0xFF202020u : looks[x / 24];
  });
  skins.Write(L"bench_edit.png", 96, 24, [&](unsigned x, unsigned) { return looks[x / 24]; });
  skins.Write(L"bench_on.png", 160, 20, [&](unsigned x, unsigned) { return x % 40 < 20 ? 0xFF00C000u : 0xFFFFFFFFu; });
  skins.Write(L"bench_off.png", 160, 20, [&](unsigned x, unsigned) { return x % 40 < 20 ? 0xFFFFFFFFu : 0xFF808080u; });
  skins.Write(L"bench_check.png", 128, 16, [&](unsigned x, unsigned) { return 0xFF000000u | (x * 0x020202u); });
}

struct Scene {
  qivtest::SkinFolder skins;
  BenchWindow window;
  HDC dc = nullptr;
  HBITMAP dib = nullptr;
  HGDIOBJ old = nullptr;
  BYTE* bits = nullptr;
  std::vector<MControl*> buttons;

  // kind -1 mixes the six kinds in turn; 0-5 fills the window with one kind.
  explicit Scene(int kind = -1) {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    WriteSkins(skins);
    window.Create(nullptr, L"bench", WS_POPUP, 0, CRect(0, 0, kWidth, kHeight));
    ::ShowWindow(window.GetSafeHwnd(), SW_SHOWNOACTIVATE);  // hover tracking needs a shown window
    window.pm.SetBackColor(RGB(240, 240, 240), RGB(200, 200, 200));
    window.pm.AddTempFont(L"Roboto-Medium",
                          L"Z:\\usr\\share\\fonts\\truetype\\roboto\\unhinted\\RobotoTTF\\Roboto-Medium.ttf");
    for (int i = 0; i < 300; ++i) {
      const int x = (i % kColumns) * kCellW, y = (i / kColumns) * kCellH;
      const CRect cell(x + 3, y + 6, x + kCellW - 3, y + kCellH - 6);
      const unsigned id = 100 + i;
      MControl* c = nullptr;
      switch (kind < 0 ? i % 6 : kind) {
        case 0: {
          auto* b = new MButton(&window, id, cell, L"Apply", 1, 1);
          Add(b)->SetImage(L"bench_btn.png", 4);
          buttons.push_back(b);
          continue;
        }
        case 1: {
          auto* s = new CSwitchButton(&window, id, cell, 1, 1);
          s->SetImage(L"bench_on.png", L"bench_off.png", 4);
          c = s;
          break;
        }
        case 2: {
          auto* s = new CColorButton(&window, id, cell, 1, 1);
          s->SetColor(RGB(i, 255 - i % 256, 128));
          s->SetGroupName(L"swatches");
          c = s;
          break;
        }
        case 3: {
          auto* e = new MEdit(&window, id, cell, L"Name", 1, 1);
          Add(e)->SetImage(L"bench_edit.png", 4);
          e->SetControlTitle(L"Profile 1");
          continue;
        }
        case 4: {
          auto* l = new MLevelCtrl(&window, id, cell, 1, 1);
          l->SetRangeValue(0, 7);
          l->SetLevelValue(i % 8);
          c = l;
          break;
        }
        default: {
          auto* k = new CCheckButton(&window, id, cell, L"Mac", 1, 1);
          Add(k)->SetImage(L"bench_check.png", 8);
          continue;
        }
      }
      Add(c);
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
  template <class T>
  T* Add(T* c) {
    c->SetManager(&window.pm);
    window.pm.GetControls()->push_back(c);
    return c;
  }
  void Compose(CRect update) { window.pm.Compose(dc, bits, CSize(kWidth, kHeight), update); }
};

// Every control renders all its looks again (as after a language or theme change).
// Argument: -1 the mixed window, 0-5 one kind (button, switch, swatch, edit, level, check box).
void BM_ControlsFullRepaintAllStale(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.window.pm.RefreshControls();
    scene.Compose(CRect(0, 0, kWidth, kHeight));
    ::GdiFlush();
  }
  state.counters["controls"] = 300;
}
BENCHMARK(BM_ControlsFullRepaintAllStale)->DenseRange(-1, 5)->Unit(benchmark::kMillisecond);

// The whole window from the controls' cached looks (an uncovered window).
void BM_ControlsFullRepaintCached(benchmark::State& state) {
  Scene scene;
  scene.Compose(CRect(0, 0, kWidth, kHeight));
  for (auto _ : state) {
    scene.Compose(CRect(0, 0, kWidth, kHeight));
    ::GdiFlush();
  }
}
BENCHMARK(BM_ControlsFullRepaintCached)->Unit(benchmark::kMillisecond);

// The pointer moves from one push button to another: the routing through all 300
// controls, then the paint of the two buttons whose look changed.
void BM_ControlsHoverChange(benchmark::State& state) {
  Scene scene;
  scene.Compose(CRect(0, 0, kWidth, kHeight));
  const CRect a = scene.buttons[10]->GetRect(), b = scene.buttons[11]->GetRect();
  CRect both;
  both.UnionRect(a, b);
  bool onA = false;
  for (auto _ : state) {
    const CRect& target = onA ? b : a;
    scene.window.pm.OnMouseMove(0, CPoint((target.left + target.right) / 2, (target.top + target.bottom) / 2));
    onA = !onA;
    scene.Compose(both);
    ::GdiFlush();
  }
}
BENCHMARK(BM_ControlsHoverChange)->Unit(benchmark::kMillisecond);
}  // namespace
