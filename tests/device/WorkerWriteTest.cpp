// What the writing tasks put into the simulated keyboard's tables, byte for byte.
#include <gtest/gtest.h>
#include <algorithm>
#include "device/MacroImage.h"
#include "device/WorkerRig.h"
#include "pages/KeyActionCodec.h"
#include "pages/LightDefaults.h"

using namespace simtest;

namespace {

// The first key index of layer 0 with a plain key code, and that code.
std::pair<int, int> SomeKey(const KeyboardDlg& dlg) {
  for (const auto& [index, code] : dlg.m_keyCodeByIndex) {
    if (code > 0 && code < 224) return {index, code};
  }
  return {-1, 0};
}

void StoreKey(KeyboardDataStore& store, int profile, int layer, int code, int type, int v1, int v2) {
  KeyMacroRecord row;
  row.profile = profile;
  row.fn_layer = layer;
  row.key_code = code;
  row.macro_type = type;
  row.macro_value = v1;
  row.macro_value2 = v2;
  ASSERT_GT(store.ReplaceKeyMacro(row), 0);
}

std::vector<uint8_t> Bytes(const std::vector<uint8_t>& table, int from, int count) {
  return std::vector<uint8_t>(table.begin() + from, table.begin() + from + count);
}

}  // namespace

TEST(WorkerKeys, SingleKeyIsOneReportAtItsIndex) {
  WorkerRig w(ReceiverK101(true));
  w.StartUp();
  auto [index, code] = SomeKey(w.dlg);
  ASSERT_GE(index, 0);
  StoreKey(w.store, 1, 2, code, 2, 0x06, 0x05);  // key C with left shift and left alt
  w.dlg.m_fnLayer = 2;
  w.dlg.m_selectedKey = code;
  w.Run(kTaskKeyMap);
  auto commands = Commands();
  EXPECT_EQ(commands, (std::vector<int>{kCmdConfigBegin, WriteKeyMapCommand(2), kCmdConfigEnd}));
  auto writes = Writes();
  EXPECT_EQ(Offset(writes[1]), index * 3);
  EXPECT_EQ(Length(writes[1]), 3);
  EXPECT_EQ(Bytes(Table("k101", sim::Table::KeyMap, 2), index * 3, 3), (std::vector<uint8_t>{0x10, 0x05, 0x06}));
}

TEST(WorkerKeys, LayerResetWritesTheFactoryTable) {
  WorkerRig w(ReceiverK101(true));
  w.StartUp();
  w.dlg.m_fnLayer = 1;
  w.dlg.m_selectedKey = -1;
  w.Run(kTaskKeyMap);
  EXPECT_EQ(Table("k101", sim::Table::KeyMap, 1), Table("k101", sim::Table::FactoryKeyMap, 1));
}

// Model 102 with firmware 1.15 rewrites all four layers for a single key.
TEST(WorkerKeys, AllLayersFromTheStoreOverTheFactoryMaps) {
  WorkerRig w(CableK102());
  w.StartUp();
  auto [index, code] = SomeKey(w.dlg);
  ASSERT_GE(index, 0);
  StoreKey(w.store, 1, 3, code, 2, 0x05, 0x01);  // key B with left control
  w.dlg.m_selectedKey = code;
  w.Run(kTaskKeyMap);
  auto commands = Commands();
  for (int layer = 0; layer < 4; ++layer) EXPECT_GT(CountOf(commands, WriteKeyMapCommand(layer)), 0) << layer;
  auto layer3 = Table("k102", sim::Table::KeyMap, 3);
  auto factory3 = Table("k102", sim::Table::FactoryKeyMap, 3);
  EXPECT_EQ(Bytes(layer3, index * 3, 3), (std::vector<uint8_t>{0x10, 0x01, 0x05}));
  // Every other key: its stored row where the profile has one, else the factory action.
  for (const auto& [keyCode, keyIndex] : w.dlg.m_keyIndexByCode) {
    std::vector<uint8_t> expected = Bytes(factory3, keyIndex * 3, 3);
    KeyMacroRecord row;
    if (w.store.GetKeyMacro(1, 3, keyCode, row) && row.macro_type != 0) KeyActionCodec::Encode(row, expected.data());
    EXPECT_EQ(Bytes(layer3, keyIndex * 3, 3), expected) << keyCode;
  }
}

