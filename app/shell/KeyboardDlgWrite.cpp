// What the worker writes to the keyboard: key maps, the knob key, the macro memory,
// lighting and settings, colour sets, the factory reset, and the streamed frames.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include "shell/KeyboardDlg.h"
#include "pages/LightingPages.h"
#include "pages/VisualizerFrameStep.h"
#include "pages/ZephraFrameTarget.h"
#include "canvas/MatrixScreen.h"
#include "canvas/ZephraEffect.h"
#include "device/DeviceTransport.h"
#include "device/LightFrames.h"
#include "device/MacroImage.h"
#include "pages/KeyActionCodec.h"
#include "shell/LedFolders.h"
#include "shell/ShellFolders.h"
#include "store/KeyboardDataStore.h"
#include "support/WriteLog.h"
#include "widgets/KeyboardCtrl.h"

namespace {
ZoneLight ZoneLightOf(const LightRecord& r, int mode) {
  ZoneLight z;
  z.mode = mode;
  z.brightness = r.brightness;
  z.speed = r.speed;
  z.colorful = r.colorful;
  z.colorindex = r.colorindex;
  z.color = uint32_t(r.color_value);
  return z;
}
bool IsColourSet(int mode) { return mode >= 128 && mode <= 132; }

// A zone's record from its stored row; without the row only the mode is known, and the
// keyboard keeps its own brightness, speed and colour.
void WriteZoneLight(uint8_t* block, int offset, const LightRecord* light, int mode, int speedMax) {
  if (light) WriteZoneRecord(block, offset, ZoneLightOf(*light, mode), speedMax);
  else WriteZoneMode(block, offset, mode);
}

constexpr int kKeyMapSize = 384;  // 128 key indexes x 3 action bytes

// The key index of a key code in a key map, when the code has one inside the table.
std::optional<int> KeyIndexOf(const std::map<int, int>& keyIndexByCode, int code) {
  auto index = keyIndexByCode.find(code);
  if (index == keyIndexByCode.end() || index->second < 0 || index->second >= kKeyMapSize / 3) return std::nullopt;
  return index->second;
}
}  // namespace

// ---- key maps ----

void KeyboardDlg::SetKeyMacroData() {
  const int s = m_selectedKey;
  const int layer = std::clamp(m_fnLayer, 0, 3);
  m_transport.SendConfigBegin();
  if (s > 0 && m_deviceType == 102 && m_firmwareVersion == L"115") {
    for (int l = 0; l < 4; ++l) WriteKeyLayerFromStore(l);
  } else if (s > 0) {
    // A key without a stored row has nothing to write: an empty action would switch the
    // key off on the keyboard.
    KeyMacroRecord record;
    const std::optional<int> index = KeyIndexOf(m_keyIndexByCode, s);
    if (index && m_store.GetKeyMacro(m_profileId, layer, s, record)) {
      DeviceReport report(WriteKeyMapCommand(layer), uint16_t(*index * 3), 3);
      KeyActionCodec::Encode(record, report.Data(), m_store);
      m_transport.SendCommand(report);
      WriteLog(1, "SetKeyMacroData(keyIndex: %d, KeyCode: %02X)", *index, s);
    }
  } else if (s == -1) {
    uint8_t table[384];
    std::memcpy(table, m_defaultKeyActions[layer], sizeof(table));
    m_transport.Transfer(WriteKeyMapCommand(layer), table, sizeof(table));
  } else if (s == -2) {
    for (int l = 0; l < 4; ++l) WriteKeyLayerFromStore(l);
  }
  m_transport.SendConfigEnd();
}

void KeyboardDlg::WriteKeyLayerFromStore(int layer) {
  uint8_t table[384];
  std::memcpy(table, m_defaultKeyActions[layer], sizeof(table));
  KeyboardDataStore::RecordList<KeyMacroRecord> rows;
  m_store.GetLayerKeyMacros(m_profileId, layer, rows);
  // Macro actions name the macro by its position in this store's list: read once per layer.
  KeyActionCodec::MacroList macros;
  m_store.GetMacros(macros);
  for (auto& row : rows) {
    const std::optional<int> index = KeyIndexOf(m_keyIndexByCode, row->key_code);
    if (row->macro_type == 0 || !index) continue;
    KeyActionCodec::Encode(*row, &table[*index * 3], macros);
  }
  m_transport.Transfer(WriteKeyMapCommand(layer), table, sizeof(table));
}

