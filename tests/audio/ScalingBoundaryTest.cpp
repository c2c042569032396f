// Colour and level scaling at the ends and the whole-number points of its range: every
// expectation is an exact integer, the same on the 32-bit build as on the 64-bit one.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AudioProbe.h"
#include "audio/Visualizer.h"

TEST(ScalingBoundaries, BrightnessScale) {
  // trunc(b x 2.55): at the multiples of 20 the product is a whole number, where a unit
  // keeping extra precision would land one step low.
  const struct { int brightness, scale; } cases[] = {
      {-1, 0},    {0, 0},     {1, 2},     {20, 51},   {40, 102},  {50, 127},
      {60, 153},  {80, 204},  {99, 252},  {100, 255}, {101, 255},
  };
  for (const auto& c : cases) EXPECT_EQ(Visualizer::BrightnessScale(c.brightness), c.scale) << c.brightness;
}

TEST(ScalingBoundaries, FullScaleColoursOfALayer) {
  // White and red at full scale through a solid layer: each byte becomes byte x B / 256.
  const struct { int mode, brightness; COLORREF colour; } cases[] = {
      {6, 0, 0x000000}, {6, 1, 0x010101},  {6, 50, 0x7E7E7E}, {6, 99, 0xFBFBFB}, {6, 100, 0xFEFEFE},
      {7, 1, 0x000001}, {7, 100, 0x0000FE},
  };
  auto v = std::make_unique<Visualizer>();
  v->Init();
  std::vector<COLORREF> layer(Visualizer::kPixels);
  for (const auto& c : cases) {
    layer.assign(Visualizer::kPixels, 0x123456);
    v->FillLayer(c.mode, c.brightness, layer.data());
    EXPECT_EQ(layer[0], c.colour) << "mode " << c.mode << " brightness " << c.brightness;
    EXPECT_EQ(layer[Visualizer::kPixels - 1], c.colour) << "mode " << c.mode << " brightness " << c.brightness;
  }
}

TEST(ScalingBoundaries, LevelPercent) {
  // trunc(level x 100) of the single-precision product, limited to 0..100.
  const struct { float level; int percent; } cases[] = {
      {-0.5f, 0}, {0.0f, 0}, {0.01f, 1}, {0.5f, 50}, {0.99f, 99}, {1.0f, 100}, {1.5f, 100},
  };
  for (const auto& c : cases) {
    AudioProbe audio;
    EXPECT_EQ(audio.PrepareBands(c.level).percent, c.percent) << c.level;
  }
}
