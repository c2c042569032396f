// The lighting-canvas tab's logic: the mode switch, the music settings with the
// visualiser pause, the sampling geometry and the frame step into the canvas.
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include "LightingTestUtil.h"
#include "PagesTestUtil.h"
#include "RecordingCanvas.h"
#include "canvas/ZephraEffect.h"
#include "pages/CanvasPage.h"
#include "pages/MusicSettings.h"
#include "pages/VisualizerFrameStep.h"
#include "pages/VisualizerGeometry.h"
#include "pages/VisualizerPause.h"
#include "pages/ZephraFrameTarget.h"

using namespace lightingtest;
using pagestest::TestStore;

namespace {

// ---- sampling geometry ----

TEST(VisualizerGeometry, SixRowsByNineteenColumns) {
  VisualizerGeometry g;
  g.Init(6, 19);
  ASSERT_EQ(g.Rows(), 6);
  ASSERT_EQ(g.Columns(), 19);
  for (int r = 0; r < 6; ++r) EXPECT_EQ(g.SampleRow(r), 7 + 10 * r);
  for (int c = 0; c < 19; ++c) EXPECT_EQ(g.SampleColumn(c), 13 * c);
  EXPECT_EQ(g.SampleColumn(18), 234);

  // No rows or columns: nothing changes.
  g.Init(0, 19);
  g.Init(6, -1);
  EXPECT_EQ(g.Rows(), 6);
  EXPECT_EQ(g.SampleRow(5), 57);

  // An odd spacing: q = 62 / 4 = 15, rows 2 + 15 r + 7.
  g.Init(4, 1);
  EXPECT_EQ(g.SampleRow(3), 2 + 45 + 7);
  EXPECT_EQ(g.SampleColumn(0), 0);
}

TEST(VisualizerGeometry, LargeLayoutsStayInsideTheColourMap) {
  // Twelve rows and forty columns: the colour map holds 8 x 32, the frame 64 x 256.
  VisualizerGeometry g;
  g.Init(12, 40);
  EXPECT_EQ(g.Rows(), 8);
  EXPECT_EQ(g.Columns(), 32);
  EXPECT_EQ(g.SampleRow(7), 2 + 7 * 5 + 2);
  EXPECT_EQ(g.SampleColumn(31), 31 * 6);
  g.Init(1000000, 1000000);
  EXPECT_EQ(g.Rows(), 8);
  EXPECT_EQ(g.SampleRow(7), 2) << "spacing 0";

  std::vector<COLORREF> frame(Visualizer::kPixels, 0x010203);
  RecordingCanvas canvas;
  VisualizerFrameStep::Input in;
  in.frame = frame.data();
  in.layoutRows = 12;
  in.layoutColumns = 40;
  g.Init(12, 40);
  VisualizerFrameStep::Run(g, in, canvas);
  EXPECT_EQ(canvas.writes.size(), 8u * 32u);
  for (const auto& w : canvas.writes) {
    EXPECT_LT(w.row, 8);
    EXPECT_LT(w.column, 32);
  }
}

// ---- frame step ----

// A frame whose every pixel tells where it is: red = column / 2, green = row.
std::vector<COLORREF> PositionFrame() {
  std::vector<COLORREF> frame(Visualizer::kPixels);
  for (int y = 0; y < Visualizer::kHeight; ++y)
    for (int x = 0; x < Visualizer::kWidth; ++x) frame[size_t(y * Visualizer::kWidth + x)] = RGB(x / 2, y, 0);
  return frame;
}

struct FrameStepFixture : ::testing::Test {
  FrameStepFixture() {
    geometry.Init(6, 19);
    in.frame = frame.data();
    in.layoutRows = 6;
    in.layoutColumns = 19;
  }
  std::vector<COLORREF> frame = PositionFrame();
  VisualizerGeometry geometry;
  VisualizerFrameStep::Input in;
  RecordingCanvas canvas;
};

TEST_F(FrameStepFixture, SamplesEachCellFromItsFramePixel) {
  in.deviceType = 103;
  VisualizerFrameStep::Run(geometry, in, canvas);
  EXPECT_EQ(canvas.writes.size(), 6u * 19u);
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 7, 0));
  EXPECT_EQ(canvas.At(18, 5), RGB(234 / 2, 57, 0));
  EXPECT_TRUE(canvas.ringCalls.empty() && canvas.sideCounts.empty() && canvas.topCounts.empty()) << "no strips";

  // Without a layout, or without a frame, nothing is written.
  RecordingCanvas none;
  in.layoutColumns = 0;
  VisualizerFrameStep::Run(geometry, in, none);
  in.layoutColumns = 19;
  in.frame = nullptr;
  VisualizerFrameStep::Run(geometry, in, none);
  EXPECT_TRUE(none.writes.empty());
}

