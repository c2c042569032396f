// Enumeration, receivers, lookups and the choice of interface, against the simulator.
#include <gtest/gtest.h>
#include <algorithm>
#include "device/TransportRig.h"

using namespace simtest;
using sim::FaultKind;

namespace {

// k101 is reached by cable and through a receiver, k102 by cable; a stranger keyboard of
// another vendor has the same vendor interface.
std::string Config(const std::string& dongleExtra = "", const std::string& extra = "") {
  return R"(
[keyboard k101]
model = basic
vid = 0x3F1D
pid = 0x1101
battery = 77
charging = 1

[keyboard k102]
model = matrix
vid = 0x3F1D
pid = 0x1102

[keyboard stranger]
model = basic
vid = 0x7E57
pid = 0x0001

[usb cable-k102]
keyboard = k102
vid = 0x3F1D
pid = 0x1102
product = Quenby K102
other_interfaces = 3

[usb stranger]
keyboard = stranger
vid = 0x7E57
pid = 0x0001

[usb dongle]
receiver = k101
vid = 0x3F1D
pid = 0x5101
product = Quenby Receiver
)" + dongleExtra + "\n" + extra;
}

const char* kCableK101 = R"(
[usb cable-k101]
keyboard = k101
vid = 0x3F1D
pid = 0x1101
)";

void AddCatalogue(DeviceTransport& t) {
  t.AddKnownDevice(0x3F1D, 0x1101, L"", 101, kLinkWired);
  t.AddKnownDevice(0x3F1D, 0x1102, L"", 102, kLinkWired);
  t.AddKnownDevice(0x3F1D, 0x5101, L"", 101, kLinkReceiver);
}

const HidDeviceRecord* RecordOf(const DeviceTransport& t, const std::string& device) {
  std::string path = sim::InterfacePath(device);
  for (auto& r : t.Records()) {
    if (r->path == path) return r.get();
  }
  return nullptr;
}

std::string DeviceOfLastWrite() {
  auto w = Writes();
  return w.empty() ? std::string() : w.back().device;
}

TEST(DeviceManager, FindsOnlyTheVendorInterfacesOfCatalogueDevices) {
  SimWorld world(Config());
  TransportRig rig;
  AddCatalogue(rig.transport);
  rig.transport.EnumerateDevice();

  ASSERT_EQ(rig.transport.Records().size(), 2u);
  const HidDeviceRecord* cable = RecordOf(rig.transport, "cable-k102");
  const HidDeviceRecord* dongle = RecordOf(rig.transport, "dongle");
  ASSERT_TRUE(cable && dongle);
  EXPECT_EQ(cable->model, 102);
  EXPECT_EQ(cable->linkMode, kLinkWired);
  EXPECT_EQ(cable->linked, 1);
  EXPECT_EQ(cable->productName, L"Quenby K102");
  EXPECT_EQ(dongle->model, 101) << "the keyboard behind the receiver";
  EXPECT_EQ(dongle->linkMode, kLinkReceiver);
  EXPECT_EQ(dongle->linked, 1);
  EXPECT_EQ(dongle->batteryLevel, 77);
  EXPECT_EQ(dongle->batteryState, 1);
  EXPECT_EQ(dongle->index, 1);

  for (auto& e : sim::Log()) {
    EXPECT_NE(e.device, "stranger") << "a device outside the catalogue is never opened";
    EXPECT_EQ(e.interfaceNumber, 1) << "only vendor interfaces are talked to";
  }
  EXPECT_EQ(std::count(rig.sleeps.begin(), rig.sleeps.end(), 200u), 2) << "200 ms before each open";
  EXPECT_EQ(sim::OpenHandles("cable-k102"), 1);

  rig.transport.CloseAll();
  EXPECT_TRUE(rig.transport.Records().empty());
  EXPECT_EQ(sim::OpenHandles("cable-k102"), 0);
  EXPECT_EQ(sim::OpenHandles("dongle"), 0);
}