void KeyboardDlg::WriteKnobKey() {
  // The dialog's choices, each with its layer and records as chosen; without any, the
  // action last chosen on the current layer.
  std::vector<KnobWrite> writes = m_knobWrites.TakeAll();
  const int a = m_knobSelected;
  if (writes.empty() && a >= 0 && a <= 2) {
    const int layer = std::clamp(m_fnLayer, 0, 3);
    writes.push_back(KnobWrite{layer, m_knobActions[a][layer]});
  }
  m_transport.SendConfigBegin();
  // Without the knob's key index read from this keyboard, or with one past the key table,
  // the action would land on another key.
  const auto inTable = [](int index) { return index >= 0 && index < 128; };
  for (const KnobWrite& write : writes) {
    if (!m_knobKeysKnown || !inTable(write.record.key_code) || write.layer < 0 || write.layer > 3) continue;
    DeviceReport report(WriteKeyMapCommand(write.layer), uint16_t(write.record.key_code * 3), 3);
    KeyActionCodec::Encode(write.record, report.Data(), m_store);
    m_transport.SendCommand(report);
  }
  m_transport.SendConfigEnd();
}

void KeyboardDlg::WriteMacros() {
  KeyboardDataStore::RecordList<MacroRecord> macros;
  m_store.GetMacros(macros);
  std::vector<MacroSteps> steps;
  for (auto& macro : macros) {
    KeyboardDataStore::RecordList<MacroStepRecord> list;
    m_store.GetMacroSteps(macro->macro_id, list);
    MacroSteps one;
    for (auto& step : list) one.push_back(*step);
    steps.push_back(std::move(one));
  }
  MacroImage image = BuildMacroImage(steps, m_deviceInfo.macroMemorySize);
  const int length = int(image.bytes.size());
  const int chunk = m_linkMode == kLinkReceiver ? kShortChunkSize : kFullChunkSize;

  m_transport.SendConfigBegin();
  for (int k = 0; k <= length / chunk; ++k) {
    int offset = k * chunk;
    int size = std::min(chunk, length - offset);
    DeviceReport report(kCmdWriteMacroMemory, uint16_t(offset), uint8_t(size));
    if (size > 0) report.SetData(&image.bytes[size_t(offset)], size_t(size));
    m_transport.SendRawCommand(report);
    Sleep(1);
  }
  m_transport.SendConfigEnd();
}

// ---- lighting and settings ----

bool KeyboardDlg::ReadSettingsBlock(uint8_t* block) {
  return m_transport.Transfer(kCmdReadSettings, block, kSettingsBlockSize);
}

void KeyboardDlg::WriteCustomLightMode() {
  m_transport.SendConfigBegin();
  uint8_t block[kSettingsBlockSize] = {};
  if (ReadSettingsBlock(block)) {
    LightRecord light;
    const bool stored = m_store.GetLight(m_profileId, m_lightZone, m_lightMode, light);
    WriteZoneLight(block, kZone0Record, stored ? &light : nullptr, kCustomModeByte, m_deviceInfo.zone0SpeedMax);
    block[kColourSetIndexByte] = uint8_t(m_lightMode - 128);
    m_transport.Transfer(kCmdWriteSettings, block, sizeof(block));
  }
  m_transport.SendConfigEnd();
}

