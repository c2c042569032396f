// The music section of the lighting-canvas tab: the visualiser's bar and background
// layers, their brightnesses and the capture's amplitude, kept per profile in the
// music-layer row whose layer_id is the profile id. Every change reaches the running
// visualiser through the pause (VisualizerPause) and is stored at once.
#pragma once
#include <atomic>
#include <optional>
#include <vector>
#include "pages/VisualizerPause.h"
#include "store/KeyboardDataStore.h"

// What the section's controls show after a load.
struct MusicControls {
  int barMode = 22;        // combo 194's data
  int amplitude = 60;      // slider 196
  int backMode = 0;        // combo 200's data
  int backBrightness = 100;  // slider 202
  std::optional<int> barBrightness;  // slider 198, when the profile has its row
};

class MusicSettings {
public:
  struct ModeItem {
    int textId;
    int mode;  // the visualiser's layer mode
  };
  // The items of the bar and background combos, in list order.
  static const std::vector<ModeItem>& BarModes();
  static const std::vector<ModeItem>& BackgroundModes();
  // The bar mode that puts the matrix-light rings over the background layer.
  static constexpr int kMatrixOverlay = 22;

  // `waveGain` is the capture's amplitude.
  MusicSettings(KeyboardDataStore& store, VisualizerPause& pause, std::atomic<int>& waveGain);

  // Loads the profile's row into the controls, the visualiser and the capture. The
  // renderer stays off unless the canvas tab shows mode 1 or 2 (`canvasTabMode`). The
  // caller adds the canvas's light layer 1 and checks its box.
  MusicControls Load(int profile, int canvasTabMode);

  void OnBarMode(int profile, int mode);
  // `position` is slider 196's position; the row keeps ten times it.
  void OnAmplitude(int profile, int position);
  void OnBackMode(int profile, int mode);
  void OnBackBrightness(int profile, int value);
  void OnBarBrightness(int profile, int value);

  // The bar mode of the profile loaded last (kMatrixOverlay selects the rings).
  int BarMode() const { return m_barMode; }

private:
  template <class Change>
  void UpdateRow(int profile, Change change);

  KeyboardDataStore& m_store;
  VisualizerPause& m_pause;
  std::atomic<int>& m_waveGain;
  std::atomic<int> m_barMode{0};
};