TEST_F(FrameStepFixture, MatrixOverlayReplacesOnlyLitRingCells) {
  in.barMode = 22;
  canvas.rings[{2, 3}] = 0x00FF00;
  canvas.rings[{0, 0}] = 1;       // too dark: the sampled colour stays
  canvas.rings[{6, 18}] = 0xFF0000;
  VisualizerFrameStep::Run(geometry, in, canvas);
  ASSERT_EQ(canvas.ringCalls, (std::vector<std::pair<int, int>>{{7, 19}}));
  EXPECT_EQ(canvas.At(3, 2), 0x00FF00u);
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 7, 0));
  EXPECT_EQ(canvas.At(18, 6), 0xFF0000u) << "the rings reach row 6 of a 6-row layout";
  EXPECT_EQ(canvas.At(1, 1), RGB(13 / 2, 17, 0));
  EXPECT_TRUE(VisualizerFrameStep::SamplesBackground(22));
  EXPECT_FALSE(VisualizerFrameStep::SamplesBackground(4));
}

TEST_F(FrameStepFixture, StripsOfModel101AtHalfBrightness) {
  in.deviceType = 101;
  in.stripBrightness = 50;  // scale 127
  for (int k = 0; k < 10; ++k) canvas.side.push_back(RGB(200, 20 * k, 2));
  for (int k = 0; k < 24; ++k) canvas.top.push_back(RGB(10 * k, 255, 100));
  VisualizerFrameStep::Run(geometry, in, canvas);
  EXPECT_EQ(canvas.sideCounts, std::vector<int>{10});
  EXPECT_EQ(canvas.topCounts, std::vector<int>{24});
  const auto scaled = [](COLORREF c) { return VisualizerFrameStep::ScaleStripColour(c, 127); };
  for (int k = 1; k <= 23; ++k) EXPECT_EQ(canvas.At(k, 0), scaled(canvas.top[size_t(k - 1)])) << k;
  // The side strips go on after the top one: column 24's top cell is the right strip's.
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(canvas.At(0, k), scaled(canvas.side[size_t(k)])) << k;
    EXPECT_EQ(canvas.At(24, k), scaled(canvas.side[size_t(k)])) << k;
  }
  EXPECT_EQ(canvas.At(0, 10), 0u) << "the eleventh side light stays black";
  EXPECT_EQ(canvas.At(24, 10), 0u);
  EXPECT_EQ(scaled(RGB(200, 180, 2)), RGB(99, 89, 0));
}

TEST_F(FrameStepFixture, TopStripOfModel102OnRowSeven) {
  in.deviceType = 102;
  in.stripBrightness = 100;
  for (int k = 0; k < 27; ++k) canvas.top.push_back(RGB(k, 2 * k, 255));
  VisualizerFrameStep::Run(geometry, in, canvas);
  EXPECT_EQ(canvas.topCounts, std::vector<int>{27});
  for (int k = 0; k <= 26; ++k)
    EXPECT_EQ(canvas.At(k, 7), VisualizerFrameStep::ScaleStripColour(canvas.top[size_t(k)], 255)) << k;
  EXPECT_EQ(canvas.At(0, 7), RGB(0, 0, 254));
}

TEST(VisualizerFrameStep, StripScaleIsBrightnessTimes255Over100) {
  const int cases[][2] = {{0, 0}, {1, 2}, {50, 127}, {99, 252}, {100, 255}, {-5, 0}, {150, 255}};
  for (const auto& c : cases) EXPECT_EQ(VisualizerFrameStep::StripScale(c[0]), c[1]) << c[0];
}

