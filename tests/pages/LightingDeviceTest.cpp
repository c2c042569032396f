// The lighting and matrix pages' changes on their way to the simulated keyboard: the page
// logic writes the rows and queues the tasks, the worker (the main dialog without its
// window) runs them against the simulator, and the keyboard's tables show the result.
#include <gtest/gtest.h>
#include "LightingTestUtil.h"
#include "device/DeviceInfo.h"
#include "device/WorkerRig.h"
#include "pages/LightingPage.h"
#include "pages/MatrixPage.h"

using namespace simtest;

namespace {

struct PagesOnK102 : ::testing::Test {
  PagesOnK102() {
    w.StartUp();
    LightingState& s = lighting.State();
    s.profile = w.dlg.m_profileId;
    s.deviceType = w.dlg.m_deviceType;
    s.device = w.dlg.m_deviceInfo;
    s.pageCurrent = true;
    matrix.State().profile = w.dlg.m_profileId;
    matrix.State().device = w.dlg.m_deviceInfo;
    lighting.SetKeyPicture([this] {
      KeyPicture keys;
      for (KEY_INFO* key : w.keyboard.GetKeyItems()) keys.emplace_back(key->keyCode, key->keyColor);
      return keys;
    });
  }
  // The window's part between the page and the worker: the worker reads the page's state.
  void RunTasks() {
    w.dlg.m_lightZone = lighting.State().zone;
    w.dlg.m_lightMode = lighting.State().mode;
    w.dlg.m_matrixMode = matrix.State().mode;
    for (int i = 0; i < 20 && !w.dlg.m_taskQueue.IsEmpty(); ++i) w.dlg.WorkStep();
    EXPECT_TRUE(w.dlg.m_taskQueue.IsEmpty());
  }
  std::vector<uint8_t> ZoneRecord(int offset) {
    const std::vector<uint8_t> block = Table("k102", sim::Table::Settings);
    return std::vector<uint8_t>(block.begin() + offset, block.begin() + offset + 9);
  }
  // A key of the on-screen keyboard that has an LED, and that LED.
  std::pair<int, int> KeyWithLed() {
    for (KEY_INFO* key : w.keyboard.GetKeyItems()) {
      auto led = w.dlg.m_lightIndexByCode.find(key->keyCode);
      if (led != w.dlg.m_lightIndexByCode.end() && led->second >= 0 && led->second < 128) return {key->keyCode, led->second};
    }
    ADD_FAILURE() << "no key with an LED";
    return {0, 0};
  }