TEST(DeviceManager, UnlinkedReceiverKeepsItsModelButGivesNoHandle) {
  SimWorld world(Config("linked = no"));
  TransportRig rig;
  AddCatalogue(rig.transport);
  rig.Open(101);
  const HidDeviceRecord* dongle = RecordOf(rig.transport, "dongle");
  ASSERT_TRUE(dongle);
  EXPECT_EQ(dongle->model, 101);
  EXPECT_EQ(dongle->linked, 0);
  EXPECT_EQ(dongle->batteryLevel, 100) << "no battery query while unlinked";
  EXPECT_EQ(rig.transport.GetConnectionKind(), 1);
  EXPECT_EQ(rig.transport.GetLinkState(101, kLinkReceiver), 0);
  EXPECT_EQ(rig.transport.GetCurrentHandle(), nullptr);
  DeviceReport report(kCmdConfigBegin);
  EXPECT_FALSE(rig.transport.SendCommand(report));
  EXPECT_TRUE(Writes().empty());
}

TEST(DeviceManager, ProductIdZeroIsAskedAgainWithConfigBegin) {
  SimWorld world(Config("pid_zero = yes"));
  TransportRig rig;
  AddCatalogue(rig.transport);
  rig.transport.EnumerateDevice();
  const HidDeviceRecord* dongle = RecordOf(rig.transport, "dongle");
  ASSERT_TRUE(dongle);
  EXPECT_EQ(dongle->model, 101);
  std::vector<int> commands;
  for (auto& w : Writes("dongle")) commands.push_back(Command(w));
  // 0xD0 names product 0, ConfigBegin names the keyboard; then the battery query.
  EXPECT_EQ(commands, (std::vector<int>{0xD0, 0x10, 0x10, 0x30, 0x11}));
}

struct HandleCase {
  const char* name;
  std::string dongle;  // extra lines of the receiver's section
  std::string extra;   // more devices
  int receiverMode;    // catalogue link mode of the receiver's ids
  const char* expectDevice;
  DWORD expectDelay;
};

class HandleChoice : public ::testing::TestWithParam<HandleCase> {};

TEST_P(HandleChoice, DeviceAndDelay) {
  const HandleCase& c = GetParam();
  SimWorld world(Config(c.dongle, c.extra));
  TransportRig rig;
  rig.transport.AddKnownDevice(0x3F1D, 0x1101, L"", 101, kLinkWired);
  rig.transport.AddKnownDevice(0x3F1D, 0x5101, L"", 101, c.receiverMode);
  rig.Open(101);
  DeviceReport report(kCmdConfigBegin);
  bool ok = rig.transport.SendCommand(report);
  if (!*c.expectDevice) {
    EXPECT_FALSE(ok);
    EXPECT_TRUE(Writes().empty());
    return;
  }
  EXPECT_TRUE(ok);
  EXPECT_EQ(DeviceOfLastWrite(), c.expectDevice);
  EXPECT_EQ(rig.sleeps, std::vector<DWORD>{c.expectDelay});
  EXPECT_EQ(rig.transport.GetDelay(), int(c.expectDelay));
}

