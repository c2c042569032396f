// Paint and input routing of a main-window-sized window (1400 x 788) full of controls:
// skinned text buttons, texts, and panels whose content is larger than they are.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "controls/MScroll.h"
#include "controls/MText.h"
#include "core/MRender.h"
#include "core/MPanel.h"
#include "core/MWindow.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace {
constexpr int kWidth = 1400, kHeight = 788;

// A push button as the library draws them: a nine-grid strip slice and a centred title.
class BenchButton : public MControlFont {
public:
  BenchButton(MObject* parent, unsigned id, CRect rect, Gdiplus::Image* strip)
      : MControlFont(parent, id, rect, L"Apply", 1, 1, 1), strip_(strip) {}
  const wchar_t* GetClassNameW() const override { return L"BenchButton"; }
  int OnControlMouseMove(unsigned, CPoint p) override {
    const int hover = m_rcControl.PtInRect(p) ? 1 : 0;
    if (hover == hover_) return 0;
    hover_ = hover;
    UpdateControl(0, 0);
    return 1;
  }
  void DrawControl(HDC& hdc, CRect) override {
    const int w = m_rcControl.Width(), h = m_rcControl.Height();
    if (!m_bUpdate || !GetMemDC()) {
      UpdateMemDC(hdc, w, h);
      ::BitBlt(GetMemDC(), 0, 0, w, h, hdc, m_rcControl.left, m_rcControl.top, SRCCOPY);
      Gdiplus::Graphics g(GetMemDC());
      MRender::DrawImageFrame(g, strip_, CRect(0, 0, w, h), hover_ * 24, 0, 24, 24, 8);
      g.SetTextRenderingHint(m_textRenderingHint);
      Gdiplus::FontFamily* family = GetFontFamily(m_fontName);
      Gdiplus::Font font(family ? family : Gdiplus::FontFamily::GenericSansSerif(), 14.0f, Gdiplus::FontStyleRegular,
                         Gdiplus::UnitPixel);
      Gdiplus::StringFormat format;
      format.SetAlignment(Gdiplus::StringAlignmentCenter);
      format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
      g.DrawString(m_title.GetString(), m_title.GetLength(), &font, Gdiplus::RectF(0, 0, float(w), float(h)), &format,
                   m_textBrush.get());
    }
    ::BitBlt(hdc, m_rcControl.left, m_rcControl.top, w, h, GetMemDC(), 0, 0, SRCCOPY);
  }

private:
  Gdiplus::Image* strip_;
  int hover_ = 0;
};

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

// The window with `count` controls in a grid: every third a button, a text, or a panel
// with four buttons in content twice its height.
struct Scene {
  BenchWindow window;
  std::unique_ptr<Gdiplus::Image> strip;
  HDC dc = nullptr;
  HBITMAP dib = nullptr;
  HGDIOBJ old = nullptr;
  BYTE* bits = nullptr;
  std::vector<MControl*> controls;

  explicit Scene(int count) {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    window.Create(nullptr, L"bench", WS_POPUP, 0, CRect(0, 0, kWidth, kHeight));
    ::ShowWindow(window.GetSafeHwnd(), SW_SHOWNOACTIVATE);  // mouse tracking needs a shown window
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(48, 24, PixelFormat32bppARGB);
    {
      Gdiplus::Graphics g(bitmap.get());
      Gdiplus::SolidBrush normal(Gdiplus::Color(0xFF3A4E60)), hover(Gdiplus::Color(0xFF4977E5));
      g.FillRectangle(&normal, 0, 0, 24, 24);
      g.FillRectangle(&hover, 24, 0, 24, 24);
    }
    strip = std::move(bitmap);
    window.pm.SetBackColor(RGB(240, 240, 240), RGB(200, 200, 200));
    const int columns = 20, cellW = kWidth / columns, cellH = 44;
    for (int i = 0; i < count; ++i) {
      const int x = (i % columns) * cellW, y = (i / columns % 17) * cellH;
      CRect cell(x + 2, y + 2, x + cellW - 2, y + cellH - 2);
      MControl* c = nullptr;
      if (i % 3 == 0) {
        c = new BenchButton(&window, 10 + i, cell, strip.get());
      } else if (i % 3 == 1) {
        c = new MText(&window, 10 + i, cell, L"Lighting", 1);
      } else {
        auto* panel = new ScrolledPanel(&window, 10 + i, cell);
        for (int k = 0; k < 4; ++k) {
          CRect row(cell.left, cell.top + k * cellH / 2, cell.right - 6, cell.top + (k + 1) * cellH / 2);
          panel->AppendChild(1, new BenchButton(panel, 3 + k, row, strip.get()));
        }
        panel->SetControlRect(cell);
        c = panel;
      }
      c->SetManager(&window.pm);
      if (auto* panel = dynamic_cast<MPanel*>(c))
        for (MControl* child : *panel->GetControls())
          if (child) child->SetManager(&window.pm);
      window.pm.GetControls()->push_back(c);
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
}
BENCHMARK(BM_FullRepaintAllStale)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);

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

// One control changes: its repaint request and the paint of its rectangle.
void BM_SingleControlRepaint(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  scene.Compose(CRect(0, 0, kWidth, kHeight));
  MControl* target = scene.controls[scene.controls.size() / 2];
  for (auto _ : state) {
    target->UpdateControl(1, 0);
    scene.Compose(target->GetRect());
    ::GdiFlush();
  }
}
BENCHMARK(BM_SingleControlRepaint)->Arg(100)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond);

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
