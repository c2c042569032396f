// The lighting page's logic on a real profile database: default rows, what each mode
// offers, the handlers' rows and worker tasks, and the per-key colour sets.
#include <gtest/gtest.h>
#include <algorithm>
#include "LightingTestUtil.h"
#include "PagesTestUtil.h"
#include "pages/LightDefaults.h"
#include "pages/LightTypes.h"
#include "pages/LightingPage.h"
#include "pages/RgbEdits.h"
#include "shell/KeyboardDlg.h"

using namespace lightingtest;
using pagestest::TestStore;

namespace {

// The worker's task numbers are the page's.
static_assert(int(kTaskWriteColourSetMode) == int(kTaskCustomLightMode));
static_assert(int(kTaskWriteZoneMode) == int(kTaskLightMode));
static_assert(int(kTaskWriteMatrixMode) == int(kTaskMatrixLight));
static_assert(int(kTaskReadMatrixPicture) == int(kTaskReadMatrixColours));
static_assert(int(kTaskWriteMatrixPicture) == int(kTaskWriteMatrixColours));
static_assert(int(kTaskReadColourSetKeys) == int(kTaskReadColourSet));
static_assert(int(kTaskWriteColourSetKeys) == int(kTaskWriteColourSet));

class LightingFixture : public ::testing::Test {
protected:
  void SetUp() override {
    db.store.InsertDefaultConfig(1);
    page.State().profile = 1;
    page.State().pageCurrent = true;
    page.State().device.zone0BrightnessMax = 5;
    page.State().device.zone0SpeedMax = 4;
  }
  LightRecord Row(int zone, int mode) {
    LightRecord r;
    EXPECT_TRUE(db.store.GetLight(1, zone, mode, r)) << zone << "/" << mode;
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
  LightingPage page{db.store, queue};
};

// ---- default rows and what a mode offers ----

TEST_F(LightingFixture, NewProfileGetsTheDefaultRowsOnce) {
  page.State().deviceType = 103;
  page.Load();
  EXPECT_EQ(db.store.GetLightCount(1), 41);
  const struct {
    int zone, rows;
  } zones[] = {{0, 26}, {1, 5}, {2, 5}, {10, 5}};
  for (auto z : zones) {
    KeyboardDataStore::RecordList<LightRecord> rows;
    EXPECT_EQ(db.store.GetLights(1, z.zone, rows), z.rows) << z.zone;
  }
  EXPECT_EQ(db.store.GetActiveLightMode(1, 0), 1);
  EXPECT_EQ(db.store.GetActiveLightMode(1, 1), 1);
  EXPECT_EQ(db.store.GetActiveLightMode(1, 2), 1);
  EXPECT_EQ(db.store.GetActiveLightMode(1, 10), 0);
  // Model 103's third zone has no speed and no swatch in mode 4; the others keep 49.
  EXPECT_EQ(Row(2, 4).config_func, 17);
  EXPECT_EQ(Row(10, 4).config_func, 49);
  EXPECT_EQ(Row(0, 130).config_func, 0x111);
  EXPECT_EQ(Row(0, 130).name, L"141");
  const LightRecord r = Row(0, 7);
  EXPECT_EQ(r.name, L"127");
  EXPECT_EQ(r.brightness, 200);
  EXPECT_EQ(r.speed, 3);
  EXPECT_EQ(r.colorful, 1);
  EXPECT_EQ(r.color_value, 0xFF);

  page.Load();
  EXPECT_EQ(db.store.GetLightCount(1), 41);
  for (const LightRecord& row : LightDefaults::ZoneRows(1, 101)) {
    if (row.type == 2 && row.mode == 4) {
      EXPECT_EQ(row.config_func, 49) << "zone 2 mode 4 on other models";
    }
  }
}

TEST_F(LightingFixture, ProfileWithOnlyMatrixRowsGetsNoZoneRows) {
  LightDefaults::SeedMatrix(db.store, 1);
  EXPECT_FALSE(LightDefaults::SeedZones(db.store, 1, 101));
  EXPECT_EQ(db.store.GetLightCount(1), 8);
}

TEST(LightControls, WhatEachConfigFuncOffers) {
  struct Case {
    int func, colorful, direction;
    bool brightness, speed, swatch, apply, sets, group;
    LightControls::Direction dir;
    int radio;
  } cases[] = {
      {0, 1, 0, false, false, false, false, false, false, LightControls::Direction::None, 0},
      {51, 0, 0, true, true, true, true, false, true, LightControls::Direction::None, 0},
      {49, 1, 0, true, false, true, true, false, true, LightControls::Direction::None, 0},
      {3, 1, 0, true, true, false, false, false, false, LightControls::Direction::None, 0},
      {17, 1, 0, true, false, false, false, false, true, LightControls::Direction::None, 0},
      {0x111, 1, 0, true, false, false, true, true, true, LightControls::Direction::None, 0},
      {0x007, 0, 1, true, true, false, false, false, false, LightControls::Direction::LeftRight, 133},
      {0x004, 0, 0, false, false, false, false, false, false, LightControls::Direction::LeftRight, 134},
      {0x008, 0, 2, false, false, false, false, false, false, LightControls::Direction::UpDown, 135},
      {0x008, 0, 1, false, false, false, false, false, false, LightControls::Direction::UpDown, 136},
  };
  for (const Case& c : cases) {
    LightRecord row;
    row.config_func = c.func;
    row.brightness = 77;
    row.speed = 2;
    row.colorful = c.colorful;
    row.direction = c.direction;
    row.color_value = 0x00FF00;
    const LightControls lc = LightControls::For(row);
    SCOPED_TRACE(c.func);
    EXPECT_EQ(lc.brightnessShown, c.brightness);
    EXPECT_EQ(lc.brightness, c.brightness ? 77 : 0) << "a hidden slider shows 0";
    EXPECT_EQ(lc.speedShown, c.speed);
    EXPECT_EQ(lc.speed, c.speed ? 2 : 0);
    EXPECT_EQ(lc.swatchShown, c.swatch);
    EXPECT_EQ(lc.applyShown, c.apply);
    EXPECT_EQ(lc.colourSetsShown, c.sets);
    EXPECT_EQ(lc.perKeyPainting, c.sets);
    EXPECT_EQ(lc.colourGroupEnabled, c.group);
    EXPECT_EQ(lc.direction, c.dir);
    EXPECT_EQ(lc.checkedRadio, c.radio);
    // The edits show the row's colour, or red for a multicolour mode.
    if (c.func & 0x010) {
      EXPECT_EQ(*lc.rgbEdits, c.colorful ? 0x0000FFu : 0x00FF00u);
    } else {
      EXPECT_FALSE(lc.rgbEdits);
    }
  }
}

// ---- loading ----

TEST_F(LightingFixture, LoadListsModesWithOneColourSetEntry) {
  page.State().deviceType = 102;
  const LightingUpdate u = page.Load();
  ASSERT_TRUE(u.modeList);
  ASSERT_EQ(u.modeList->items.size(), 22u);
  EXPECT_EQ(u.modeList->items[0].first, L"T120");
  EXPECT_EQ(u.modeList->items[21].first, L"T141");
  EXPECT_EQ(u.modeList->items[21].second, 128) << "sets 129-132 have no entry";
  EXPECT_EQ(u.modeList->selectedMode, 1);
  EXPECT_EQ(u.modeList->thirdZoneTextId, 173);
  EXPECT_EQ(*u.modeList->brightnessMax, 5);
  EXPECT_EQ(*u.modeList->speedMax, 4);
  EXPECT_TRUE(*u.lightingOn);
  ASSERT_TRUE(u.controls);
  EXPECT_EQ(u.controls->configFunc, 51);
  EXPECT_EQ(page.State().configFunc, 51);

  // Off: mode 0's controls while the list keeps the stored mode.
  db.store.SetConfigValue(1, L"enable_light", L"0");
  const LightingUpdate off = page.Load();
  EXPECT_FALSE(*off.lightingOn);
  EXPECT_EQ(page.State().mode, 0);
  EXPECT_EQ(off.modeList->selectedMode, 1);
  EXPECT_EQ(off.controls->configFunc, 0);
  EXPECT_FALSE(off.controls->brightnessShown);
  // Any mode chosen switches lighting on again.
  const LightingUpdate chosen = page.OnModeSelected(2, 4);
  EXPECT_TRUE(*chosen.lightingOn);
  EXPECT_EQ(Config(L"enable_light"), L"1");

  // Not the current page: the list is filled but the controls are left as they are.
  page.State().pageCurrent = false;
  EXPECT_FALSE(page.Load().controls);
}

TEST_F(LightingFixture, SliderRangesComeFromTheZoneOrTheThirdZone) {
  struct Case {
    int zone, b0, s0, b1, s1, b2, s2;
    int brightness, speed;  // -1: left as they were
  } cases[] = {
      {0, 5, 4, 0, 0, 9, 7, 5, 4},    {0, 0, 4, 6, 6, 9, 7, 9, 7},  {1, 5, 4, 6, 3, 9, 7, 6, 3},
      {1, 5, 4, 0, 3, 9, 7, 9, 7},    {2, 5, 4, 6, 3, 9, 7, 9, 7},  {0, 0, 4, 0, 3, 0, 7, -1, -1},
  };
  for (const Case& c : cases) {
    DeviceInfo& d = page.State().device;
    d.zone0BrightnessMax = c.b0, d.zone0SpeedMax = c.s0;
    d.zone1BrightnessMax = c.b1, d.zone1SpeedMax = c.s1;
    d.zone2BrightnessMax = c.b2, d.zone2SpeedMax = c.s2;
    page.State().zone = c.zone;
    const LightModeList list = *page.Load().modeList;
    SCOPED_TRACE(testing::Message() << c.zone << " " << c.b0 << " " << c.b1 << " " << c.b2);
    EXPECT_EQ(list.brightnessMax.value_or(-1), c.brightness);
    EXPECT_EQ(list.speedMax.value_or(-1), c.speed);
  }
}

// ---- handlers: rows and tasks ----

TEST_F(LightingFixture, SlidersDirectionAndApplyWriteTheRowAndQueueTheirTask) {
  page.Load();
  page.OnModeSelected(2, 3);
  Tasks(queue);
  page.OnBrightness(150);
  page.OnSpeed(2);
  page.OnDirection(135);
  page.OnApply();
  EXPECT_EQ(Tasks(queue), (std::vector<int>{13, 13, 13, 13}));
  LightRecord r = Row(0, 3);
  EXPECT_EQ(r.brightness, 150);
  EXPECT_EQ(r.speed, 2);
  EXPECT_EQ(r.direction, 2);
  for (auto [radio, direction] : {std::pair{133, 1}, {134, 0}, {136, 3}}) {
    page.OnDirection(radio);
    EXPECT_EQ(Row(0, 3).direction, direction);
  }
  Tasks(queue);

  // In a colour set the brightness goes out with the set's mode, apply sends the colours.
  page.OnModeSelected(2, 128);
  Tasks(queue);
  page.OnBrightness(90);
  page.OnApply();
  EXPECT_EQ(Tasks(queue), (std::vector<int>{12, 19}));
  EXPECT_EQ(Row(0, 128).brightness, 90);

  // A mode without a row writes nothing and queues nothing.
  page.State().mode = 77;
  page.OnBrightness(1);
  page.OnSpeed(1);
  page.OnDirection(133);
  page.OnColourfulCheck(true);
  EXPECT_TRUE(Tasks(queue).empty());
}

TEST_F(LightingFixture, ModeChoiceMakesItActiveAndSendsIt) {
  page.Load();
  EXPECT_EQ(page.OnModeSelected(5, 7).controls.has_value(), false) << "only code 2 acts";
  EXPECT_TRUE(Tasks(queue).empty());

  page.State().liveKeyColours = true;
  LightingUpdate u = page.OnModeSelected(2, 7);
  EXPECT_EQ(db.store.GetActiveLightMode(1, 0), 7);
  EXPECT_EQ(*u.keyboardMode, 103) << "the live view fills the keys";
  EXPECT_EQ(Tasks(queue), std::vector<int>{13});

  // The colour-set entry starts at set 128, reads its colours and stops the live view.
  u = page.OnModeSelected(2, 128);
  EXPECT_EQ(*u.colourSetChoice, 128);
  EXPECT_EQ(*u.keyboardMode, 103);
  EXPECT_FALSE(*u.liveViewOn);
  EXPECT_FALSE(page.State().liveKeyColours);
  EXPECT_EQ(Tasks(queue), (std::vector<int>{12, 18}));
  EXPECT_TRUE(u.controls->perKeyPainting);

  // Another set: 12 and 18 again, while the stored active mode stays 128.
  u = page.OnColourSetSelected(130);
  EXPECT_EQ(page.State().mode, 130);
  EXPECT_TRUE(u.clearKeyChecks);
  EXPECT_EQ(Tasks(queue), (std::vector<int>{12, 18}));
  EXPECT_EQ(db.store.GetActiveLightMode(1, 0), 128);
}

TEST_F(LightingFixture, SwitchOffKeepsTheActiveModeAndOnRestoresIt) {
  page.Load();
  page.OnModeSelected(2, 9);
  Tasks(queue);
  LightingUpdate off = page.OnLightingSwitch(false);
  EXPECT_EQ(page.State().mode, 0);
  EXPECT_EQ(Config(L"enable_light"), L"0");
  EXPECT_EQ(off.controls->configFunc, 0);
  EXPECT_EQ(db.store.GetActiveLightMode(1, 0), 9);
  page.OnLightingSwitch(true);
  EXPECT_EQ(page.State().mode, 9);
  EXPECT_EQ(Config(L"enable_light"), L"1");
  EXPECT_EQ(Tasks(queue), (std::vector<int>{13, 13}));
}

TEST_F(LightingFixture, ZoneChangeBackToAColourSetKeepsTheChosenSet) {
  page.Load();
  page.OnModeSelected(2, 128);
  page.OnColourSetSelected(131);
  page.OnZoneChanged(1, 131);
  EXPECT_EQ(page.State().zone, 1);
  EXPECT_EQ(page.State().mode, 1);
  Tasks(queue);

  page.State().liveKeyColours = true;
  LightingUpdate u = page.OnZoneChanged(1, 131);
  EXPECT_FALSE(*u.liveViewShown);
  EXPECT_EQ(*u.keyboardMode, 100) << "the live view is zone 0's";
  EXPECT_TRUE(Tasks(queue).empty());

  u = page.OnZoneChanged(0, 131);
  EXPECT_TRUE(*u.liveViewShown);
  EXPECT_EQ(page.State().mode, 131);
  EXPECT_EQ(*u.keyboardMode, 103);
  EXPECT_FALSE(*u.liveViewOn);
  EXPECT_EQ(Tasks(queue), (std::vector<int>{12, 18}));
}

// ---- colour entry ----

TEST_F(LightingFixture, ColourDragWritesEveryChangeButQueuesOnlyIntoAnEmptyQueue) {
  page.Load();
  page.OnModeSelected(2, 3);
  page.OnColourfulCheck(false);
  Tasks(queue);
  for (COLORREF c : {0x000010u, 0x000020u, 0x000030u}) {
    const LightingUpdate u = page.OnPalette(c, false);
    EXPECT_EQ(*u.swatch, c);
    EXPECT_EQ(*u.rgbEdits, c);
  }
  EXPECT_EQ(Row(0, 3).color_value, 0x30);
  EXPECT_EQ(Tasks(queue), std::vector<int>{13}) << "one write for the drag";
}

TEST_F(LightingFixture, PickingAColourClearsTheColourfulCheck) {
  page.Load();
  page.OnModeSelected(2, 3);
  ASSERT_EQ(Row(0, 3).colorful, 1);
  LightingUpdate u = page.OnColourButton(0x00FF00, true);
  EXPECT_FALSE(*u.colourfulChecked);
  LightRecord r = Row(0, 3);
  EXPECT_EQ(r.colorful, 0);
  EXPECT_EQ(r.color_value, 0x00FF00);
  EXPECT_EQ(*u.rgbEdits, 0x00FF00u);

  EXPECT_EQ(page.OnColourButton(std::nullopt, false).result, 0) << "no control with the id";
  page.OnColourfulCheck(true);
  EXPECT_EQ(Row(0, 3).colorful, 1);
  // A colour set has no colourful flag to change.
  page.OnModeSelected(2, 128);
  EXPECT_EQ(page.OnColourfulCheck(false).result, 0);
  EXPECT_EQ(Row(0, 128).colorful, 1);
}

TEST_F(LightingFixture, RgbEditsAreLimitedToAByte) {
  page.Load();
  page.OnModeSelected(2, 3);
  Tasks(queue);
  CString texts[3] = {L"300", L"", L"12ab"};
  LightingUpdate u = page.OnRgbEdit(26, 145, texts, false);
  ASSERT_TRUE(u.editText);
  EXPECT_EQ(*u.editText, std::make_pair(145, 255));
  EXPECT_EQ(Row(0, 3).color_value, 0x0C00FF) << "red 255, an empty green 0, blue 12";
  u = page.OnRgbEdit(26, 147, texts, false);
  EXPECT_FALSE(u.editText) << "12ab reads 12 and stays as typed";
  EXPECT_FALSE(page.OnRgbEdit(2, 145, texts, false).swatch) << "only a text change acts";

  struct Case {
    const wchar_t* text;
    int value;
    bool rewrite;
  } cases[] = {{L"255", 255, false}, {L"256", 255, true}, {L"-5", 0, true}, {L"  7", 7, false},
               {L"abc", 0, false},   {L"+9", 9, false},   {L"99999999999999", 255, true}};
  for (const Case& c : cases) {
    const RgbEdits::Clamped clamped = RgbEdits::Clamp(c.text);
    EXPECT_EQ(clamped.value, c.value) << c.text;
    EXPECT_EQ(clamped.rewrite, c.rewrite) << c.text;
  }
  EXPECT_EQ(RgbEdits::Colour(L"256", L"1", L"2"), 0x020100u) << "past 255 keeps the low byte";
}

// ---- per-key colour sets ----

class ColourSetFixture : public LightingFixture {
protected:
  void SetUp() override {
    LightingFixture::SetUp();
    page.SetKeyPicture([this] { return keys; });
  }
  // The window's part: the keys take the colours an update gives them.
  void Show(const LightingUpdate& u) {
    if (u.keyColours) keys = *u.keyColours;
  }
  // A click with the paint colour on a key, as the on-screen keyboard does it.
  void Paint(int code, COLORREF colour) {
    for (auto& key : keys)
      if (key.first == code) key.second = key.second == colour ? 0 : colour;
  }
  std::map<int, COLORREF> Stored(int set) { return ColourSetPictures(db.store).Stored(1, set); }

  KeyPicture keys = {{4, 0x111111}, {5, 0x222222}, {6, 0x333333}, {7, 0x444444}};
};

TEST_F(ColourSetFixture, EnteringASetShowsItsStoredColours) {
  // Set 128 holds colours for two keys; the keyboard's own copy never arrives (task 18
  // dropped, or no keyboard), so the keys show what the store holds.
  ColourSetPictures(db.store).Save(1, 128, {{4, 0x0000FF}, {5, 0x00FF00}});
  page.Load();
  Show(page.OnModeSelected(2, 128));
  EXPECT_EQ(keys, (KeyPicture{{4, 0x0000FF}, {5, 0x00FF00}, {6, 0}, {7, 0}}));

  // The first click saves the set with the others' colours kept.
  Paint(6, 0xFF0000);
  page.OnColourKeys(2, 6);
  EXPECT_EQ(Stored(128), (std::map<int, COLORREF>{{4, 0x0000FF}, {5, 0x00FF00}, {6, 0xFF0000}, {7, 0}}));

  // Another set shows its own colours, also when it has none yet.
  Show(page.OnColourSetSelected(129));
  EXPECT_EQ(keys, (KeyPicture{{4, 0}, {5, 0}, {6, 0}, {7, 0}}));
  Show(page.OnColourSetSelected(128));
  EXPECT_EQ(keys[2], (std::pair<int, COLORREF>{6, 0xFF0000}));
}

TEST_F(ColourSetFixture, ClicksAndColoursSaveTheWholeSet) {
  page.Load();
  Show(page.OnModeSelected(2, 128));
  Tasks(queue);
  // A new paint colour changes only the brush: the set is saved (and sent) unchanged.
  LightingUpdate u = page.ApplyColour(0x00FFFF);
  EXPECT_EQ(*u.paintColour, 0x00FFFFu);
  EXPECT_EQ(*u.swatch, 0x00FFFFu);
  EXPECT_EQ(Row(0, 128).color_value, 0xFF) << "the set's row keeps its colour";
  EXPECT_EQ(Stored(128).size(), 4u);
  EXPECT_EQ(Tasks(queue), std::vector<int>{19});
  queue.Push(99);
  page.ApplyColour(0x0000FF);
  EXPECT_EQ(Tasks(queue), std::vector<int>{99}) << "a drag queues no more writes";

  // A key painted twice with the same colour goes dark again.
  Paint(5, 0x00FFFF);
  page.OnColourKeys(2, 5);
  EXPECT_EQ(Stored(128)[5], 0x00FFFFu);
  Paint(5, 0x00FFFF);
  page.OnColourKeys(5, 5);
  EXPECT_EQ(Stored(128)[5], 0u);
  EXPECT_EQ(Tasks(queue), (std::vector<int>{19, 19}));

  // Clicks away from the keys, and clicks outside a colour set, save nothing.
  Paint(4, 0x123456);
  page.OnColourKeys(2, -1);
  page.OnColourKeys(5, 0);
  page.OnColourKeys(9, 4);
  EXPECT_EQ(Stored(128)[4], 0u);
  page.OnModeSelected(2, 3);
  Tasks(queue);
  page.OnColourKeys(2, 4);
  EXPECT_EQ(Stored(128)[4], 0u);
  EXPECT_TRUE(Tasks(queue).empty());
}

TEST_F(ColourSetFixture, AFailedSaveKeepsTheStoredSet) {
  ColourSetPictures sets(db.store);
  ASSERT_TRUE(sets.Save(1, 128, {{4, 0x0000FF}, {5, 0x00FF00}}));
  db.store.CloseDeviceDb();
  EXPECT_FALSE(sets.Save(1, 128, {{4, 0}, {5, 0}}));
  ASSERT_TRUE(db.store.OpenDeviceDb(db.Folder(), L"K1"));
  EXPECT_EQ(sets.Stored(1, 128), (std::map<int, COLORREF>{{4, 0x0000FF}, {5, 0x00FF00}}));
}

}  // namespace
