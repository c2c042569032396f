// The simulated keyboards through hidapi's C interface: tables, persistence, receivers,
// models, the configuration file and fault injection.
#include <gtest/gtest.h>
#include <hidapi.h>
#include <algorithm>
#include "sim/SimFixture.h"

using namespace simtest;
using sim::FaultKind;

namespace {

const char* kConfig = R"(
# a keyboard with everything, one by receiver, one of each other kind
[keyboard kb]
model = matrix
vid = 0x3F1D
pid = 0x1102
firmware = 0x0115

[keyboard wireless]
model = basic
vid = 0x3F1D
pid = 0x1101

[keyboard old]
model = legacy
vid = 0x3F1D
pid = 0x1104

[keyboard small]
model = frame164
vid = 0x3F1D
pid = 0x1103

[usb cable]
keyboard = kb
vid = 0x3F1D
pid = 0x1102
product = Test K102

[usb dongle]
receiver = wireless
vid = 0x3F1D
pid = 0x5101
product = Test Receiver
linked = no

[usb old]
keyboard = old
vid = 0x3F1D
pid = 0x1104

[usb small]
keyboard = small
vid = 0x3F1D
pid = 0x1103
reports = short

[usb spare]
keyboard = kb
vid = 0x3F1D
pid = 0x1102
plugged = no
)";

// A raw exchange on a device's vendor interface.
class Link {
public:
  explicit Link(const std::string& device, int interfaceNumber = -1)
      : handle_(hid_open_path(sim::InterfacePath(device, interfaceNumber).c_str())) {}
  ~Link() {
    if (handle_) hid_close(handle_);
  }
  bool Open() const { return handle_ != nullptr; }

  int Write(uint8_t command, int offset, const uint8_t* data, int length, int size = 65) {
    std::vector<uint8_t> out(size_t(size), 0);
    out[1] = 0xAA, out[2] = command, out[3] = uint8_t(offset), out[4] = uint8_t(offset >> 8), out[5] = uint8_t(length);
    if (data) std::copy(data, data + std::min(length, size - 9), out.begin() + 9);
    return hid_write(handle_, out.data(), out.size());
  }
  int Read(std::vector<uint8_t>& reply, int ms = 200) {
    reply.assign(65, 0);
    int n = hid_read_timeout(handle_, reply.data(), reply.size(), ms);
    reply.resize(n > 0 ? size_t(n) : 0);
    return n;
  }
  // One request and its reply; the reply's payload, empty when none came.
  std::vector<uint8_t> Ask(uint8_t command, int offset = 0, const uint8_t* data = nullptr, int length = 0) {
    std::vector<uint8_t> reply;
    if (Write(command, offset, data, length) <= 0) return reply;
    Read(reply);
    return reply;
  }
  // A whole table in 56-byte chunks; false unless every chunk is accepted.
  bool ReadTable(uint8_t command, size_t size, std::vector<uint8_t>& table) {
    table.assign(size, 0);
    for (size_t at = 0; at < size; at += 56) {
      int n = int(std::min<size_t>(56, size - at));
      auto reply = Ask(command, int(at), nullptr, n);
      if (reply.size() < 64 || reply[7] != 0x55) return false;
      std::copy(reply.begin() + 8, reply.begin() + 8 + n, table.begin() + at);
    }
    return true;
  }
  bool WriteTable(uint8_t command, const std::vector<uint8_t>& table) {
    for (size_t at = 0; at < table.size(); at += 56) {
      int n = int(std::min<size_t>(56, table.size() - at));
      auto reply = Ask(command, int(at), table.data() + at, n);
      if (reply.size() < 64 || reply[7] != 0x55) return false;
    }
    return true;
  }

private:
  hid_device* handle_;
};

class Sim : public ::testing::Test {
protected:
  Sim() : world(kConfig) {}
  void SetUp() override { ASSERT_TRUE(world.Loaded()); }
  SimWorld world;
};

struct TableCase {
  const char* name;
  sim::Table table;
  int index;
  int readCommand;   // 0: only the control interface reads it
  int writeCommand;  // 0: only the control interface writes it
  size_t size;
};

