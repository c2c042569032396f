// The report exchange against the simulated keyboard: framing, chunking, retries,
// verdicts, echoes, link reports and failures.
#include <gtest/gtest.h>
#include <algorithm>
#include "device/TransportRig.h"

using namespace simtest;
using sim::FaultKind;

namespace {

const char* kConfig = R"(
[keyboard kb]
model = matrix
vid = 0x3F1D
pid = 0x1102

[keyboard slim]
model = basic
vid = 0x3F1D
pid = 0x1120

[usb cable]
keyboard = kb
vid = 0x3F1D
pid = 0x1102
product = Test Keyboard

[usb short]
keyboard = slim
vid = 0x3F1D
pid = 0x1120
reports = short
)";

class Exchange : public ::testing::Test {
protected:
  Exchange() : world(kConfig) {}
  void SetUp() override {
    ASSERT_TRUE(world.Loaded());
    rig.transport.AddKnownDevice(0x3F1D, 0x1102, L"", 102, kLinkWired);
    rig.transport.AddKnownDevice(0x3F1D, 0x1120, L"", 120, kLinkWired);
    rig.Open(102);
  }
  DeviceTransport& t() { return rig.transport; }
  std::vector<sim::LogEntry> WritesOf(int command) {
    std::vector<sim::LogEntry> out;
    for (auto& e : Writes()) {
      if (Command(e) == command) out.push_back(e);
    }
    return out;
  }

  SimWorld world;
  TransportRig rig;
};

TEST_F(Exchange, ReadSplitsTheTableIntoChunksAtTheirOffsets) {
  std::vector<uint8_t> buffer(147, 0xEE);
  ASSERT_TRUE(t().Transfer(kCmdReadMatrixColours, buffer.data(), 147));
  EXPECT_EQ(buffer, Table("kb", sim::Table::MatrixColours));
  auto writes = WritesOf(kCmdReadMatrixColours);
  ASSERT_EQ(writes.size(), 3u);
  const int offsets[] = {0, 56, 112}, lengths[] = {56, 56, 35};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Offset(writes[i]), offsets[i]);
    EXPECT_EQ(Length(writes[i]), lengths[i]);
    EXPECT_EQ(writes[i].bytes.size(), 65u) << "full-size output report";
    EXPECT_EQ(writes[i].bytes[0], 0) << "report id 0";
    EXPECT_EQ(writes[i].bytes[1], 0xAA);
  }
}

TEST_F(Exchange, WriteCarriesEachChunksOwnBytesAndTheDeviceKeepsThem) {
  auto data = Pattern(147, 3);
  auto buffer = data;
  ASSERT_TRUE(t().TransferChecked(kCmdWriteMatrixColours, buffer.data(), 147));
  EXPECT_EQ(Table("kb", sim::Table::MatrixColours), data);
  EXPECT_EQ(buffer, data) << "the device echoes the written data";
  for (auto& w : WritesOf(kCmdWriteMatrixColours)) {
    std::vector<uint8_t> sent(w.bytes.begin() + 9, w.bytes.begin() + 9 + Length(w));
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), data.begin() + Offset(w))) << "offset " << Offset(w);
  }
}

TEST_F(Exchange, LengthZeroSendsNothing) {
  uint8_t byte = 0x42;
  EXPECT_FALSE(t().Transfer(kCmdReadDeviceInfo, &byte, 0));
  EXPECT_FALSE(t().TransferChecked(kCmdCanvasFrame, &byte, 0));
  EXPECT_TRUE(Writes().empty());
  EXPECT_EQ(byte, 0x42);
}

// ---- faults, as a table: a 147-byte read with 0x3A into a buffer of 0xEE ----

struct FaultCase {
  const char* name;
  bool checked;
  FaultKind kind;
  int skip;
  int times;
  bool ok;
  size_t writes;
};

