#include "pages/MusicSettings.h"

const std::vector<MusicSettings::ModeItem>& MusicSettings::BarModes() {
  static const std::vector<ModeItem> items = {{119, 22}, {106, 1}, {107, 2}, {108, 3}, {109, 4},  {110, 5},
                                              {111, 6},  {112, 7}, {113, 8}, {114, 9}, {115, 10}, {118, 11}};
  return items;
}

const std::vector<MusicSettings::ModeItem>& MusicSettings::BackgroundModes() {
  static const std::vector<ModeItem> items = {{117, 0}, {111, 6}, {112, 7}, {113, 8}, {114, 9},  {118, 11},
                                              {115, 10}, {106, 1}, {107, 2}, {108, 3}, {109, 4}, {110, 5}};
  return items;
}

MusicSettings::MusicSettings(KeyboardDataStore& store, VisualizerPause& pause, std::atomic<int>& waveGain)
    : m_store(store), m_pause(pause), m_waveGain(waveGain) {}

MusicControls MusicSettings::Load(int profile, int canvasTabMode) {
  MusicControls controls;
  Visualizer& v = m_pause.Target();
  v.m_enabled = false;
  m_pause.Pause();
  MusicLayerRecord row;
  if (m_store.GetMusicLayer(profile, row)) {
    controls.barMode = row.foremode;
    controls.amplitude = row.fore_amplitude / 10;
    controls.backMode = row.backmode;
    controls.backBrightness = row.backb_right;
    controls.barBrightness = row.light_right;
    v.ClearInput();
    m_waveGain = row.fore_amplitude;
    v.m_backgroundMode = row.backmode;
    v.m_backgroundBrightness = row.backb_right;
    v.m_foregroundMode = row.foremode;
    v.m_foregroundBrightness = row.light_right;
    m_barMode = row.foremode;
  }
  if (canvasTabMode == 1 || canvasTabMode == 2) v.m_enabled = true;
  return controls;
}

template <class Change>
void MusicSettings::UpdateRow(int profile, Change change) {
  MusicLayerRecord row;
  if (!m_store.GetMusicLayer(profile, row)) return;
  change(row);
  m_store.UpdateMusicLayer(profile, row);
}

void MusicSettings::OnBarMode(int profile, int mode) {
  m_pause.Write([&] { m_pause.Target().m_foregroundMode = mode; });
  m_barMode = mode;
  UpdateRow(profile, [&](MusicLayerRecord& r) { r.foremode = mode; });
}

void MusicSettings::OnAmplitude(int profile, int position) {
  const int amplitude = position * 10;
  m_pause.Write([] {});
  UpdateRow(profile, [&](MusicLayerRecord& r) { r.fore_amplitude = amplitude; });
  m_waveGain = amplitude;
}

void MusicSettings::OnBackMode(int profile, int mode) {
  m_pause.Write([&] { m_pause.Target().m_backgroundMode = mode; });
  UpdateRow(profile, [&](MusicLayerRecord& r) { r.backmode = mode; });
}

void MusicSettings::OnBackBrightness(int profile, int value) {
  m_pause.Write([&] { m_pause.Target().m_backgroundBrightness = value; });
  UpdateRow(profile, [&](MusicLayerRecord& r) { r.backb_right = value; });
}

void MusicSettings::OnBarBrightness(int profile, int value) {
  m_pause.Write([&] { m_pause.Target().m_foregroundBrightness = value; });
  UpdateRow(profile, [&](MusicLayerRecord& r) { r.light_right = value; });
}