const TableCase kTables[] = {
    {"DeviceInfo", sim::Table::DeviceInfo, 0, 0x12, 0, 56},
    {"Settings", sim::Table::Settings, 0, 0x14, 0x15, 64},
    {"FactoryKeyMap0", sim::Table::FactoryKeyMap, 0, 0x16, 0, 384},
    {"FactoryKeyMap3", sim::Table::FactoryKeyMap, 3, 0x19, 0, 384},
    {"KeyMap0", sim::Table::KeyMap, 0, 0x1A, 0x1B, 384},
    {"KeyMap1", sim::Table::KeyMap, 1, 0x1C, 0x1D, 384},
    {"KeyMap2", sim::Table::KeyMap, 2, 0x1E, 0x1F, 384},
    {"KeyMap3", sim::Table::KeyMap, 3, 0x20, 0x21, 384},
    {"ColourSet128", sim::Table::ColourSet, 0, 0x22, 0x23, 384},
    {"ColourSet130", sim::Table::ColourSet, 2, 0x26, 0x27, 384},
    {"ColourSet132", sim::Table::ColourSet, 4, 0x2A, 0x2B, 384},
    {"MacroMemory", sim::Table::MacroMemory, 0, 0, 0x2D, 4096},
    {"CanvasFrame", sim::Table::CanvasFrame, 0, 0, 0x2E, 214},
    {"Battery", sim::Table::Battery, 0, 0x30, 0, 56},
    {"LedIndexMap", sim::Table::LedIndexMap, 0, 0x32, 0, 128},
    {"LiveColours", sim::Table::LiveColours, 0, 0x34, 0, 384},
    {"LiveColoursOld", sim::Table::LiveColours, 0, 0x36, 0, 384},
    {"MatrixColours", sim::Table::MatrixColours, 0, 0x3A, 0x3B, 147},
    {"MatrixFrame", sim::Table::MatrixFrame, 0, 0, 0x3C, 98},
    {"KnobKeys", sim::Table::KnobKeys, 0, 0x3E, 0, 56},
};

class SimTables : public Sim, public ::testing::WithParamInterface<TableCase> {};

TEST_P(SimTables, WhatIsWrittenReadsBack) {
  const TableCase& c = GetParam();
  Link link("cable");
  ASSERT_TRUE(link.Open());
  auto data = Pattern(c.size, uint8_t(c.size + c.index));
  ASSERT_NE(data, Table("kb", c.table, c.index)) << "the pattern differs from the defaults";
  if (c.writeCommand) ASSERT_TRUE(link.WriteTable(uint8_t(c.writeCommand), data));
  else ASSERT_TRUE(sim::WriteTable("kb", c.table, c.index, data));
  std::vector<uint8_t> back;
  if (c.readCommand) ASSERT_TRUE(link.ReadTable(uint8_t(c.readCommand), c.size, back));
  else back = Table("kb", c.table, c.index);
  EXPECT_EQ(back, data);
}

INSTANTIATE_TEST_SUITE_P(Every, SimTables, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Sim, DeviceInformationDescribesTheModel) {
  auto info = Table("kb", sim::Table::DeviceInfo);
  ASSERT_EQ(info.size(), 56u);
  EXPECT_EQ(info[6] | (info[7] << 8), 0x0115);
  EXPECT_EQ(info[8], 2) << "protocol";
  EXPECT_EQ(info[13], 16) << "4 KB of macro memory";
  EXPECT_EQ(info[31], 1) << "matrix screen";
  EXPECT_EQ(info[37], 1) << "knob";
  auto old = Table("old", sim::Table::DeviceInfo);
  EXPECT_EQ(old[8], 1);
  EXPECT_EQ(old[31], 0);
  EXPECT_EQ(old[37], 0);
  auto keys = Table("kb", sim::Table::FactoryKeyMap, 0);
  EXPECT_EQ(std::vector<uint8_t>(keys.begin(), keys.begin() + 3), (std::vector<uint8_t>{0x10, 0, 41})) << "Esc";
  EXPECT_NE(Table("kb", sim::Table::FactoryKeyMap, 1), keys) << "the layers differ";
  EXPECT_EQ(Table("kb", sim::Table::KeyMap, 0), keys) << "current maps start as the factory's";
}

