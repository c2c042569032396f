// The on-screen keyboard of the full-size layout (104 keys) in the key-assignment mode
// (101, caps with function names): a full repaint, and one key's colour change, which
// draws that key again over the cached background and leaves the other keys alone.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include "qiv/widgets/ShippedLayout.h"
#include "qiv/widgets/WidgetTestSupport.h"
#include "core/PaintManager.h"
#include "widgets/KeyboardCtrl.h"

namespace {

// Turns the keyboard's repaint requests into stale marks, as a window does.
class Host : public MObject {
public:
  PaintManager pm;
  long OnControlUpdate(CRect rect, int redraw, MControl* control) override {
    return pm.OnControlUpdate(rect, redraw, control);
  }
};

struct Board {
  Board() {
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    skins = std::make_unique<widgettest::SkinFolder>();
    skins->Write(L"img_key_bkg.png", 96, 24, [](unsigned x, unsigned y) {
      const bool edge = y == 0 || y == 23 || x % 24 == 0 || x % 24 == 23;
      return edge ? 0xFF202830u : (x < 24 ? 0xFF3A4E60u : 0xFF4977E5u);
    });
    skins->Solid(L"kb.png", 64, 32, 0xFF1E2228);
    host = std::make_unique<Host>();
    host->pm.AddTempFont(L"Roboto-Medium",
                        L"Z:\\usr\\share\\fonts\\truetype\\roboto\\unhinted\\RobotoTTF\\Roboto-Medium.ttf");
    layout = widgettest::ReadShippedLayout("K104");
    keyboard = new KeyboardCtrl(host.get(), 58, CRect(0, 0, layout.width + 40, layout.height + 50), 1);
    keyboard->SetManager(&host->pm);
    keyboard->SetImage(L"img_key_bkg.png", 4);
    keyboard->SetKeyboardImage(L"kb.png");
    keyboard->SetWidthAndHeight(layout.width, layout.height);
    keyboard->SetKeyboardCtrlMode(101);
    for (const auto& k : layout.keys) keyboard->AddKeyItem(k.name, k.desc, k.code, k.rect, L"", 0x604E3A);
    canvas = std::make_unique<widgettest::MemoryCanvas>(layout.width + 40, layout.height + 50);
    canvas->Draw(*keyboard);
  }
  ~Board() {
    delete keyboard;
    canvas.reset();
    host.reset();  // its pictures and fonts go while GDI+ still runs
    skins.reset();
    Gdiplus::GdiplusShutdown(token);
  }
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  std::unique_ptr<widgettest::SkinFolder> skins;
  std::unique_ptr<Host> host;
  widgettest::ShippedLayout layout;
  KeyboardCtrl* keyboard = nullptr;
  std::unique_ptr<widgettest::MemoryCanvas> canvas;
};

Board& TheBoard() {
  static Board board;
  return board;
}

void Report(benchmark::State& state, Board& b, int full, int partial) {
  state.counters["keys"] = static_cast<double>(b.layout.keys.size());
  state.counters["full_renders"] =
      benchmark::Counter(b.keyboard->GetFullRenderCount() - full, benchmark::Counter::kAvgIterations);
  state.counters["key_renders"] =
      benchmark::Counter(b.keyboard->GetPartialRenderCount() - partial, benchmark::Counter::kAvgIterations);
}

void BM_KeyboardFullRepaint(benchmark::State& state) {
  Board& b = TheBoard();
  const int full = b.keyboard->GetFullRenderCount(), partial = b.keyboard->GetPartialRenderCount();
  for (auto _ : state) {
    b.keyboard->UpdateControl(1, 0);
    b.canvas->Draw(*b.keyboard);
  }
  Report(state, b, full, partial);
}
BENCHMARK(BM_KeyboardFullRepaint)->Unit(benchmark::kMillisecond);

void BM_KeyboardOneKeyColour(benchmark::State& state) {
  Board& b = TheBoard();
  const int full = b.keyboard->GetFullRenderCount(), partial = b.keyboard->GetPartialRenderCount();
  int n = 0;
  for (auto _ : state) {
    const int code = b.layout.keys[static_cast<size_t>(n % b.layout.keys.size())].code;
    b.keyboard->SetKeyColor(code, RGB(n & 0xFF, 40, 90));
    b.keyboard->UpdateKey(code);
    b.canvas->Draw(*b.keyboard);
    ++n;
  }
  Report(state, b, full, partial);
}
BENCHMARK(BM_KeyboardOneKeyColour)->Unit(benchmark::kMillisecond);

}  // namespace