const FaultCase kFaultCases[] = {
    {"SixRefusalsOnTheFirstChunk", false, FaultKind::Refuse, 0, 6, false, 6},
    {"FiveRefusalsThenAccepted", false, FaultKind::Refuse, 0, 5, true, 8},
    {"SixNoVerdictsOnTheFirstChunk", false, FaultKind::NoVerdict, 0, 6, false, 6},
    {"SixNoVerdictsAfterAnAcceptedChunk", false, FaultKind::NoVerdict, 1, 6, false, 7},
    {"SixRefusalsOnTheLastChunk", false, FaultKind::Refuse, 2, 6, false, 8},
    {"LostReplyEndsAPlainTransfer", false, FaultKind::NoReply, 1, 1, false, 2},
    {"ReadErrorEndsAPlainTransfer", false, FaultKind::ReadError, 0, 1, false, 1},
    {"WriteErrorEndsAPlainTransfer", false, FaultKind::WriteError, 1, 1, false, 2},
    {"UnplugInTheMiddle", false, FaultKind::Unplug, 1, 1, false, 2},
    {"PlainTransferDoesNotCheckEchoes", false, FaultKind::WrongEcho, 0, 1, true, 3},
    {"LinkReportAheadOfAReplyIsNotTheReply", false, FaultKind::LinkReportBefore, 0, 1, true, 3},
    {"LinkReportInsteadOfAReplyEndsAPlainTransfer", false, FaultKind::LinkReportInstead, 1, 1, false, 2},
    {"CheckedLostRepliesAreTries", true, FaultKind::NoReply, 0, 5, true, 8},
    {"CheckedSixLostReplies", true, FaultKind::NoReply, 0, 6, false, 6},
    {"CheckedWrongEchoIsATry", true, FaultKind::WrongEcho, 0, 1, true, 4},
    {"CheckedSixWrongEchoes", true, FaultKind::WrongEcho, 1, 6, false, 7},
    {"CheckedReadErrorIsATry", true, FaultKind::ReadError, 0, 1, true, 4},
    {"CheckedWriteErrorEnds", true, FaultKind::WriteError, 1, 1, false, 2},
    {"CheckedSixRefusals", true, FaultKind::Refuse, 0, 6, false, 6},
    {"CheckedLinkReportInsteadIsATry", true, FaultKind::LinkReportInstead, 0, 1, true, 4},
    {"CheckedLinkReportAheadOfAReplyIsNotTheReply", true, FaultKind::LinkReportBefore, 1, 1, true, 3},
    {"CheckedSixNoVerdictsAfterAnAcceptedChunk", true, FaultKind::NoVerdict, 1, 6, false, 7},
};