// The real visualiser and canvas: keys follow the music's loudness.
TEST(VisualizerFrameStep, CanvasKeysFollowTheMusic) {
  std::fill(std::begin(Visualizer::s_displayLevels), std::end(Visualizer::s_displayLevels), 0.0f);
  const auto v = std::make_unique<Visualizer>();
  v->Init();
  v->m_foregroundMode = 6;  // white bars over black
  v->m_backgroundMode = 0;
  ZephraEffect canvas(nullptr, 59, CRect(0, 0, 400, 200), 0);
  canvas.SetZephraMode(1);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 19; ++c) canvas.AddKeyItem(L"", DWORD(r * 19 + c + 1), CRect(c * 20, r * 30, c * 20 + 18, r * 30 + 28), c, r);
  VisualizerGeometry geometry;
  geometry.Init(6, 19);
  ZephraFrameTarget target(canvas);
  std::vector<COLORREF> frame(Visualizer::kPixels);

  const auto step = [&](float amplitude) {
    std::vector<float> samples(512);
    for (int n = 0; n < 512; ++n) {
      float s = 0;
      for (int bin = 2; bin < 200; bin += 7) s += std::cos(6.2831853f * float(bin * n) / 512.0f);
      samples[size_t(n)] = amplitude * s;
    }
    for (int i = 0; i < 20; ++i) {
      v->PushSamples(samples.data(), 512);
      v->RenderFrame();
    }
    v->CopyFrontFrame(frame.data());
    VisualizerFrameStep::Input in;
    in.frame = frame.data();
    in.layoutRows = 6;
    in.layoutColumns = 19;
    in.barMode = v->m_foregroundMode;
    VisualizerFrameStep::Run(geometry, in, target);
    long long light = 0;
    for (KEYITEM_INFO* key : canvas.GetKeyItems()) light += GetRValue(key->color) + GetGValue(key->color) + GetBValue(key->color);
    return light;
  };
  const long long silent = step(0.0f);
  const long long loud = step(40.0f);
  EXPECT_GT(loud, 0);
  EXPECT_GT(loud, 4 * silent) << "loud " << loud << " silent " << silent;
}

// ---- the visualiser pause and the music settings ----

struct MusicFixture : ::testing::Test {
  MusicFixture() {
    ProfileRecord profile;
    profile.name = L"P";
    EXPECT_EQ(db.store.AddProfile(profile), 1);
    v->Init();
  }
  MusicLayerRecord Row() {
    MusicLayerRecord r;
    EXPECT_TRUE(db.store.GetMusicLayer(1, r));
    return r;
  }

  TestStore db;
  std::unique_ptr<Visualizer> v = std::make_unique<Visualizer>();
  // Each pause: its length and whether the renderer was off meanwhile.
  std::vector<std::pair<DWORD, bool>> pauses;
  VisualizerPause pause{*v, [this](DWORD ms) { pauses.emplace_back(ms, v->m_enabled.load()); }};
  std::atomic<int> waveGain{270};
  MusicSettings music{db.store, pause, waveGain};
};

TEST_F(MusicFixture, PauseTurnsTheRendererOffAndAlwaysBackOn) {
  v->m_enabled = false;
  bool offWhileWriting = false;
  pause.Write([&] { offWhileWriting = !v->m_enabled; });
  EXPECT_TRUE(offWhileWriting);
  EXPECT_EQ(pauses, (std::vector<std::pair<DWORD, bool>>{{150, false}}));
  EXPECT_TRUE(v->m_enabled) << "on again, also when it was off before";
}

TEST_F(MusicFixture, LoadPutsTheProfileRowEverywhere) {
  MusicControls c = music.Load(1, 1);
  EXPECT_EQ(c.barMode, 4);
  EXPECT_EQ(c.amplitude, 30);
  EXPECT_EQ(c.backMode, 0);
  EXPECT_EQ(c.backBrightness, 100);
  EXPECT_EQ(c.barBrightness.value_or(-1), 100);
  EXPECT_EQ(waveGain, 300);
  EXPECT_EQ(v->m_foregroundMode, 4);
  EXPECT_EQ(music.BarMode(), 4);
  EXPECT_TRUE(v->m_enabled) << "the tab shows the colour map";
  EXPECT_EQ(pauses.size(), 1u);
  EXPECT_FALSE(pauses[0].second);

  EXPECT_FALSE((music.Load(1, 3), v->m_enabled.load())) << "screen capture needs no visualiser";
  EXPECT_TRUE((music.Load(1, 2), v->m_enabled.load()));

  // A profile without its row: the defaults on screen, the visualiser as it was.
  v->m_foregroundMode = 9;
  c = music.Load(7, 1);
  EXPECT_EQ(c.barMode, 22);
  EXPECT_EQ(c.amplitude, 60);
  EXPECT_FALSE(c.barBrightness);
  EXPECT_EQ(v->m_foregroundMode, 9);
  EXPECT_EQ(waveGain, 300);
}

