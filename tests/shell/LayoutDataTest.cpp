// The shipped layout files (data/layouts of the source tree) against the simulated
// keyboards: the key maps the program builds from a layout are the ones it reads from
// the keyboard of that model.
#include <gtest/gtest.h>
#include <string>
#include "canvas/ZephraEffect.h"
#include "device/LightFrames.h"
#include "device/TransportRig.h"
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"
#include "widgets/KeyboardCtrl.h"

using namespace simtest;

namespace {

// The source tree's data folder, as Wine sees it (drive Z: is the root).
std::wstring SourceDataFolder() {
  std::wstring path = L"Z:";
  for (const char* c = __FILE__; *c; ++c) path.push_back(*c == '/' ? L'\\' : wchar_t(*c));
  path.resize(path.rfind(L"\\tests\\shell\\"));
  path.append(L"\\data\\");
  return path;
}

const char* kKeyboards = R"(
[keyboard k101]
model = basic
vid = 0x3F1D
pid = 0x1101
[keyboard k102]
model = matrix
vid = 0x3F1D
pid = 0x1102
[keyboard k103]
model = frame164
vid = 0x3F1D
pid = 0x1103
[keyboard k150]
model = restricted
vid = 0x3F1D
pid = 0x1150
[keyboard k104]
model = legacy
vid = 0x3F1D
pid = 0x1104
[usb cable-k101]
keyboard = k101
vid = 0x3F1D
pid = 0x1101
product = Quenby K101
[usb cable-k102]
keyboard = k102
vid = 0x3F1D
pid = 0x1102
product = Quenby K102
[usb cable-k103]
keyboard = k103
vid = 0x3F1D
pid = 0x1103
product = Quenby K103
[usb cable-k150]
keyboard = k150
vid = 0x3F1D
pid = 0x1150
product = Quenby K150
[usb cable-k104]
keyboard = k104
vid = 0x3F1D
pid = 0x1104
product = Quenby K104
)";

constexpr int kKnob = 0xFF;

}  // namespace

TEST(ShippedLayouts, AgreeWithTheKeyboards) {
  SimWorld world(kKeyboards);
  ASSERT_TRUE(world.Loaded());
  TempFolder user;
  CreateDirectoryW((user.Path() + L"db").c_str(), nullptr);
  TransportRig rig;
  KeyboardDataStore store;
  KeyboardCtrl keyboard{nullptr, 58, CRect(), 0};
  ZephraEffect canvas{nullptr, 59, CRect(), 0};
  KeyboardDlg dlg{rig.transport, store};
  dlg.m_exeFolder = SourceDataFolder().c_str();
  dlg.m_userDataFolder = user.Path().c_str();
  dlg.m_softwareName = L"QuenbyLayoutDataTest";  // no registry key: nothing remembered
  dlg.m_keyboardCtrl = &keyboard;
  dlg.m_zephraEffect = &canvas;
  dlg.LoadDeviceCatalog();
  ASSERT_EQ(dlg.m_catalogKeyboards.size(), 5u) << "config.xml beside the layouts";

  for (const DeviceCatalogEntry& model : dlg.m_catalogKeyboards) {
    SCOPED_TRACE(model.deviceType);
    dlg.LoadDeviceLayout(model.deviceType);
    ASSERT_FALSE(keyboard.GetKeyItems().empty()) << "the layout file is missing";
    const auto layoutKeys = dlg.m_keyIndexByCode;
    const auto layoutLights = dlg.m_lightIndexByCode;
    const auto layoutLeds = dlg.m_keyCodeByLight;
    int cells = 0;
    for (uint8_t c : dlg.m_keyGrid) cells += c != 0xFF;
    EXPECT_GT(dlg.m_layoutRows, 0);
    EXPECT_GT(dlg.m_layoutColumns, 0);

    rig.Open(model.deviceType);
    ASSERT_TRUE(dlg.ReadDefaultKeyMaps());
    ASSERT_TRUE(dlg.ReadLightIndexMap());

    auto withoutKnob = [](std::map<int, int> m) {
      m.erase(kKnob);
      return m;
    };
    EXPECT_EQ(withoutKnob(layoutKeys), dlg.m_keyIndexByCode) << "every key on screen, at its key index";
    EXPECT_EQ(withoutKnob(layoutLights), dlg.m_lightIndexByCode) << "LEDs of keys and strips";
    auto leds = layoutLeds;
    leds.erase(255);
    EXPECT_EQ(leds, dlg.m_keyCodeByLight);
    EXPECT_EQ(cells, int(dlg.m_keyIndexByCode.size())) << "each key has a cell of its own";

    // Keys and strips each light an LED of their own, inside the model's canvas frame.
    std::map<int, int> codeByLed;
    for (const auto& [code, led] : dlg.m_lightIndexByCode) {
      auto [at, fresh] = codeByLed.emplace(led, code);
      EXPECT_TRUE(fresh) << "LED " << led << " lights both " << at->second << " and " << code;
    }
    ASSERT_FALSE(codeByLed.empty());
    EXPECT_LE(2 * (codeByLed.rbegin()->first + 1), CanvasFrameLength(model.deviceType, canvas.GetKeyItems().size()))
        << "the last LED is inside the canvas frame";

    std::vector<uint8_t> knob;
    ASSERT_TRUE(sim::ReadTable(std::string("k").append(std::to_string(model.deviceType)), sim::Table::KnobKeys, 0, knob));
    if (layoutKeys.count(kKnob)) {
      EXPECT_EQ(layoutKeys.at(kKnob), knob.at(0)) << "the knob key is the keyboard's first knob index";
    }
    if (model.deviceType == 103) {
      // The knob-mode switch turns on-screen key 14 into the knob and back into Home.
      ASSERT_GT(keyboard.GetKeyItems().size(), 14u);
      EXPECT_EQ(keyboard.GetKeyItems()[14]->keyCode, 0x4A);
    }
  }
  store.CloseDeviceDb();
  for (const DeviceCatalogEntry& model : dlg.m_catalogKeyboards) store.DeleteDeviceDb(user.Path().c_str(), model.name);
  RemoveDirectoryW((user.Path() + L"db").c_str());
}
