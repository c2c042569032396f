// The lighting-canvas page with its music section in the real main window on the
// simulated keyboards: each canvas mode with its control groups, the music settings
// stored per profile, and the frames the worker streams while music plays or is silent.
#include <gtest/gtest.h>
#include <cmath>
#include <numeric>
#include <vector>
#include "LightingWindowRig.h"
#include "canvas/ZephraEffect.h"
#include "controls/CCheckButton.h"
#include "controls/MComboBox.h"
#include "controls/MSlider.h"
#include "controls/TabCtrlEx.h"

using namespace lightingwindow;

namespace {

struct CanvasPageWindow : LightingWindow {
  void ChooseCanvasMode(int mode) {
    auto* modes = Get<TabCtrlEx>(242);
    ASSERT_NE(modes, nullptr);
    modes->SetCurData(mode);
    EXPECT_EQ(Notify(242), 1);
  }
  CString Config(const wchar_t* key) {
    CString value;
    store.GetConfigValue(dlg->m_profileId, key, value);
    return value;
  }
  // 512 samples of loud music over the whole spectrum (or silence) handed to the
  // visualiser, as the capture thread does. A few narrow tones would light a few bars that
  // the key grid's sampling columns can miss.
  void Music(bool loud) {
    std::vector<float> samples(512, 0.0f);
    if (loud)
      for (int i = 0; i < 512; ++i)
        for (int bin = 2; bin < 200; bin += 7) samples[size_t(i)] += 40.0f * std::cos(6.2831853f * float(bin * i) / 512.0f);
    dlg->m_visualizer.PushSamples(samples.data(), 512);
  }
  // The brightest frame streamed while `loud` music played for a while.
  int StreamedLight(bool loud) {
    int brightest = 0;
    for (int n = 0; n < 80; ++n) {
      Music(loud);
      Pump(25);
      const std::vector<uint8_t> frame = Table(keyboard, sim::Table::CanvasFrame);
      // RGB565, two bytes per LED.
      int light = 0;
      for (size_t i = 0; i + 1 < frame.size(); i += 2) {
        const int v = frame[i] | frame[i + 1] << 8;
        light += (v >> 11) + ((v >> 5) & 0x3F) + (v & 0x1F);
      }
      if (n > 20) brightest = std::max(brightest, light);
    }
    return brightest;
  }
  std::string keyboard = "k102";
};

TEST_F(CanvasPageWindow, EachModeShowsItsGroupAndIsStored) {
  OpenOn(102);
  ShowTab(2);
  const struct {
    int mode;
    bool visualiser, layers, media;
  } modes[] = {{1, true, false, false}, {2, false, true, false}, {3, false, false, false}, {5, false, false, true}, {1, true, false, false}};
  for (const auto& m : modes) {
    SCOPED_TRACE(m.mode);
    ChooseCanvasMode(m.mode);
    EXPECT_EQ(dlg->m_zephraMode, m.mode);
    EXPECT_EQ(dlg->m_zephraEffect->GetZephraMode(), m.mode);
    EXPECT_EQ(Config(L"zephra_mode"), Text(m.mode));
    EXPECT_EQ(dlg->m_visualizer.m_enabled.load(), m.visualiser) << "the visualiser renders in mode 1 only";
    EXPECT_EQ(dlg->IsControlVisible(194) != 0, m.visualiser) << "bar layer list";
    EXPECT_EQ(dlg->IsControlVisible(161) != 0, m.layers) << "light layer 1";
    EXPECT_EQ(dlg->IsControlVisible(177) != 0, m.layers) << "music palette";
    EXPECT_EQ(dlg->IsControlVisible(272) != 0, m.media) << "media file button";
    EXPECT_FALSE(dlg->IsControlVisible(249)) << "the canvas's own colour group never shows";
  }
}

TEST_F(CanvasPageWindow, MusicSettingsAreStoredAndComeBackAfterARestart) {
  OpenOn(102);
  ShowTab(2);
  ChooseCanvasMode(1);
  auto* amplitude = Get<MSlider>(196);
  auto* bars = Get<MComboBox>(194);
  auto* back = Get<MComboBox>(200);
  ASSERT_TRUE(amplitude && bars && back);
  EXPECT_EQ(amplitude->GetProgress(), 30) << "a new profile's amplitude 300";
  EXPECT_EQ(dlg->m_waveGain.load(), 300);
  amplitude->SetProgress(27);
  EXPECT_EQ(Notify(196), 1);
  bars->SelectData(7);
  EXPECT_EQ(Notify(194), 1);
  back->SelectData(9);
  EXPECT_EQ(Notify(200), 1);
  EXPECT_TRUE(dlg->m_visualizer.m_enabled.load()) << "the pause switches the renderer on again";
  MusicLayerRecord row;
  ASSERT_TRUE(store.GetMusicLayer(dlg->m_profileId, row));
  EXPECT_EQ(row.fore_amplitude, 270);
  EXPECT_EQ(row.foremode, 7);
  EXPECT_EQ(row.backmode, 9);
  EXPECT_EQ(dlg->m_waveGain.load(), 270);

  Restart(102);
  EXPECT_TRUE(PumpUntil([&] { return Get<MSlider>(196)->GetProgress() == 27; }, 10000));
  EXPECT_EQ(Get<MComboBox>(194)->GetCurData(), 7);
  EXPECT_EQ(Get<MComboBox>(200)->GetCurData(), 9);
  EXPECT_EQ(dlg->m_visualizer.m_foregroundMode.load(), 7);
  EXPECT_EQ(Get<CCheckButton>(161)->GetCheck(), 1) << "light layer 1 is added at every load";
}

TEST_F(CanvasPageWindow, StreamedFramesFollowTheMusicWhileAnotherTabIsShown) {
  // The canvas page entered once keeps streaming when the user goes on to another tab:
  // the worker samples the visualiser, steps the canvas off screen and sends its keys.
  OpenOn(102);
  ShowTab(2);
  ChooseCanvasMode(1);
  // The bar layer of the spectrum: loud music lights the keys, silence leaves them dark.
  auto* bars = Get<MComboBox>(194);
  ASSERT_NE(bars, nullptr);
  bars->SelectData(6);
  EXPECT_EQ(Notify(194), 1);
  ShowTab(4);
  EXPECT_EQ(dlg->m_canvasPageShown, 1);
  const int silent = StreamedLight(false);
  const int loud = StreamedLight(true);
  EXPECT_GT(loud, silent + 100) << "loud " << loud << ", silent " << silent;
}

}  // namespace
