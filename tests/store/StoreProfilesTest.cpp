// Profiles, configuration values and the companion rows of a new profile.
#include <gtest/gtest.h>
#include "StoreTestUtil.h"
#include "store/StoreSchema.h"

using namespace storetest;

namespace {

class StoreProfiles : public StoreFixture {
protected:
  void SetUp() override {
    StoreFixture::SetUp();
    Open();
  }
  int Add(const wchar_t* name) {
    ProfileRecord r;
    r.name = name;
    r.icon_image = L"icon\\icon_profile.png";
    return m_store.AddProfile(r);
  }
  // The shell's order for a new profile.
  int NewProfile(const wchar_t* name) {
    int id = Add(name);
    EXPECT_TRUE(m_store.InsertDefaultConfig(id));
    EXPECT_TRUE(m_store.SetActiveProfile(id));
    return id;
  }
};

TEST_F(StoreProfiles, AddStoresTheRecordWithStatusAndTypeZeroAndCompanionRows) {
  ProfileRecord r;
  r.name = L"Game";
  r.app = L"app.exe";
  r.icon_image = L"icon\\icon_profile.png";
  r.bkg_image = L"bkg.png";
  r.type = 7;
  r.status = 1;
  EXPECT_EQ(1, m_store.AddProfile(r));

  KeyboardDataStore::RecordList<ProfileRecord> list;
  ASSERT_EQ(1, m_store.GetProfiles(list));
  const ProfileRecord& p = *list[0];
  EXPECT_EQ(1, p.profile);
  EXPECT_EQ(CString(L"Game"), p.name);
  EXPECT_EQ(CString(L"app.exe"), p.app);
  EXPECT_EQ(CString(L"icon\\icon_profile.png"), p.icon_image);
  EXPECT_EQ(CString(L"bkg.png"), p.bkg_image);
  EXPECT_EQ(0, p.type);
  EXPECT_EQ(0, p.status);
  EXPECT_EQ(0, m_store.GetActiveProfile());

  RawDb raw = Raw();
  EXPECT_EQ(std::vector<std::string>{"1|1|Profile|0|4|300|0|100|100|0"},
            raw.Rows("SELECT * FROM t_musiclayer_data", 10));
  EXPECT_EQ(std::vector<std::string>{"1|1|Profile|15|15|<null>"},
            raw.Rows("SELECT * FROM t_customlight_data", 6));
}

TEST_F(StoreProfiles, IdsCountUpAndAreNeverReused) {
  EXPECT_EQ(1, Add(L"a"));
  EXPECT_EQ(2, Add(L"b"));
  EXPECT_TRUE(m_store.DeleteProfile(2));
  EXPECT_EQ(3, Add(L"c"));
  // Each profile's music layer has the profile's id.
  MusicLayerRecord layer;
  ASSERT_TRUE(m_store.GetMusicLayer(3, layer));
  EXPECT_EQ(3, layer.profile);
}

TEST_F(StoreProfiles, NewProfileGetsTheDefaultSettingsInOrder) {
  int id = NewProfile(L"p");
  RawDb raw = Raw();
  auto rows = raw.Rows("SELECT profile, key, value FROM t_config_data ORDER BY config_id", 3);
  const auto& defaults = DefaultConfigRows();
  ASSERT_EQ(33u, defaults.size());
  ASSERT_EQ(defaults.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(std::to_string(id) + "|" + ToUtf8(defaults[i].key) + "|" + ToUtf8(defaults[i].value), rows[i]);
  EXPECT_EQ("1|version|1.0.1", rows.front());
  EXPECT_EQ("1|default_color1|8331093", rows[24]);
  EXPECT_EQ("1|reporte_rate|4", rows.back());
}

TEST_F(StoreProfiles, ConfigValuesReadAndUpdate) {
  int id = NewProfile(L"p");
  CString value = L"junk";
  EXPECT_TRUE(m_store.GetConfigValue(id, L"sleep_time", value));
  EXPECT_EQ(CString(L"2"), value);
  EXPECT_TRUE(m_store.SetConfigValue(id, L"sleep_time", L"10"));
  EXPECT_TRUE(m_store.GetConfigValue(id, L"sleep_time", value));
  EXPECT_EQ(CString(L"10"), value);
  // Another profile's row is its own.
  int other = NewProfile(L"q");
  EXPECT_TRUE(m_store.GetConfigValue(other, L"sleep_time", value));
  EXPECT_EQ(CString(L"2"), value);

  value = L"junk";
  EXPECT_FALSE(m_store.GetConfigValue(id, L"no_such_key", value));
  EXPECT_TRUE(value.IsEmpty());
}

TEST_F(StoreProfiles, SetConfigValueForAKeyWithoutARowAnswersTrueAndStoresNothing) {
  int id = NewProfile(L"p");
  // Only keys that a profile was made with can be set; the answer does not tell.
  EXPECT_TRUE(m_store.SetConfigValue(id, L"enable_matrixscreen", L"1"));
  CString value;
  EXPECT_FALSE(m_store.GetConfigValue(id, L"enable_matrixscreen", value));
  EXPECT_EQ(33, Raw().Int("SELECT count(*) FROM t_config_data"));
}

TEST_F(StoreProfiles, DefaultsInsertedTwiceGiveTwoRowsPerKey) {
  int id = NewProfile(L"p");
  EXPECT_TRUE(m_store.InsertDefaultConfig(id));
  EXPECT_TRUE(m_store.SetConfigValue(id, L"game_mode", L"1"));
  CString value;
  EXPECT_TRUE(m_store.GetConfigValue(id, L"game_mode", value));
  EXPECT_EQ(CString(L"1"), value);
  RawDb raw = Raw();
  EXPECT_EQ(66, raw.Int("SELECT count(*) FROM t_config_data"));
  EXPECT_EQ(2, raw.Int("SELECT count(*) FROM t_config_data WHERE key = 'game_mode' AND value = '1'"));
}

TEST_F(StoreProfiles, ActiveProfile) {
  int a = NewProfile(L"a");
  int b = NewProfile(L"b");
  EXPECT_EQ(b, m_store.GetActiveProfile());
  EXPECT_TRUE(m_store.SetActiveProfile(a));
  EXPECT_EQ(a, m_store.GetActiveProfile());
  EXPECT_EQ(1, Raw().Int("SELECT count(*) FROM t_profile_data WHERE status = 1"));
  Open();
  // Deleting the active profile leaves none active; its other rows stay in the file.
  EXPECT_TRUE(m_store.DeleteProfile(a));
  EXPECT_EQ(0, m_store.GetActiveProfile());
  RawDb raw = Raw();
  EXPECT_EQ(33, raw.Int("SELECT count(*) FROM t_config_data WHERE profile = 1"));
  EXPECT_EQ(1, raw.Int("SELECT count(*) FROM t_musiclayer_data WHERE profile = 1"));
}

TEST_F(StoreProfiles, ActivatingAMissingProfileAnswersFalseAndKeepsTheOldMark) {
  int a = NewProfile(L"a");
  EXPECT_FALSE(m_store.SetActiveProfile(99));
  EXPECT_EQ(a, m_store.GetActiveProfile());
}

TEST_F(StoreProfiles, NamesRoundTripLiterally) {
  const wchar_t* names[] = {
      L"Profil \u00e9t\u00e9", L"\u952e\u76d8\u914d\u7f6e", L"\U0001F3AE play", L"O'Brien's \"best\"",
      L"x'); DROP TABLE t_profile_data; --", L"100% _under_ \\back\\", L"", L"tab\there",
  };
  for (const wchar_t* name : names) {
    int id = Add(name);
    ASSERT_GT(id, 0) << ToUtf8(name);
    CString read = L"junk";
    EXPECT_TRUE(m_store.GetProfileName(id, read));
    EXPECT_EQ(CString(name), read) << ToUtf8(name);
    EXPECT_TRUE(m_store.RenameProfile(id, CString(name) + L"'2"));
    EXPECT_TRUE(m_store.GetProfileName(id, read));
    EXPECT_EQ(CString(name) + L"'2", read);
  }
  KeyboardDataStore::RecordList<ProfileRecord> list;
  EXPECT_EQ(8, m_store.GetProfiles(list));
}

TEST_F(StoreProfiles, ListReadsReplaceTheCallersRecords) {
  Add(L"a");
  Add(L"b");
  KeyboardDataStore::RecordList<ProfileRecord> list;
  list.push_back(std::make_unique<ProfileRecord>());
  ASSERT_EQ(2, m_store.GetProfiles(list));
  EXPECT_EQ(1, list[0]->profile);
  EXPECT_EQ(2, list[1]->profile);
  CString name = L"junk";
  EXPECT_FALSE(m_store.GetProfileName(42, name));
  EXPECT_TRUE(name.IsEmpty());
}

TEST_F(StoreProfiles, NullColumnsReadAsEmptyAndZero) {
  {
    RawDb raw = Raw();
    ASSERT_EQ(0, raw.Exec("INSERT INTO t_profile_data(name) VALUES (NULL)"));
  }
  Open();
  KeyboardDataStore::RecordList<ProfileRecord> list;
  ASSERT_EQ(1, m_store.GetProfiles(list));
  EXPECT_TRUE(list[0]->name.IsEmpty());
  EXPECT_TRUE(list[0]->app.IsEmpty());
  EXPECT_EQ(0, list[0]->status);
  EXPECT_EQ(0, list[0]->type);
}

TEST_F(StoreProfiles, AProfileWhoseCompanionCannotBeAddedIsNotMade) {
  {
    RawDb raw = Raw();
    ASSERT_EQ(0, raw.Exec("DROP TABLE t_customlight_data"));
  }
  Open();
  EXPECT_EQ(0, Add(L"a"));
  RawDb raw = Raw();
  EXPECT_EQ(0, raw.Int("SELECT count(*) FROM t_profile_data"));
  EXPECT_EQ(0, raw.Int("SELECT count(*) FROM t_musiclayer_data"));
}

TEST(StoreClosed, OperationsWithoutADatabaseFail) {
  KeyboardDataStore store;
  ProfileRecord r;
  EXPECT_EQ(0, store.AddProfile(r));
  EXPECT_FALSE(store.DeleteProfile(1));
  EXPECT_FALSE(store.RenameProfile(1, L"x"));
  CString s;
  EXPECT_FALSE(store.GetProfileName(1, s));
  EXPECT_FALSE(store.SetActiveProfile(1));
  EXPECT_EQ(0, store.GetActiveProfile());
  EXPECT_FALSE(store.SetConfigValue(1, L"k", L"v"));
  EXPECT_FALSE(store.GetConfigValue(1, L"k", s));
  EXPECT_FALSE(store.InsertDefaultConfig(1));
  KeyboardDataStore::RecordList<ProfileRecord> list;
  list.push_back(std::make_unique<ProfileRecord>());
  EXPECT_EQ(0, store.GetProfiles(list));
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(0, store.InsertKeyMacros({KeyMacroRecord{}}));
  EXPECT_EQ(0, store.AddLedFrames({LedFrameRecord{}, LedFrameRecord{}}));
  EXPECT_EQ(0, store.ReplaceMacroSteps(1, {MacroStepRecord{}}));
  EXPECT_FALSE(store.DeleteAllLedData());
  EXPECT_FALSE(store.IsOpened());
}

}  // namespace
