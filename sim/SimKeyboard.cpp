#include "SimKeyboard.h"
#include <algorithm>
#include <cstring>
#include <string>

namespace sim {
namespace {

enum class Op { Accept, Read, Write, Reset };
enum class Needs { Nothing, Matrix, Knob, Protocol2 };

struct Route {
  uint8_t command;
  Op op;
  Table table;
  int index;
  Needs needs;
};

// The firmware's command set.
constexpr Route kRoutes[] = {
    {0x10, Op::Accept, Table::Settings, 0, Needs::Nothing},  // ConfigBegin
    {0x11, Op::Accept, Table::Settings, 0, Needs::Nothing},  // ConfigEnd
    {0x12, Op::Read, Table::DeviceInfo, 0, Needs::Nothing},
    {0x14, Op::Read, Table::Settings, 0, Needs::Nothing},
    {0x15, Op::Write, Table::Settings, 0, Needs::Nothing},
    {0x16, Op::Read, Table::FactoryKeyMap, 0, Needs::Nothing},
    {0x17, Op::Read, Table::FactoryKeyMap, 1, Needs::Nothing},
    {0x18, Op::Read, Table::FactoryKeyMap, 2, Needs::Nothing},
    {0x19, Op::Read, Table::FactoryKeyMap, 3, Needs::Nothing},
    {0x1A, Op::Read, Table::KeyMap, 0, Needs::Nothing},
    {0x1B, Op::Write, Table::KeyMap, 0, Needs::Nothing},
    {0x1C, Op::Read, Table::KeyMap, 1, Needs::Nothing},
    {0x1D, Op::Write, Table::KeyMap, 1, Needs::Nothing},
    {0x1E, Op::Read, Table::KeyMap, 2, Needs::Nothing},
    {0x1F, Op::Write, Table::KeyMap, 2, Needs::Nothing},
    {0x20, Op::Read, Table::KeyMap, 3, Needs::Nothing},
    {0x21, Op::Write, Table::KeyMap, 3, Needs::Nothing},
    {0x22, Op::Read, Table::ColourSet, 0, Needs::Nothing},
    {0x23, Op::Write, Table::ColourSet, 0, Needs::Nothing},
    {0x24, Op::Read, Table::ColourSet, 1, Needs::Nothing},
    {0x25, Op::Write, Table::ColourSet, 1, Needs::Nothing},
    {0x26, Op::Read, Table::ColourSet, 2, Needs::Nothing},
    {0x27, Op::Write, Table::ColourSet, 2, Needs::Nothing},
    {0x28, Op::Read, Table::ColourSet, 3, Needs::Nothing},
    {0x29, Op::Write, Table::ColourSet, 3, Needs::Nothing},
    {0x2A, Op::Read, Table::ColourSet, 4, Needs::Nothing},
    {0x2B, Op::Write, Table::ColourSet, 4, Needs::Nothing},
    {0x2D, Op::Write, Table::MacroMemory, 0, Needs::Nothing},
    {0x2E, Op::Write, Table::CanvasFrame, 0, Needs::Nothing},
    {0x30, Op::Read, Table::Battery, 0, Needs::Nothing},
    {0x31, Op::Reset, Table::Settings, 0, Needs::Nothing},
    {0x32, Op::Read, Table::LedIndexMap, 0, Needs::Nothing},
    {0x34, Op::Read, Table::LiveColours, 0, Needs::Protocol2},
    {0x36, Op::Read, Table::LiveColours, 0, Needs::Nothing},
    {0x3A, Op::Read, Table::MatrixColours, 0, Needs::Matrix},
    {0x3B, Op::Write, Table::MatrixColours, 0, Needs::Matrix},
    {0x3C, Op::Write, Table::MatrixFrame, 0, Needs::Matrix},
    {0x3D, Op::Accept, Table::Settings, 0, Needs::Nothing},
    {0x3E, Op::Read, Table::KnobKeys, 0, Needs::Knob},
};

const Route* FindRoute(uint8_t command) {
  for (const Route& r : kRoutes) {
    if (r.command == command) return &r;
  }
  return nullptr;
}

// The HID usages of key indexes 0.. of layer 0, one board per model, row by row. 0xE0-0xE7
// are the modifiers, 0xAF the Fn key. Key index i lights LED i, so a model's keys take
// LEDs 0..n-1 and its light strips start right after them.

// Full size, 104 keys.
constexpr uint8_t kFullSize[] = {
    41, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72,          // Esc F1-F12 PrtSc ScrLk Pause
    53, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 45, 46, 42, 73, 74, 75,      // ` 1-0 - = Bksp Ins Home PgUp
    83, 84, 85, 86,                                                          // NumLk / * -
    43, 20, 26, 8, 21, 23, 28, 24, 12, 18, 19, 47, 48, 49, 76, 77, 78,       // Tab Q-P [ ] \ Del End PgDn
    95, 96, 97, 87,                                                          // kp 7 8 9 +
    57, 4, 22, 7, 9, 10, 11, 13, 14, 15, 51, 52, 40, 92, 93, 94,             // Caps A-L ; ' Enter kp 4 5 6
    0xE1, 29, 27, 6, 25, 5, 17, 16, 54, 55, 56, 0xE5, 82, 89, 90, 91, 88,   // LShift Z-/ RShift Up kp 1-3 Enter
    0xE0, 0xE3, 0xE2, 44, 0xE6, 0xAF, 101, 0xE4, 80, 81, 79, 98, 99,         // LCtrl LWin LAlt Space RAlt Fn App RCtrl ← ↓ → kp 0 .
};

// Tenkeyless, 87 keys: the full-size board without the numeric keypad.
constexpr uint8_t kTenkeyless[] = {
    41, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72,          // Esc F1-F12 PrtSc ScrLk Pause
    53, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 45, 46, 42, 73, 74, 75,      // ` 1-0 - = Bksp Ins Home PgUp
    43, 20, 26, 8, 21, 23, 28, 24, 12, 18, 19, 47, 48, 49, 76, 77, 78,       // Tab Q-P [ ] \ Del End PgDn
    57, 4, 22, 7, 9, 10, 11, 13, 14, 15, 51, 52, 40,                         // Caps A-L ; ' Enter
    0xE1, 29, 27, 6, 25, 5, 17, 16, 54, 55, 56, 0xE5, 82,                   // LShift Z-/ RShift Up
    0xE0, 0xE3, 0xE2, 44, 0xE6, 0xAF, 101, 0xE4, 80, 81, 79,                 // LCtrl LWin LAlt Space RAlt Fn App RCtrl ← ↓ →
};

// Compact 75%, 80 keys: one column of navigation keys; the knob sits above it.
constexpr uint8_t kCompact80[] = {
    41, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69,                      // Esc F1-F12
    53, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 45, 46, 42, 76,              // ` 1-0 - = Bksp Del
    43, 20, 26, 8, 21, 23, 28, 24, 12, 18, 19, 47, 48, 49, 75,               // Tab Q-P [ ] \ PgUp
    57, 4, 22, 7, 9, 10, 11, 13, 14, 15, 51, 52, 40, 78,                     // Caps A-L ; ' Enter PgDn
    0xE1, 29, 27, 6, 25, 5, 17, 16, 54, 55, 56, 0xE5, 82,                   // LShift Z-/ RShift Up
    0xE0, 0xE3, 0xE2, 44, 0xE6, 0xAF, 0xE4, 80, 81, 79,                      // LCtrl LWin LAlt Space RAlt Fn RCtrl ← ↓ →
};

// 75%, 82 keys: Del on the function row, Home PgUp PgDn End down the right.
constexpr uint8_t kCompact82[] = {
    41, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 76,                  // Esc F1-F12 Del
    53, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 45, 46, 42, 74,              // ` 1-0 - = Bksp Home
    43, 20, 26, 8, 21, 23, 28, 24, 12, 18, 19, 47, 48, 49, 75,               // Tab Q-P [ ] \ PgUp
    57, 4, 22, 7, 9, 10, 11, 13, 14, 15, 51, 52, 40, 78,                     // Caps A-L ; ' Enter PgDn
    0xE1, 29, 27, 6, 25, 5, 17, 16, 54, 55, 56, 0xE5, 82, 77,               // LShift Z-/ RShift Up End
    0xE0, 0xE3, 0xE2, 44, 0xE6, 0xAF, 0xE4, 80, 81, 79,                      // LCtrl LWin LAlt Space RAlt Fn RCtrl ← ↓ →
};

static_assert(sizeof(kFullSize) == 104 && sizeof(kTenkeyless) == 87 && sizeof(kCompact80) == 80 &&
              sizeof(kCompact82) == 82);

template <size_t N>
std::vector<uint8_t> Keys(const uint8_t (&usages)[N]) {
  return std::vector<uint8_t>(usages, usages + N);
}

void PutAction(std::vector<uint8_t>& map, int keyIndex, uint8_t type, uint8_t v1, uint8_t v2) {
  map[3 * keyIndex] = type;
  map[3 * keyIndex + 1] = v1;
  map[3 * keyIndex + 2] = v2;
}

void PutZone(std::vector<uint8_t>& block, int at, uint8_t mode, uint8_t brightness, uint8_t speed,
             uint8_t r, uint8_t g, uint8_t b) {
  const uint8_t record[9] = {0, mode, brightness, speed, 1, 0, r, g, b};
  std::copy(record, record + 9, block.begin() + at);
}

void Put24(std::vector<uint8_t>& block, int at, int value) {
  block[at] = uint8_t(value);
  block[at + 1] = uint8_t(value >> 8);
  block[at + 2] = uint8_t(value >> 16);
}

}  // namespace

bool FindModel(const std::string& name, ModelSpec& spec) {
  ModelSpec m;
  m.name = name;
  m.keyUsages = Keys(kFullSize);
  if (name == "basic") {  // light strips on LEDs 87-128
    m.keyUsages = Keys(kTenkeyless);
  } else if (name == "matrix") {  // matrix screen, knob, a light strip on LEDs 80-106
    m.keyUsages = Keys(kCompact80);
    m.matrix = true;
    m.matrixBrightness = 4;
    m.matrixSpeed = 4;
    m.knob = true;
    m.canvasBytes = 214;
  } else if (name == "frame164") {  // a smaller board with 164-byte canvas frames
    m.zone2 = false;
    m.keyUsages = Keys(kCompact82);
    m.canvasBytes = 164;
  } else if (name == "legacy") {  // protocol 1: old table layouts, no 0x34
    m.protocol = 1;
    m.macroUnits = 8;
  } else if (name == "restricted") {  // one light zone, nothing else
    m.zone2 = false;
    m.zone1 = false;
    m.keyUsages = Keys(kTenkeyless);
  } else {
    return false;
  }
  spec = m;
  return true;
}

SimKeyboard::SimKeyboard(const KeyboardConfig& config) : m_config(config) { BuildDefaults(); }

void SimKeyboard::BuildDefaults() {
  const ModelSpec& m = m_config.model;
  const int keys = int(m.keyUsages.size());

  m_deviceInfo.assign(56, 0);
  m_deviceInfo[6] = uint8_t(m_config.firmware);
  m_deviceInfo[7] = uint8_t(m_config.firmware >> 8);
  m_deviceInfo[8] = uint8_t(m.protocol);
  m_deviceInfo[13] = uint8_t(m.macroUnits);
  m_deviceInfo[16] = uint8_t(m.zone0Brightness);
  m_deviceInfo[17] = uint8_t(m.zone0Speed);
  m_deviceInfo[19] = m.zone2 ? 1 : 0;
  m_deviceInfo[21] = uint8_t(m.zone2Brightness);
  m_deviceInfo[22] = uint8_t(m.zone2Speed);
  m_deviceInfo[25] = m.zone1 ? 1 : 0;
  if (m.protocol < 2) {
    m_deviceInfo[27] = uint8_t(m.zone1Brightness);
    m_deviceInfo[28] = uint8_t(m.zone1Speed);
  } else {
    m_deviceInfo[28] = uint8_t(m.zone1Brightness);
    m_deviceInfo[29] = uint8_t(m.zone1Speed);
    m_deviceInfo[31] = m.matrix ? 1 : 0;
    m_deviceInfo[35] = uint8_t(m.matrixBrightness);
    m_deviceInfo[36] = uint8_t(m.matrixSpeed);
    m_deviceInfo[37] = m.knob ? 1 : 0;
  }

  std::vector<uint8_t> layer0(384, 0);
  for (int i = 0; i < keys; ++i) {
    uint8_t u = m.keyUsages[i];
    if (u >= 0xE0 && u <= 0xE7) PutAction(layer0, i, 0x10, uint8_t(1 << (u - 0xE0)), 0);
    else if (u == 0xAF) PutAction(layer0, i, 0x50, 2, 0);
    else PutAction(layer0, i, 0x10, 0, u);
  }
  m_knob.assign(56, 0);
  if (m.knob) {
    const uint8_t knobConsumer[3] = {0xE9, 0xEA, 0xE2};  // volume up, down, mute
    for (int a = 0; a < 3; ++a) {
      m_knob[a] = uint8_t(keys + a);
      PutAction(layer0, keys + a, 0x30, 0, knobConsumer[a]);
    }
  }
  for (int layer = 0; layer < 4; ++layer) {
    m_factory[layer] = layer0;
    // The function row differs per layer, so a mixed-up layer shows.
    for (int i = 1; layer > 0 && i <= 12 && i < keys; ++i) PutAction(m_factory[layer], i, 0x30, uint8_t(layer), uint8_t(i));
    m_keyMaps[layer] = m_factory[layer];
  }

  m_ledMap.assign(128, 0xFF);
  m_live.assign(384, 0);
  for (int i = 0; i < keys; ++i) {
    m_ledMap[i] = uint8_t(i);
    m_live[3 * i] = uint8_t(2 * i);
    m_live[3 * i + 1] = uint8_t(255 - 2 * i);
    m_live[3 * i + 2] = 100;
  }
  for (int s = 0; s < 5; ++s) {
    m_colourSets[s].assign(384, 0);
    for (int i = 0; i < keys; ++i) {
      m_colourSets[s][3 * i] = uint8_t(40 * (s + 1));
      m_colourSets[s][3 * i + 1] = uint8_t(i);
      m_colourSets[s][3 * i + 2] = uint8_t(255 - i);
    }
  }
  m_matrix.assign(147, 0);
  for (int n = 0; m.matrix && n < 49; ++n) {
    m_matrix[3 * n] = uint8_t(5 * n);
    m_matrix[3 * n + 2] = uint8_t(255 - 5 * n);
  }
  m_settings = DefaultSettings();
  m_macro.assign(size_t(m.macroUnits) * 256, 0);
  m_canvas.assign(size_t(m.canvasBytes), 0);
  m_matrixFrame.assign(98, 0);
  m_battery.assign(56, 0);
  m_battery[0] = uint8_t(m_config.batteryLevel);
  m_battery[1] = uint8_t(m_config.batteryState);
}

std::vector<uint8_t> SimKeyboard::DefaultSettings() const {
  const ModelSpec& m = m_config.model;
  std::vector<uint8_t> block(64, 0);
  PutZone(block, 1, 1, uint8_t(m.zone0Brightness), 1, 255, 0, 0);
  PutZone(block, 11, 2, uint8_t(m.zone2Brightness), 1, 0, 255, 0);
  PutZone(block, 20, 3, uint8_t(m.zone1Brightness), 1, 0, 0, 255);
  const int sleepSeconds = 600;
  if (m.protocol < 2) {
    block[33] = 1;  // key response
    Put24(block, 35, sleepSeconds);
  } else {
    PutZone(block, 29, 1, uint8_t(m.matrixBrightness), 1, 255, 255, 255);
    block[42] = 1;
    Put24(block, 46, sleepSeconds);
  }
  return block;
}

void SimKeyboard::FactoryReset() {
  m_keyMaps = m_factory;
  KeyboardConfig config = m_config;
  SimKeyboard fresh(config);
  m_settings = fresh.m_settings;
  m_colourSets = fresh.m_colourSets;
  m_matrix = fresh.m_matrix;
  m_macro.assign(m_macro.size(), 0);
  m_dirty = true;
}

std::vector<uint8_t>* SimKeyboard::Find(Table table, int index) {
  switch (table) {
    case Table::DeviceInfo: return &m_deviceInfo;
    case Table::Settings: return &m_settings;
    case Table::FactoryKeyMap: return index >= 0 && index < 4 ? &m_factory[index] : nullptr;
    case Table::KeyMap: return index >= 0 && index < 4 ? &m_keyMaps[index] : nullptr;
    case Table::ColourSet: return index >= 0 && index < 5 ? &m_colourSets[index] : nullptr;
    case Table::MacroMemory: return &m_macro;
    case Table::LedIndexMap: return &m_ledMap;
    case Table::KnobKeys: return &m_knob;
    case Table::LiveColours: return &m_live;
    case Table::MatrixColours: return &m_matrix;
    case Table::CanvasFrame: return &m_canvas;
    case Table::MatrixFrame: return &m_matrixFrame;
    case Table::Battery: return &m_battery;
  }
  return nullptr;
}

std::map<std::string, std::vector<uint8_t>*> SimKeyboard::Persistent() {
  std::map<std::string, std::vector<uint8_t>*> tables;
  tables["settings"] = &m_settings;
  for (int i = 0; i < 4; ++i) tables[std::string("keymap.").append(1, char('0' + i))] = &m_keyMaps[i];
  for (int i = 0; i < 5; ++i) tables[std::string("colourset.").append(1, char('0' + i))] = &m_colourSets[i];
  tables["macro"] = &m_macro;
  tables["matrix"] = &m_matrix;
  tables["canvas"] = &m_canvas;
  tables["matrixframe"] = &m_matrixFrame;
  return tables;
}

bool SimKeyboard::Handle(const uint8_t* request, int dataCapacity, uint8_t* reply) {
  if (request[0] != 0xAA) return false;  // not a request of this protocol
  const uint8_t command = request[1];
  const int offset = request[2] | (request[3] << 8);
  const int length = request[4];
  std::memset(reply, 0, 64);
  reply[0] = 0xAA;
  reply[1] = command;
  reply[2] = request[2];
  reply[3] = request[3];
  reply[4] = request[4];
  reply[7] = 0x0F;

  const Route* route = FindRoute(command);
  const ModelSpec& m = m_config.model;
  if (!route) return true;
  if ((route->needs == Needs::Matrix && !m.matrix) || (route->needs == Needs::Knob && !m.knob) ||
      (route->needs == Needs::Protocol2 && m.protocol < 2))
    return true;

  switch (route->op) {
    case Op::Accept:
      break;
    case Op::Reset:
      FactoryReset();
      break;
    case Op::Read: {
      const std::vector<uint8_t>& table = *Find(route->table, route->index);
      if (offset >= int(table.size())) return true;
      const int n = std::min({length, dataCapacity, int(table.size()) - offset});
      std::copy(table.begin() + offset, table.begin() + offset + n, reply + 8);
      break;
    }
    case Op::Write: {
      std::vector<uint8_t>& table = *Find(route->table, route->index);
      if (length > dataCapacity || offset + length > int(table.size())) return true;
      std::copy(request + 8, request + 8 + length, table.begin() + offset);
      std::copy(request + 8, request + 8 + length, reply + 8);  // the data are echoed
      m_dirty = true;
      break;
    }
  }
  reply[7] = 0x55;
  return true;
}

}  // namespace sim