TEST(WorkerKeys, KnobKey) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_knobActions[1][0].macro_type = 5;  // mouse button 4
  w.dlg.m_knobActions[1][0].macro_value = 95;
  w.dlg.m_knobSelected = 1;
  w.Run(kTaskKnobKey);
  int k = w.dlg.m_knobActions[1][0].key_code;
  EXPECT_EQ(k, 81) << "the second knob key, after the 80 keys";
  EXPECT_EQ(Bytes(Table("k102", sim::Table::KeyMap, 0), k * 3, 3), (std::vector<uint8_t>{0x40, 0x00, 0x08}));
}

// A knob index not read from this keyboard, or one past the key table, would put the
// action on another key (or past the table): nothing is written.
TEST(WorkerKeys, KnobKeyOnlyAtAnIndexReadFromTheKeyboard) {
  WorkerRig w(CableK102());
  w.StartUp();
  const auto before = Table("k102", sim::Table::KeyMap, 0);
  w.dlg.m_knobSelected = 1;
  w.dlg.m_knobActions[1][0].macro_type = 0x40;
  struct Case {
    bool known;
    int index;
  } cases[] = {{false, 81}, {false, 0}, {true, 128}, {true, 255}, {true, -1}};
  for (const Case& c : cases) {
    w.dlg.m_knobKeysKnown = c.known;
    w.dlg.m_knobActions[1][0].key_code = c.index;
    w.Run(kTaskKnobKey);
    EXPECT_EQ(CountOf(Commands(), WriteKeyMapCommand(0)), 0) << c.known << " " << c.index;
  }
  EXPECT_EQ(Table("k102", sim::Table::KeyMap, 0), before);

  // A keyboard without a knob never has its key 0 taken for one.
  WorkerRig plain(ReceiverK101(true));
  plain.StartUp();
  EXPECT_FALSE(plain.dlg.m_knobKeysKnown);
  plain.dlg.m_knobSelected = 0;
  plain.dlg.m_knobActions[0][0].macro_type = 0x40;
  plain.Run(kTaskKnobKey);
  EXPECT_EQ(CountOf(Commands(), WriteKeyMapCommand(0)), 0);
}

TEST(WorkerMacros, ImageWithEveryStepKindReachesTheMemory) {
  WorkerRig w(CableK102());
  w.StartUp();
  int first = w.store.AddMacro(L"all kinds");
  int empty = w.store.AddMacro(L"empty");
  ASSERT_GT(first, 0);
  ASSERT_GT(empty, 0);
  std::vector<MacroStepRecord> steps;
  int types[] = {2, 3, 4, 5, 4, 5, 7};
  int values[] = {91, 91, 1, 1, 0, 0, 'A'};
  const wchar_t* descs[] = {L"", L"", L"", L"", L"Scroll Down", L"Scroll Down", L""};
  for (int i = 0; i < 7; ++i) {
    MacroStepRecord s;
    s.macro_id = first;
    s.type = types[i];
    s.record_index = i;
    s.value = values[i];
    s.delay_time = 15;
    s.desc = descs[i];
    steps.push_back(s);
  }
  ASSERT_EQ(w.store.AddMacroSteps(steps), 7);
  w.Run(kTaskMacros);

  std::vector<MacroSteps> expected = {MacroSteps(steps.begin(), steps.end()), {}};
  MacroImage image = BuildMacroImage(expected, w.dlg.m_deviceInfo.macroMemorySize);
  ASSERT_EQ(image.bytes.size(), 8u + 4 + 4 + 28);
  auto memory = Table("k102", sim::Table::MacroMemory);
  EXPECT_EQ(Bytes(memory, 0, int(image.bytes.size())), image.bytes);
  EXPECT_EQ(Bytes(memory, 12, 4), (std::vector<uint8_t>{7, 0, 0, 0}));  // the first block: 7 steps
  EXPECT_EQ(Bytes(memory, 16, 4), (std::vector<uint8_t>{7, 0, 0x08, 0x82}));  // 15 ms = 7 units
}

