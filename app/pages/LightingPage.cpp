#include "pages/LightingPage.h"
#include <cstdlib>
#include "pages/LightDefaults.h"
#include "pages/LightTypes.h"
#include "pages/RgbEdits.h"
#include "shell/LanguageText.h"

namespace {
constexpr int kRedEdit = 145;
constexpr int kBlueEdit = 147;
}  // namespace

LightingPage::LightingPage(KeyboardDataStore& store, TaskQueue& tasks) : m_store(store), m_tasks(tasks), m_sets(store) {}

bool LightingPage::ReadRow(LightRecord& row) {
  return m_store.GetLight(m_state.profile, m_state.zone, m_state.mode, row);
}

void LightingPage::WriteRow(const LightRecord& row) { m_store.UpdateLight(0, m_state.zone, m_state.mode, row); }

LightingUpdate LightingPage::Load() {
  LightingUpdate update;
  LightDefaults::SeedZones(m_store, m_state.profile, m_state.deviceType);

  LightModeList list;
  // A zone without a brightness range of its own takes the next zone's that has one.
  const DeviceInfo& d = m_state.device;
  if (m_state.zone == kZoneMain && d.zone0BrightnessMax >= 1) {
    list.brightnessMax = d.zone0BrightnessMax;
    list.speedMax = d.zone0SpeedMax;
  } else if (m_state.zone == kZoneSecond && d.zone1BrightnessMax > 0) {
    list.brightnessMax = d.zone1BrightnessMax;
    list.speedMax = d.zone1SpeedMax;
  } else if (d.zone2BrightnessMax > 0) {
    list.brightnessMax = d.zone2BrightnessMax;
    list.speedMax = d.zone2SpeedMax;
  }
  list.thirdZoneTextId = m_state.deviceType == 102 ? 173 : 172;

  // One entry stands for all five colour sets.
  KeyboardDataStore::RecordList<LightRecord> rows;
  m_store.GetLights(m_state.profile, m_state.zone, rows);
  for (const auto& row : rows) {
    if (row->mode <= kFirstColourSet) list.items.emplace_back(LoadLangString(_wtoi(row->name.GetString())), row->mode);
  }
  m_state.mode = m_store.GetActiveLightMode(m_state.profile, m_state.zone);
  list.selectedMode = m_state.mode;
  update.modeList = std::move(list);

  CString enabled;
  m_store.GetConfigValue(m_state.profile, L"enable_light", enabled);
  update.lightingOn = enabled == L"1";
  // Switched off, the page shows mode 0's controls while the list keeps the stored mode.
  if (!*update.lightingOn) m_state.mode = 0;
  update.controls = UpdateControls();
  return Finish(update);
}

std::optional<LightControls> LightingPage::UpdateControls() {
  LightRecord row;
  if (!m_state.pageCurrent || !ReadRow(row)) return std::nullopt;
  m_state.configFunc = row.config_func;
  return LightControls::For(row);
}

LightingUpdate LightingPage::OnZoneChanged(int zone, int colourSetChoice) {
  m_state.zone = zone;
  LightingUpdate update = Load();
  update.liveViewShown = zone == kZoneMain;
  update.repaintKeyboard = true;
  if (zone == kZoneMain && IsColourSetMode(m_state.mode)) {
    // Back on zone 0 in a colour set: the set chosen before stays current.
    m_state.mode = colourSetChoice;
    update.keyboardMode = kKeyboardColours;
    m_tasks.Push(kTaskWriteColourSetMode);
    m_tasks.Push(kTaskReadColourSetKeys);
    update.liveViewOn = false;
    m_state.liveKeyColours = false;
  } else {
    update.keyboardMode = zone == kZoneMain && m_state.liveKeyColours ? kKeyboardColours : kKeyboardPlain;
  }
  return Finish(update);
}

LightingUpdate LightingPage::OnLightingSwitch(bool on) {
  LightingUpdate update;
  if (on) {
    m_state.mode = m_store.GetActiveLightMode(m_state.profile, m_state.zone);
    m_store.SetConfigValue(m_state.profile, L"enable_light", L"1");
  } else {
    m_store.SetConfigValue(m_state.profile, L"enable_light", L"0");
    m_state.mode = 0;  // the stored active mode stays
  }
  update.controls = UpdateControls();
  m_tasks.Push(kTaskWriteZoneMode);
  return Finish(update);
}