TEST_F(Sim, StateSurvivesARestart) {
  auto keys = Pattern(384, 11), settings = Pattern(64, 12), matrix = Pattern(147, 13);
  {
    Link link("cable");
    ASSERT_TRUE(link.WriteTable(0x1F, keys));
    ASSERT_TRUE(link.WriteTable(0x15, settings));
    ASSERT_TRUE(link.WriteTable(0x3B, matrix));
    ASSERT_EQ(link.Ask(0x11)[7], 0x55);  // ConfigEnd
  }
  ASSERT_TRUE(sim::WriteTable("kb", sim::Table::LiveColours, 0, Pattern(384, 1)));
  ASSERT_TRUE(sim::Restart());
  EXPECT_EQ(Table("kb", sim::Table::KeyMap, 2), keys);
  EXPECT_EQ(Table("kb", sim::Table::Settings), settings);
  EXPECT_EQ(Table("kb", sim::Table::MatrixColours), matrix);
  EXPECT_NE(Table("kb", sim::Table::LiveColours), Pattern(384, 1)) << "live colours are not kept";
  EXPECT_EQ(sim::StatePath(), world.Folder().File(L"sim.state"));
  EXPECT_FALSE(ReadText(sim::StatePath()).empty());
}

TEST_F(Sim, ChangesWithoutConfigEndAreSavedWhenTheHandleCloses) {
  auto keys = Pattern(384, 21);
  {
    Link link("cable");
    ASSERT_TRUE(link.WriteTable(0x1B, keys));
  }
  ASSERT_TRUE(sim::Restart());
  EXPECT_EQ(Table("kb", sim::Table::KeyMap, 0), keys);
}

TEST_F(Sim, DamagedStateFileKeepsTheDefaults) {
  auto defaults = Table("kb", sim::Table::KeyMap, 1);
  std::string hex64(128, 'a');
  WriteText(world.Folder().File(L"sim.state"),
            "kb keymap.1 zz\n"                       // not hex
            "kb keymap.2 0102\n"                     // wrong length
            "nobody settings " + hex64 + "\n"        // unknown keyboard
            "kb nothing " + hex64 + "\n"             // unknown table
            "garbage\n"
            "kb settings " + hex64 + "\n");          // good
  ASSERT_TRUE(sim::LoadConfig(world.ConfigPath()));
  EXPECT_EQ(Table("kb", sim::Table::KeyMap, 1), defaults);
  EXPECT_EQ(Table("kb", sim::Table::Settings), std::vector<uint8_t>(64, 0xAA));
}

TEST_F(Sim, ConfigurationErrorsAreRefused) {
  const char* bad[] = {
      "[keyboard a]\nmodel = toaster\n",
      "[keyboard a]\ncolour = red\n",
      "[usb u]\nkeyboard = missing\n",
      "[printer p]\n",
      "vid = 1\n",
      "[keyboard a]\nvid = 0x10000\n",
      "[usb u\n",
  };
  for (const char* text : bad) {
    WriteText(world.Folder().File(L"bad.ini"), text);
    EXPECT_FALSE(sim::LoadConfig(world.Folder().File(L"bad.ini"))) << text;
  }
  EXPECT_FALSE(sim::LoadConfig(world.Folder().File(L"missing.ini")));
  EXPECT_EQ(sim::Devices().size(), 5u) << "a refused file leaves the devices as they were";
}

TEST_F(Sim, EnvironmentVariableOrTheDefaultSet) {
  WriteText(world.Folder().File(L"env.ini"), "[keyboard a]\nvid = 0x3F1D\npid = 1\n[usb only]\nkeyboard = a\n");
  SetEnvironmentVariableW(L"QUENBY_SIM_CONFIG", world.Folder().File(L"env.ini").c_str());
  ASSERT_TRUE(sim::LoadConfig(L""));
  EXPECT_EQ(sim::Devices(), std::vector<std::string>{"only"});
  SetEnvironmentVariableW(L"QUENBY_SIM_CONFIG", nullptr);
  ASSERT_TRUE(sim::LoadConfig(L""));
  auto ids = sim::Devices();
  for (const char* id : {"cable-k102", "receiver-k101", "cable-k103", "cable-k150", "cable-k104", "cable-stranger"})
    EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
}