void KeyboardDlg::WriteLightMode() {
  if (m_deviceInfo.protocolVersion == 0) return;
  m_transport.SendConfigBegin();
  uint8_t block[kSettingsBlockSize] = {};
  if (ReadSettingsBlock(block)) {
    LightRecord light;
    const LightRecord* stored = m_store.GetLight(m_profileId, m_lightZone, m_lightMode, light) ? &light : nullptr;
    if (m_lightZone == 0) {
      int mode = m_lightMode >= 128 ? kCustomModeByte : m_lightMode;
      WriteZoneLight(block, kZone0Record, stored, mode, m_deviceInfo.zone0SpeedMax);
    } else if (m_lightZone == 2) {
      WriteZoneLight(block, kZone2Record, stored, m_lightMode, m_deviceInfo.zone2SpeedMax);
    } else if (m_lightZone == 1) {
      WriteZoneLight(block, kZone1Record, stored, m_lightMode, m_deviceInfo.zone1SpeedMax);
    }
    m_transport.Transfer(kCmdWriteSettings, block, sizeof(block));
  }
  m_transport.SendConfigEnd();
  if (!m_liveKeyColors && m_lightMode <= 128) {
    OnWindowThread([this] {
      if (m_keyboardCtrl) m_keyboardCtrl->ResetAllItemsColor(0xF1F1F1);
    });
  }
}

void KeyboardDlg::WriteMatrixLight() {
  m_transport.SendConfigBegin();
  DeviceReport prepare(kCmdMatrixLightPrepare, 0, 56);
  m_transport.SendCommand(prepare);
  uint8_t block[kSettingsBlockSize] = {};
  if (ReadSettingsBlock(block)) {
    LightRecord light;
    const LightRecord* stored = m_store.GetLight(m_profileId, 16, m_matrixMode, light) ? &light : nullptr;
    if (m_deviceInfo.protocolVersion >= 2)
      WriteZoneLight(block, kMatrixRecord, stored, m_matrixMode, m_deviceInfo.matrixSpeedMax);
    m_transport.Transfer(kCmdWriteSettings, block, sizeof(block));
  }
  m_transport.SendConfigEnd();
}

std::optional<int> KeyboardDlg::StoredInt(const wchar_t* key) {
  CString value;
  if (!m_store.GetConfigValue(m_profileId, key, value)) return std::nullopt;
  return _wtoi(value.GetString());
}

KnownSystemSettings KeyboardDlg::StoredSystemSettings() {
  KnownSystemSettings s;
  s.macMode = StoredInt(L"mac_mode");
  s.gameMode = StoredInt(L"game_mode");
  s.lockWin = StoredInt(L"lock_win");
  s.wasdMode = StoredInt(L"wasd_mode");
  if (std::optional<int> minutes = StoredInt(L"sleep_time")) s.sleepSeconds = *minutes * 60;
  s.keyResponse = StoredInt(L"key_keyresponse");
  return s;
}

void KeyboardDlg::WriteSystemSettings() {
  m_transport.SendConfigBegin();
  uint8_t block[kSettingsBlockSize] = {};
  if (ReadSettingsBlock(block)) {
    // A setting the profile has no row for keeps the keyboard's value.
    WriteKnownSystemSettings(block, m_deviceInfo.protocolVersion, StoredSystemSettings());
    m_transport.Transfer(kCmdWriteSettings, block, sizeof(block));
  }
  m_transport.SendConfigEnd();
}

void KeyboardDlg::ReadCustomColors() {
  m_transport.SendConfigBegin();
  // The keys go black first; those with an LED then take the set's colours.
  std::vector<std::pair<int, COLORREF>> colours;
  uint8_t set[kColourSetSize] = {};
  const bool read =
      IsColourSet(m_lightMode) && m_transport.Transfer(ReadColourSetCommand(m_lightMode), set, sizeof(set));
  if (read) {
    for (const auto& [led, code] : m_keyCodeByLight) {
      if (led < 0 || led >= 128 || code <= 0) continue;
      colours.emplace_back(code, RGB(set[led * 3], set[led * 3 + 1], set[led * 3 + 2]));
    }
  }
  m_transport.SendConfigEnd();
  OnWindowThread([this, read, colours = std::move(colours)] {
    if (!m_keyboardCtrl) return;
    m_keyboardCtrl->ResetAllItemsColor(0);
    for (const auto& [code, colour] : colours) m_keyboardCtrl->SetKeyColor(code, colour);
    if (read) m_keyboardCtrl->UpdateControl(1, 0);
  });
}

