// The worker's byte images and queue on their own: macro memory, colour sets, frames,
// the settings block, the device description and the task queue under two threads.
#include <gtest/gtest.h>
#include <thread>
#include "device/DeviceInfo.h"
#include "device/LightFrames.h"
#include "device/MacroImage.h"
#include "device/TaskQueue.h"

namespace {

MacroStepRecord Step(int type, int value, int delay, const wchar_t* desc = L"") {
  MacroStepRecord s;
  s.type = type;
  s.value = value;
  s.delay_time = delay;
  s.desc = desc;
  return s;
}

std::vector<uint8_t> Encoded(const MacroStepRecord& s) {
  uint8_t b[4];
  EncodeMacroStep(s, b);
  return {b[0], b[1], b[2], b[3]};
}

}  // namespace

TEST(MacroImage, StepKinds) {
  struct Case {
    MacroStepRecord step;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {Step(2, 91, 15), {7, 0, 0x08, 0x82}},                // left Windows down: modifier bit
      {Step(3, 160, 0), {0, 0, 0x02, 0x02}},                // left Shift up
      {Step(2, 'A', 600), {0x2C, 0x01, 0x04, 0x81}},        // A down, 300 units
      {Step(3, 'A', 2), {1, 0, 0x04, 0x01}},
      {Step(4, 0x101, 4), {2, 0, 0x01, 0x83}},              // mouse down: low byte
      {Step(5, 0x01, 0), {0, 0, 0x01, 0x03}},
      {Step(4, 0, 0, L"Scroll Down"), {0, 0, 0x44, 0x07}},
      {Step(5, 0, 0, L"Scroll Down"), {0, 0, 0x44, 0xFF}},
      {Step(5, 0, 0, L"Scroll Up"), {0, 0, 0x44, 0x01}},
      {Step(9, 'A', 100), {0, 0, 0, 0}},                    // unknown: all zero
  };
  for (auto& c : cases) EXPECT_EQ(Encoded(c.step), c.bytes) << c.step.type << " " << c.step.value;
}

TEST(MacroImage, HeaderOffsetsAndBlocks) {
  std::vector<MacroSteps> macros = {{Step(2, 'A', 0), Step(3, 'A', 10)}, {}, {Step(4, 1, 0)}};
  MacroImage image = BuildMacroImage(macros, 1024);
  // 8 + 3 x 2 = 14; block 1 at 14 (4 + 8 bytes), macro 2 empty, block 3 at 26 (4 + 4).
  ASSERT_EQ(image.bytes.size(), 34u);
  EXPECT_EQ(std::vector<uint8_t>(image.bytes.begin(), image.bytes.begin() + 14),
            (std::vector<uint8_t>{0xAA, 0x55, 34, 0, 3, 0, 0, 0, 14, 0, 0, 0, 26, 0}));
  EXPECT_EQ(image.bytes[14], 2);
  EXPECT_EQ(image.bytes[26], 1);
  EXPECT_TRUE(BuildMacroImage({}, 1024).bytes.empty());
}

// A cut image kept offsets that pointed past its end; and stored macros could run past
// the 4224-byte buffer. Now only whole macros that fit get a block.
TEST(MacroImage, MacrosThatDoNotFitGetNoBlockAndNoOffsetPastTheEnd) {
  MacroSteps big(100, Step(2, 'A', 0));  // 404 bytes
  MacroSteps small(2, Step(2, 'B', 0));  // 12 bytes
  std::vector<MacroSteps> macros = {big, big, small};
  MacroImage image = BuildMacroImage(macros, 512);
  ASSERT_LE(image.bytes.size(), 512u);
  int length = image.bytes[2] | (image.bytes[3] << 8);
  EXPECT_EQ(length, int(image.bytes.size()));
  for (int i = 0; i < 3; ++i) {
    int offset = image.bytes[8 + 2 * i] | (image.bytes[9 + 2 * i] << 8);
    EXPECT_LT(offset, length) << i;
  }
  EXPECT_EQ(image.bytes[10] | (image.bytes[11] << 8), 0);   // the second big one did not fit
  EXPECT_NE(image.bytes[12] | (image.bytes[13] << 8), 0);   // the small one did

  std::vector<MacroSteps> huge(12, MacroSteps(200, Step(2, 'A', 0)));  // 9.6 KB stored
  MacroImage capped = BuildMacroImage(huge, 64 * 256);
  EXPECT_LE(capped.bytes.size(), size_t(kMacroImageBuffer));
}