TEST_F(Sim, EnumerationListsEveryInterfaceOfPluggedDevices) {
  hid_device_info* list = hid_enumerate(0, 0);
  int vendor = 0, others = 0;
  bool sawSpare = false;
  for (hid_device_info* i = list; i; i = i->next) {
    std::string path = i->path;
    if (path == sim::InterfacePath("spare")) sawSpare = true;
    if (i->usage_page == 0xFF60 && i->usage == 0x61) {
      ++vendor;
      EXPECT_NE(path.find("&mi_01#"), std::string::npos) << path;
    } else {
      ++others;
    }
  }
  hid_free_enumeration(list);
  EXPECT_EQ(vendor, 4);
  EXPECT_EQ(others, 8) << "two non-vendor interfaces each";
  EXPECT_FALSE(sawSpare);
  EXPECT_EQ(hid_open_path(sim::InterfacePath("spare").c_str()), nullptr);

  ASSERT_TRUE(sim::SetPlugged("spare", true));
  list = hid_enumerate(0x3F1D, 0x1102);
  int count = 0;
  for (hid_device_info* i = list; i; i = i->next) ++count;
  hid_free_enumeration(list);
  EXPECT_EQ(count, 6) << "cable and spare, three interfaces each";

  sim::SetInitFails(true);
  EXPECT_EQ(hid_init(), -1);
  EXPECT_EQ(hid_enumerate(0, 0), nullptr);
  sim::SetInitFails(false);
  EXPECT_EQ(hid_init(), 0);
}

TEST_F(Sim, NonVendorInterfacesDoNotAnswer) {
  Link boot("cable", 0);
  ASSERT_TRUE(boot.Open());
  EXPECT_GT(boot.Write(0x12, 0, nullptr, 56), 0);
  std::vector<uint8_t> reply;
  EXPECT_EQ(boot.Read(reply), 0);
  sim::InterfaceCaps caps;
  ASSERT_TRUE(sim::QueryCaps(sim::InterfacePath("cable", 0), caps));
  EXPECT_EQ(caps.usagePage, 1);
  EXPECT_EQ(caps.usage, 6);
  ASSERT_TRUE(sim::QueryCaps(sim::InterfacePath("small"), caps));
  EXPECT_EQ(caps.outputReportLength, 33);
}

TEST_F(Sim, ReceiverAnswersForItsKeyboard) {
  Link link("dongle");
  auto d0 = link.Ask(0xD0);
  ASSERT_EQ(d0.size(), 64u);
  EXPECT_EQ(d0[1], 0xD0);
  EXPECT_EQ(d0[9] | (d0[10] << 8), 0x3F1D);
  EXPECT_EQ(d0[11] | (d0[12] << 8), 0x1101);
  EXPECT_NE(d0[13], 4) << "not linked";
  EXPECT_TRUE(link.Ask(0x12).empty()) << "an unlinked keyboard does not answer";
  auto begin = link.Ask(0x10);
  ASSERT_EQ(begin.size(), 64u);
  EXPECT_EQ(begin[9] | (begin[10] << 8), 0) << "no keyboard to name";

  ASSERT_TRUE(sim::SetLinked("dongle", true));
  std::vector<uint8_t> report;
  ASSERT_EQ(link.Read(report), 64) << "the unasked link report";
  EXPECT_EQ(report[1], 0xD0);
  EXPECT_EQ(report[13], 4);
  begin = link.Ask(0x10);
  EXPECT_EQ(begin[11] | (begin[12] << 8), 0x1101);
  auto info = link.Ask(0x12, 0, nullptr, 56);
  ASSERT_EQ(info.size(), 64u);
  EXPECT_EQ(info[7], 0x55);
  auto expected = Table("wireless", sim::Table::DeviceInfo);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), info.begin() + 8));
}

TEST_F(Sim, ReceiverWithProductIdZeroWhileLinked) {
  const std::string config = std::string(kConfig) + "\n[usb quirky]\nreceiver = wireless\nvid = 0x3F1D\npid = 0x5102\npid_zero = yes\n";
  WriteText(world.ConfigPath(), config);
  ASSERT_TRUE(sim::LoadConfig(world.ConfigPath()));
  Link link("quirky");
  auto d0 = link.Ask(0xD0);
  EXPECT_EQ(d0[13], 4);
  EXPECT_EQ(d0[11] | (d0[12] << 8), 0);
  auto begin = link.Ask(0x10);
  EXPECT_EQ(begin[11] | (begin[12] << 8), 0x1101);
}

