#include "pages/MatrixPage.h"
#include <cstdlib>
#include "pages/LightDefaults.h"
#include "pages/LightTypes.h"
#include "pages/RgbEdits.h"
#include "shell/LanguageText.h"

namespace {
constexpr int kPaintMode = 5;
constexpr int kEffectMode = 128;
constexpr int kPaintPreset = 1;
constexpr int kRedEdit = 308;
constexpr int kBlueEdit = 310;
const wchar_t* const kPresetKey = L"matrixlight_preset_mode";
const wchar_t* const kAmplitudeKey = L"matrixlight_amplitude";
}  // namespace

const std::vector<MatrixPage::Preset>& MatrixPage::Presets() {
  static const std::vector<Preset> presets = {
      {921, 4},  {922, 22}, {923, 23}, {924, 24}, {925, 25}, {926, 26}, {927, 27}, {928, 2},  {929, 6},
      {930, 7},  {931, 8},  {932, 9},  {933, 10}, {934, 12}, {935, 13}, {936, 14}, {937, 16}, {938, 21},
  };
  return presets;
}

MatrixPage::MatrixPage(KeyboardDataStore& store, TaskQueue& tasks) : m_store(store), m_tasks(tasks) {}

bool MatrixPage::ReadRow(LightRecord& row) { return m_store.GetLight(m_state.profile, kZoneMatrix, m_state.mode, row); }

void MatrixPage::WriteRow(const LightRecord& row) { m_store.UpdateLight(0, kZoneMatrix, m_state.mode, row); }

int MatrixPage::StoredInt(const wchar_t* key) {
  CString value;
  m_store.GetConfigValue(m_state.profile, key, value);
  return _wtoi(value.GetString());
}

void MatrixPage::StoreInt(const wchar_t* key, int value) {
  CString text;
  text.Format(L"%d", value);
  m_store.SetConfigValue(m_state.profile, key, text);
}

void MatrixPage::ChoosePreset(int preset, MatrixUpdate& update) {
  for (const Preset& p : Presets()) {
    if (p.preset != preset) continue;
    m_state.presetChoice = preset;
    update.presetChoice = preset;
    return;
  }
}

MatrixUpdate MatrixPage::Load() {
  MatrixUpdate update;
  MatrixModeList list;
  list.brightnessMax = m_state.device.matrixBrightnessMax;
  list.speedMax = m_state.device.matrixSpeedMax;
  KeyboardDataStore::RecordList<LightRecord> rows;
  if (m_store.GetLights(m_state.profile, kZoneMatrix, rows) == 0) {
    LightDefaults::SeedMatrix(m_store, m_state.profile);
    m_store.GetLights(m_state.profile, kZoneMatrix, rows);
  }
  for (const auto& row : rows) list.items.emplace_back(LoadLangString(_wtoi(row->name.GetString())), row->mode);
  m_state.mode = m_store.GetActiveLightMode(m_state.profile, kZoneMatrix);
  list.selectedMode = m_state.mode;
  update.modeList = std::move(list);
  update.controls = UpdateControls(update);

  if (m_state.mode == kEffectMode) {
    // A stored preset that no item carries still runs; the list keeps its choice.
    const int preset = StoredInt(kPresetKey);
    ChoosePreset(preset, update);
    update.preview.preset = preset;
    update.presetsShown = true;
    update.amplitude = UpdateAmplitudeControls();
    m_state.streaming = true;
  } else if (m_state.mode == kPaintMode) {
    update.preview.preset = kPaintPreset;
    m_tasks.Push(kTaskWriteMatrixMode);
    m_tasks.Push(kTaskReadMatrixPicture);
    m_state.streaming = false;
  } else {
    update.preview.preset = m_state.mode;
    m_state.streaming = false;
  }
  return update;
}

std::optional<MatrixControls> MatrixPage::UpdateControls(MatrixUpdate& update) {
  LightRecord row;
  if (!ReadRow(row)) return std::nullopt;
  MatrixControls c = MatrixControls::For(row, m_state.device.matrixBrightnessMax);
  if (c.previewBrightness) update.preview.brightness = c.previewBrightness;
  if (c.previewSpeed) update.preview.speed = c.previewSpeed;
  if (c.previewColourful) update.preview.colourful = c.previewColourful;
  if (c.previewColour) update.preview.colour = c.previewColour;
  if (c.presetsShown) ChoosePreset(StoredInt(kPresetKey), update);
  return c;
}

MatrixAmplitudeControls MatrixPage::UpdateAmplitudeControls() {
  MatrixAmplitudeControls a;
  if (m_state.mode < kEffectMode) return a;
  if (m_state.presetChoice < kFirstMusicPreset) {
    a.speedShown = true;
  } else {
    a.amplitudeShown = true;
    a.speedShown = false;
    a.amplitude = StoredInt(kAmplitudeKey);
  }
  return a;
}

MatrixUpdate MatrixPage::OnModeSelected(int code, int mode) {
  MatrixUpdate update;
  if (code != 2) return update;
  m_state.streaming = false;
  m_state.mode = mode;
  m_store.SetActiveLightMode(m_state.profile, kZoneMatrix, mode);
  update.controls = UpdateControls(update);
  if (mode == kEffectMode) {
    // The keyboard's own mode is not written: the worker streams the preview instead.
    m_state.streaming = true;
    update.preview.preset = m_state.presetChoice;
  } else if (mode == kPaintMode) {
    update.preview.preset = kPaintPreset;
    m_tasks.Push(kTaskWriteMatrixMode);
    m_tasks.Push(kTaskReadMatrixPicture);
  } else {
    update.preview.preset = 0;
    m_tasks.Push(kTaskWriteMatrixMode);
  }
  update.matrixOn = true;
  update.amplitude = UpdateAmplitudeControls();
  return update;
}