TEST(LightFrames, Rgb565AndFrameLengths) {
  std::map<int, int> leds = {{4, 0}, {5, 1}};
  auto frame = BuildCanvasFrame({{4, RGB(0xFF, 0x80, 0x00)}, {99, RGB(1, 2, 3)}}, leds, 8);
  EXPECT_EQ(frame, (std::vector<uint8_t>{0x00, 0xFC, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CanvasFrameLength(102, 120), 214);
  EXPECT_EQ(CanvasFrameLength(103, 120), 164);
  EXPECT_EQ(CanvasFrameLength(101, 120), 240);
  EXPECT_EQ(CanvasFrameLength(101, 1000), kCanvasFrameBuffer);
}

// Strip pseudo-keys map to LED 128 and above; the 384-byte set has room for 0-127 only.
TEST(LightFrames, ColourSetSkipsLedsPastTheTable) {
  std::map<int, int> leds = {{4, 127}, {340, 128}, {341, 200}};
  auto set = BuildColourSet({{4, RGB(1, 2, 3)}, {340, RGB(9, 9, 9)}, {341, RGB(9, 9, 9)}}, leds);
  ASSERT_EQ(set.size(), size_t(kColourSetSize));
  EXPECT_EQ(set[381], 1);
  EXPECT_EQ(set[383], 3);
  auto frame = BuildCanvasFrame({{341, RGB(9, 9, 9)}}, leds, 214);
  EXPECT_EQ(frame.size(), 214u);
}

TEST(SettingsBlock, ZoneRecordAndSystemSettingsByProtocol) {
  uint8_t block[kSettingsBlockSize] = {};
  ZoneLight z;
  z.mode = 5;
  z.brightness = 3;
  z.speed = 1;
  z.color = RGB(1, 2, 3);
  WriteZoneRecord(block, kZone0Record, z, 4);
  EXPECT_EQ(block[2], 5);
  EXPECT_EQ(block[4], 3);  // speed maximum 4 - speed 1
  EXPECT_EQ(block[7], 1);
  EXPECT_EQ(block[9], 3);

  SystemSettings s;
  s.gameMode = 1;
  s.sleepSeconds = 300;
  WriteSystemSettings(block, 2, s);
  EXPECT_EQ(block[38], 1);
  EXPECT_EQ(block[46], 0x2C);
  EXPECT_EQ(block[47], 0x01);
  EXPECT_EQ(ReadSystemSettings(block, 2).sleepSeconds, 300);
  uint8_t old[kSettingsBlockSize] = {};
  WriteSystemSettings(old, 1, s);
  EXPECT_EQ(old[29], 1);
  EXPECT_EQ(old[35], 0x2C);
}

TEST(DeviceInfo, FieldsOfBothLayouts) {
  uint8_t d[kDeviceInfoSize] = {};
  d[6] = 0x15;
  d[7] = 0x01;
  d[8] = 2;
  d[13] = 4;
  d[17] = 4;
  d[28] = 9;
  d[29] = 7;
  d[31] = 1;
  d[37] = 1;
  DeviceInfo info = ParseDeviceInfo(d, 102);
  EXPECT_EQ(info.firmwareVersion, 0x0115);
  EXPECT_EQ(info.macroMemorySize, 1024);
  EXPECT_EQ(info.zone1SpeedMax, 7);
  EXPECT_TRUE(info.matrixPresent);
  EXPECT_TRUE(info.knobPresent);
  d[8] = 1;
  info = ParseDeviceInfo(d, 102);
  EXPECT_EQ(info.zone1SpeedMax, 9);
  EXPECT_FALSE(info.matrixPresent);
  EXPECT_FALSE(info.knobPresent);
}

TEST(TaskQueue, FifoAndOnlyWhenEmpty) {
  TaskQueue q;
  EXPECT_TRUE(q.PushIfEmpty(7));
  EXPECT_FALSE(q.PushIfEmpty(8));
  q.Push(9);
  int code = 0;
  ASSERT_TRUE(q.Take(code));
  EXPECT_EQ(code, 7);
  ASSERT_TRUE(q.Take(code));
  EXPECT_EQ(code, 9);
  EXPECT_FALSE(q.Take(code));
}

// Two threads appending and one taking lose no code and take none twice.
TEST(TaskQueue, TwoWritersAndATakerLoseNothing) {
  TaskQueue q;
  const int perThread = 20000;
  std::thread a([&] { for (int i = 0; i < perThread; ++i) q.Push(1); });
  std::thread b([&] { for (int i = 0; i < perThread; ++i) q.Push(2); });
  long taken = 0;
  int code = 0;
  while (taken < 2L * perThread) {
    if (q.Take(code)) ++taken;
  }
  a.join();
  b.join();
  EXPECT_TRUE(q.IsEmpty());
  EXPECT_EQ(taken, 2L * perThread);
}