TEST_F(Sim, OtherLinkAnswersLikeALinkedReceiver) {
  WriteText(world.ConfigPath(), std::string(kConfig) + "\n[usb air]\nlink = wireless\nvid = 0x3F1D\npid = 0x5201\n");
  ASSERT_TRUE(sim::LoadConfig(world.ConfigPath()));
  Link link("air");
  auto d0 = link.Ask(0xD0);
  ASSERT_EQ(d0.size(), 64u);
  EXPECT_EQ(d0[11] | (d0[12] << 8), 0x1101);
  EXPECT_EQ(d0[13], 4);
  EXPECT_EQ(link.Ask(0x14, 0, nullptr, 56)[7], 0x55);
}

TEST_F(Sim, ModelsAnswerOnlyWhatTheyHave) {
  Link old("old"), small("small"), cable("cable");
  EXPECT_EQ(old.Ask(0x34, 0, nullptr, 24)[7], 0x0F) << "protocol 1 has no 0x34";
  EXPECT_EQ(old.Ask(0x36, 0, nullptr, 24)[7], 0x55);
  EXPECT_EQ(old.Ask(0x3A, 0, nullptr, 24)[7], 0x0F) << "no matrix screen";
  EXPECT_EQ(old.Ask(0x3E, 0, nullptr, 24)[7], 0x0F) << "no knob";
  EXPECT_EQ(old.Ask(0x99)[7], 0x0F) << "unknown command";
  EXPECT_EQ(old.Ask(0xD0)[7], 0x0F) << "a cable is no receiver";

  uint8_t data[56] = {};
  EXPECT_EQ(cable.Ask(0x2E, 168, data, 46)[7], 0x55) << "a 214-byte canvas frame";
  EXPECT_EQ(cable.Ask(0x1B, 380, data, 8)[7], 0x0F) << "past the end of the key map";
  std::vector<uint8_t> reply;
  ASSERT_GT(small.Write(0x2E, 144, data, 20, 33), 0);
  ASSERT_EQ(small.Read(reply), 32) << "short reports";
  EXPECT_EQ(reply[7], 0x55) << "a 164-byte canvas frame ends at 164";
  ASSERT_GT(small.Write(0x2E, 168, data, 24, 33), 0);
  small.Read(reply);
  EXPECT_EQ(reply[7], 0x0F);
  ASSERT_GT(small.Write(0x15, 0, data, 56, 65), 0);
  small.Read(reply);
  EXPECT_EQ(reply[7], 0x0F) << "more data than a short report holds";
}

// Key index i lights LED i, so a model's keys must end where its light strips start:
// LED 87 on the basic board, LED 80 on the matrix board.
struct BoardCase {
  const char* model;
  int keys;
  bool keypad;
};

const BoardCase kBoards[] = {
    {"basic", 87, false}, {"matrix", 80, false}, {"frame164", 82, false}, {"restricted", 87, false}, {"legacy", 104, true},
};

