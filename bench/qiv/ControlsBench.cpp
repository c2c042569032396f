// Paint of a main-window-sized window (1400 x 788) holding 300 generic controls mixed:
// push buttons, switches, colour swatches, edit fields, level controls and check boxes.
// Figures: a full repaint with every control rendering its looks again (goal: within one
// 16 ms frame), a full repaint from the cached looks, one hover change (routing plus the
// repaint it asks for), the window's own paint (its back buffer and the present to the
// screen, plain and layered), and the engine's overhead: 300 push buttons rendered
// through the library against the same drawing done directly with GDI+ into a DIB.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include <chrono>
#include <memory>
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
#include "qiv/core/WindowTestSupport.h"

namespace {
constexpr int kWidth = 1400, kHeight = 788, kColumns = 20, kCellW = kWidth / kColumns, kCellH = 52;

struct GdiplusRun {
  GdiplusRun() { Gdiplus::GdiplusStartup(&token, &input, nullptr); }
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
};
GdiplusRun g_gdiplus;

// The library's own test window: its paint manager gets every message and repaint request.
using BenchWindow = qivtest::PaintHostWindow;

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
  state.counters["goal_ms"] = 16;
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

// The window's own paint (WM_PAINT): the composition into its kept back buffer and the
// present, to the window DC or (layered) through UpdateLayeredWindow.
// Arguments: layered (0/1), every control stale (0/1).
void BM_ControlsWindowPaint(benchmark::State& state) {
  Scene scene;
  const bool layered = state.range(0) != 0, stale = state.range(1) != 0;
  scene.window.pm.SetLayeredWindow(layered ? 1 : 0);
  HWND hwnd = scene.window.GetSafeHwnd();
  ::InvalidateRect(hwnd, nullptr, FALSE);
  ::UpdateWindow(hwnd);
  for (auto _ : state) {
    if (stale) scene.window.pm.RefreshControls();
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
    ::GdiFlush();
  }
  state.counters["goal_ms"] = 16;
}
BENCHMARK(BM_ControlsWindowPaint)
    ->ArgNames({"layered", "stale"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The drawing of one push button's four looks done directly with GDI+, as the platform
// allows at best: the font, format, brush and scratch picture made once, the pixels under
// the button copied into each slice, the nine-grid frame and title drawn per slice, the
// strip kept in the button's own picture and its shown slice copied to the window.
class DirectButtons {
public:
  DirectButtons(PaintManager& pm, const std::vector<MControl*>& buttons, HDC window) : buttons_(buttons), window_(window) {
    image_ = pm.AddImgResInfo(L"bench_btn.png", 4)->image;
    font_ = std::make_unique<Gdiplus::Font>(pm.FindTempFont(L"Roboto-Medium"), 14.0f, Gdiplus::FontStyleRegular,
                                            Gdiplus::UnitPixel);
    format_.SetAlignment(Gdiplus::StringAlignmentCenter);
    format_.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    const CRect r = buttons.front()->GetRect();
    w_ = r.Width();
    h_ = r.Height();
    HDC screen = ::GetDC(nullptr);
    strip_ = Dib(screen, 4 * w_, h_, &stripBits_, &stripDc_);
    for (size_t i = 0; i < buttons.size(); ++i) {
      HDC dc = nullptr;
      BYTE* bits = nullptr;
      kept_.push_back({Dib(screen, 4 * w_, h_, &bits, &dc), dc});
    }
    ::ReleaseDC(nullptr, screen);
    bitmap_ = std::make_unique<Gdiplus::Bitmap>(4 * w_, h_, 4 * w_ * 4, PixelFormat32bppRGB, stripBits_);
    graphics_ = std::make_unique<Gdiplus::Graphics>(bitmap_.get());
  }
  ~DirectButtons() {
    graphics_.reset();
    bitmap_.reset();
    ::DeleteDC(stripDc_);
    ::DeleteObject(strip_);
    for (auto& k : kept_) {
      ::DeleteDC(k.second);
      ::DeleteObject(k.first);
    }
  }
  void DrawAll() {
    for (size_t n = 0; n < buttons_.size(); ++n) {
      const CRect r = buttons_[n]->GetRect();
      for (int i = 0; i < 4; ++i) ::BitBlt(stripDc_, i * w_, 0, w_, h_, window_, r.left, r.top, SRCCOPY);
      ::GdiFlush();
      const Gdiplus::GraphicsState saved = graphics_->Save();
      for (int i = 0; i < 4; ++i) NineGrid(CRect(i * w_, 0, i * w_ + w_, h_), i * 24);
      graphics_->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
      graphics_->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      for (int i = 0; i < 4; ++i) {
        Gdiplus::SolidBrush brush(i == 3 ? Gdiplus::Color(0xFF808080) : Gdiplus::Color(0xFFFFFFFF));
        graphics_->DrawString(L"Apply", 5, font_.get(),
                              Gdiplus::RectF(float(i * w_), 0.0f, float(w_), float(h_)), &format_, &brush);
      }
      graphics_->Restore(saved);
      ::GdiFlush();
      ::BitBlt(kept_[n].second, 0, 0, 4 * w_, h_, stripDc_, 0, 0, SRCCOPY);
      ::BitBlt(window_, r.left, r.top, w_, h_, kept_[n].second, 0, 0, SRCCOPY);
    }
    ::GdiFlush();
  }

private:
  static HBITMAP Dib(HDC like, int w, int h, BYTE** bits, HDC* dc) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP dib = ::CreateDIBSection(like, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<BYTE*>(pixels);
    *dc = ::CreateCompatibleDC(like);
    ::SelectObject(*dc, dib);
    return dib;
  }
  void NineGrid(const CRect& dst, int sx) {
    const int c = 8, L = dst.left, T = dst.top, R = dst.right, B = dst.bottom;
    auto piece = [&](int x, int y, int w, int h, int px, int py, int pw, int ph) {
      graphics_->DrawImage(image_, Gdiplus::Rect(x, y, w, h), px, py, pw, ph, Gdiplus::UnitPixel);
    };
    piece(L, T, c, c, sx, 0, c, c);
    piece(L, T + c, c, B - T - 2 * c, sx, c, c, 24 - 2 * c);
    piece(L, B - c, c, c, sx, 24 - c, c, c);
    piece(L + c, T, R - L - 2 * c, c, sx + c, 0, 24 - 2 * c, c);
    piece(R - c, T, c, c, sx + 24 - c, 0, c, c);
    piece(R - c, T + c, c, B - T - 2 * c, sx + 24 - c, c, c, 24 - 2 * c);
    piece(R - c, B - c, c, c, sx + 24 - c, 24 - c, c, c);
    piece(L + c, B - c, R - L - 2 * c, c, sx + c, 24 - c, 24 - 2 * c, c);
    piece(L + c, T + c, R - L - 2 * c, B - T - 2 * c, sx + c, c, 24 - 2 * c, 24 - 2 * c);
  }

  const std::vector<MControl*>& buttons_;
  HDC window_;
  Gdiplus::Image* image_ = nullptr;
  std::unique_ptr<Gdiplus::Font> font_;
  Gdiplus::StringFormat format_;
  int w_ = 0, h_ = 0;
  HBITMAP strip_ = nullptr;
  HDC stripDc_ = nullptr;
  BYTE* stripBits_ = nullptr;
  std::vector<std::pair<HBITMAP, HDC>> kept_;
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
};

// Side by side in one run: 300 push buttons re-rendered through the library (every
// control stale, composed into the window picture) and the same drawing done directly
// (DirectButtons) into the same window picture after the same background. "engine_x"
// is the engine's time over the direct time.
void BM_ControlsEngineVsDirect(benchmark::State& state) {
  Scene scene(0);
  for (MControl* c : scene.buttons) {
    auto* b = static_cast<MButton*>(c);
    b->SetFont(L"Roboto-Medium", 14, Gdiplus::FontStyleRegular);
    b->SetTextColor(Gdiplus::Color(0xFFFFFFFF));
  }
  scene.Compose(CRect(0, 0, kWidth, kHeight));
  DirectButtons direct(scene.window.pm, scene.buttons, scene.dc);
  using Clock = std::chrono::steady_clock;
  double engineS = 0, directS = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    scene.window.pm.RefreshControls();
    scene.Compose(CRect(0, 0, kWidth, kHeight));
    ::GdiFlush();
    const auto t1 = Clock::now();
    direct.DrawAll();
    const auto t2 = Clock::now();
    engineS += std::chrono::duration<double>(t1 - t0).count();
    directS += std::chrono::duration<double>(t2 - t1).count();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["engine_ms"] = engineS * 1000.0 / n;
  state.counters["direct_ms"] = directS * 1000.0 / n;
  state.counters["engine_x"] = directS > 0 ? engineS / directS : 0.0;
  state.counters["controls"] = static_cast<double>(scene.buttons.size());
}
BENCHMARK(BM_ControlsEngineVsDirect)->Unit(benchmark::kMillisecond);
}  // namespace