TEST(WorkerMacros, NoMacrosSendOneEmptyReport) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.Run(kTaskMacros);
  auto writes = Writes();
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(Command(writes[1]), kCmdWriteMacroMemory);
  EXPECT_EQ(Length(writes[1]), 0);
}

TEST(WorkerLighting, SystemSettingsByProtocol) {
  WorkerRig w(CableK102());
  w.StartUp();
  ASSERT_TRUE(w.store.SetConfigValue(1, L"sleep_time", L"5"));
  ASSERT_TRUE(w.store.SetConfigValue(1, L"game_mode", L"1"));
  auto before = Table("k102", sim::Table::Settings);
  w.Run(kTaskSystemSettings);
  auto after = Table("k102", sim::Table::Settings);
  EXPECT_EQ(after[38], 1);
  EXPECT_EQ(Bytes(after, 46, 3), (std::vector<uint8_t>{0x2C, 0x01, 0x00}));
  EXPECT_EQ(Bytes(after, 0, 38), Bytes(before, 0, 38));
}

TEST(WorkerLighting, BuiltInModeOfZoneTwoKeepsTheOtherRecords) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_lightZone = 2;
  w.dlg.m_lightMode = 3;
  auto before = Table("k102", sim::Table::Settings);
  w.Run(kTaskLightMode);
  auto after = Table("k102", sim::Table::Settings);
  EXPECT_EQ(after[12], 3);
  EXPECT_EQ(Bytes(after, 0, 11), Bytes(before, 0, 11));
  EXPECT_EQ(Bytes(after, 20, 44), Bytes(before, 20, 44));
}

TEST(WorkerLighting, CustomModeAndColourSets) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_lightMode = 130;
  w.Run(kTaskCustomLightMode);
  auto block = Table("k102", sim::Table::Settings);
  EXPECT_EQ(block[2], 0xFD);
  EXPECT_EQ(block[10], 2);

  auto [index, code] = SomeKey(w.dlg);
  int led = w.dlg.m_lightIndexByCode.at(code);
  UserLightRgbRecord rgb;
  rgb.profile = 1;
  rgb.userlight_id = 130;
  rgb.key_code = code;
  rgb.key_rgb = int(RGB(10, 20, 30));
  UserLightRgbRecord strip = rgb;
  strip.key_code = 326;  // LED 106 of the side strip
  ASSERT_EQ(w.store.AddUserLightRgbs({rgb, strip}), 2);
  w.Run(kTaskWriteColourSet);
  auto set = Table("k102", sim::Table::ColourSet, 2);
  EXPECT_EQ(Bytes(set, led * 3, 3), (std::vector<uint8_t>{10, 20, 30}));

  sim::ClearLog();
  w.keyboard.AddKeyItem(L"", L"", code, CRect(), L"", 0);
  w.Run(kTaskReadColourSet);
  EXPECT_EQ(CountOf(Commands(), ReadColourSetCommand(130)), 7);  // 384 bytes in 56-byte chunks
  EXPECT_EQ(w.keyboard.GetKeyColor(code), long(RGB(10, 20, 30)));
}

TEST(WorkerLighting, ProtocolZeroAndOneLayouts) {
  // The legacy model (protocol 1) keeps its settings at 29-37.
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_deviceInfo.protocolVersion = 1;
  ASSERT_TRUE(w.store.SetConfigValue(1, L"sleep_time", L"5"));
  w.Run(kTaskSystemSettings);
  EXPECT_EQ(Bytes(Table("k102", sim::Table::Settings), 35, 3), (std::vector<uint8_t>{0x2C, 0x01, 0x00}));
  sim::ClearLog();
  w.dlg.m_deviceInfo.protocolVersion = 0;
  w.Run(kTaskLightMode);
  EXPECT_TRUE(Writes().empty());
}