void KeyboardDlg::WriteCustomColors() {
  m_transport.SendConfigBegin();
  KeyboardDataStore::RecordList<UserLightRgbRecord> rows;
  m_store.GetUserLightRgbs(m_profileId, m_lightMode, rows);
  std::vector<std::pair<int, COLORREF>> keys;
  for (auto& row : rows) keys.emplace_back(row->key_code, COLORREF(row->key_rgb));
  // Only the stored keys change: the others keep the colours the keyboard holds, so the
  // set is read first. Nothing stored, or a set that cannot be read, writes nothing.
  uint8_t set[kColourSetSize] = {};
  if (IsColourSet(m_lightMode) && !keys.empty() &&
      m_transport.Transfer(ReadColourSetCommand(m_lightMode), set, sizeof(set))) {
    std::vector<uint8_t> bytes(set, set + sizeof(set));
    PlaceColourSet(bytes, keys, m_lightIndexByCode);
    m_transport.Transfer(WriteColourSetCommand(m_lightMode), bytes.data(), uint32_t(bytes.size()));
  }
  m_transport.SendConfigEnd();
}

void KeyboardDlg::ReadMatrixColors() {
  m_transport.SendConfigBegin();
  uint8_t bytes[kMatrixColoursSize] = {};
  if (m_transport.TransferChecked(kCmdReadMatrixColours, bytes, sizeof(bytes))) {
    std::vector<uint8_t> colours(bytes, bytes + sizeof(bytes));
    OnWindowThread([this, colours = std::move(colours)] {
      if (!m_matrixScreen) return;
      m_matrixScreen->EnterCriSec();  // the animation steps write the cells on the timer thread
      for (MATRIXITEM_INFO* cell : m_matrixScreen->GetKeyItems()) {
        if (cell->id < 0 || cell->id >= kMatrixCells) continue;
        const size_t at = size_t(cell->id) * 3;
        cell->color = RGB(colours[at], colours[at + 1], colours[at + 2]);
      }
      m_matrixScreen->LeaveCriSec();
      m_matrixScreen->UpdateControl(1, 0);
    });
  }
  m_transport.SendConfigEnd();
}

void KeyboardDlg::WriteMatrixColors() {
  m_transport.SendConfigBegin();
  std::vector<std::pair<int, COLORREF>> cells;
  if (m_matrixScreen) {
    m_matrixScreen->EnterCriSec();
    for (MATRIXITEM_INFO* cell : m_matrixScreen->GetKeyItems()) cells.emplace_back(cell->id, cell->color);
    m_matrixScreen->LeaveCriSec();
  }
  std::vector<uint8_t> bytes = BuildMatrixColours(cells);
  m_transport.TransferChecked(kCmdWriteMatrixColours, bytes.data(), uint32_t(bytes.size()));
  m_transport.SendConfigEnd();
}

void KeyboardDlg::FactoryResetDevice() {
  m_transport.SendConfigBegin();
  DeviceReport reset(kCmdFactoryReset, 0, 56);
  m_transport.SendCommand(reset);
  m_transport.SendConfigEnd();
  LoadProfileList();
  if (m_featureMask & 0x40) {
    // Only a path of whole folder names: an unknown model names no folder, not all of "led".
    const CString folder = LedModelFolder(m_userDataFolder, m_deviceName);
    if (!folder.IsEmpty()) DeleteFolderTree(folder);
    m_store.DeleteAllLedData();
    LoadLedPage();
  }
  LoadSystemSettings();
}

// ---- streaming ----

bool KeyboardDlg::SendConfigBeginForStream() {
  if (!m_needConfigBegin) return true;
  m_needConfigBegin = 0;
  return m_transport.SendConfigBegin();
}