LightingUpdate LightingPage::OnLiveViewSwitch(bool on) {
  LightingUpdate update;
  m_state.liveKeyColours = on;
  update.keyboardMode = IsColourSetMode(m_state.mode) || on ? kKeyboardColours : kKeyboardPlain;
  return update;
}

LightingUpdate LightingPage::OnModeSelected(int code, int shownMode) {
  LightingUpdate update;
  if (code != 2) return update;
  m_state.mode = shownMode;
  m_store.SetActiveLightMode(m_state.profile, m_state.zone, m_state.mode);
  update.controls = UpdateControls();
  if (!IsColourSetMode(m_state.mode)) {
    update.keyboardMode = m_state.liveKeyColours ? kKeyboardColours : kKeyboardPlain;
    m_tasks.Push(kTaskWriteZoneMode);
  } else {
    // The list's one colour-set entry starts at the first set.
    update.colourSetChoice = kFirstColourSet;
    m_tasks.Push(kTaskWriteColourSetMode);
    m_tasks.Push(kTaskReadColourSetKeys);
    update.keyboardMode = kKeyboardColours;
    update.liveViewOn = false;
    m_state.liveKeyColours = false;
  }
  m_store.SetConfigValue(m_state.profile, L"enable_light", L"1");
  update.lightingOn = true;
  return Finish(update);
}

LightingUpdate LightingPage::OnPageEntered(int shownMode, bool switchingDevice) {
  LightingUpdate update;
  update.keyboardMode = IsColourSetMode(m_state.mode) ? kKeyboardColours : kKeyboardPlain;
  update.clearKeyChecks = true;
  update.liveViewOn = false;
  m_state.liveKeyColours = false;
  if (switchingDevice) return update;
  LightingUpdate applied = OnModeSelected(2, shownMode);
  applied.clearKeyChecks = true;
  if (!applied.liveViewOn) applied.liveViewOn = false;
  if (!applied.keyboardMode) applied.keyboardMode = update.keyboardMode;
  return applied;
}

void LightingPage::ColourfulCheck(bool checked, LightingUpdate& update) {
  LightRecord row;
  if (!ReadRow(row)) return;
  row.colorful = checked ? 1 : 0;
  if (!checked) {
    // Back to the single colour: the edits and the row show the mode's own colour.
    update.rgbEdits = COLORREF(row.color_value);
    ApplyColour(COLORREF(row.color_value), update);
  }
  WriteRow(row);
  m_tasks.Push(kTaskWriteZoneMode);
}

LightingUpdate LightingPage::OnColourfulCheck(bool checked) {
  LightingUpdate update;
  if (IsColourSetMode(m_state.mode)) {
    update.result = 0;
    return update;
  }
  ColourfulCheck(checked, update);
  return Finish(update);
}

LightingUpdate LightingPage::OnBrightness(int value) {
  LightingUpdate update;
  LightRecord row;
  if (!ReadRow(row)) return update;
  row.brightness = value;
  WriteRow(row);
  m_tasks.Push(IsColourSetMode(m_state.mode) ? kTaskWriteColourSetMode : kTaskWriteZoneMode);
  return update;
}

LightingUpdate LightingPage::OnSpeed(int value) {
  LightingUpdate update;
  LightRecord row;
  if (!ReadRow(row)) return update;
  row.speed = value;
  WriteRow(row);
  m_tasks.Push(kTaskWriteZoneMode);
  return update;
}

LightingUpdate LightingPage::OnDirection(int radioId) {
  LightingUpdate update;
  LightRecord row;
  if (!ReadRow(row)) return update;
  switch (radioId) {
    case 133: row.direction = 1; break;  // left
    case 134: row.direction = 0; break;  // right
    case 135: row.direction = 2; break;  // up
    case 136: row.direction = 3; break;  // down
    default: return update;
  }
  WriteRow(row);
  m_tasks.Push(kTaskWriteZoneMode);
  return update;
}

