// The matrix screen without a window: cells, settings, the timer's speed divider, and
// the first steps of the animations with a fixed clock and scripted random numbers.
#include <gtest/gtest.h>

#include "CanvasTestSupport.h"

using canvastest::FakeSources;
using canvastest::TestMatrix;

namespace {
struct MatrixRig {
  FakeSources sources;
  TestMatrix matrix;
  MatrixRig() {
    TestMatrix::ResetShared();
    matrix.SetEffectSources(sources.Make());
    matrix.SetBrightness(1.0f);
  }
  // Runs the preset's step directly after the clock moves on by ms.
  void Step(DWORD ms = 100) {
    sources.tick += ms;
    matrix.UpdatePresetAnimation();
  }
};
}  // namespace

TEST(MatrixCells, InitialiseMakesFortyNineCellsOnlyOnce) {
  TestMatrix matrix;
  matrix.Initialize();
  matrix.Initialize();
  auto cells = matrix.GetKeyItems();
  ASSERT_EQ(cells.size(), 49u);
  for (int i = 0; i < 49; ++i) {
    EXPECT_EQ(cells[size_t(i)]->id, i);
    EXPECT_EQ(cells[size_t(i)]->row, i / 7);
    EXPECT_EQ(cells[size_t(i)]->column, i % 7);
  }
  matrix.ClearItem();
  matrix.Initialize();
  EXPECT_EQ(matrix.GetKeyItems().size(), 49u);
}

TEST(MatrixCells, TheHiddenDrawingLaysTheCellsOutForTheCurrentSize) {
  TestMatrix matrix(CRect(0, 0, 150, 150));  // cells of (150 - 80) / 7 = 10 pixels, 10 apart
  matrix.DrawHideControl();
  auto cells = matrix.GetKeyItems();
  EXPECT_EQ(cells[0]->rect, CRect(10, 10, 20, 20));
  EXPECT_EQ(cells[8]->rect, CRect(30, 30, 40, 40));
  EXPECT_EQ(cells[48]->rect, CRect(130, 130, 140, 140));
  matrix.SetControlRect(CRect(0, 0, 220, 220));  // 20-pixel cells
  matrix.DrawHideControl();
  EXPECT_EQ(cells[48]->rect, CRect(190, 190, 210, 210));
}

TEST(MatrixCells, SettingsAreClampedAndBrightnessScalesEffectsOnly) {
  TestMatrix matrix;
  struct Speed {
    float set, stored;
    int limit;
  } speeds[] = {{9, 9, 0}, {0, 0, 9}, {5.5f, 5.5f, 3}, {12, 9, 0}, {-1, 0, 9}};
  for (const Speed& s : speeds) {
    matrix.SetAnimationSpeed(s.set);
    EXPECT_EQ(matrix.GetAnimationSpeed(), s.stored);
    EXPECT_EQ(matrix.GetTickLimit(), s.limit);
  }
  matrix.SetBrightness(1.5f);
  EXPECT_EQ(matrix.GetBrightness(), 1.0f);
  EXPECT_EQ(matrix.ApplyBrightness(0x123456), 0x123456u);
  matrix.SetBrightness(0);
  EXPECT_EQ(matrix.ApplyBrightness(0xFFFFFF), 0u);

  const float bands[3] = {0.8f, 0.1f, 0.3f};
  matrix.SetAudioData(bands, 3);
  EXPECT_EQ(matrix.GetAudioLevel(0), 1.0f) << "0.8 x 2.0 clamped";
  EXPECT_EQ(matrix.GetAudioLevel(3), 0.0f);
  matrix.SetAudioAmplitude(150);
  EXPECT_EQ(matrix.GetAudioAmplitude(), 100.0f);
}

TEST(MatrixTimer, TheStepRunsOnEveryLimitPlusSecondTick) {
  struct Case {
    float speed;
    int every;
  } cases[] = {{9, 2}, {0, 11}, {5.5f, 5}, {5, 6}};
  for (const Case& c : cases) {
    MatrixRig rig;
    rig.matrix.SetAnimationSpeed(c.speed);
    rig.matrix.SetPresetMode(MATRIX_PLASMA);
    int ticks = 0;
    while (rig.matrix.GetEffectClock() == 0 && ticks < 50) {
      rig.sources.tick += 16;
      ++ticks;
      // Without a shown window each step also renders hidden and answers 0.
      rig.matrix.OnControlTimer();
    }
    EXPECT_EQ(ticks, c.every) << c.speed;
  }
}

