// Golden pixels of the 22 colour layers and the HSV conversion.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "audio/HsvColor.h"
#include "audio/Visualizer.h"

namespace {
struct Pixel {
  int row, column;
  COLORREF colour;
};

class Layers : public ::testing::Test {
protected:
  void SetUp() override {
    std::fill(std::begin(Visualizer::s_displayLevels), std::end(Visualizer::s_displayLevels), 0.0f);
    Visualizer::s_ringRotation = 0.0f;
    v->Init();
  }
  // Fills a layer primed with a marker colour and checks the given pixels.
  void Expect(int mode, int brightness, float hue, std::initializer_list<Pixel> pixels) {
    v->m_hue = hue;
    layer.assign(Visualizer::kPixels, 0x123456);
    v->FillLayer(mode, brightness, layer.data());
    for (const Pixel& p : pixels)
      EXPECT_EQ(layer[p.row * 256 + p.column], p.colour)
          << "mode " << mode << " brightness " << brightness << " hue " << hue << " at row " << p.row
          << ", column " << p.column;
  }
  bool Uniform() const {
    for (COLORREF c : layer)
      if (c != layer[0]) return false;
    return true;
  }

  std::unique_ptr<Visualizer> v = std::make_unique<Visualizer>();
  std::vector<COLORREF> layer;
};
}  // namespace

TEST(HsvColor, SectorsAndSaturation) {
  const struct { int hue, s, v; COLORREF colour; } cases[] = {
      {0, 255, 255, 0x0000FF},   {60, 255, 255, 0x00FFFF},  {120, 255, 255, 0x00FF00},
      {180, 255, 255, 0xFFFF00}, {240, 255, 255, 0xFF0000}, {300, 255, 255, 0xFF00FF},
      {360, 255, 255, 0x0000FF}, {256, 255, 255, 0xFF0044}, {89, 255, 255, 0x00FF84},
      {200, 255, 127, 0x7F5400}, {30, 0, 77, 0x4D4D4D},     {30, 128, 200, 0x6496C8},
      {-60, 255, 255, 0xFF00FF}};
  for (const auto& c : cases)
    EXPECT_EQ((HsvColor{c.hue, static_cast<BYTE>(c.s), static_cast<BYTE>(c.v)}.ToColor()), c.colour)
        << c.hue << "/" << c.s << "/" << c.v;
}

TEST(Brightness, ScaleAndColours) {
  EXPECT_EQ(Visualizer::BrightnessScale(100), 255);
  EXPECT_EQ(Visualizer::BrightnessScale(50), 127);
  EXPECT_EQ(Visualizer::BrightnessScale(0), 0);
  EXPECT_EQ(Visualizer::BrightnessScale(250), 255);  // out of range: limited
  EXPECT_EQ(Visualizer::BrightnessScale(-5), 0);
  EXPECT_EQ(Visualizer::ScaleColour(0xFFFFFF, 127), 0x7E7E7Eu);
}

TEST_F(Layers, SolidColours) {
  Expect(0, 100, 0, {{0, 0, 0x000000}, {63, 255, 0x000000}});
  Expect(6, 50, 0, {{10, 10, 0x7E7E7E}});
  Expect(6, 0, 0, {{10, 10, 0x000000}});
  Expect(7, 100, 0, {{5, 5, 0x0000FE}});
  Expect(8, 100, 0, {{5, 5, 0x003FFE}});
  Expect(9, 100, 0, {{5, 5, 0x00FEFE}});
  Expect(10, 100, 0, {{5, 5, 0x00FE00}});
  Expect(11, 100, 0, {{5, 5, 0xFE0000}});
  Expect(12, 100, 0, {{5, 5, 0xFEFE00}});
  Expect(13, 100, 0, {{5, 5, 0xFE003F}});
  EXPECT_TRUE(Uniform());
  // Mode 5: the HSV colour of the hue angle; its value is the brightness itself.
  Expect(5, 100, 0, {{0, 0, 0x0000FF}});
  Expect(5, 100, 120, {{30, 200, 0x00FF00}});
  Expect(5, 50, 200.7f, {{63, 255, 0x7F5400}});
  EXPECT_TRUE(Uniform());
}

TEST_F(Layers, GradientsOfThree) {
  // Rows 43-63 the first colour, 22-42 the second, 1-21 the third; row 0 from the centre.
  Expect(1, 100, 0,
         {{63, 0, 0x00FE00}, {43, 0, 0x00FE00}, {42, 9, 0x00FEFE}, {22, 9, 0x00FEFE}, {21, 9, 0x0000FE},
          {1, 200, 0x0000FE}, {0, 0, 0x0000FE}, {0, 42, 0x0000FE}, {0, 43, 0x00FEFE}, {0, 85, 0x00FEFE},
          {0, 86, 0x00FE00}, {0, 170, 0x00FE00}, {0, 171, 0x00FEFE}, {0, 213, 0x00FEFE},
          {0, 214, 0x0000FE}, {0, 255, 0x0000FE}});
  Expect(14, 50, 0, {{63, 3, 0x007E00}, {30, 3, 0x7E7E7E}, {10, 3, 0x00007E}, {0, 128, 0x007E00}});
  Expect(15, 100, 0, {{63, 3, 0xFE0000}, {30, 3, 0xFEFE00}, {10, 3, 0xFEFEFE}, {0, 0, 0xFEFEFE}});
  Expect(16, 100, 0, {{63, 3, 0x0000FE}, {30, 3, 0xFEFEFE}, {10, 3, 0xFE0000}, {0, 250, 0xFE0000}});
}