TEST(WorkerLighting, MatrixColoursAndFactoryReset) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.matrix.GetKeyItems()[1]->color = RGB(1, 2, 3);
  w.Run(kTaskWriteMatrixColours);
  EXPECT_EQ(Bytes(Table("k102", sim::Table::MatrixColours), 3, 3), (std::vector<uint8_t>{1, 2, 3}));
  w.matrix.GetKeyItems()[1]->color = 0;
  w.Run(kTaskReadMatrixColours);
  EXPECT_EQ(w.matrix.GetKeyItems()[1]->color, RGB(1, 2, 3));

  std::wstring led = w.folder.Path() + L"led\\";
  CreateDirectoryW(led.c_str(), nullptr);
  CreateDirectoryW((led + L"K102").c_str(), nullptr);
  CreateDirectoryW((led + L"K102\\anim").c_str(), nullptr);
  WriteText(led + L"K102\\anim\\frame.png", "x");
  sim::ClearLog();
  w.Run(kTaskFactoryReset);
  EXPECT_EQ(GetFileAttributesW((led + L"K102").c_str()), INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryW(led.c_str());
  auto commands = Commands();
  ASSERT_GE(commands.size(), 3u);
  EXPECT_EQ(commands[0], kCmdConfigBegin);
  EXPECT_EQ(commands[1], kCmdFactoryReset);
  EXPECT_EQ(commands[2], kCmdConfigEnd);
  EXPECT_GT(CountOf(commands, kCmdReadDeviceInfo), 0);  // then the read sequence
}

TEST(WorkerProfile, ApplyWritesAllLayersAndTheLighting) {
  WorkerRig w(CableK102());
  w.StartUp();
  auto [index, code] = SomeKey(w.dlg);
  ASSERT_GE(index, 0);
  StoreKey(w.store, 1, 1, code, 2, 0x04, 0x03);  // key A with left control and shift
  // The profile's own lighting (mode 4 on zone 0, switched on) is what the apply writes.
  LightDefaults::SeedZones(w.store, 1, w.dlg.m_deviceType);
  w.store.SetActiveLightMode(1, 0, 4);
  w.store.SetConfigValue(1, L"enable_light", L"1");
  w.dlg.m_lightZone = 0;
  w.Run(kTaskApplyProfile);
  EXPECT_EQ(w.dlg.m_selectedKey, -2);
  EXPECT_EQ(Bytes(Table("k102", sim::Table::KeyMap, 1), index * 3, 3), (std::vector<uint8_t>{0x10, 0x03, 0x04}));
  EXPECT_EQ(Table("k102", sim::Table::Settings)[2], 4);
  EXPECT_EQ(w.dlg.m_needConfigBegin, 1);
}

// ---- what the store does not hold is not written ----

namespace {

// A profile without a single row: no lights, no settings, no keys, no colours.
constexpr int kProfileWithoutRows = 9;

// The keyboard's settings block made recognisable, so that any byte the program did not
// mean to change shows.
std::vector<uint8_t> MarkSettings(const std::string& keyboard) {
  std::vector<uint8_t> block = Pattern(64, 0x31);
  EXPECT_TRUE(sim::WriteTable(keyboard, sim::Table::Settings, 0, block));
  return block;
}

}  // namespace

