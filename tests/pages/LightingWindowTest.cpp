// The lighting page in the real main window on the simulated keyboards: the controls the
// user changes, the profile store's rows and the keyboard's settings block and colour
// sets after the worker has run, and what comes back after the program starts again.
#include <gtest/gtest.h>
#include <vector>
#include "LightingWindowRig.h"
#include "controls/CSwitchButton.h"
#include "controls/MComboBox.h"
#include "controls/MEdit.h"
#include "controls/MSlider.h"
#include "controls/TabCtrlEx.h"
#include "core/MControlFont.h"
#include "device/DeviceInfo.h"
#include "shell/LanguageText.h"
#include "widgets/KeyboardCtrl.h"

using namespace lightingwindow;

namespace {

struct LightingPageWindow : LightingWindow {
  // The 9 bytes of a zone's record in the keyboard's settings block.
  std::vector<uint8_t> ZoneRecord(int offset) {
    const std::vector<uint8_t> block = Table("k102", sim::Table::Settings);
    if (block.size() < size_t(offset + 9)) return {};
    return std::vector<uint8_t>(block.begin() + offset, block.begin() + offset + 9);
  }
  bool WaitForRecord(int offset, const std::vector<uint8_t>& expected) {
    return PumpUntil([&] { return ZoneRecord(offset) == expected; }, 20000);
  }
  LightRecord Row(int zone, int mode) {
    LightRecord row;
    EXPECT_TRUE(store.GetLight(dlg->m_profileId, zone, mode, row)) << zone << "/" << mode;
    return row;
  }
  CString Config(const wchar_t* key) {
    CString value;
    store.GetConfigValue(dlg->m_profileId, key, value);
    return value;
  }
  void ChooseMode(int mode) {
    auto* modes = Get<MComboBox>(126);
    ASSERT_NE(modes, nullptr);
    ASSERT_GE(modes->FindData(mode), 0) << "mode " << mode << " is not offered";
    modes->SelectData(mode);
    EXPECT_EQ(Notify(126), 1);
  }
  void Slide(int id, int value) {
    auto* slider = Get<MSlider>(id);
    ASSERT_NE(slider, nullptr);
    slider->SetProgress(value);
    EXPECT_EQ(Notify(id), 1);
  }
  // The on-screen key's centre in the window, for a click.
  POINT KeyCentre(int code) {
    for (KEY_INFO* key : dlg->m_keyboardCtrl->GetKeyItems()) {
      if (key->keyCode != code) continue;
      CRect r = dlg->m_keyboardCtrl->GetRealRect(key->rect);
      r.OffsetRect(dlg->m_keyboardCtrl->GetRect().TopLeft());
      return r.CenterPoint();
    }
    ADD_FAILURE() << "no key " << code;
    return POINT{};
  }
  // Keys of the on-screen keyboard that have an LED: (key code, LED index).
  std::vector<std::pair<int, int>> KeysWithLeds(size_t count) {
    std::vector<std::pair<int, int>> keys;
    for (KEY_INFO* key : dlg->m_keyboardCtrl->GetKeyItems()) {
      auto led = dlg->m_lightIndexByCode.find(key->keyCode);
      if (led != dlg->m_lightIndexByCode.end() && led->second >= 0 && led->second < 128 && keys.size() < count)
        keys.emplace_back(key->keyCode, led->second);
    }
    EXPECT_EQ(keys.size(), count);
    return keys;
  }
  // A click on an on-screen key through the window's messages: the keyboard's
  // notification reaches the lighting page through the window's dispatcher.
  void PaintKey(int code) {
    Click(KeyCentre(code));
    EXPECT_EQ(dlg->m_selectedKey, code);
  }
};

TEST_F(LightingPageWindow, EachZonesSettingsReachTheStoreAndTheKeyboard) {
  OpenOn(102);
  ShowTab(1);
  auto* modes = Get<MComboBox>(126);
  ASSERT_NE(modes, nullptr);
  // Zone 0 offers its 21 modes and one entry for the colour sets.
  EXPECT_EQ(modes->GetItemCount(), 22);
  EXPECT_EQ(modes->GetCurData(), 1) << "the seeded active mode";

  const struct {
    int zone, record, mode;
  } zones[] = {{0, kZone0Record, 3}, {1, kZone1Record, 2}, {2, kZone2Record, 4}};
  auto* zoneTab = Get<TabCtrlEx>(117);
  ASSERT_NE(zoneTab, nullptr);
  for (const auto& z : zones) {
    SCOPED_TRACE(z.zone);
    zoneTab->SetCurData(z.zone);
    EXPECT_EQ(Notify(117), 1);
    EXPECT_EQ(dlg->m_lightZone, z.zone);
    ChooseMode(z.mode);
    const LightRecord before = Row(z.zone, z.mode);
    if (before.config_func & 0x001) Slide(129, 3);
    if (before.config_func & 0x002) Slide(131, 1);
    EXPECT_EQ(Notify(151), 1) << "the green preset colour";
    Drain();

    const LightRecord row = Row(z.zone, z.mode);
    EXPECT_EQ(row.status, 1);
    EXPECT_EQ(row.color_value, 0x00FF00);
    EXPECT_EQ(row.colorful, 0) << "a colour picked clears the multicolour flag";
    const int brightness = (before.config_func & 0x001) ? 3 : before.brightness;
    const int speed = (before.config_func & 0x002) ? 1 : before.speed;
    EXPECT_EQ(row.brightness, brightness);
    EXPECT_EQ(row.speed, speed);
    const int speedMax = z.zone == 0 ? dlg->m_deviceInfo.zone0SpeedMax
                         : z.zone == 1 ? dlg->m_deviceInfo.zone1SpeedMax
                                       : dlg->m_deviceInfo.zone2SpeedMax;
    // mode, brightness, speed counted down, colourful, colour index, red, green, blue
    const std::vector<uint8_t> expected = {0, uint8_t(z.mode), uint8_t(brightness), uint8_t(speedMax - speed), 0, 0,
                                           0, 255, 0};
    EXPECT_TRUE(WaitForRecord(z.record, expected)) << "settings record of zone " << z.zone;
    EXPECT_EQ(ZoneRecord(z.record), expected);
  }

  // Direction radios write the row (zone 2 mode 4 offers none; zone 0 mode 3 does).
  zoneTab->SetCurData(0);
  Notify(117);
  ChooseMode(3);
  if (Row(0, 3).config_func & 0x004) {
    for (auto [radio, direction] : {std::pair{133, 1}, std::pair{134, 0}}) {
      EXPECT_EQ(Notify(radio), 1);
      EXPECT_EQ(Row(0, 3).direction, direction) << radio;
    }
  }

  // The on/off switch: off sends mode 0 and keeps the stored mode; on brings it back.
  auto* onOff = Get<CSwitchButton>(123);
  ASSERT_NE(onOff, nullptr);
  onOff->SetCheck(0);
  EXPECT_EQ(Notify(123), 1);
  Drain();
  EXPECT_EQ(Config(L"enable_light"), L"0");
  EXPECT_EQ(store.GetActiveLightMode(dlg->m_profileId, 0), 3);
  EXPECT_TRUE(PumpUntil([&] { return ZoneRecord(kZone0Record).size() == 9 && ZoneRecord(kZone0Record)[1] == 0; }, 20000));
  onOff->SetCheck(1);
  EXPECT_EQ(Notify(123), 1);
  Drain();
  EXPECT_EQ(Config(L"enable_light"), L"1");
  EXPECT_TRUE(PumpUntil([&] { return ZoneRecord(kZone0Record).size() == 9 && ZoneRecord(kZone0Record)[1] == 3; }, 20000));
}

TEST_F(LightingPageWindow, RgbEditsAreClampedAndSetTheModesColour) {
  OpenOn(102);
  ShowTab(1);
  ChooseMode(3);
  auto* red = Get<MEdit>(145);
  auto* green = Get<MEdit>(146);
  auto* blue = Get<MEdit>(147);
  ASSERT_TRUE(red && green && blue);
  red->SetControlTitle(L"300");
  green->SetControlTitle(L"");
  blue->SetControlTitle(L"16");
  EXPECT_EQ(Notify(145, 26), 1);
  EXPECT_EQ(red->GetControlTitle(), L"255") << "the typed value is written back clamped";
  Drain();
  EXPECT_EQ(Row(0, 3).color_value, 0x1000FF);
  EXPECT_TRUE(WaitForRecord(kZone0Record, [&] {
    std::vector<uint8_t> r = ZoneRecord(kZone0Record);
    if (r.size() == 9) r[6] = 255, r[7] = 0, r[8] = 16;
    return r;
  }()));
  EXPECT_EQ(ZoneRecord(kZone0Record)[6], 255);
  EXPECT_EQ(ZoneRecord(kZone0Record)[8], 16);
}

TEST_F(LightingPageWindow, PaintedKeysReachTheColourSetAndComeBackAfterARestart) {
  OpenOn(102);
  ShowTab(1);
  ChooseMode(128);
  Drain();
  EXPECT_EQ(dlg->m_lightMode, 128);
  EXPECT_EQ(dlg->m_keyboardCtrl->GetKeyboardCtrlMode(), 103);
  EXPECT_TRUE(PumpUntil([&] { return ZoneRecord(kZone0Record).size() == 9 && ZoneRecord(kZone0Record)[1] == kCustomModeByte; },
                        20000));

  // The paint colour from the green preset, two keys clicked; a click on a painted key
  // unpaints it and a second click paints it again.
  EXPECT_EQ(Notify(151), 1);
  const auto keys = KeysWithLeds(2);
  ASSERT_EQ(keys.size(), 2u);
  PaintKey(keys[0].first);
  PaintKey(keys[1].first);
  PaintKey(keys[1].first);
  EXPECT_EQ(dlg->m_keyboardCtrl->GetKeyColor(keys[1].first), 0);
  PaintKey(keys[1].first);
  EXPECT_EQ(dlg->m_keyboardCtrl->GetKeyColor(keys[0].first), 0x00FF00);
  EXPECT_EQ(dlg->m_keyboardCtrl->GetKeyColor(keys[1].first), 0x00FF00);
  Drain();

  // The keyboard's 384-byte set 0: three bytes per LED.
  auto ledIsGreen = [&](int led) {
    const std::vector<uint8_t> set = Table("k102", sim::Table::ColourSet, 0);
    return set.size() == 384 && set[size_t(led) * 3] == 0 && set[size_t(led) * 3 + 1] == 255 && set[size_t(led) * 3 + 2] == 0;
  };
  EXPECT_TRUE(PumpUntil([&] { return ledIsGreen(keys[0].second) && ledIsGreen(keys[1].second); }, 20000));

  // The program starts again: the set is the stored mode, entering the page shows it
  // and sends it; the painted keys come back.
  Restart(102);
  ShowTab(1);
  Drain();
  EXPECT_EQ(dlg->m_lightMode, 128);
  EXPECT_TRUE(PumpUntil([&] { return dlg->m_keyboardCtrl->GetKeyColor(keys[0].first) == 0x00FF00; }, 20000));
  EXPECT_EQ(dlg->m_keyboardCtrl->GetKeyColor(keys[1].first), 0x00FF00);
  EXPECT_TRUE(ledIsGreen(keys[0].second));
}

// The shipped language files: the page's apply button and the dialogs' done button used
// to share one text id, and the button read "Done".
TEST_F(LightingPageWindow, TheApplyButtonReadsApplyInEveryLanguage) {
  struct Language {
    int id;
    const wchar_t* apply;
  } languages[] = {{1033, L"Apply"}, {2052, nullptr}, {1028, nullptr}};
  struct ShippedLanguages {
    int old = CurrentLanguageId;
    ShippedLanguages() { SetLanguageFolder((DataFolder() + L"language\\").c_str()); }
    ~ShippedLanguages() {
      SetLanguageFolder(CString());
      CurrentLanguageId = old;
    }
  } shipped;
  for (const Language& language : languages) {
    CurrentLanguageId = language.id;
    MakeDialog();
    ASSERT_TRUE(dlg->Create(nullptr, kSoftware, 0x96020000, 0, CRect(0, 0, 1400, 788)));
    auto* apply = Get<MControlFont>(157);
    ASSERT_NE(apply, nullptr);
    const CString title = apply->GetControlTitle();
    EXPECT_FALSE(title.IsEmpty()) << language.id;
    EXPECT_NE(title, LoadLangString(22)) << language.id << ": the dialogs' done text";
    if (language.apply) EXPECT_EQ(title, language.apply) << language.id;
    CloseDialog();
    store.CloseDeviceDb();
  }
}

TEST_F(LightingPageWindow, AColourSetEnteredWithoutTheKeyboardKeepsItsStoredKeys) {
  // The keyboard's own copy (task 18) never arrives while the worker is held: the keys
  // are filled from the store, so the first click saves the set, not a black picture.
  OpenOn(102);
  ShowTab(1);
  ChooseMode(128);
  Drain();
  EXPECT_EQ(Notify(151), 1);
  const auto keys = KeysWithLeds(2);
  ASSERT_EQ(keys.size(), 2u);
  PaintKey(keys[0].first);
  Drain();

  dlg->m_suspended = 1;  // no task runs, as with a keyboard that went to sleep
  ChooseMode(3);
  ChooseMode(128);
  EXPECT_EQ(dlg->m_keyboardCtrl->GetKeyColor(keys[0].first), 0x00FF00) << "filled from the store on entry";
  PaintKey(keys[1].first);
  KeyboardDataStore::RecordList<UserLightRgbRecord> rows;
  store.GetUserLightRgbs(dlg->m_profileId, 128, rows);
  int green = 0;
  for (const auto& row : rows) green += row->key_rgb == 0x00FF00 && (row->key_code == keys[0].first || row->key_code == keys[1].first);
  EXPECT_EQ(green, 2);
  dlg->m_taskQueue.Clear();
  dlg->m_suspended = 0;
}

}  // namespace