class ExchangeFaults : public Exchange, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ExchangeFaults, ResultWritesAndBuffer) {
  const FaultCase& c = GetParam();
  ASSERT_TRUE(sim::AddFault("cable", {c.kind, kCmdReadMatrixColours, c.skip, c.times}));
  std::vector<uint8_t> buffer(147, 0xEE);
  bool ok = c.checked ? t().TransferChecked(kCmdReadMatrixColours, buffer.data(), 147)
                      : t().Transfer(kCmdReadMatrixColours, buffer.data(), 147);
  EXPECT_EQ(ok, c.ok);
  EXPECT_EQ(WritesOf(kCmdReadMatrixColours).size(), c.writes);
  if (c.ok) {
    EXPECT_EQ(buffer, Table("kb", sim::Table::MatrixColours));
  } else {
    EXPECT_EQ(buffer, std::vector<uint8_t>(147, 0xEE)) << "a failed transfer leaves the buffer alone";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ExchangeFaults, ::testing::ValuesIn(kFaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Exchange, AChunkNeverAcceptedFailsTheWriteWithoutShiftingLaterData) {
  const auto before = Table("kb", sim::Table::MatrixColours);
  auto data = Pattern(147, 9);
  auto buffer = data;
  ASSERT_TRUE(sim::AddFault("cable", {FaultKind::NoVerdict, kCmdWriteMatrixColours, 1, 6}));
  EXPECT_FALSE(t().Transfer(kCmdWriteMatrixColours, buffer.data(), 147));
  EXPECT_EQ(buffer, data);
  auto table = Table("kb", sim::Table::MatrixColours);
  EXPECT_TRUE(std::equal(data.begin(), data.begin() + 56, table.begin())) << "the first chunk was accepted";
  EXPECT_TRUE(std::equal(before.begin() + 56, before.end(), table.begin() + 56)) << "nothing else changed";
  for (auto& w : WritesOf(kCmdWriteMatrixColours)) EXPECT_NE(Offset(w), 112) << "the transfer stops at the lost chunk";
}

TEST_F(Exchange, LateReplyInCheckedTransferIsSkippedByItsOffset) {
  auto data = Pattern(147, 1);
  auto buffer = data;
  ASSERT_TRUE(sim::AddFault("cable", {FaultKind::LateReply, kCmdWriteMatrixColours, 0, 1}));
  ASSERT_TRUE(t().TransferChecked(kCmdWriteMatrixColours, buffer.data(), 147));
  EXPECT_EQ(Table("kb", sim::Table::MatrixColours), data);
  std::vector<int> offsets;
  for (auto& w : WritesOf(kCmdWriteMatrixColours)) offsets.push_back(Offset(w));
  // Chunk 0 timed out once; every later chunk first meets the reply of the one before.
  EXPECT_EQ(offsets, (std::vector<int>{0, 0, 56, 56, 112, 112}));
  for (auto& r : Reads()) {
    if (r.timeoutMs != 1) {
      EXPECT_EQ(r.timeoutMs, 36);
    }
  }
}

TEST_F(Exchange, PendingLinkReportIsDrainedAndPosted) {
  MessageSink sink;
  t().SetNotifyWindow(sink.Handle());
  std::vector<uint8_t> link(64, 0);
  link[0] = 0xAA, link[1] = 0xD0, link[13] = 4;
  ASSERT_TRUE(sim::SendUnasked("cable", link));
  DeviceReport report(kCmdConfigBegin);
  ASSERT_TRUE(t().SendCommand(report));
  EXPECT_EQ(report.Command(), kCmdConfigBegin) << "the command's own reply, not the link report";
  EXPECT_EQ(report.Status(), kStatusAccepted);
  EXPECT_EQ(sink.Take(UM_DEVICE_LINK), (std::vector<LPARAM>{1}));
}

TEST_F(Exchange, LinkReportInPlaceOfAReplyIsReturnedAndPosted) {
  MessageSink sink;
  t().SetNotifyWindow(sink.Handle());
  ASSERT_TRUE(sim::AddFault("cable", {FaultKind::LinkReportInstead, kCmdReadSettings, 0, 1}));
  DeviceReport report(kCmdReadSettings, 0, 56);
  ASSERT_TRUE(t().SendCommand(report));
  EXPECT_EQ(report.bytes[0], 0xAA);
  EXPECT_EQ(report.bytes[1], 0xD0);
  EXPECT_EQ(sink.Take(UM_DEVICE_LINK), (std::vector<LPARAM>{1}));
}

TEST_F(Exchange, LinkReportWithoutANotifyWindowPostsNothing) {
  std::vector<uint8_t> link(64, 0);
  link[0] = 0xAA, link[1] = 0xD0, link[13] = 4;
  ASSERT_TRUE(sim::SendUnasked("cable", link));
  DeviceReport report(kCmdConfigBegin);
  ASSERT_TRUE(t().SendCommand(report));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), UM_DEVICE_LINK, UM_DEVICE_LINK, PM_REMOVE))
      << "no thread message for the worker's own queue";
}

TEST_F(Exchange, SendCommandClampsTheLengthAndReturnsTheReply) {
  DeviceReport report(kCmdReadDeviceInfo, 0, 200);
  ASSERT_TRUE(t().SendCommand(report));
  auto writes = Writes();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(Length(writes[0]), 56);
  auto info = Table("kb", sim::Table::DeviceInfo);
  EXPECT_TRUE(std::equal(info.begin(), info.end(), report.Data()));
  EXPECT_EQ(rig.sleeps, (std::vector<DWORD>{2})) << "the cable's inter-command delay";
  auto reads = Reads();
  ASSERT_EQ(reads.size(), 2u);
  EXPECT_EQ(reads[0].timeoutMs, 1) << "drain";
  EXPECT_EQ(reads[1].timeoutMs, 200);
}