// A lighting or settings write for a mode or profile without a stored row sent brightness
// 0 and black (or sleep 0 and every switch off) in place of the keyboard's own values.
TEST(WorkerMissingRows, LightingAndSettingsChangeOnlyWhatIsKnown) {
  WorkerRig w(CableK102());
  w.StartUp();
  w.dlg.m_profileId = kProfileWithoutRows;
  struct Case {
    const char* name;
    int task, zone, mode;
    std::vector<std::pair<int, uint8_t>> changed;  // (byte, value); all others keep theirs
  } cases[] = {
      {"zone 0, built-in", kTaskLightMode, 0, 4, {{2, 4}}},
      {"zone 2, built-in", kTaskLightMode, 2, 3, {{12, 3}}},
      {"zone 1, built-in", kTaskLightMode, 1, 6, {{21, 6}}},
      {"colour set", kTaskCustomLightMode, 0, 130, {{2, 0xFD}, {10, 2}}},
      {"matrix", kTaskMatrixLight, 0, 7, {{30, 7}}},
      {"settings", kTaskSystemSettings, 0, 0, {}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> expected = MarkSettings("k102");
    for (auto [at, value] : c.changed) expected[size_t(at)] = value;
    w.dlg.m_lightZone = c.zone;
    w.dlg.m_lightMode = c.mode;
    w.dlg.m_matrixMode = c.mode;
    w.Run(c.task);
    EXPECT_EQ(Table("k102", sim::Table::Settings), expected) << c.name;
  }

  // With its row the zone's whole record is written.
  w.dlg.m_profileId = 1;
  LightRecord light;
  light.profile = 1;
  light.type = 2;
  light.mode = 3;
  light.brightness = 5;
  light.speed = 1;
  light.colorful = 1;
  light.colorindex = 2;
  light.color_value = int(RGB(10, 20, 30));
  ASSERT_GT(w.store.AddLight(light), 0);
  std::vector<uint8_t> expected = MarkSettings("k102");
  const uint8_t record[9] = {0, 3, 5, uint8_t(w.dlg.m_deviceInfo.zone2SpeedMax - 1), 1, 2, 10, 20, 30};
  std::copy(record, record + 9, expected.begin() + 11);
  w.dlg.m_lightZone = 2;
  w.dlg.m_lightMode = 3;
  w.Run(kTaskLightMode);
  EXPECT_EQ(Table("k102", sim::Table::Settings), expected);
}

// A key without a stored row went out as 00 00 00, which switches the key off.
TEST(WorkerMissingRows, KeyWithoutARowIsNotWritten) {
  WorkerRig w(ReceiverK101(true));
  w.StartUp();
  auto [index, code] = SomeKey(w.dlg);
  ASSERT_GE(index, 0);
  const auto before = Table("k101", sim::Table::KeyMap, 0);
  for (int profile : {kProfileWithoutRows + 1, kProfileWithoutRows}) {
    w.dlg.m_profileId = profile;
    w.dlg.m_selectedKey = code;
    w.Run(kTaskKeyMap);
    EXPECT_EQ(CountOf(Commands(), WriteKeyMapCommand(0)), 0) << profile;
    EXPECT_EQ(Table("k101", sim::Table::KeyMap, 0), before) << profile;
    sim::ClearLog();
  }
}

// A colour set was written from zero bytes: every key without a stored colour went dark.
TEST(WorkerMissingRows, ColourSetKeepsTheColoursOfKeysWithoutRows) {
  WorkerRig w(CableK102());
  w.StartUp();
  const std::vector<uint8_t> keyboard = Pattern(384, 0x11);
  ASSERT_TRUE(sim::WriteTable("k102", sim::Table::ColourSet, 2, keyboard));
  w.dlg.m_lightMode = 130;

  w.dlg.m_profileId = kProfileWithoutRows;
  w.Run(kTaskWriteColourSet);
  EXPECT_EQ(Table("k102", sim::Table::ColourSet, 2), keyboard);
  EXPECT_EQ(CountOf(Commands(), WriteColourSetCommand(130)), 0);

  w.dlg.m_profileId = 1;
  auto [index, code] = SomeKey(w.dlg);
  const int led = w.dlg.m_lightIndexByCode.at(code);
  UserLightRgbRecord rgb;
  rgb.profile = 1;
  rgb.userlight_id = 130;
  rgb.key_code = code;
  rgb.key_rgb = int(RGB(1, 2, 3));
  ASSERT_EQ(w.store.AddUserLightRgbs({rgb}), 1);
  w.Run(kTaskWriteColourSet);
  std::vector<uint8_t> expected = keyboard;
  expected[size_t(led) * 3] = 1;
  expected[size_t(led) * 3 + 1] = 2;
  expected[size_t(led) * 3 + 2] = 3;
  EXPECT_EQ(Table("k102", sim::Table::ColourSet, 2), expected);
}

// ---- key indexes outside the key map ----

// A layout's key index went unchecked into the 384-byte layer table and onto the wire.
TEST(WorkerLayout, KeyIndexOutsideTheKeyMapIsNeverUsed) {
  WorkerRig w(CableK102());
  WriteText(w.folder.File(L"layouts\\K102.xml"),
            "<device.info><Keyboard xpos=\"0\" ypos=\"0\" width=\"100\" height=\"50\" row_count=\"1\" col_count=\"3\">"
            "<KeyItems>"
            "<key code=\"04\" key_index=\"200\" light_index=\"0\" row_col=\"0_0\"/>"
            "<key code=\"05\" key_index=\"-1\" light_index=\"1\" row_col=\"0_1\"/>"
            "<key code=\"06\" key_index=\"127\" light_index=\"2\" row_col=\"0_2\"/>"
            "</KeyItems></Keyboard></device.info>");
  w.dlg.LoadDeviceLayout(102);
  EXPECT_EQ(w.dlg.m_keyIndexByCode.count(4), 0u);
  EXPECT_EQ(w.dlg.m_keyIndexByCode.count(5), 0u);
  EXPECT_EQ(w.dlg.m_keyIndexByCode.at(6), 127);

  // Where the index is used it is bounded as well: a single key and the layer writes.
  w.StartUp();
  auto [index, code] = SomeKey(w.dlg);
  ASSERT_GE(index, 0);
  StoreKey(w.store, 1, 0, code, 0x20, 0x01, 0x02);
  for (int bad : {128, 200, 100000, -3}) {
    w.dlg.m_keyIndexByCode[code] = bad;
    w.dlg.m_selectedKey = code;
    w.Run(kTaskKeyMap);
    for (auto& write : Writes()) EXPECT_LT(Offset(write) + Length(write), 385) << bad;
    w.dlg.m_selectedKey = -2;
    w.Run(kTaskKeyMap);
    EXPECT_EQ(Table("k102", sim::Table::KeyMap, 0), Table("k102", sim::Table::FactoryKeyMap, 0)) << bad;
    sim::ClearLog();
  }
}

// ---- another keyboard behind the model ----

// After a hot-plug to another model, a layer reset wrote the previous keyboard's factory
// table: the new keyboard's tables are read before any write uses them.
TEST(WorkerHotPlug, TheNewKeyboardsTablesAreReadBeforeAWrite) {
  WorkerRig w("\n[usb cable-k101]\nkeyboard = k101\nvid = 0x3F1D\npid = 0x1101\n" + CableK102() + "plugged = no\n");
  w.StartUp();
  ASSERT_EQ(w.dlg.m_deviceType, 101);
  ASSERT_TRUE(sim::SetPlugged("cable-k101", false));
  ASSERT_TRUE(sim::SetPlugged("cable-k102", true));
  w.Run(kTaskDeviceArrived);
  ASSERT_EQ(w.dlg.m_deviceType, 102);
  ASSERT_TRUE(w.dlg.m_deviceLinked);

  sim::ClearLog();
  w.dlg.m_fnLayer = 1;
  w.dlg.m_selectedKey = -1;
  w.Run(kTaskKeyMap);
  EXPECT_EQ(Table("k102", sim::Table::KeyMap, 1), Table("k102", sim::Table::FactoryKeyMap, 1));
  EXPECT_TRUE(w.dlg.m_deviceInfo.matrixPresent);
  // Read first, written after, each in its own configuration exchange.
  auto commands = Commands();
  auto read = std::find(commands.begin(), commands.end(), int(ReadFactoryKeyMapCommand(1)));
  auto written = std::find(commands.begin(), commands.end(), int(WriteKeyMapCommand(1)));
  EXPECT_LT(read, written);
  EXPECT_EQ(CountOf(commands, kCmdConfigBegin), CountOf(commands, kCmdConfigEnd));
}

// A keyboard that does not give its tables gets no write built without them.
TEST(WorkerHotPlug, NoWriteWithoutTheKeyboardsTables) {
  WorkerRig w(CableK102());
  w.Run(kTaskInitDevices);  // found and chosen, not yet read
  sim::Fault fault;
  fault.kind = sim::FaultKind::Refuse;
  fault.command = ReadFactoryKeyMapCommand(0);
  fault.times = 0;
  ASSERT_TRUE(sim::AddFault("cable-k102", fault));
  const auto before = Table("k102", sim::Table::KeyMap, 0);
  sim::ClearLog();
  w.dlg.m_selectedKey = -2;
  w.Run(kTaskKeyMap);
  EXPECT_EQ(CountOf(Commands(), WriteKeyMapCommand(0)), 0);
  EXPECT_EQ(Table("k102", sim::Table::KeyMap, 0), before);
  sim::ClearFaults();
}