TEST_F(Layers, GradientsOfSix) {
  Expect(2, 100, 0,
         {{63, 0, 0x0000FE}, {32, 0, 0x00FE00}, {1, 0, 0xFE00FE}, {0, 0, 0xFE00FE}, {0, 100, 0x00FEFE},
          {0, 128, 0x0000FE}, {0, 255, 0xFE00FE}});
  Expect(3, 100, 0, {{63, 0, 0xFE00FE}, {32, 0, 0xFEFE00}, {1, 0, 0x0000FE}, {0, 128, 0xFE00FE}});
}

TEST_F(Layers, SineRainbowAcrossTheColumns) {
  Expect(17, 100, 0, {{0, 1, 0xEA0E80}, {63, 1, 0xEA0E80}, {30, 128, 0x0FEB7E}, {30, 200, 0xD2A501},
                      {30, 0, 0xEC0F7E}});
  Expect(17, 100, 100, {{0, 0, 0xA9CF00}, {0, 1, 0xADCB00}, {10, 64, 0xF41B6A}, {10, 128, 0x522CFB}});
  // Mode 20: the colour of column 1 on every pixel.
  Expect(20, 100, 0, {{0, 0, 0xEA0E80}, {63, 255, 0xEA0E80}});
  Expect(20, 100, 45, {{20, 20, 0xF95827}});
  Expect(20, 50, 0, {{20, 20, 0x74073F}});
  EXPECT_TRUE(Uniform());
}

TEST_F(Layers, HueSweepAcrossTheColumns) {
  Expect(18, 100, 0, {{0, 0, 0xFF0044}, {63, 16, 0xFF0000}, {5, 136, 0x00FF00}, {5, 196, 0x00FFFF},
                      {5, 255, 0x0005FF}});
  Expect(18, 100, 37, {{0, 0, 0xFF00E1}, {9, 196, 0x00FF62}});
}

TEST_F(Layers, HueWheels) {
  Expect(4, 100, 0, {{32, 0, 0x0000FF}, {32, 255, 0xFFFF00}, {0, 128, 0x00FF84}, {63, 128, 0xFF007F},
                     {0, 0, 0x003CFF}, {10, 200, 0xB7FF00}});
  Expect(4, 50, 90, {{32, 0, 0x007F3F}, {10, 200, 0x7F001B}});
  // Mode 19 turns around a point below the bottom row.
  Expect(19, 100, 0, {{0, 128, 0x00FF84}, {63, 0, 0x0000FF}, {63, 255, 0xFAFF00}, {40, 100, 0x00AAFF}});
  Expect(19, 100, 200, {{63, 0, 0xFFAA00}});
}

TEST_F(Layers, SpectrumRings) {
  // Quiet: black, and the rings do not turn.
  std::fill(Visualizer::s_displayLevels, Visualizer::s_displayLevels + 256, 0.005f);
  Expect(21, 100, 0, {{32, 128, 0x000000}, {0, 0, 0x000000}});
  EXPECT_TRUE(Uniform());
  EXPECT_EQ(Visualizer::s_ringRotation, 0.0f);

  // low 0.6, mid 0.3, high 0.15: saturation 205, rotation 0.05 degrees.
  for (int i = 0; i < 256; ++i) Visualizer::s_displayLevels[i] = i < 32 ? 0.6f : i < 96 ? 0.3f : i < 128 ? 0.15f : 0.0f;
  Expect(21, 100, 0, {{32, 129, 0x65FF32}, {32, 140, 0x65FF32}, {20, 128, 0x32CBFF}, {40, 100, 0xFF32FB},
                      {0, 0, 0x000000}, {63, 255, 0x000000}, {10, 180, 0x30F54A}, {32, 200, 0x35861A},
                      {50, 60, 0x901C90},
                      {32, 128, 0x0000FF}});  // centre: low dominates -> red
  EXPECT_NEAR(Visualizer::s_ringRotation, 0.05f, 1e-7);
}

TEST_F(Layers, RingRotationWrapsAt360) {
  std::fill(Visualizer::s_displayLevels, Visualizer::s_displayLevels + 128, 0.5f);
  Visualizer::s_ringRotation = 359.98f;
  layer.assign(Visualizer::kPixels, 0);
  v->FillLayer(21, 100, layer.data());
  EXPECT_EQ(Visualizer::s_ringRotation, 0.0f);
  // Equal ranges: neither low nor mid dominates, so the centre is blue.
  EXPECT_EQ(layer[32 * 256 + 128], 0xFF0000u);
}

TEST_F(Layers, UnknownModesLeaveTheLayer) {
  for (int mode : {22, 23, -1, 100}) {
    Expect(mode, 100, 0, {{0, 0, 0x123456}, {63, 255, 0x123456}});
    EXPECT_TRUE(Uniform());
  }
}