TEST_F(Exchange, SendCommandWithoutAReplyKeepsTheRequest) {
  ASSERT_TRUE(sim::AddFault("cable", {FaultKind::NoReply, kCmdReadSettings, 0, 1}));
  DeviceReport report(kCmdReadSettings, 0, 64);
  EXPECT_FALSE(t().SendCommand(report));
  EXPECT_EQ(report.Command(), kCmdReadSettings);
  EXPECT_EQ(report.Length(), 56) << "only the clamped length byte changes";
  EXPECT_EQ(report.Status(), 0);
}

TEST_F(Exchange, TimingOfTheFourRoutines) {
  std::vector<uint8_t> buffer(384);
  ASSERT_TRUE(t().Transfer(ReadKeyMapCommand(0), buffer.data(), 384));
  EXPECT_EQ(rig.sleeps, (std::vector<DWORD>{2})) << "one delay per transfer";
  rig.sleeps.clear();
  ASSERT_TRUE(t().TransferChecked(kCmdCanvasFrame, buffer.data(), 214));
  EXPECT_TRUE(rig.sleeps.empty()) << "streamed frames skip the delay";

  sim::ClearLog();
  DeviceReport raw(kCmdWriteMacroMemory, 0, 56);
  ASSERT_TRUE(t().SendRawCommand(raw));
  EXPECT_TRUE(rig.sleeps.empty());
  auto reads = Reads();
  ASSERT_EQ(reads.size(), 2u);
  EXPECT_EQ(reads[1].timeoutMs, 2);
  EXPECT_EQ(Writes()[0].bytes.size(), 65u);
}

TEST_F(Exchange, ShortReportsMoveTwentyFourBytesPerChunk) {
  rig.transport.SetCurrentModel(120);
  auto data = Pattern(384, 5);
  auto buffer = data;
  ASSERT_TRUE(t().Transfer(WriteKeyMapCommand(1), buffer.data(), 384));
  EXPECT_EQ(Table("slim", sim::Table::KeyMap, 1), data);
  auto writes = Writes("short");
  ASSERT_EQ(writes.size(), 16u);
  for (size_t i = 0; i < writes.size(); ++i) {
    EXPECT_EQ(writes[i].bytes.size(), 33u);
    EXPECT_EQ(Offset(writes[i]), int(i * 24));
    EXPECT_EQ(Length(writes[i]), 24);
  }
  std::vector<uint8_t> back(384);
  ASSERT_TRUE(t().Transfer(ReadKeyMapCommand(1), back.data(), 384));
  EXPECT_EQ(back, data);
}

TEST_F(Exchange, NoInterfaceForTheModelMeansNoIo) {
  rig.transport.SetCurrentModel(999);
  DeviceReport report(kCmdConfigBegin);
  std::vector<uint8_t> buffer(56, 0xEE);
  EXPECT_FALSE(t().SendCommand(report));
  EXPECT_FALSE(t().SendRawCommand(report));
  EXPECT_FALSE(t().Transfer(kCmdReadDeviceInfo, buffer.data(), 56));
  EXPECT_FALSE(t().TransferChecked(kCmdReadDeviceInfo, buffer.data(), 56));
  EXPECT_TRUE(sim::Log().empty());
  EXPECT_EQ(buffer, std::vector<uint8_t>(56, 0xEE));
}

TEST_F(Exchange, TablesBeyondSixteenBitOffsetsAreRefused) {
  std::vector<uint8_t> buffer(70000, 0);
  EXPECT_FALSE(t().Transfer(kCmdWriteMacroMemory, buffer.data(), uint32_t(buffer.size())));
  EXPECT_TRUE(Writes().empty());
}

TEST_F(Exchange, ConfigBracketReachesTheKeyboard) {
  EXPECT_TRUE(t().SendConfigBegin());
  EXPECT_TRUE(t().SendConfigEnd());
  auto writes = Writes();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(Command(writes[0]), kCmdConfigBegin);
  EXPECT_EQ(Command(writes[1]), kCmdConfigEnd);
}

}  // namespace
