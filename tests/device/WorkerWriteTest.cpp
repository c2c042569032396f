// What the writing tasks put into the simulated keyboard's tables, byte for byte.
#include <gtest/gtest.h>
#include "device/MacroImage.h"
#include "device/WorkerRig.h"

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
  factory3[size_t(index) * 3] = 0x10;
  factory3[size_t(index) * 3 + 1] = 0x01;
  factory3[size_t(index) * 3 + 2] = 0x05;
  EXPECT_EQ(layer3, factory3);
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
  w.dlg.m_lightZone = 0;
  w.dlg.m_lightMode = 4;
  w.Run(kTaskApplyProfile);
  EXPECT_EQ(w.dlg.m_selectedKey, -2);
  EXPECT_EQ(Bytes(Table("k102", sim::Table::KeyMap, 1), index * 3, 3), (std::vector<uint8_t>{0x10, 0x03, 0x04}));
  EXPECT_EQ(Table("k102", sim::Table::Settings)[2], 4);
  EXPECT_EQ(w.dlg.m_needConfigBegin, 1);
}