  lightingtest::Texts texts;
  WorkerRig w{CableK102()};
  LightingPage lighting{w.store, w.dlg.m_taskQueue};
  MatrixPage matrix{w.store, w.dlg.m_taskQueue};
};

TEST_F(PagesOnK102, EachZonesModeReachesTheSettingsBlock) {
  lighting.Load();
  const struct {
    int zone, record, mode;
  } zones[] = {{0, kZone0Record, 3}, {1, kZone1Record, 2}, {2, kZone2Record, 4}};
  for (const auto& z : zones) {
    lighting.OnZoneChanged(z.zone, 128);
    lighting.OnModeSelected(2, z.mode);
    lighting.OnBrightness(3);
    lighting.OnSpeed(1);
    lighting.OnColourButton(0x00FF00, true);
    RunTasks();
    const int speedMax = z.zone == 0 ? w.dlg.m_deviceInfo.zone0SpeedMax
                       : z.zone == 1 ? w.dlg.m_deviceInfo.zone1SpeedMax
                                     : w.dlg.m_deviceInfo.zone2SpeedMax;
    // mode, brightness, speed counted down, colourful, colour index, red, green, blue
    EXPECT_EQ(ZoneRecord(z.record), (std::vector<uint8_t>{0, uint8_t(z.mode), 3, uint8_t(speedMax - 1), 0, 0, 0, 255, 0}))
        << "zone " << z.zone;
  }
  // Switched off, the zone shown goes out as mode 0 and comes back with its mode.
  lighting.OnLightingSwitch(false);
  RunTasks();
  EXPECT_EQ(ZoneRecord(kZone2Record)[1], 0);
  lighting.OnLightingSwitch(true);
  RunTasks();
  EXPECT_EQ(ZoneRecord(kZone2Record)[1], 4);
}

TEST_F(PagesOnK102, PaintedKeysReachTheColourSetAndComeBack) {
  lighting.Load();
  lighting.OnModeSelected(2, 128);
  RunTasks();  // 12 and 18: the set is zone 0's mode, its colours on the keys
  EXPECT_EQ(ZoneRecord(kZone0Record)[1], kCustomModeByte);

  const auto [code, led] = KeyWithLed();
  w.keyboard.SetKeyColor(code, 0x00FF80);  // the key clicked with the paint colour
  lighting.OnColourKeys(2, code);
  RunTasks();
  const std::vector<uint8_t> set = Table("k102", sim::Table::ColourSet, 0);
  ASSERT_EQ(set.size(), 384u);
  EXPECT_EQ(set[size_t(led) * 3], 0x80);
  EXPECT_EQ(set[size_t(led) * 3 + 1], 0xFF);
  EXPECT_EQ(set[size_t(led) * 3 + 2], 0x00);

  // After a restart (a new page, the database opened again, blank keys) entering the
  // set shows the painted key from the store before the keyboard answers.
  w.store.CloseDeviceDb();
  ASSERT_TRUE(w.store.OpenDeviceDb(w.dlg.m_userDataFolder, L"K102"));
  w.keyboard.ResetAllItemsColor(0);
  LightingPage again(w.store, w.dlg.m_taskQueue);
  again.State() = lighting.State();
  again.SetKeyPicture([this] {
    KeyPicture keys;
    for (KEY_INFO* key : w.keyboard.GetKeyItems()) keys.emplace_back(key->keyCode, key->keyColor);
    return keys;
  });
  again.Load();
  const LightingUpdate u = again.OnModeSelected(2, 128);
  ASSERT_TRUE(u.keyColours);
  bool found = false;
  for (const auto& [key, colour] : *u.keyColours) {
    if (key == code) {
      found = true;
      EXPECT_EQ(colour, 0x00FF80u);
    }
  }
  EXPECT_TRUE(found);
  w.dlg.m_taskQueue.Clear();
}

TEST_F(PagesOnK102, MatrixModesAndThePaintedPicture) {
  matrix.Load();
  matrix.OnModeSelected(2, 2);
  matrix.OnBrightness(3);
  RunTasks();
  std::vector<uint8_t> record = ZoneRecord(kMatrixRecord);
  EXPECT_EQ(record[1], 2);
  EXPECT_EQ(record[2], 3);

  // The paint mode reads the keyboard's picture into the preview; a painted cell sends
  // the whole picture back.
  matrix.OnModeSelected(2, 5);
  RunTasks();
  EXPECT_EQ(ZoneRecord(kMatrixRecord)[1], 5);
  for (MATRIXITEM_INFO* cell : w.matrix.GetKeyItems())
    if (cell->id == 10) cell->color = RGB(1, 2, 3);
  matrix.OnPreviewPainted();
  RunTasks();
  const std::vector<uint8_t> colours = Table("k102", sim::Table::MatrixColours);
  ASSERT_EQ(colours.size(), 147u);
  EXPECT_EQ(colours[30], 1);
  EXPECT_EQ(colours[31], 2);
  EXPECT_EQ(colours[32], 3);

  // The PC effect leaves the keyboard's mode alone and streams.
  matrix.OnModeSelected(2, 128);
  EXPECT_TRUE(w.dlg.m_taskQueue.IsEmpty());
  EXPECT_TRUE(matrix.State().streaming);
}

}  // namespace
