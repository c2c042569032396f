// Switching profiles against the simulated keyboard, through the worker's profile task
// as the profile list queues it: the keyboard's four key tables follow the key rows of
// the profile switched to, and a profile brought in from an exchange file gives the
// keyboard the very tables of the profile it was exported from.
#include <gtest/gtest.h>
#include "device/WorkerRig.h"
#include "shell/LayoutFile.h"
#include "shell/ProfileBook.h"

namespace {

std::vector<std::vector<uint8_t>> KeyTables() {
  std::vector<std::vector<uint8_t>> tables;
  for (int layer = 0; layer < ProfileBook::kFnLayers; ++layer)
    tables.push_back(simtest::Table("k102", sim::Table::KeyMap, layer));
  return tables;
}

TEST(ProfileSwitch, TheKeyboardTakesTheKeyTablesOfTheProfileSwitchedTo) {
  simtest::WorkerRig w(simtest::CableK102(), L"QuenbyProfileSwitchTest");
  w.StartUp();
  ASSERT_EQ(102, w.dlg.m_deviceType);
  KeyboardLayout layout;
  ASSERT_TRUE(ReadKeyboardLayout((simtest::SourceDataFolder() + L"layouts\\K102.xml").c_str(), layout));
  ProfileBook book(w.store, {L"Profile", L"Profile", L"Mine"}, ProfileKeysOf(layout.keys));
  ASSERT_TRUE(book.EnsureDefaultProfiles(true));
  ASSERT_GE(book.List().size(), 2u);
  for (int profile : {1, 2}) ASSERT_TRUE(book.SeedDefaultKeyRows(profile));

  // Profile 2 sends another key than profile 1 from one key on every layer.
  int key = 0;
  for (const LayoutKey& k : layout.keys) {
    if (k.code >= 20 && k.code < 100) {
      key = k.code;
      break;
    }
  }
  ASSERT_NE(0, key);
  for (int layer = 0; layer < ProfileBook::kFnLayers; ++layer) {
    KeyMacroRecord r;
    ASSERT_TRUE(w.store.GetKeyMacro(1, layer, key, r)) << layer;
    r.key_id = 0;
    r.profile = 2;
    r.macro_type = 2;
    r.macro_value = r.macro_value == 5 ? 6 : 5;
    r.macro_value2 = r.macro_value3 = 0;
    ASSERT_TRUE(w.store.AssignKeyMacro(r)) << layer;
  }

  auto switchTo = [&](int profile) {
    EXPECT_EQ(ProfileResult::Done, book.Activate(profile));
    w.dlg.m_profileId = profile;
    w.Run(kTaskApplyProfile);
  };
  switchTo(1);
  const auto first = KeyTables();
  switchTo(2);
  const auto second = KeyTables();
  for (int layer = 0; layer < ProfileBook::kFnLayers; ++layer) EXPECT_NE(first[layer], second[layer]) << layer;
  switchTo(1);
  EXPECT_EQ(first, KeyTables());

  ProfileFile file;
  ASSERT_EQ(ProfileXmlResult::Ok, ProfileXml::Read(ProfileXml::Write(book.Export(2)), file));
  const ProfileImport copy = book.Import(file);
  ASSERT_EQ(ProfileResult::Done, copy.result);
  EXPECT_EQ(copy.profile, w.store.GetActiveProfile());
  switchTo(copy.profile);
  EXPECT_EQ(second, KeyTables());
}

}  // namespace