MatrixUpdate MatrixPage::OnPresetSelected(int preset) {
  MatrixUpdate update;
  m_state.presetChoice = preset;
  update.preview.preset = preset;
  StoreInt(kPresetKey, preset);
  update.amplitude = UpdateAmplitudeControls();
  return update;
}

MatrixUpdate MatrixPage::OnPreviewPainted() {
  if (m_state.mode == kPaintMode) m_tasks.Push(kTaskWriteMatrixPicture);
  return MatrixUpdate();
}

MatrixUpdate MatrixPage::OnMatrixSwitch(bool on) {
  MatrixUpdate update;
  m_state.mode = on ? m_store.GetActiveLightMode(m_state.profile, kZoneMatrix) : 0;
  update.controls = UpdateControls(update);
  m_tasks.Push(kTaskWriteMatrixMode);
  return update;
}

void MatrixPage::ColourfulCheck(bool checked, MatrixUpdate& update) {
  LightRecord row;
  if (!ReadRow(row)) return;
  row.colorful = checked ? 1 : 0;
  if (!checked) {
    update.rgbEdits = COLORREF(row.color_value);
    ApplyColour(COLORREF(row.color_value), update);
  }
  WriteRow(row);
  if (KeyboardMode()) m_tasks.Push(kTaskWriteMatrixMode);
  else update.preview.colourful = checked;
}

MatrixUpdate MatrixPage::OnColourfulCheck(bool checked) {
  MatrixUpdate update;
  ColourfulCheck(checked, update);
  return update;
}

MatrixUpdate MatrixPage::OnBrightness(int value) {
  MatrixUpdate update;
  LightRecord row;
  if (!ReadRow(row)) return update;
  row.brightness = value;
  WriteRow(row);
  if (KeyboardMode()) m_tasks.Push(kTaskWriteMatrixMode);
  else update.preview.brightness = MatrixControls::PreviewBrightness(value, m_state.device.matrixBrightnessMax);
  return update;
}

MatrixUpdate MatrixPage::OnSpeed(int value) {
  MatrixUpdate update;
  LightRecord row;
  if (!ReadRow(row)) return update;
  row.speed = value;
  WriteRow(row);
  if (KeyboardMode()) m_tasks.Push(kTaskWriteMatrixMode);
  else update.preview.speed = float(value);
  return update;
}

MatrixUpdate MatrixPage::OnDirection(int radioId) {
  MatrixUpdate update;
  LightRecord row;
  if (!ReadRow(row)) return update;
  switch (radioId) {
    case 296: row.direction = 1; break;  // left
    case 297: row.direction = 0; break;  // right
    case 298: row.direction = 2; break;  // up
    case 299: row.direction = 3; break;  // down
    default: return update;
  }
  WriteRow(row);
  m_tasks.Push(kTaskWriteMatrixMode);
  return update;
}

MatrixUpdate MatrixPage::OnAmplitude(int value) {
  MatrixUpdate update;
  update.preview.amplitude = float(value);
  StoreInt(kAmplitudeKey, value);
  return update;
}

void MatrixPage::ClearColourful(bool colourful, MatrixUpdate& update) {
  if (!colourful) return;
  update.colourfulChecked = false;
  ColourfulCheck(false, update);
}

MatrixUpdate MatrixPage::OnRgbEdit(int code, int editId, const CString (&texts)[3], bool colourful) {
  MatrixUpdate update;
  if (code != 26 || editId < kRedEdit || editId > kBlueEdit) return update;
  CString shown[3] = {texts[0], texts[1], texts[2]};
  const RgbEdits::Clamped typed = RgbEdits::Clamp(texts[editId - kRedEdit]);
  if (typed.rewrite) {
    update.editText = std::make_pair(editId, typed.value);
    shown[editId - kRedEdit].Format(L"%d", typed.value);
  }
  ApplyColour(RgbEdits::Colour(shown[0], shown[1], shown[2]), update);
  ClearColourful(colourful, update);
  return update;
}

MatrixUpdate MatrixPage::OnPalette(COLORREF colour, bool colourful) {
  MatrixUpdate update;
  update.rgbEdits = colour;
  ApplyColour(colour, update);
  ClearColourful(colourful, update);
  return update;
}

MatrixUpdate MatrixPage::OnColourButton(std::optional<COLORREF> colour, bool colourful) {
  if (!colour) {
    MatrixUpdate update;
    update.result = 0;
    return update;
  }
  return OnPalette(*colour, colourful);
}

MatrixUpdate MatrixPage::ApplyColour(COLORREF colour) {
  MatrixUpdate update;
  ApplyColour(colour, update);
  return update;
}

void MatrixPage::ApplyColour(COLORREF colour, MatrixUpdate& update) {
  update.swatch = colour;
  // In the paint mode the colour is the brush; in the PC effect the effect's colour.
  if (m_state.mode == kPaintMode || m_state.mode >= kEffectMode) update.preview.colour = colour;
  LightRecord row;
  if (!ReadRow(row)) return;
  row.color_value = int(colour);
  WriteRow(row);
  // A palette drag reports continuously: the keyboard is written only when nothing waits.
  if (m_state.mode != kPaintMode && KeyboardMode()) m_tasks.PushIfEmpty(kTaskWriteMatrixMode);
}