TEST(MatrixPresets, DigitsAndPixelsStayInsideTheGrid) {
  MatrixRig rig;
  rig.matrix.DisplayNumber(10, 0xFF);
  rig.matrix.SetPixelColor(7, 0, 0xFF);
  rig.matrix.SetPixelColor(-1, 0, 0xFF);
  EXPECT_EQ(rig.matrix.LitCount(), 0);
  rig.matrix.DisplayNumber(1, 0xFF);
  EXPECT_EQ(rig.matrix.Cell(3, 0), 0xFFu);
  EXPECT_EQ(rig.matrix.LitCount(), 10);

  // A short cell list: the glyph may not write past its end.
  rig.matrix.ClearItem();
  for (int i = 0; i < 10; ++i) rig.matrix.AddItem(i / 7, i % 7, i);
  rig.matrix.DisplayNumber(8, 0xFF);
  EXPECT_EQ(rig.matrix.GetKeyItems().size(), 10u);
}

TEST(MatrixPresets, CountdownTextFlowRippleAndMandelbrotFirstSteps) {
  MatrixRig rig;
  rig.matrix.SetPresetMode(MATRIX_COUNTDOWN);
  rig.Step(2000);
  EXPECT_NE(rig.matrix.Cell(2, 0), 0u) << "9 shows at once when more than a second passed";
  EXPECT_EQ(rig.matrix.Cell(1, 0), 0u);
  EXPECT_NE(rig.matrix.Cell(5, 3), 0u);
  rig.Step(500);
  EXPECT_NE(rig.matrix.Cell(5, 3), 0u) << "still 9 after half a second";

  rig.matrix.SetPresetMode(MATRIX_TEXT_FLOW);
  for (int i = 0; i < 6; ++i) rig.Step();
  EXPECT_EQ(rig.matrix.LitCount(), 0);
  rig.Step();
  EXPECT_EQ(rig.matrix.Cell(0, 3), 0xFFFF00u) << "the dot enters row 3 on the 7th step";

  rig.matrix.SetPresetMode(MATRIX_RIPPLE);
  rig.Step();
  EXPECT_FLOAT_EQ(rig.matrix.m_rippleRadius, 0.2f);
  EXPECT_NE(rig.matrix.Cell(3, 3), 0u);

  rig.matrix.SetPresetMode(MATRIX_MANDELBROT);
  rig.Step();
  EXPECT_EQ(rig.matrix.Cell(3, 3), 0u) << "inside the set";
  EXPECT_NE(rig.matrix.Cell(0, 0), 0u) << "escapes and lights";

  for (int preset : {28, 29, 30, 31, 32, 33, 34, 40}) {
    rig.matrix.SetPresetMode(preset);
    rig.Step();
    EXPECT_EQ(rig.matrix.LitCount(), 0) << preset;
  }
}

TEST(MatrixPresets, BreathingIgnoresTheBrightnessOthersGoBlack) {
  MatrixRig rig;
  rig.matrix.SetBrightness(0);
  rig.matrix.SetPresetMode(MATRIX_BREATHING);
  rig.Step(800);
  rig.Step(800);
  EXPECT_EQ(rig.matrix.LitCount(), 49);
  rig.matrix.SetPresetMode(MATRIX_PLASMA);
  rig.Step();
  EXPECT_EQ(rig.matrix.LitCount(), 0);
}

TEST(MatrixPresets, GameOfLifeBlinkerOscillatesAndADeadGridStaysDead) {
  MatrixRig rig;
  rig.matrix.SetPresetMode(MATRIX_GAME_OF_LIFE);
  std::fill(std::begin(rig.matrix.m_life), std::end(rig.matrix.m_life), 0);
  for (int x = 2; x <= 4; ++x) rig.matrix.m_life[3 * 7 + x] = 1;
  rig.Step(600);
  EXPECT_NE(rig.matrix.Cell(3, 2), 0u);
  EXPECT_EQ(rig.matrix.Cell(2, 3), 0u);
  rig.Step(600);
  EXPECT_NE(rig.matrix.Cell(2, 3), 0u) << "period 2";
  EXPECT_EQ(rig.matrix.LitCount(), 3);

  std::fill(std::begin(rig.matrix.m_life), std::end(rig.matrix.m_life), 0);
  rig.Step(600);
  EXPECT_EQ(rig.matrix.LitCount(), 0);
}

TEST(MatrixPresets, SnakeTurnsAtTheWallAndRestartsFromItsNewSegment) {
  MatrixRig rig;
  rig.matrix.SetPresetMode(MATRIX_SNAKE);
  rig.matrix.m_snake.clear();
  rig.Step(200);
  ASSERT_EQ(rig.matrix.m_snake.front().x, 4) << "an empty body starts at (3, 3) heading right";
  rig.matrix.m_snake = {{6, 2}, {5, 2}, {4, 2}};
  rig.matrix.m_snakeDx = 1, rig.matrix.m_snakeDy = 0;
  rig.Step(200);
  EXPECT_EQ(rig.matrix.m_snake.front().x, 6);
  EXPECT_EQ(rig.matrix.m_snake.front().y, 3) << "at the wall every way has no room: the first listed, down";

  // Trapped in the corner: every neighbour is a wall or its own body.
  rig.matrix.m_snake = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
  rig.matrix.m_snakeDx = -1, rig.matrix.m_snakeDy = 0;
  rig.sources.rands = {4, 2, 0};  // y 4, x 2, heading right
  rig.Step(200);
  ASSERT_GE(rig.matrix.m_snake.size(), 2u);
  EXPECT_EQ(rig.matrix.m_snake[0].x, 3);
  EXPECT_EQ(rig.matrix.m_snake[0].y, 4);
  EXPECT_EQ(rig.matrix.m_snake[1].x, 2);
  EXPECT_EQ(rig.matrix.m_snake[1].y, 4);
}

TEST(MatrixMusic, EffectsOnFixedBandInputs) {
  MatrixRig rig;
  const float silence[7] = {};
  rig.matrix.SetAudioData(silence, 7);
  rig.matrix.SetPresetMode(MATRIX_MUSIC_PULSE);
  rig.Step();
  EXPECT_EQ(rig.matrix.LitCount(), 0) << "the pulse is black in silence";

  rig.matrix.SetPresetMode(MATRIX_MUSIC_HEARTBEAT);
  rig.Step();
  EXPECT_EQ(rig.matrix.LitCount(), 34) << "the heart shows dimly";

  rig.matrix.SetPresetMode(MATRIX_MUSIC_CIRCLE);
  rig.matrix.m_circleRadius = 2;
  rig.Step();
  EXPECT_EQ(rig.matrix.m_circleRadius, 2.0f) << "the radius stands still in silence";
  EXPECT_GT(rig.matrix.LitCount(), 0) << "and stays visible in colour";

  const float loud[7] = {0.45f, 0, 0, 0, 0, 0, 0};  // 0.9 after the input gain
  rig.matrix.SetAudioData(loud, 7);
  rig.matrix.SetPresetMode(MATRIX_MUSIC_RAIN);
  rig.sources.tick = 1000000;  // now mod 200 < 100: the flash is on
  rig.matrix.UpdatePresetAnimation();
  EXPECT_EQ(rig.matrix.m_fallHeights[0], 5) << "trunc(6.3), lowered by the same step";
  for (int r = 2; r <= 6; ++r) EXPECT_NE(rig.matrix.Cell(0, r), 0u) << r;
  EXPECT_EQ(rig.matrix.Cell(0, 1), 0xFFFFFFu);

  rig.matrix.SetAudioAmplitude(0);
  float wave[512];
  for (int i = 0; i < 512; ++i) wave[i] = i % 2 ? 40.0f : -40.0f;
  rig.matrix.SetInputWave(wave, 512);
  rig.matrix.SetPresetMode(MATRIX_MUSIC_SPECTRUM);
  rig.Step();
  EXPECT_EQ(rig.matrix.LitCount(), 0) << "amplitude 0 keeps every bar dark";
  rig.matrix.SetAudioAmplitude(100);
  rig.Step();
  EXPECT_GT(rig.matrix.LitCount(), 0);
}