LightingUpdate LightingPage::OnApply() {
  m_tasks.Push(IsColourSetMode(m_state.mode) ? kTaskWriteColourSetKeys : kTaskWriteZoneMode);
  return LightingUpdate();
}

void LightingPage::ClearColourful(bool colourful, LightingUpdate& update) {
  if (!colourful) return;
  update.colourfulChecked = false;
  if (!IsColourSetMode(m_state.mode)) ColourfulCheck(false, update);
}

void LightingPage::ShowColour(COLORREF colour, bool colourful, LightingUpdate& update) {
  update.rgbEdits = colour;
  ApplyColour(colour, update);
  ClearColourful(colourful, update);
}

LightingUpdate LightingPage::OnRgbEdit(int code, int editId, const CString (&texts)[3], bool colourful) {
  LightingUpdate update;
  if (code != 26 || editId < kRedEdit || editId > kBlueEdit) return update;
  CString shown[3] = {texts[0], texts[1], texts[2]};
  const RgbEdits::Clamped typed = RgbEdits::Clamp(texts[editId - kRedEdit]);
  if (typed.rewrite) {
    update.editText = std::make_pair(editId, typed.value);
    shown[editId - kRedEdit].Format(L"%d", typed.value);
  }
  ApplyColour(RgbEdits::Colour(shown[0], shown[1], shown[2]), update);
  ClearColourful(colourful, update);
  return Finish(update);
}

LightingUpdate LightingPage::OnPalette(COLORREF colour, bool colourful) {
  LightingUpdate update;
  ShowColour(colour, colourful, update);
  return Finish(update);
}

LightingUpdate LightingPage::OnColourButton(std::optional<COLORREF> colour, bool colourful) {
  LightingUpdate update;
  if (!colour) {
    update.result = 0;
    return update;
  }
  ShowColour(*colour, colourful, update);
  return Finish(update);
}

LightingUpdate LightingPage::ApplyColour(COLORREF colour) {
  LightingUpdate update;
  ApplyColour(colour, update);
  return Finish(update);
}

void LightingPage::ApplyColour(COLORREF colour, LightingUpdate& update) {
  update.swatch = colour;
  if (m_state.configFunc & kLightPerKey) {
    // In a colour set the colour only paints the next clicks; the set is saved as it is.
    update.paintColour = colour;
    SaveColourSet();
    m_tasks.PushIfEmpty(kTaskWriteColourSetKeys);
    return;
  }
  LightRecord row;
  if (!ReadRow(row)) return;
  row.color_value = int(colour);
  WriteRow(row);
  // A palette drag reports continuously: the keyboard is written only when nothing waits.
  m_tasks.PushIfEmpty(kTaskWriteZoneMode);
}

void LightingPage::SaveColourSet() {
  if (m_picture) m_sets.Save(m_state.profile, m_state.mode, m_picture());
}

LightingUpdate LightingPage::OnColourKeys(int code, int selectedKey) {
  LightingUpdate update;
  if ((code != 2 && code != 5) || !IsColourSetMode(m_state.mode) || selectedKey <= 0) return update;
  SaveColourSet();
  m_tasks.Push(kTaskWriteColourSetKeys);
  return update;
}

LightingUpdate LightingPage::OnColourSetSelected(int set) {
  LightingUpdate update;
  update.clearKeyChecks = true;
  m_state.mode = set;
  m_tasks.Push(kTaskWriteColourSetMode);
  m_tasks.Push(kTaskReadColourSetKeys);
  FillKeys(update);
  return update;
}

void LightingPage::FillKeys(LightingUpdate& update) {
  if (!m_picture || !IsColourSetMode(m_state.mode)) return;
  update.keyColours = m_sets.Fill(m_state.profile, m_state.mode, m_picture());
}

LightingUpdate& LightingPage::Finish(LightingUpdate& update) {
  // Entering a colour set shows the set's stored colours at once; the keyboard's own copy
  // (task 18) replaces them when it arrives. Blank keys would be saved over the set by the
  // first click whenever that read does not happen.
  if (update.controls && update.controls->perKeyPainting) FillKeys(update);
  return update;
}
