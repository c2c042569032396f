// The matrix-screen page's logic on a real profile database: default rows, modes and
// their tasks, the PC effects' presets and amplitude, and what the preview is told.
#include <gtest/gtest.h>
#include <cmath>
#include "LightingTestUtil.h"
#include "PagesTestUtil.h"
#include "pages/MatrixPage.h"

using namespace lightingtest;
using pagestest::TestStore;

namespace {

class MatrixFixture : public ::testing::Test {
protected:
  void SetUp() override {
    db.store.InsertDefaultConfig(1);
    page.State().profile = 1;
    page.State().device.matrixBrightnessMax = 100;
    page.State().device.matrixSpeedMax = 6;
  }
  LightRecord Row(int mode) {
    LightRecord r;
    EXPECT_TRUE(db.store.GetLight(1, 16, mode, r)) << mode;
    return r;
  }
  CString Config(const wchar_t* key) {
    CString value;
    db.store.GetConfigValue(1, key, value);
    return value;
  }

  Texts texts;
  TestStore db;
  TaskQueue queue;
  MatrixPage page{db.store, queue};
};

TEST_F(MatrixFixture, FirstLoadSeedsEightRowsWithModeZeroActive) {
  const MatrixUpdate u = page.Load();
  ASSERT_TRUE(u.modeList);
  ASSERT_EQ(u.modeList->items.size(), 8u);
  EXPECT_EQ(u.modeList->items[0].first, L"T900");
  EXPECT_EQ(u.modeList->items[7].first, L"T907");
  EXPECT_EQ(u.modeList->items[7].second, 128);
  EXPECT_EQ(u.modeList->selectedMode, 0);
  EXPECT_EQ(u.modeList->brightnessMax, 100);
  EXPECT_EQ(u.modeList->speedMax, 6);
  const int funcs[8] = {0x013, 0x033, 0x033, 0x033, 0x033, 0x131, 0x131, 0x433};
  const int modes[8] = {0, 1, 2, 3, 4, 5, 6, 128};
  for (int i = 0; i < 8; ++i) {
    const LightRecord r = Row(modes[i]);
    EXPECT_EQ(r.config_func, funcs[i]);
    EXPECT_EQ(r.brightness, 80);
    EXPECT_EQ(r.speed, 3);
    EXPECT_EQ(r.color_value, 0xFF);
  }
  // Mode 0 after a load: the preview runs preset 0; the keyboard is not written.
  EXPECT_EQ(*u.preview.preset, 0);
  EXPECT_FALSE(page.State().streaming);
  EXPECT_TRUE(Tasks(queue).empty());
  page.Load();
  EXPECT_EQ(db.store.GetLightCount(1), 8) << "seeded once";
}

TEST_F(MatrixFixture, EachModeChoiceQueuesItsTasks) {
  page.Load();
  struct Case {
    int mode;
    std::vector<int> tasks;
    int preset;
    bool streaming;
  } cases[] = {{2, {14}, 0, false}, {5, {14, 15}, 1, false}, {128, {}, 4, true}, {6, {14}, 0, false}};
  for (const Case& c : cases) {
    const MatrixUpdate u = page.OnModeSelected(2, c.mode);
    EXPECT_EQ(Tasks(queue), c.tasks) << c.mode;
    EXPECT_EQ(*u.preview.preset, c.preset) << c.mode;
    EXPECT_EQ(page.State().streaming, c.streaming) << c.mode;
    EXPECT_TRUE(*u.matrixOn);
    EXPECT_EQ(db.store.GetActiveLightMode(1, 16), c.mode);
  }
  EXPECT_FALSE(page.OnModeSelected(3, 2).matrixOn) << "only code 2 acts";

  // Painting sends the picture only in the paint mode.
  page.OnPreviewPainted();
  EXPECT_TRUE(Tasks(queue).empty());
  page.OnModeSelected(2, 5);
  Tasks(queue);
  page.OnPreviewPainted();
  EXPECT_EQ(Tasks(queue), std::vector<int>{16});

  // A load in the paint mode reads the keyboard's picture; in another mode the preview
  // shows the preset of the mode's number.
  EXPECT_EQ(*page.Load().preview.preset, 1);
  EXPECT_EQ(Tasks(queue), (std::vector<int>{14, 15}));
  page.OnModeSelected(2, 3);
  Tasks(queue);
  EXPECT_EQ(*page.Load().preview.preset, 3);
  EXPECT_TRUE(Tasks(queue).empty());
}

TEST_F(MatrixFixture, PcEffectStartsWithTheStoredPreset) {
  // The store's default preset is 1, which no list item carries: the preview paints,
  // the list keeps its first entry.
  page.Load();
  page.OnModeSelected(2, 128);
  MatrixUpdate u = page.Load();
  EXPECT_EQ(*u.preview.preset, 1);
  EXPECT_FALSE(u.presetChoice);
  EXPECT_EQ(page.State().presetChoice, 4);
  EXPECT_TRUE(*u.presetsShown);
  EXPECT_TRUE(page.State().streaming);
  EXPECT_TRUE(Tasks(queue).empty()) << "the stream carries the effect";

  // Music presets swap the speed slider for the amplitude, showing the stored amplitude.
  u = page.OnPresetSelected(24);
  EXPECT_EQ(Config(L"matrixlight_preset_mode"), L"24");
  EXPECT_EQ(*u.preview.preset, 24);
  EXPECT_TRUE(u.amplitude->amplitudeShown);
  EXPECT_FALSE(*u.amplitude->speedShown);
  EXPECT_EQ(*u.amplitude->amplitude, 50);
  u = page.OnAmplitude(70);
  EXPECT_FLOAT_EQ(*u.preview.amplitude, 70.0f);
  EXPECT_EQ(Config(L"matrixlight_amplitude"), L"70");
  u = page.OnPresetSelected(9);
  EXPECT_FALSE(u.amplitude->amplitudeShown);
  EXPECT_TRUE(*u.amplitude->speedShown);

  // A stored preset of the list is selected on the next load.
  u = page.Load();
  EXPECT_EQ(*u.presetChoice, 9);
  EXPECT_TRUE(Tasks(queue).empty());

  // Below 128 the amplitude controls hide and the speed keeps its place.
  page.OnModeSelected(2, 1);
  const MatrixAmplitudeControls a = page.UpdateAmplitudeControls();
  EXPECT_FALSE(a.amplitudeShown);
  EXPECT_FALSE(a.speedShown);
}

TEST_F(MatrixFixture, KeyboardModesWriteTheRowEffectsTellThePreview) {
  page.Load();
  page.OnModeSelected(2, 2);
  Tasks(queue);
  page.OnBrightness(40);
  page.OnSpeed(5);
  page.OnDirection(298);
  EXPECT_EQ(Tasks(queue), (std::vector<int>{14, 14, 14}));
  LightRecord r = Row(2);
  EXPECT_EQ(r.brightness, 40);
  EXPECT_EQ(r.speed, 5);
  EXPECT_EQ(r.direction, 2);

  page.OnModeSelected(2, 128);
  MatrixUpdate u = page.OnBrightness(25);
  EXPECT_FLOAT_EQ(*u.preview.brightness, 0.25f);
  u = page.OnSpeed(2);
  EXPECT_FLOAT_EQ(*u.preview.speed, 2.0f);
  u = page.OnColourfulCheck(false);
  EXPECT_FALSE(*u.preview.colourful);
  EXPECT_TRUE(Tasks(queue).empty());
  EXPECT_EQ(Row(128).brightness, 25);
  EXPECT_EQ(Row(128).colorful, 0);

  // Colours: the paint mode and the effect take them into the preview; the keyboard's
  // modes write only into an empty queue.
  u = page.OnPalette(0x00FF00, false);
  EXPECT_EQ(*u.preview.colour, 0x00FF00u);
  EXPECT_TRUE(Tasks(queue).empty());
  page.OnModeSelected(2, 5);
  Tasks(queue);
  u = page.ApplyColour(0x112233);
  EXPECT_EQ(*u.preview.colour, 0x112233u);
  EXPECT_EQ(Row(5).color_value, 0x112233);
  EXPECT_TRUE(Tasks(queue).empty());
  page.OnModeSelected(2, 3);
  Tasks(queue);
  u = page.OnPalette(0x0000AA, true);
  EXPECT_FALSE(u.preview.colour);
  EXPECT_FALSE(*u.colourfulChecked);
  EXPECT_EQ(Row(3).colorful, 0);
  EXPECT_EQ(Row(3).color_value, 0xAA);
  EXPECT_EQ(Tasks(queue), (std::vector<int>{14, 14}));
  EXPECT_EQ(page.OnColourButton(std::nullopt, false).result, 0);
}

TEST_F(MatrixFixture, SwitchOffShowsModeZeroAndKeepsTheActiveMode) {
  page.Load();
  page.OnModeSelected(2, 4);
  Tasks(queue);
  page.OnMatrixSwitch(false);
  EXPECT_EQ(page.State().mode, 0);
  EXPECT_EQ(db.store.GetActiveLightMode(1, 16), 4);
  page.OnMatrixSwitch(true);
  EXPECT_EQ(page.State().mode, 4);
  EXPECT_EQ(Tasks(queue), (std::vector<int>{14, 14}));
}

TEST_F(MatrixFixture, PreviewBrightnessWithoutAKeyboardMaximumIsFull) {
  // A keyboard that reports a matrix brightness maximum of 0: the slider's maximum is 0
  // and the preview shows the effect at full brightness rather than an undefined ratio.
  page.State().device.matrixBrightnessMax = 0;
  page.Load();
  MatrixUpdate u = page.OnModeSelected(2, 128);
  EXPECT_EQ(page.Load().modeList->brightnessMax, 0);
  ASSERT_TRUE(u.preview.brightness);
  EXPECT_TRUE(std::isfinite(*u.preview.brightness));
  EXPECT_FLOAT_EQ(*u.preview.brightness, 1.0f);
  EXPECT_FLOAT_EQ(*page.OnBrightness(30).preview.brightness, 1.0f);

  struct Case {
    int brightness, max;
    float preview;
  } cases[] = {{40, 80, 0.5f}, {0, 4, 0.0f}, {80, 4, 1.0f}, {5, 0, 1.0f}, {-3, 4, 0.0f}};
  for (const Case& c : cases) EXPECT_FLOAT_EQ(MatrixControls::PreviewBrightness(c.brightness, c.max), c.preview);
}

TEST(MatrixControls, WhatEachConfigFuncOffers) {
  LightRecord row;
  row.brightness = 20;
  row.speed = 4;
  row.colorful = 0;
  row.color_value = 0x00FF00;
  struct Case {
    int func;
    bool brightness, speed, swatch, group, presets, edits;
  } cases[] = {
      {0x013, true, true, false, true, false, true},  {0x033, true, true, true, true, false, true},
      {0x131, true, false, true, true, false, true},  {0x433, true, true, true, true, true, true},
      {0x001, true, false, false, false, false, false}, {0x100, false, false, false, true, false, false},
      {0x400, false, false, false, true, true, false},
  };
  for (const Case& c : cases) {
    row.config_func = c.func;
    const MatrixControls m = MatrixControls::For(row, 40);
    SCOPED_TRACE(c.func);
    EXPECT_EQ(m.brightnessShown, c.brightness);
    EXPECT_EQ(m.previewBrightness.has_value(), c.brightness);
    if (c.brightness) {
      EXPECT_FLOAT_EQ(*m.previewBrightness, 0.5f);
    }
    EXPECT_EQ(m.speedShown, c.speed);
    EXPECT_EQ(m.swatchShown, c.swatch);
    EXPECT_EQ(m.previewColour.has_value(), c.swatch);
    EXPECT_EQ(m.colourGroupEnabled, c.group);
    EXPECT_EQ(m.presetsShown, c.presets);
    EXPECT_EQ(m.rgbEdits.has_value(), c.edits);
  }
}

}  // namespace
