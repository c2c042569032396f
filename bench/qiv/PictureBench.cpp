// Importing an animation for the keyboard's picture screen: a 120-frame 240 x 240 GIF
// split into numbered PNG frames, each frame then converted to the screen's RGB565
// pixels. Reported as milliseconds per frame.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <gdiplus.h>
#include <chrono>
#include <string>
#include <vector>
#include "qiv/widgets/GifTestEncoder.h"
#include "qiv/widgets/PictureTestSupport.h"
#include "widgets/FileWrite.h"
#include "widgets/LCDViewList.h"

namespace {
constexpr int kFrames = 120, kSide = 240;

struct GdiplusRun {
  GdiplusRun() { Gdiplus::GdiplusStartup(&token, &input, nullptr); }
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
};
GdiplusRun g_gdiplus;

// Frames with a moving diagonal gradient in a few dozen colours, like a small animation.
std::vector<uint8_t> MakeAnimation() {
  std::vector<giftest::Frame> frames;
  for (int f = 0; f < kFrames; ++f) {
    giftest::Frame frame;
    frame.width = frame.height = kSide;
    frame.delay = 4;
    frame.argb.resize(static_cast<size_t>(kSide) * kSide);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        const uint32_t band = static_cast<uint32_t>((x + y + 4 * f) / 12 % 40);
        frame.argb[static_cast<size_t>(y) * kSide + x] = 0xFF000000u | (band * 6 << 16) | ((255 - band * 6) << 8) | (band * 3);
      }
    frames.push_back(std::move(frame));
  }
  return giftest::Encode(frames);
}

void BM_SplitGifAndConvertToRgb565(benchmark::State& state) {
  pictest::TempFolder folder;
  const CString gif = folder.File(L"anim.gif");
  const std::vector<uint8_t> bytes = MakeAnimation();
  WriteFileReplacing(gif, bytes.data(), bytes.size());
  LCDViewList list(nullptr, 371, CRect(0, 0, 200, 400), 0);
  std::vector<unsigned char> rgb565(static_cast<size_t>(kSide) * kSide * 2);
  double splitMs = 0, convertMs = 0;
  int runs = 0;
  for (auto _ : state) {
    const CString out = folder.File((L"frames" + std::to_wstring(runs)).c_str());
    const auto t0 = std::chrono::steady_clock::now();
    const int written = list.LoadGIFImageFile(gif, out);
    const auto t1 = std::chrono::steady_clock::now();
    for (int i = 0; i < written; ++i) {
      CString frame;
      frame.Format(L"%s\\%d.png", out.GetString(), i);
      list.GetImageRGB565Data(frame, rgb565.data(), kSide, kSide);
    }
    const auto t2 = std::chrono::steady_clock::now();
    if (written != kFrames) state.SkipWithError("the GIF did not split into 120 frames");
    splitMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
    convertMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    ++runs;
    state.PauseTiming();
    pictest::RemoveTree(out.str());
    state.ResumeTiming();
  }
  if (runs > 0) {
    state.counters["split_ms_per_frame"] = splitMs / (runs * kFrames);
    state.counters["rgb565_ms_per_frame"] = convertMs / (runs * kFrames);
    state.counters["ms_per_frame"] = (splitMs + convertMs) / (runs * kFrames);
  }
}
BENCHMARK(BM_SplitGifAndConvertToRgb565)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace
