// The key-addressed canvas effects: game-key colours, the preset phases, and the
// presets that keep key positions across layout changes.
#include <gtest/gtest.h>

#include <memory>
#include "CanvasTestSupport.h"
#include "canvas/CanvasPresets.h"
#include "canvas/ColorMath.h"

namespace {
// A grid of keys with HID codes 4.. (A, B, ...) laid out in rows of 16.
struct Keys {
  std::vector<std::unique_ptr<KEYITEM_INFO>> owned;
  std::vector<KEYITEM_INFO*> view;
  explicit Keys(int count, DWORD firstCode = 4) {
    for (int i = 0; i < count; ++i) {
      auto k = std::make_unique<KEYITEM_INFO>();
      k->column = i % 16;
      k->row = (i / 16) % 8;
      k->keyCode = firstCode + DWORD(i);
      view.push_back(k.get());
      owned.push_back(std::move(k));
    }
  }
  KEYITEM_INFO* Code(DWORD code) {
    for (KEYITEM_INFO* k : view)
      if (k->keyCode == code) return k;
    return nullptr;
  }
};
}  // namespace

TEST(GameKeys, ColoursByNameCaseInsensitivelyWithThePulse) {
  struct Case {
    const wchar_t* name;
    COLORREF base;
  } cases[] = {{L"W", 0xFF6400}, {L"w", 0xFF6400}, {L"Space", 0xC800FF}, {L"mouse2", 0xC8C8C8}, {L"5", 0x00FFFF}};
  for (const Case& c : cases) EXPECT_EQ(CanvasPresets::GameKeyColour(c.name, 0.5f), ColorMath::Scale(c.base, 0.5f)) << c.name;
  EXPECT_EQ(CanvasPresets::GameKeyColour(L"", 0.5f), 0x1E1E1Eu) << "an empty name matches nothing";
  EXPECT_EQ(CanvasPresets::GameKeyColour(L"ESC", 0.5f), 0x1E1E1Eu) << "others are not scaled";

  Keys keys(1);
  keys.view[0]->name = L"a";
  float phase = 0;
  CanvasPresets::GameStep(phase, keys.view);
  EXPECT_FLOAT_EQ(phase, 0.1f);
  EXPECT_EQ(keys.view[0]->color, ColorMath::Scale(0xFF9600, std::sin(0.1f) * 0.35f + 0.65f));
}

TEST(CanvasPresetSteps, EachPresetStepsAndWrapsItsPhase) {
  struct Case {
    int preset;
    float step, wrap;
  } cases[] = {{PRESET_COUNTDOWN, 0.1f, 6.28f}, {PRESET_CLOCK, 0.05f, 6.28f},   {PRESET_HEART_PIERCE, 0.05f, 20},
               {PRESET_BREATHING, 0.05f, 6.28f}, {PRESET_LIGHTNING, 0.1f, 8},    {PRESET_RAINBOW_WAVE, 0.1f, 6.28f},
               {PRESET_FIRE, 0.1f, 6.28f},       {PRESET_BLUE_FIRE, 0.1f, 6.28f}, {PRESET_SOS, 0.1f, 50},
               {PRESET_RIPPLE, 0.1f, 15},        {PRESET_STARRY, 0.08f, 30},     {PRESET_TEXT_FLOW, 0.2f, 1},
               {PRESET_AUDIO_SPECTRUM, 0.1f, 62.8f}, {99, 0.1f, 6.28f}};
  for (const Case& c : cases) {
    Keys keys(40);
    PresetState s;
    s.preset = c.preset;
    CanvasPresets::PresetStep(s, keys.view, 8, 19, 7);
    EXPECT_FLOAT_EQ(s.phase, c.step) << c.preset;
    s.phase = c.wrap - c.step / 2;
    CanvasPresets::PresetStep(s, keys.view, 8, 19, 7);
    EXPECT_EQ(s.phase, 0.0f) << c.preset << " wraps at " << c.wrap;
  }
  PresetState heart;  // Heartbeat turns its own phase
  Keys keys(5);
  CanvasPresets::PresetStep(heart, keys.view, 8, 19, 7);
  EXPECT_FLOAT_EQ(heart.phase2, 0.08f);
  EXPECT_EQ(heart.phase, 0.0f);
}

TEST(CanvasPresetSteps, CountdownLightsNoDigitUntilTheFirstWrap) {
  Keys digits(10, 30);  // codes 30-39: 1..9, 0
  PresetState s;
  s.preset = PRESET_COUNTDOWN;
  CanvasPresets::PresetStep(s, digits.view, 8, 19, 1);
  for (KEYITEM_INFO* k : digits.view) EXPECT_EQ(k->color, 0x1E1E1Eu) << "value 10 has no key";
  s.phase = 6.25f;
  CanvasPresets::PresetStep(s, digits.view, 8, 19, 1);
  EXPECT_EQ(s.countdown, 9);
  EXPECT_EQ(GetRValue(digits.Code(38)->color), 255) << "the 9 key";
  EXPECT_EQ(digits.Code(37)->color, 0x1E1E1Eu);
}

TEST(CanvasPresetSteps, TextFlowFollowsTheTextAndAnEmptyTextLightsNothing) {
  Keys keys(26);  // A-Z
  PresetState s;
  s.preset = PRESET_TEXT_FLOW;
  s.flowText = L"hi";
  CanvasPresets::PresetStep(s, keys.view, 8, 19, 1);
  EXPECT_EQ(keys.Code(11)->color, 0xFFC864u) << "H is current";
  for (int i = 0; i < 5; ++i) CanvasPresets::PresetStep(s, keys.view, 8, 19, 1);  // past the wrap
  EXPECT_EQ(s.flowPosition, 1);
  EXPECT_EQ(keys.Code(12)->color, 0xFFC864u) << "I is current";
  EXPECT_EQ(keys.Code(11)->color, 0x966432u) << "H is previous";

  s.flowText = L"";
  s.flowPosition = 0;
  for (int i = 0; i < 12; ++i) CanvasPresets::PresetStep(s, keys.view, 8, 19, 1);
  for (KEYITEM_INFO* k : keys.view) EXPECT_EQ(k->color, 0x141414u);
}

TEST(CanvasPresetSteps, RandomPresetsRepeatWithTheirSeedAndStayInThePalette) {
  static const COLORREF kFire[6] = {0x0000FF, 0x0033FF, 0x0066FF, 0x0099FF, 0x00CCFF, 0x00FFFF};
  Keys a(64), b(64);
  PresetState sa, sb;
  sa.preset = sb.preset = PRESET_FIRE;
  CanvasPresets::PresetStep(sa, a.view, 8, 19, 42);
  CanvasPresets::PresetStep(sb, b.view, 8, 19, 42);
  for (size_t i = 0; i < a.view.size(); ++i) {
    EXPECT_EQ(a.view[i]->color, b.view[i]->color);
    EXPECT_NE(std::find(std::begin(kFire), std::end(kFire), a.view[i]->color), std::end(kFire));
  }
}

TEST(CanvasPresetSteps, StarryAndRippleSurviveASmallerLayout) {
  Keys big(120);
  PresetState s;
  s.preset = PRESET_STARRY;
  for (int i = 0; i < 200; ++i) CanvasPresets::PresetStep(s, big.view, 8, 19, unsigned(i));
  ASSERT_FALSE(s.stars.empty());
  Keys small(6);
  for (int i = 0; i < 50; ++i) CanvasPresets::PresetStep(s, small.view, 8, 19, unsigned(i));
  for (const StarRecord& star : s.stars) EXPECT_LT(star.keyIndex, 6);

  PresetState ripple;
  ripple.preset = PRESET_RIPPLE;
  Keys few(10);
  CanvasPresets::PresetStep(ripple, few.view, 8, 19, 1);  // position 72 does not exist here
  Keys many(80);
  many.view[72]->column = many.view[72]->row = 0;  // far from the ring
  CanvasPresets::PresetStep(ripple, many.view, 8, 19, 1);
  EXPECT_EQ(GetBValue(many.view[72]->color), 255) << "the blue marker key while the phase is below 2";
}
