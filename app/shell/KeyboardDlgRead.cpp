// The read sequence: what the keyboard is and how it is set, mirrored into the profile
// store and the key and LED maps.
#include <cstdlib>
#include <cstring>
#include "shell/KeyboardDlg.h"
#include "device/DeviceTransport.h"
#include "pages/KeyActionCodec.h"
#include "store/KeyboardDataStore.h"
#include "support/WriteLog.h"
#include "controls/MTabCtrl.h"
#include "controls/TabCtrlEx.h"
#include "shell/LanguageText.h"
#include "widgets/CDeviceList.h"
#include "widgets/CKeyTestCtrl.h"

namespace {
// "<label>: v<first digit>.<last two digits>": firmware 115 reads v1.15. A text too short
// to split shows whole rather than as pieces of nothing.
CString VersionLabel(const CString& label, const CString& version) {
  CString text;
  int n = version.GetLength();
  if (n >= 3) {
    text.Format(L"%s: v%s.%s", label.GetString(), version.Left(1).GetString(), version.Right(2).GetString());
  } else {
    text.Format(L"%s: v%s", label.GetString(), version.GetString());
  }
  return text;
}
}  // namespace

// LoadProfileList and ApplyProfile, which the worker runs around the read, are the
// profile list's (ProfilePage.cpp).

bool KeyboardDlg::SyncFromDevice() {
  CString version;
  version.Format(L"%s: v1.00", LoadLangString(530).GetString());
  SetControlTitle(324, version.GetString());
  SetControlTitle(325, LoadLangString(531).GetString());
  SetControlTitle(326, LoadLangString(532).GetString());
  m_keyboardTablesRead = false;
  m_knobKeysKnown = false;  // until this keyboard's own are read
  m_transport.SendConfigBegin();
  bool ok = ReadDeviceInfo() && ReadDefaultKeyMaps() && ReadLightIndexMap();
  if (ok) {
    ReadKnobKeys();
    m_keyboardTablesRead = true;
    ok = ReadKeyMapsToDb();
  }
  m_keyboardTablesFailed = !m_keyboardTablesRead;
  if (ok) m_transport.SendConfigEnd();
  return ok;
}

bool KeyboardDlg::EnsureKeyboardTables() {
  if (m_keyboardTablesRead) return true;
  m_transport.SendConfigBegin();
  const bool ok = ReadDescription() && ReadDefaultKeyMaps() && ReadLightIndexMap();
  if (ok) ReadKnobKeys();
  m_transport.SendConfigEnd();
  m_keyboardTablesRead = ok;
  m_keyboardTablesFailed = !ok;
  return ok;
}

bool KeyboardDlg::ReadDescription() {
  uint8_t info[kDeviceInfoSize] = {};
  if (!m_transport.Transfer(kCmdReadDeviceInfo, info, sizeof(info))) return false;
  m_deviceInfo = ParseDeviceInfo(info, m_deviceType);
  CString version;
  version.Format(L"%x", m_deviceInfo.firmwareVersion);
  std::lock_guard<std::mutex> hold(m_pageStateLock);  // the firmware button reads it
  m_firmwareVersion = version;
  return true;
}

bool KeyboardDlg::ReadDeviceInfo() {
  if (!ReadDescription()) return false;

  SetTabVisible(kMatrixTabPosition, m_deviceInfo.matrixPresent ? 1 : 0);
  m_matrixConsumer = m_deviceInfo.matrixPresent ? m_matrixScreen : nullptr;
  OnWindowThread([this, zone1 = m_deviceInfo.zone1Present, zone2 = m_deviceInfo.zone2Present] {
    if (!m_zoneTypeTab) return;
    m_zoneTypeTab->SetItemShow(1, zone1 ? 1 : 0);
    m_zoneTypeTab->SetItemShow(2, zone2 ? 1 : 0);
  });
  m_linkMode = m_transport.GetConnectionKind();
  if ((m_linkMode == kLinkReceiver || m_linkMode == kLinkOther) && m_deviceType == 101)
    SetTabVisible(kCanvasTabPosition, 0);

  SetControlTitle(324, VersionLabel(LoadLangString(530), m_firmwareVersion).GetString());
  SetControlTitle(325, LoadLangString(531).GetString());
  SetControlTitle(326, LoadLangString(532).GetString());
  m_firmwareOfferState = 0;
  if (m_deviceType == 102 && m_linkMode == kLinkWired) {
    {
      std::lock_guard<std::mutex> hold(m_pageStateLock);
      m_offeredFirmware = L"116";
    }
    if (_wtoi(m_firmwareVersion.GetString()) < _wtoi(m_offeredFirmware.GetString())) {
      m_firmwareOfferState = 1;
      SetControlTitle(325, VersionLabel(LoadLangString(520), m_offeredFirmware).GetString());
      SetControlTitle(326, LoadLangString(533).GetString());
      if (GetSafeHwnd()) ::PostMessageW(GetSafeHwnd(), UM_UPDATE_RESULT, 2, 0);
    } else {
      m_firmwareOfferState = 2;
    }
  }

  uint8_t block[kSettingsBlockSize] = {};
  if (!m_transport.Transfer(kCmdReadSettings, block, sizeof(block))) return false;
  SystemSettings s = ReadSystemSettings(block, m_deviceInfo.protocolVersion);
  auto store = [this](const wchar_t* key, int value) {
    CString text;
    text.Format(L"%d", value);
    m_store.SetConfigValue(m_profileId, key, text);
  };
  store(L"mac_mode", s.macMode);
  store(L"game_mode", s.gameMode);
  store(L"lock_win", s.lockWin);
  store(L"wasd_mode", s.wasdMode);
  store(L"sleep_time", s.sleepSeconds / 60);
  store(L"key_keyresponse", s.keyResponse);
  m_store.SetActiveLightMode(m_profileId, 0, block[2] >= 30 ? 128 : block[2]);
  m_store.SetActiveLightMode(m_profileId, 2, block[12]);
  m_store.SetActiveLightMode(m_profileId, 1, block[21]);

  uint8_t battery[24] = {};
  if (m_transport.Transfer(kCmdReadBattery, battery, sizeof(battery)) && battery[0] != 0) {
    OnWindowThread([this, level = battery[0], state = battery[1]] {
      if (m_batteryCtrl) m_batteryCtrl->SetBatteryInfo(level, state);
    });
    SetListDeviceBattery(m_deviceType, kLinkWired, battery[0], battery[1]);
  }
  return true;
}