TEST(SimBoards, KeysAndLedsOfEachModel) {
  std::string config;
  for (const BoardCase& b : kBoards) config += std::string("[keyboard ") + b.model + "]\nmodel = " + b.model + "\n";
  SimWorld world(config);
  ASSERT_TRUE(world.Loaded());
  // Layer 0's actions by key index, and the usages of plain keys.
  auto actions = [](const std::string& id) {
    auto map = Table(id, sim::Table::FactoryKeyMap, 0);
    std::vector<std::vector<uint8_t>> out;
    for (size_t i = 0; i + 3 <= map.size(); i += 3) out.push_back({map[i], map[i + 1], map[i + 2]});
    return out;
  };
  auto usages = [&](const std::string& id) {
    std::vector<int> out;
    for (auto& a : actions(id)) {
      if (a[0] == 0x10 && a[1] == 0 && a[2] != 0) out.push_back(a[2]);
    }
    return out;
  };
  auto isKeypad = [](int u) { return u >= 0x53 && u <= 0x63; };
  const auto fullSize = actions("legacy");

  for (const BoardCase& b : kBoards) {
    SCOPED_TRACE(b.model);
    auto map = actions(b.model);
    auto knob = Table(b.model, sim::Table::KnobKeys);
    const int knobKeys = std::string(b.model) == "matrix" ? 3 : 0;
    for (int a = 0; a < knobKeys; ++a) EXPECT_EQ(knob.at(size_t(a)), b.keys + a) << "knob keys follow the keys";
    for (int i = 0; i < int(map.size()); ++i) {
      bool empty = map[size_t(i)] == std::vector<uint8_t>{0, 0, 0};
      EXPECT_EQ(empty, i >= b.keys + knobKeys) << "key index " << i;
    }
    auto leds = Table(b.model, sim::Table::LedIndexMap);
    ASSERT_EQ(leds.size(), 128u);
    for (int i = 0; i < 128; ++i) EXPECT_EQ(leds[size_t(i)], i < b.keys ? i : 0xFF) << "LED of key index " << i;

    auto keys = usages(b.model);
    std::vector<int> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "each key once";
    EXPECT_EQ(std::any_of(keys.begin(), keys.end(), isKeypad), b.keypad);
    for (int u : {41, 58, 69, 30, 39, 4, 29, 40, 42, 43, 44, 57, 79, 80, 81, 82})  // Esc F1 F12 1 0 A Z Enter ... arrows
      EXPECT_NE(std::find(keys.begin(), keys.end(), u), keys.end()) << "usage " << u;
    auto all = actions(b.model);
    for (uint8_t mod : {0x01, 0x02, 0x04, 0x08, 0x20, 0x40, 0x10})
      EXPECT_NE(std::find(all.begin(), all.end(), std::vector<uint8_t>{0x10, mod, 0}), all.end()) << "modifier " << int(mod);
  }

  // Tenkeyless: the full-size board's keys in the same order, the keypad left out.
  std::vector<std::vector<uint8_t>> tenkeyless;
  for (auto& a : fullSize) {
    if (!(a[0] == 0x10 && a[1] == 0 && isKeypad(a[2])) && a != std::vector<uint8_t>{0, 0, 0}) tenkeyless.push_back(a);
  }
  ASSERT_EQ(tenkeyless.size(), 87u);
  for (const char* model : {"basic", "restricted"}) {
    auto map = actions(model);
    map.resize(87);
    EXPECT_EQ(map, tenkeyless) << model;
  }
}

TEST_F(Sim, FactoryResetRestoresTheMaps) {
  Link link("cable");
  ASSERT_TRUE(link.WriteTable(0x1D, Pattern(384, 4)));
  EXPECT_EQ(link.Ask(0x31, 0, nullptr, 56)[7], 0x55);
  EXPECT_EQ(Table("kb", sim::Table::KeyMap, 1), Table("kb", sim::Table::FactoryKeyMap, 1));
}

struct RawFault {
  const char* name;
  FaultKind kind;
  int writeResult;                 // > 0 or -1
  std::vector<int> readResults;    // successive reads after the write
  int firstStatus;                 // status of the first reply read, -1 = none
  bool carriedOut;
};

class SimFaults : public Sim, public ::testing::WithParamInterface<RawFault> {};

