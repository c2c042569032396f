// The scrolling lists with many rows (the profile list and the list box): filling them,
// repainting the visible rows, and one wheel step with its repaint. The repaint draws
// only the visible rows, so it must not grow with the row count.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include "controls/MListBox.h"
#include "controls/MScroll.h"
#include "controls/ProfileList.h"
#include "core/MRender.h"
#include "core/MWindow.h"
#include "core/Manager.h"
#include "core/PaintManager.h"

namespace {
constexpr int kWidth = 800, kHeight = 700;
const CRect kListRect(20, 20, 320, 620);

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

struct GdiplusRun {
  GdiplusRun() { Gdiplus::GdiplusStartup(&token, &input, nullptr); }
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
};
GdiplusRun g_gdiplus;

// A window with one list and a 32-bit buffer to compose it into.
template <class List>
struct Scene {
  BenchWindow window;
  List* list = nullptr;
  HDC dc = nullptr;
  HBITMAP dib = nullptr;
  HGDIOBJ old = nullptr;
  BYTE* bits = nullptr;

  Scene() {
    Manager::SetInstance(::GetModuleHandleW(nullptr));
    window.Create(nullptr, L"bench", WS_POPUP, 0, CRect(0, 0, kWidth, kHeight));
    window.pm.SetBackColor(RGB(240, 240, 240), RGB(200, 200, 200));
    HDC screen = ::GetDC(nullptr);
    dc = ::CreateCompatibleDC(screen);
    dib = MRender::CreateARGB32Bitmap(screen, kWidth, kHeight, &bits);
    ::ReleaseDC(nullptr, screen);
    old = ::SelectObject(dc, dib);
    NewList();
  }
  ~Scene() {
    ::SelectObject(dc, old);
    ::DeleteObject(dib);
    ::DeleteDC(dc);
    window.DestroyWindow();
  }
  void NewList() {
    if (list) window.pm.RemoveControl(list);
    list = Make();
    list->SetManager(&window.pm);
    window.pm.GetControls()->push_back(list);
  }
  List* Make();
  void Fill(int rows);
  void Paint() {
    list->UpdateControl(1, 0);
    window.pm.Compose(dc, bits, CSize(kWidth, kHeight), list->GetRect());
    ::GdiFlush();
  }
};

template <>
ProfileList* Scene<ProfileList>::Make() {
  return new ProfileList(&window, 40, kListRect, 1, 1);
}
template <>
void Scene<ProfileList>::Fill(int rows) {
  for (int i = 0; i < rows; ++i) list->AddItem(L"Profile name", i, L"");
}
template <>
MListBox* Scene<MListBox>::Make() {
  return new MListBox(&window, 41, kListRect, 1);
}
template <>
void Scene<MListBox>::Fill(int rows) {
  for (int i = 0; i < rows; ++i) list->AddString(L"List row", static_cast<long>(i), 0);
}

template <class List>
void BM_Fill(benchmark::State& state) {
  Scene<List> scene;
  for (auto _ : state) {
    state.PauseTiming();
    scene.NewList();
    state.ResumeTiming();
    scene.Fill(static_cast<int>(state.range(0)));
  }
}

template <class List>
void BM_PaintVisibleRows(benchmark::State& state) {
  Scene<List> scene;
  scene.Fill(static_cast<int>(state.range(0)));
  scene.Paint();
  for (auto _ : state) scene.Paint();
  state.counters["rows drawn"] =
      static_cast<double>(scene.list->GetView().last - scene.list->GetView().first + 1);
}

template <class List>
void BM_WheelStep(benchmark::State& state) {
  Scene<List> scene;
  scene.Fill(static_cast<int>(state.range(0)));
  scene.Paint();
  unsigned direction = 1;
  for (auto _ : state) {
    if (!scene.list->OnControlScroll(1, direction, CPoint(100, 100))) direction ^= 1u;
    scene.window.pm.Compose(scene.dc, scene.bits, CSize(kWidth, kHeight), scene.list->GetRect());
    ::GdiFlush();
    MScroll* bar = scene.list->GetScrollVertical();
    if (bar->GetScrollCurrentPos() >= bar->GetScrollMaxRange()) direction = 0;
    if (bar->GetScrollCurrentPos() <= 0) direction = 1;
  }
}
}  // namespace

BENCHMARK_TEMPLATE(BM_Fill, ProfileList)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Fill, MListBox)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_PaintVisibleRows, ProfileList)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_PaintVisibleRows, MListBox)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_WheelStep, ProfileList)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_WheelStep, MListBox)->Arg(1000)->Unit(benchmark::kMillisecond);