TEST_F(MusicFixture, HandlersStoreAndReachTheVisualiser) {
  music.Load(1, 1);
  pauses.clear();
  music.OnAmplitude(1, 27);
  EXPECT_EQ(Row().fore_amplitude, 270);
  EXPECT_EQ(waveGain, 270);
  music.OnBarMode(1, 22);
  EXPECT_EQ(Row().foremode, 22);
  EXPECT_EQ(v->m_foregroundMode, 22);
  EXPECT_EQ(music.BarMode(), 22);
  music.OnBackMode(1, 7);
  music.OnBackBrightness(1, 40);
  music.OnBarBrightness(1, 60);
  const MusicLayerRecord r = Row();
  EXPECT_EQ(r.backmode, 7);
  EXPECT_EQ(r.backb_right, 40);
  EXPECT_EQ(r.light_right, 60);
  EXPECT_EQ(v->m_backgroundMode, 7);
  EXPECT_EQ(v->m_backgroundBrightness, 40);
  EXPECT_EQ(v->m_foregroundBrightness, 60);
  EXPECT_EQ(pauses.size(), 5u);
  for (const auto& p : pauses) EXPECT_EQ(p, (std::pair<DWORD, bool>{150, false}));
  EXPECT_TRUE(v->m_enabled);
  EXPECT_EQ(MusicSettings::BarModes().front().mode, 22);
  EXPECT_EQ(MusicSettings::BackgroundModes().size(), 12u);
}

// ---- canvas modes ----

TEST(CanvasPage, ModeChangesShowTheirGroupsAndDriveTheVisualiser) {
  TestStore db;
  db.store.InsertDefaultConfig(1);
  const auto v = std::make_unique<Visualizer>();
  CanvasPage page(db.store, *v);
  EXPECT_EQ(page.Mode(), 2);
  const auto stored = [&] {
    CString value;
    db.store.GetConfigValue(1, L"zephra_mode", value);
    return value;
  };

  CanvasModeUpdate u = page.OnModeChanged(1, 1);
  EXPECT_EQ(u.canvasMode, 1);
  EXPECT_EQ(u.shown, CanvasPage::VisualizerGroup());
  EXPECT_TRUE(v->m_enabled);
  EXPECT_EQ(stored(), L"1");
  // Every group and the never-shown controls are hidden first.
  for (int id : {160, 161, 172, 173, 192, 244, 267, 268, 269, 270, 272, 273, 274, 275, 276})
    EXPECT_NE(std::find(u.hidden.begin(), u.hidden.end(), id), u.hidden.end()) << id;

  u = page.OnModeChanged(1, 2);
  EXPECT_FALSE(v->m_enabled) << "leaving mode 1 stops the visualiser";
  EXPECT_EQ(u.shown.size(), 32u);
  EXPECT_EQ(u.shown.front(), 161);
  EXPECT_EQ(u.shown.back(), 192);
  u = page.OnModeChanged(1, 1);
  EXPECT_TRUE(v->m_enabled);
  u = page.OnModeChanged(1, 3);
  EXPECT_TRUE(u.shown.empty());
  EXPECT_FALSE(v->m_enabled);
  u = page.OnModeChanged(1, 5);
  EXPECT_EQ(u.shown, (std::vector<int>{270, 271, 272}));
  // The same mode again repeats the store.
  db.store.SetConfigValue(1, L"zephra_mode", L"9");
  page.OnModeChanged(1, 5);
  EXPECT_EQ(stored(), L"5");
}

TEST(CanvasPage, OnlyAnExistingFileIsTakenAsPicture) {
  TempFolder folder;
  WriteFileBytes(folder.File(L"a.gif"), "GIF89a");
  EXPECT_TRUE(CanvasPage::MediaFileUsable(folder.File(L"a.gif").c_str()));
  EXPECT_FALSE(CanvasPage::MediaFileUsable(folder.File(L"b.gif").c_str()));
  EXPECT_FALSE(CanvasPage::MediaFileUsable(folder.Path().c_str()));
  EXPECT_FALSE(CanvasPage::MediaFileUsable(L""));
}

}  // namespace