void KeyboardDlg::ReadLiveKeyColors() {
  if (m_lightMode >= 128) return;
  SendConfigBeginForStream();
  uint8_t bytes[kColourSetSize] = {};
  uint8_t command = m_deviceInfo.protocolVersion >= 2 ? kCmdReadLiveColours : kCmdReadLiveColoursOld;
  if (!m_transport.TransferChecked(command, bytes, sizeof(bytes))) return;
  std::vector<std::pair<int, COLORREF>> colours;
  for (const auto& [led, code] : m_keyCodeByLight) {
    if (led < 0 || led >= 128 || code < 1) continue;
    // x 1.5, x 1.3 and x 1.2, cut to whole numbers (in integers, so nothing is lost to
    // a product that falls just short).
    int r = std::min(255, bytes[led * 3] * 3 / 2);
    int g = std::min(255, bytes[led * 3 + 1] * 13 / 10);
    int b = std::min(255, bytes[led * 3 + 2] * 6 / 5);
    colours.emplace_back(code, RGB(r, g, b));
  }
  OnWindowThread([this, colours = std::move(colours)] {
    if (!m_keyboardCtrl) return;
    for (const auto& [code, colour] : colours) m_keyboardCtrl->SetKeyColor(code, colour);
    m_keyboardCtrl->UpdateControl(1, 0);
  });
}

void KeyboardDlg::SendVisualizerFrame() {
  if (m_layoutRows < 1 || m_layoutColumns < 1 || !m_canvasPageShown) return;
  LightingPages& pages = Pages();
  if (m_zephraMode == 1 && m_zephraEffect) {
    const int barMode = pages.music.BarMode();
    std::vector<COLORREF>& frame = m_sampledFrame;
    frame.resize(Visualizer::kPixels);
    if (VisualizerFrameStep::SamplesBackground(barMode)) m_visualizer.CopyBackground(frame.data());
    else m_visualizer.CopyFrontFrame(frame.data());
    VisualizerFrameStep::Input input;
    input.frame = frame.data();
    input.layoutRows = m_layoutRows;
    input.layoutColumns = m_layoutColumns;
    input.barMode = barMode;
    input.deviceType = m_deviceType;
    input.stripBrightness = pages.stripBrightness;
    ZephraFrameTarget canvas(*m_zephraEffect);
    // The canvas repaints itself on its own timer; the worker touches only its colour map.
    VisualizerFrameStep::Run(pages.geometry, input, canvas);
  }
  if (m_mainPage != 2 && m_zephraEffect) {
    // Off screen the canvas still computes its key colours.
    m_zephraEffect->OnTimer();
    m_zephraEffect->DrawHideControl();
  }
  StreamCanvasFrame();
}

void KeyboardDlg::StreamCanvasFrame() {
  if (!m_zephraEffect) return;
  SendConfigBeginForStream();
  std::vector<std::pair<int, COLORREF>> items;
  for (KEYITEM_INFO* item : m_zephraEffect->GetKeyItems()) items.emplace_back(int(item->keyCode), item->color);
  int length = CanvasFrameLength(m_deviceType, items.size());
  std::vector<uint8_t> frame = BuildCanvasFrame(items, m_lightIndexByCode, length);
  if (frame.empty()) return;
  if (!m_transport.TransferChecked(kCmdCanvasFrame, frame.data(), uint32_t(frame.size()))) m_needConfigBegin = 1;
}

void KeyboardDlg::StreamMatrixFrame() {
  if (m_deviceType != 102 || !m_matrixScreen) return;
  SendConfigBeginForStream();
  std::vector<std::pair<int, COLORREF>> cells;
  m_matrixScreen->EnterCriSec();
  for (MATRIXITEM_INFO* cell : m_matrixScreen->GetKeyItems()) cells.emplace_back(cell->id, cell->color);
  m_matrixScreen->LeaveCriSec();
  std::vector<uint8_t> frame = BuildMatrixFrame(cells);
  if (!m_transport.TransferChecked(kCmdMatrixFrame, frame.data(), uint32_t(frame.size()))) m_needConfigBegin = 1;
}