bool KeyboardDlg::ReadDefaultKeyMaps() {
  std::memset(m_defaultKeyActions, 0, sizeof(m_defaultKeyActions));
  m_keyCodeByIndex.clear();
  m_keyIndexByCode.clear();
  m_lightIndexByCode.clear();
  if (!m_transport.Transfer(ReadFactoryKeyMapCommand(0), m_defaultKeyActions[0], 384)) return false;
  for (int i = 0; i < 128; ++i) {
    const uint8_t* a = &m_defaultKeyActions[0][i * 3];
    int code = 0;
    if (a[0] == 0x10) {
      static const uint8_t bits[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
      for (int b = 0; b < 8; ++b) {
        if (a[1] == bits[b]) code = 224 + b;
      }
      if (!code) code = a[2];
    } else if (a[0] == 0x50 && a[1] == 2) {
      code = 240;  // Fn
    }
    if (!code) continue;
    m_keyCodeByIndex[i] = code;
    m_keyIndexByCode[code] = i;
    WriteLog(1, "key_Index: %d, key_code: %02X", i, code);
  }
  for (int layer = 1; layer < 4; ++layer) {
    if (!m_transport.Transfer(ReadFactoryKeyMapCommand(layer), m_defaultKeyActions[layer], 384)) return false;
  }
  return true;
}

bool KeyboardDlg::ReadLightIndexMap() {
  m_lightIndexByCode.clear();
  m_keyCodeByLight.clear();
  uint8_t map[128] = {};
  if (!m_transport.Transfer(kCmdReadLedIndexMap, map, sizeof(map))) return false;
  for (int i = 0; i < 128; ++i) {
    auto code = m_keyCodeByIndex.find(i);
    if (map[i] == 0xFF || code == m_keyCodeByIndex.end()) continue;
    m_lightIndexByCode[code->second] = map[i];
    m_keyCodeByLight[map[i]] = code->second;
  }
  auto strip = [this](int firstCode, int lastCode, int firstLed) {
    for (int c = firstCode; c <= lastCode; ++c) m_lightIndexByCode[c] = firstLed + (c - firstCode);
  };
  if (m_deviceType == 101) {
    strip(300, 308, 87);
    strip(310, 333, 96);
    strip(332, 340, 120);
  } else if (m_deviceType == 102) {
    strip(300, 326, 80);
  }
  uint8_t probe[24] = {};
  if (m_deviceInfo.zone2Present && !m_transport.Transfer(kCmdReadLiveColoursOld, probe, sizeof(probe))) return false;
  if (m_deviceInfo.matrixPresent && !m_transport.Transfer(kCmdReadMatrixColours, probe, sizeof(probe))) return false;
  return true;
}

void KeyboardDlg::ReadKnobKeys() {
  m_knobKeysKnown = false;  // until this keyboard's own are read
  if (!m_deviceInfo.knobPresent) return;
  uint8_t knob[56] = {};
  if (!m_transport.Transfer(kCmdReadKnobKeys, knob, sizeof(knob))) return;
  for (int a = 0; a < 3; ++a) {
    for (int layer = 0; layer < 4; ++layer) m_knobActions[a][layer].key_code = knob[a];
  }
  m_knobKeysKnown = true;
}

// The knob keys have been read just before (ReadKnobKeys).
bool KeyboardDlg::ReadKeyMapsToDb() {
  const bool knobKnown = m_knobKeysKnown;
  for (int layer = 0; layer < 4; ++layer) {
    uint8_t table[384] = {};
    if (!m_transport.Transfer(ReadKeyMapCommand(layer), table, sizeof(table))) return false;
    std::vector<KeyMacroRecord> kept;
    for (const auto& [index, code] : m_keyCodeByIndex) {
      if (code <= 0 || table[index * 3] == 0) continue;
      KeyMacroRecord record;
      if (!m_store.GetKeyMacro(m_profileId, layer, code, record)) continue;
      KeyActionCodec::Decode(&table[index * 3], record);
      if (record.macro_type > 0) kept.push_back(record);
    }
    m_store.UpdateKeyMacros(kept);
    if (knobKnown) {
      for (int a = 0; a < 3; ++a) {
        KeyMacroRecord& record = m_knobActions[a][layer];
        if (record.key_code >= 0 && record.key_code < 128) {
          KeyActionCodec::Decode(&table[record.key_code * 3], record);
          record.profile = m_profileId;
          record.fn_layer = layer;
        }
      }
    }
  }
  for (int profile = 2; profile <= 3; ++profile) {
    if (m_store.GetKeyMacroCount(profile) >= 1) continue;
    KeyboardDataStore::RecordList<KeyMacroRecord> rows;
    m_store.GetProfileKeyMacros(1, rows);
    std::vector<KeyMacroRecord> copies;
    for (auto& row : rows) {
      KeyMacroRecord copy = *row;
      copy.profile = profile;
      copy.key_id = 0;
      copies.push_back(copy);
    }
    if (!copies.empty()) m_store.InsertKeyMacros(copies);
  }
  return true;
}
