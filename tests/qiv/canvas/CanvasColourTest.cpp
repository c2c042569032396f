// Colour arithmetic, the canvas's audio state, the strip colour generators, the screen
// colour rules and the GIF frame clock: pure functions driven by tables.
#include <gtest/gtest.h>

#include <cmath>
#include "CanvasTestSupport.h"
#include "canvas/ColorMath.h"
#include "canvas/GifFrames.h"
#include "canvas/ScreenColors.h"
#include "canvas/StripColors.h"

using canvastest::TestCanvas;

TEST(CanvasColour, FloatHsvMatchesTheSixSectorsAndWrapsHue) {
  struct Case {
    float h, s, v;
    COLORREF want;
  } cases[] = {
      {0, 1, 1, RGB(255, 0, 0)},       {120, 1, 1, RGB(0, 255, 0)},   {240, 1, 1, RGB(0, 0, 255)},
      {60, 1, 1, RGB(255, 255, 0)},    {780, 1, 1, RGB(255, 255, 0)}, {-30, 1, 1, ColorMath::HsvToColor(330, 1, 1)},
      {200, 0, 0.5f, RGB(127, 127, 127)}, {0, 2, -1, RGB(0, 0, 0)},   {30, 1, 1, RGB(255, 128, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(ColorMath::HsvToColor(c.h, c.s, c.v), c.want) << c.h << "," << c.s << "," << c.v;
}

TEST(CanvasColour, IntegerHsvOfTheMatrixTruncatesAndBlacksOutHue360) {
  struct Case {
    int h, s, v;
    COLORREF want;
  } cases[] = {
      {0, 255, 255, 0x0000FF}, {120, 255, 255, 0x00FF00}, {240, 255, 255, 0xFF0000},
      {360, 255, 255, 0},      {30, 255, 255, RGB(255, 128, 0)}, {0, 0, 200, RGB(200, 200, 200)},
  };
  for (const Case& c : cases) EXPECT_EQ(MatrixScreen::HSVtoRGB(c.h, c.s, c.v), c.want) << c.h;
}

TEST(CanvasColour, RainbowClockAndResponsiveColour) {
  EXPECT_FLOAT_EQ(StripColors::HueClock(1000, 2), 125.0f);
  EXPECT_FLOAT_EQ(StripColors::HueClock(5760, 1), 0.0f);  // H(1) turns once in 5.76 s
  EXPECT_EQ(TestCanvas::GetMusicResponsiveColor(0, 0, 0), 0u);
  EXPECT_EQ(TestCanvas::GetMusicResponsiveColor(0, 1, 0), RGB(0, 255, 0));
}

TEST(CanvasAudio, SettersLimitTheirValuesAndTrackTheTrigger) {
  TestCanvas canvas;
  canvas.Initialize();
  canvas.SetExternalAudioData(1.5f, -0.2f, 0.5f, 150, -3.0f);
  EXPECT_EQ(canvas.GetCurrentVolume(), 1.0f);
  EXPECT_EQ(canvas.GetPeakVolume(), 0.0f);
  EXPECT_EQ(canvas.GetAverageVolume(), 0.5f);
  EXPECT_EQ(canvas.GetMusicAmplitude(), 100);
  EXPECT_EQ(canvas.GetAudioLevel(), 0.0f);

  const float volumes[] = {0.05f, 0.2f, 0.3f, 0.05f};
  const bool triggered[] = {false, true, true, false};
  for (int i = 0; i < 4; ++i) {
    canvas.SetExternalAudioData(volumes[i], 0, 0, 0, 0);
    EXPECT_EQ(canvas.IsVolumeTriggered(), triggered[i]) << i;
  }

  float s64[64];
  for (int i = 0; i < 64; ++i) s64[i] = float(i) / 64;
  canvas.SetFFTSpectrum(nullptr, s64);
  EXPECT_FALSE(canvas.HasFFTData());
  EXPECT_EQ(canvas.GetFFTSpectrum64(63), s64[63]);
  EXPECT_EQ(canvas.GetFFTSpectrum64(64), 0.0f);
  const float zeros[32] = {};
  canvas.SetFFTSpectrum(zeros, nullptr);
  EXPECT_FALSE(canvas.HasFFTData());

  canvas.SetBeatData(true, 1.4f, 120, 0, 0, 0);
  EXPECT_FLOAT_EQ(canvas.GetBeatBoost(), 1.4f);
  for (int i = 0; i < 3; ++i) canvas.SetBeatData(false, 0, 0, 0, 0, 0);
  EXPECT_NEAR(canvas.GetBeatBoost(), 1.4f * 0.85f * 0.85f * 0.85f, 1e-6);
}

TEST(CanvasAudio, MusicColourWithoutALayerChangesOnlyTheSetting) {
  TestCanvas canvas;
  canvas.SetMusicColor(0x123456);
  EXPECT_EQ(canvas.GetMusicColor(), 0x123456u);
  ASSERT_EQ(canvas.AddLightLayer(LAYER_MIRROR_RHYTHM, CRect()), 0);
  canvas.SetMusicColor(0x00FF00);
  const LAYERITEM_INFO layer = canvas.GetLightLayers()[0];
  EXPECT_EQ(layer.color, 0x00FF00u);
  EXPECT_EQ(layer.colourful, 0);
  EXPECT_EQ(layer.rect, CRect(0, 0, 600, 400)) << "an empty rectangle means the whole control";
}

namespace {
AudioState Loud(float level) {
  AudioState a;
  a.level = level;
  return a;
}
}  // namespace

TEST(StripColours, SideStripIsALevelBarOfAtMostTen) {
  COLORREF out[12];
  std::fill(std::begin(out), std::end(out), 0xABCDEF);
  StripColors::SideLights(Loud(150), 1, 0, out, 12, true, 0xFF);
  int lit = 0;
  for (int i = 0; i < 10; ++i) lit += out[i] != 0;
  EXPECT_EQ(lit, 9) << "trunc(10 x 0.9 + 0.5)";
  EXPECT_EQ(out[9], 0u);
  EXPECT_EQ(out[10], 0xABCDEFu) << "only ten entries are written";

  StripColors::SideLights(Loud(2), 1, 0, out, 10, true, 0xFF);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(out[i], 0u);
  StripColors::SideLights(Loud(150), 1, 0, nullptr, 10, true, 0xFF);  // writes nothing, no crash
}

TEST(StripColours, TopStripGrowsFromTheMiddleAndKeepsItsEndsDark) {
  COLORREF out[27];
  StripColors::TopLights(Loud(150), 1, 0, out, 27, true, 0xFF);
  EXPECT_EQ(out[0], 0u);
  EXPECT_EQ(out[26], 0u);
  for (int i = 1; i <= 25; ++i) EXPECT_NE(out[i], 0u) << i;
  COLORREF even[24];
  StripColors::TopLights(Loud(150), 1, 0, even, 24, false, 0xFF);
  EXPECT_EQ(even[0], 0u) << "an even strip never lights its first entry";
}

TEST(StripColours, MatrixGridIsPackedWithItsOwnStrideAroundALitCentre) {
  COLORREF out[140];
  std::fill(std::begin(out), std::end(out), 0xABCDEF);
  StripColors::MatrixLights(Loud(150), 1, 1000, out, 8, 20, true, 0xFF);
  EXPECT_NE(out[3 * 19 + 9], 0u) << "centre cell (3, 9) with stride 19";
  EXPECT_EQ(out[133], 0xABCDEFu) << "7 x 19 entries only";
  StripColors::MatrixLights(Loud(1), 1, 1000, out, 8, 20, true, 0xFF);
  for (int i = 0; i < 133; ++i) EXPECT_EQ(out[i], 0u);
}

TEST(ScreenColours, AverageAdjustAndBoostOnInjectedPixels) {
  std::vector<DWORD> pixels(8 * 8, 0xFF000000);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 4; ++x) pixels[size_t(y * 8 + x)] = 0xFFC80000;  // left half red 200
  EXPECT_EQ(ScreenColors::Average(pixels.data(), 8, 8), RGB(100, 0, 0)) << "every 4th pixel: (0,0) and (4,0) ...";

  ScreenCaptureConfig off;
  off.brightnessOn = off.saturationOn = false;
  const COLORREF same = ScreenColors::Adjust(RGB(10, 120, 240), off);  // channels truncate on the way back
  EXPECT_NEAR(GetRValue(same), 10, 1);
  EXPECT_NEAR(GetGValue(same), 120, 1);
  EXPECT_NEAR(GetBValue(same), 240, 1);
  ScreenCaptureConfig config;  // saturation x 1.5 and brightness x 1.2
  const COLORREF adjusted = ScreenColors::Adjust(RGB(100, 50, 50), config);
  EXPECT_NEAR(GetRValue(adjusted), 120, 1);
  EXPECT_NEAR(GetGValue(adjusted), 30, 1);

  EXPECT_EQ(ScreenColors::Boost(RGB(100, 100, 90)), RGB(int(100 * 1.3f), int(100 * 1.3f), int(90 * 1.3f)))
      << "grey cells x 1.3";
  const float k = 1.5f + 0.5f * (1 - 0.299f * 200 / 255);
  EXPECT_EQ(ScreenColors::Boost(RGB(200, 0, 0)), RGB(std::min(255, int(200 * k)), 0, 0));
  const COLORREF teal = ScreenColors::Boost(RGB(0, 100, 100));
  EXPECT_LT(GetGValue(teal), GetBValue(teal)) << "green x 0.92, blue x 1.05";
  EXPECT_GT(GetGValue(teal), 130);
}

TEST(ScreenColours, DominantColourFindsTheVividBlockOrNothing) {
  const int w = 320, h = 180;
  std::vector<DWORD> grey(size_t(w * h), 0xFF808080);
  ScreenColors::DominantColour state;
  ScreenColors::Analyse(state, grey.data(), w, h);
  EXPECT_EQ(state.colour, 0u) << "grey is never significant";

  std::vector<DWORD> picture = grey;
  for (int y = 60; y < 120; ++y)
    for (int x = 100; x < 220; ++x) picture[size_t(y * w + x)] = 0xFF4080FF;  // a bright blue block
  ScreenColors::Analyse(state, picture.data(), w, h);
  EXPECT_GT(GetBValue(state.colour), 200);
  EXPECT_LT(GetRValue(state.colour), 80);
}

TEST(GifClock, FramesAdvanceByWholeDelaysAndCarryTheRemainder) {
  GifTiming t{5, 0, 100, 0.0};
  GifFrames::Advance(t, 1000);
  EXPECT_EQ(t.frameIndex, 0);
  EXPECT_EQ(t.startMs, 1000);
  GifFrames::Advance(t, 1099);
  EXPECT_EQ(t.frameIndex, 0);
  GifFrames::Advance(t, 1350);  // 3 delays and 50 ms
  EXPECT_EQ(t.frameIndex, 3);
  EXPECT_EQ(t.startMs, 1300);
  GifFrames::Advance(t, 1900);  // a long pause: 6 more frames, wrapping
  EXPECT_EQ(t.frameIndex, 4);

  GifTiming single{1, 3, 100, 0.0};
  GifFrames::Advance(single, 5000);
  EXPECT_EQ(single.frameIndex, 0);
}

TEST(GifClock, MissingOrZeroDelaysNeverStopTheClock) {
  EXPECT_EQ(GifFrames::DelayFromProperty(true, 0), 10);
  EXPECT_EQ(GifFrames::DelayFromProperty(true, 7), 70);
  EXPECT_EQ(GifFrames::DelayFromProperty(false, 0), 100) << "no delay property: 100 ms, not 0";
  GifTiming t{4, 0, 0, 0.0};
  GifFrames::Advance(t, 1000);
  GifFrames::Advance(t, 1250);
  EXPECT_EQ(t.frameIndex, 2);
}