TEST_P(SimFaults, OneWriteOfTheSettings) {
  const RawFault& c = GetParam();
  Link link("cable");
  const auto before = Table("kb", sim::Table::Settings);
  auto data = Pattern(56, 77);
  ASSERT_TRUE(sim::AddFault("cable", {c.kind, 0x15, 0, 1}));
  EXPECT_EQ(link.Write(0x15, 0, data.data(), 56) > 0 ? 1 : -1, c.writeResult);
  int firstStatus = -1;
  for (size_t i = 0; i < c.readResults.size(); ++i) {
    std::vector<uint8_t> reply;
    int n = link.Read(reply);
    EXPECT_EQ(n, c.readResults[i]) << "read " << i;
    if (n > 0 && firstStatus == -1 && reply[1] != 0xD0) firstStatus = reply[7];
  }
  EXPECT_EQ(firstStatus, c.firstStatus);
  auto after = Table("kb", sim::Table::Settings);
  EXPECT_EQ(std::equal(data.begin(), data.end(), after.begin()), c.carriedOut);
  if (!c.carriedOut) {
    EXPECT_EQ(after, before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SimFaults,
    ::testing::Values(RawFault{"Refuse", FaultKind::Refuse, 1, {64, 0}, 0x0F, false},
                      RawFault{"NoVerdict", FaultKind::NoVerdict, 1, {64, 0}, 0x00, false},
                      RawFault{"NoReply", FaultKind::NoReply, 1, {0, 0}, -1, false},
                      RawFault{"LateReply", FaultKind::LateReply, 1, {0, 64, 0}, 0x55, true},
                      RawFault{"WrongEcho", FaultKind::WrongEcho, 1, {64, 0}, 0x55, true},
                      RawFault{"WriteError", FaultKind::WriteError, -1, {0}, -1, false},
                      RawFault{"ReadError", FaultKind::ReadError, 1, {-1, 0}, -1, true},
                      RawFault{"LinkReportBefore", FaultKind::LinkReportBefore, 1, {64, 64, 0}, 0x55, true},
                      RawFault{"LinkReportInstead", FaultKind::LinkReportInstead, 1, {64, 0}, -1, false},
                      RawFault{"Unplug", FaultKind::Unplug, -1, {-1}, -1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Sim, FaultsCountMatchingReports) {
  Link link("cable");
  // Every third report of any command is refused, twice.
  ASSERT_TRUE(sim::AddFault("cable", {FaultKind::Refuse, -1, 2, 2}));
  std::vector<int> statuses;
  for (int i = 0; i < 6; ++i) statuses.push_back(link.Ask(i % 2 ? 0x12 : 0x14, 0, nullptr, 8)[7]);
  EXPECT_EQ(statuses, (std::vector<int>{0x55, 0x55, 0x0F, 0x0F, 0x55, 0x55}));
  sim::ClearFaults();
  EXPECT_EQ(link.Ask(0x12)[7], 0x55);
}

TEST_F(Sim, UnplugLeavesDeadHandlesAndPlugInOpensAgain) {
  Link first("cable");
  ASSERT_TRUE(sim::SetPlugged("cable", false));
  EXPECT_EQ(first.Write(0x12, 0, nullptr, 56), -1);
  std::vector<uint8_t> reply;
  EXPECT_EQ(first.Read(reply), -1);
  ASSERT_TRUE(sim::SetPlugged("cable", true));
  EXPECT_EQ(first.Write(0x12, 0, nullptr, 56), -1) << "a handle of the old connection stays dead";
  Link second("cable");
  EXPECT_EQ(second.Ask(0x12, 0, nullptr, 56)[7], 0x55);
  EXPECT_EQ(sim::OpenHandles("cable"), 2);
}

TEST_F(Sim, LogKeepsEveryReportInOrder) {
  Link link("cable");
  sim::ClearLog();
  link.Ask(0x12, 0, nullptr, 56);
  std::vector<uint8_t> reply;
  link.Read(reply, 7);
  auto log = sim::Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_TRUE(log[0].write);
  EXPECT_EQ(log[0].bytes.size(), 65u);
  EXPECT_EQ(Command(log[0]), 0x12);
  EXPECT_FALSE(log[1].write);
  EXPECT_EQ(log[1].result, 64);
  EXPECT_EQ(log[1].timeoutMs, 200);
  EXPECT_EQ(log[1].bytes[1], 0x12);
  EXPECT_EQ(log[2].result, 0);
  EXPECT_EQ(log[2].timeoutMs, 7);
  EXPECT_EQ(log[2].device, "cable");
  EXPECT_EQ(log[2].interfaceNumber, 1);
}

}  // namespace

// The private folder goes with what the tests and the code they drive put in it, nested
// folders and read-only files included: many tests share one process and one temp folder.
TEST(TempFolder, LeavesNothingBehind) {
  std::wstring path;
  {
    TempFolder folder;
    path = folder.Path();
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"db").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"db\\deeper").c_str(), nullptr));
    WriteText(folder.File(L"top.txt"), "a");
    WriteText(folder.File(L"db\\deeper\\inner.txt"), "b");
    ASSERT_TRUE(SetFileAttributesW(folder.File(L"db\\deeper\\inner.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  }
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}