INSTANTIATE_TEST_SUITE_P(
    Table, HandleChoice,
    ::testing::Values(HandleCase{"CableBeatsReceiver", "", kCableK101, kLinkReceiver, "cable-k101", 2},
                      HandleCase{"ReceiverOnly", "", "", kLinkReceiver, "dongle", 6},
                      HandleCase{"UnlinkedReceiverOnly", "linked = no", "", kLinkReceiver, "", 0},
                      HandleCase{"OtherLinkIsTimedLikeACable", "", "", kLinkOther, "dongle", 2},
                      HandleCase{"ShortReportReceiver", "reports = short", "", kLinkReceiver, "dongle", 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceManager, HidInitFailureMeansNoDevices) {
  SimWorld world(Config());
  sim::SetInitFails(true);
  {
    TransportRig rig;
    AddCatalogue(rig.transport);
    EXPECT_FALSE(rig.transport.IsHidReady());
    rig.transport.EnumerateDevice();
    std::vector<HidDeviceRecord*> records;
    EXPECT_FALSE(rig.transport.GetModelDevices(records));
    EXPECT_EQ(rig.transport.GetConnectionKind(), -1);
    uint8_t buffer[65] = {};
    int model = 0;
    EXPECT_FALSE(rig.transport.GetDeviceNotify(buffer, model));
  }
  sim::SetInitFails(false);
}

TEST(DeviceManager, CatalogueProductStringsAdmitAndIdentifyTheInterface) {
  SimWorld world(Config());
  TransportRig rig;
  rig.transport.AddKnownDevice(0x3F1D, 0x1102, L"Another Name", 150, kLinkOther);
  rig.transport.AddKnownDevice(0x3F1D, 0x1102, L"Quenby K102", 102, kLinkWired);
  rig.transport.EnumerateDevice();
  ASSERT_EQ(rig.transport.Records().size(), 1u);
  const HidDeviceRecord& r = *rig.transport.Records()[0];
  EXPECT_EQ(r.model, 102) << "looked up with the interface's own product string";
  EXPECT_EQ(r.linkMode, kLinkWired);
  EXPECT_EQ(rig.transport.FindLinkState(0x3F1D, 0x1102, L"Quenby K102", kLinkWired), 1);
  EXPECT_EQ(rig.transport.FindLinkState(0x3F1D, 0x1102, L"", kLinkWired), 1);
  EXPECT_EQ(rig.transport.FindLinkState(0x3F1D, 0x1102, L"Another Name", kLinkWired), -1);
  EXPECT_EQ(rig.transport.FindLinkState(0x3F1D, 0x1102, L"Quenby K102", kLinkOther), -1);
}

TEST(DeviceManager, FirstOfTwoEntriesWithTheSameIdsDecides) {
  SimWorld world(Config());
  TransportRig rig;
  rig.transport.AddKnownDevice(0x3F1D, 0x1102, L"", 102, kLinkWired);
  rig.transport.AddKnownDevice(0x3F1D, 0x1102, L"", 160, kLinkOther);
  EXPECT_EQ(rig.transport.GetKnownModel(0x3F1D, 0x1102, L"x"), 102);
  EXPECT_EQ(rig.transport.GetKnownMode(0x3F1D, 0x1102, L"x"), kLinkWired);
  EXPECT_FALSE(rig.transport.IsProduct(0x3F1D, 0x9999, L""));
  EXPECT_EQ(rig.transport.GetKnownModel(0x3F1D, 0x9999, L""), 0);
}

TEST(DeviceManager, LookupsByModel) {
  SimWorld world(Config("", kCableK101));
  TransportRig rig;
  AddCatalogue(rig.transport);
  rig.transport.EnumerateDevice();
  std::vector<HidDeviceRecord*> all, k101;
  ASSERT_TRUE(rig.transport.GetModelDevices(all));
  EXPECT_EQ(all.size(), 3u);
  rig.transport.SetCurrentModel(101);
  ASSERT_TRUE(rig.transport.GetModelDevices(k101));
  EXPECT_EQ(k101.size(), 2u);
  EXPECT_EQ(rig.transport.GetConnectionKind(), 0);
  EXPECT_EQ(rig.transport.GetLinkState(101, kLinkReceiver), 1);
  EXPECT_EQ(rig.transport.GetLinkState(102, kLinkReceiver), -1);
  rig.transport.SetCurrentModel(555);
  EXPECT_EQ(rig.transport.GetConnectionKind(), -1);
}

TEST(DeviceManager, BatteryOfAKeyboardBehindItsReceiver) {
  SimWorld world(Config());
  TransportRig rig;
  AddCatalogue(rig.transport);
  rig.transport.EnumerateDevice();
  int level = 0, state = 0;
  ASSERT_TRUE(rig.transport.GetBattery(101, level, state));
  EXPECT_EQ(level, 77);
  EXPECT_EQ(state, 1);
  EXPECT_FALSE(rig.transport.GetBattery(103, level, state));
}

class Notify : public ::testing::Test {
protected:
  Notify() : world(Config()) {}
  void SetUp() override {
    AddCatalogue(rig.transport);
    rig.transport.SetNotifyWindow(sink.Handle());
    rig.Open(101);
    ASSERT_NE(rig.transport.GetCurrentHandle(), nullptr);
  }
  SimWorld world;
  TransportRig rig;
  MessageSink sink;
  uint8_t buffer[65] = {};
  int model = -1;
};

TEST_F(Notify, NothingPendingGivesFalse) {
  EXPECT_FALSE(rig.transport.GetDeviceNotify(buffer, model));
  EXPECT_EQ(model, -1);
  auto reads = Reads("dongle");
  ASSERT_EQ(reads.size(), 1u) << "only receivers are polled";
  EXPECT_EQ(reads[0].timeoutMs, 5);
}

TEST_F(Notify, UnlinkReportUpdatesTheRecordWithoutPosting) {
  ASSERT_TRUE(sim::SetLinked("dongle", false));
  ASSERT_TRUE(rig.transport.GetDeviceNotify(buffer, model));
  EXPECT_EQ(model, 101);
  EXPECT_EQ(buffer[1], 0xD0);
  EXPECT_EQ(rig.transport.GetLinkState(101, kLinkReceiver), 0);
  EXPECT_EQ(rig.transport.GetCurrentHandle(), nullptr) << "the unlinked receiver is no longer chosen";
  EXPECT_TRUE(sink.Take(UM_DEVICE_LINK).empty());
}

TEST_F(Notify, LinkReportWithProductIdZeroAsksAgainAndReadsTheBattery) {
  ASSERT_TRUE(sim::SetLinked("dongle", false));
  ASSERT_TRUE(rig.transport.GetDeviceNotify(buffer, model));
  std::vector<uint8_t> report(64, 0);
  report[0] = 0xAA, report[1] = 0xD0, report[9] = 0x1D, report[10] = 0x3F, report[13] = 4;  // pid 0
  ASSERT_TRUE(sim::SetLinked("dongle", true, false));
  ASSERT_TRUE(sim::WriteTable("k101", sim::Table::Battery, 0, {55, 2}));
  ASSERT_TRUE(sim::SendUnasked("dongle", report));
  sim::ClearLog();
  ASSERT_TRUE(rig.transport.GetDeviceNotify(buffer, model));
  EXPECT_EQ(model, 101);
  std::vector<int> commands;
  for (auto& w : Writes("dongle")) commands.push_back(Command(w));
  EXPECT_EQ(commands, (std::vector<int>{0x10, 0x10, 0x30, 0x11}));
  int level = 0, state = 0;
  ASSERT_TRUE(rig.transport.GetBattery(101, level, state));
  EXPECT_EQ(level, 55);
  EXPECT_EQ(state, 2);
  EXPECT_NE(rig.transport.GetCurrentHandle(), nullptr);
}

TEST_F(Notify, OtherDataIsHandedBackWithoutAModel) {
  ASSERT_TRUE(sim::SendUnasked("dongle", {0xAA, 0x55, 1, 2, 3}));
  ASSERT_TRUE(rig.transport.GetDeviceNotify(buffer, model));
  EXPECT_EQ(model, -1);
  EXPECT_EQ(buffer[1], 0x55);
  EXPECT_EQ(rig.transport.GetLinkState(101, kLinkReceiver), 1);
}

TEST(DeviceManager, UnplugMidTransferFailsCleanlyUntilTheNextRefresh) {
  SimWorld world(Config());
  TransportRig rig;
  AddCatalogue(rig.transport);
  rig.Open(102);
  ASSERT_TRUE(sim::AddFault("cable-k102", {FaultKind::Unplug, ReadKeyMapCommand(0), 2, 1}));
  std::vector<uint8_t> buffer(384, 0xEE);
  EXPECT_FALSE(rig.transport.Transfer(ReadKeyMapCommand(0), buffer.data(), 384));
  EXPECT_EQ(buffer, std::vector<uint8_t>(384, 0xEE));
  DeviceReport report(kCmdConfigEnd);
  EXPECT_FALSE(rig.transport.SendCommand(report)) << "the dead handle fails at the write";

  // The hot-plug refresh: close everything, enumerate again.
  rig.transport.CloseAll();
  EXPECT_EQ(sim::OpenHandles("cable-k102"), 0);
  rig.transport.EnumerateDevice();
  EXPECT_EQ(RecordOf(rig.transport, "cable-k102"), nullptr) << "gone from the enumeration";
  ASSERT_TRUE(sim::SetPlugged("cable-k102", true));
  rig.transport.CloseAll();
  rig.transport.EnumerateDevice();
  rig.transport.SetCurrentModel(102);
  EXPECT_TRUE(rig.transport.Transfer(ReadKeyMapCommand(0), buffer.data(), 384));
  EXPECT_EQ(buffer, Table("k102", sim::Table::KeyMap, 0));
}

TEST(DeviceManager, CloseAllForgetsTheChosenInterface) {
  SimWorld world(Config());
  TransportRig rig;
  AddCatalogue(rig.transport);
  rig.Open(102);
  ASSERT_NE(rig.transport.GetCurrentHandle(), nullptr);
  rig.transport.CloseAll();
  EXPECT_FALSE(rig.transport.IsOpen());
  EXPECT_EQ(rig.transport.GetCurrentHandle(), nullptr) << "no handle of a closed record survives";
  DeviceReport report(kCmdConfigBegin);
  EXPECT_FALSE(rig.transport.SendCommand(report));
}

TEST(DeviceManager, ReportLengthsComeFromTheCapabilities) {
  SimWorld world(Config("reports = short"));
  {
    TransportRig rig;
    AddCatalogue(rig.transport);
    rig.transport.EnumerateDevice();
    const HidDeviceRecord* dongle = RecordOf(rig.transport, "dongle");
    ASSERT_TRUE(dongle);
    EXPECT_EQ(dongle->outputReportLength, 33);
    EXPECT_EQ(dongle->inputReportLength, 33);
    EXPECT_EQ(dongle->ChunkSize(), 24);
    EXPECT_EQ(RecordOf(rig.transport, "cable-k102")->ChunkSize(), 56);
  }
  {
    TransportRig rig;  // capabilities that cannot be read: full-size reports
    rig.transport.SetCapsQuery(nullptr);
    AddCatalogue(rig.transport);
    rig.transport.EnumerateDevice();
    EXPECT_EQ(RecordOf(rig.transport, "dongle")->outputReportLength, 65);
  }
}

TEST(DeviceManager, ArrivalIsConfirmedThroughTheCapabilityQuery) {
  SimWorld world(Config());
  TransportRig rig;
  HidInterfaceCaps caps;
  ASSERT_TRUE(rig.transport.QueryInterfaceCaps(sim::InterfacePath("cable-k102"), caps));
  EXPECT_TRUE(IsVendorInterface(caps));
  ASSERT_TRUE(rig.transport.QueryInterfaceCaps(sim::InterfacePath("cable-k102", 0), caps));
  EXPECT_FALSE(IsVendorInterface(caps)) << "the keyboard's boot interface";
  std::string upper = sim::InterfacePath("cable-k102");
  std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
  EXPECT_TRUE(rig.transport.QueryInterfaceCaps(upper, caps)) << "notification paths come upper-cased";
  EXPECT_FALSE(rig.transport.QueryInterfaceCaps("\\\\?\\hid#nothing", caps));
}

}  // namespace
