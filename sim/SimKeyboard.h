// One simulated keyboard: every table the command set reaches, and the firmware's
// answer to a request. Holds no I/O; the bus delivers requests and replies.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>
#include "SimControl.h"

namespace sim {

// What a model has; the tables' defaults are built from it.
struct ModelSpec {
  std::string name;
  int protocol = 2;
  int macroUnits = 16;  // macro memory in units of 256 bytes
  int zone0Brightness = 4, zone0Speed = 4;
  bool zone2 = true;
  int zone2Brightness = 4, zone2Speed = 4;
  bool zone1 = true;
  int zone1Brightness = 4, zone1Speed = 4;
  bool matrix = false;
  int matrixBrightness = 0, matrixSpeed = 0;
  bool knob = false;
  std::vector<uint8_t> keyUsages;  // layer 0's HID usage of each key index; index i lights LED i
  int canvasBytes = 800;  // length of the canvas frame table
};

// The model of a name in the configuration; false for an unknown name.
bool FindModel(const std::string& name, ModelSpec& spec);

struct KeyboardConfig {
  std::string id;
  ModelSpec model;
  int vid = 0, pid = 0;
  int firmware = 0x0100;
  int batteryLevel = 100;
  int batteryState = 0;
};

class SimKeyboard {
public:
  explicit SimKeyboard(const KeyboardConfig& config);

  const KeyboardConfig& Config() const { return m_config; }

  // Handles a 64-byte request whose data field holds at most `dataCapacity` bytes (56, or
  // 24 on short reports). Fills the 64-byte reply; false when the firmware stays silent.
  bool Handle(const uint8_t* request, int dataCapacity, uint8_t* reply);

  std::vector<uint8_t>* Find(Table table, int index);
  bool Dirty() const { return m_dirty; }
  void ClearDirty() { m_dirty = false; }
  void MarkDirty() { m_dirty = true; }

  // The tables that persist, each under a key like "keymap.2".
  std::map<std::string, std::vector<uint8_t>*> Persistent();

  void FactoryReset();

private:
  void BuildDefaults();
  std::vector<uint8_t> DefaultSettings() const;

  KeyboardConfig m_config;
  std::vector<uint8_t> m_deviceInfo, m_settings, m_macro, m_ledMap, m_knob, m_live, m_matrix,
      m_canvas, m_matrixFrame, m_battery;
  std::array<std::vector<uint8_t>, 4> m_factory, m_keyMaps;
  std::array<std::vector<uint8_t>, 5> m_colourSets;
  bool m_dirty = false;
};

}  // namespace sim
