// The canvas and the matrix screen reached from several threads at once, as the program
// does: the multimedia timer steps them, the worker renders hidden, reloads the layout
// and reads or writes colours, the window thread changes presets and paints.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include "CanvasTestSupport.h"

using canvastest::TestCanvas;
using canvastest::TestMatrix;

namespace {
void LoadLayout(ZephraEffect& canvas, int keys) {
  canvas.ClearItem();
  for (int i = 0; i < keys; ++i)
    canvas.AddKeyItem(L"K", DWORD(4 + i), CRect((i % 19) * 10, (i / 19) * 10, (i % 19) * 10 + 9, (i / 19) * 10 + 9),
                      i % 19, (i / 19) % 8);
}
}  // namespace

TEST(CanvasThreads, StepsHiddenRenderingsAndReloadsRunTogether) {
  TestCanvas canvas(CRect(0, 0, 220, 110));
  LoadLayout(canvas, 120);
  canvas.AddLightLayer(LAYER_CLASSIC_SPECTRUM, CRect());
  canvas.SetZephraMode(ZEPHRA_PRESET);
  canvas.SetPresetMode(PRESET_STARRY);
  std::atomic<bool> stop{false};
  std::atomic<int> steps{0};

  std::thread timer([&] {
    while (!stop) {
      canvas.OnControlTimer();
      ++steps;
    }
  });
  std::thread worker([&] {
    for (int i = 0; i < 3000; ++i) {
      if (i % 50 == 0) LoadLayout(canvas, i % 100 == 0 ? 120 : 8);  // the starry keys outlive the layout
      canvas.SetColorMap(i % 32, i % 8, COLORREF(i));
      canvas.DrawHideControl();
      COLORREF sum = 0;
      for (KEYITEM_INFO* key : canvas.GetKeyItems()) sum ^= key->color;
      (void)sum;
    }
  });
  for (int i = 0; i < 300; ++i) {
    canvas.SetZephraMode(i % 3 == 0 ? ZEPHRA_MUSIC : ZEPHRA_PRESET);
    canvas.SetPresetMode(i % 14);
    canvas.Render();
  }
  worker.join();
  stop = true;
  timer.join();
  EXPECT_GT(steps.load(), 0);
}

TEST(MatrixThreads, PresetChangesStepsAndWorkerColoursRunTogether) {
  TestMatrix matrix;
  std::atomic<bool> stop{false};
  std::thread timer([&] {
    while (!stop) matrix.UpdatePresetAnimation();
  });
  std::thread worker([&] {
    for (int i = 0; i < 3000; ++i) {
      matrix.EnterCriSec();
      for (MATRIXITEM_INFO* cell : matrix.GetKeyItems()) cell->color ^= 0x010101;
      matrix.LeaveCriSec();
    }
  });
  for (int i = 0; i < 3000; ++i) matrix.SetPresetMode(i % 36);
  worker.join();
  stop = true;
  timer.join();
  EXPECT_EQ(matrix.GetKeyItems().size(), 49u);
}
