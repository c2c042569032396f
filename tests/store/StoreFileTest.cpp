// The database file: schema of a new file, existing files, switching models, deletion,
// write-ahead logging, and files that cannot be used.
#include <gtest/gtest.h>
#include <map>
#include "StoreTestUtil.h"
#include "store/UserDataFolder.h"

using namespace storetest;

namespace {

// Columns after the row id, "name TYPE" joined by ", ".
const std::map<std::string, std::pair<std::string, std::string>> kTables = {
    {"t_config_data", {"config_id", "profile INTEGER, key TEXT, value TEXT"}},
    {"t_profile_data",
     {"profile", "name TEXT, status INTEGER, app TEXT, icon_image TEXT, bkg_image TEXT, type INTEGER"}},
    {"t_key_macro_data",
     {"key_id",
      "profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT, "
      "macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, "
      "macro_desc TEXT"}},
    {"t_key_otherdata", {"macro_value", "macro_desc TEXT, param TEXT, type INTEGER"}},
    {"t_magnetic_key_data",
     {"macro_id",
      "profile INTEGER, fn_layer INTEGER, macro_type INTEGER, key1_value INTEGER, key2_value INTEGER, "
      "key1_name TEXT, key2_name TEXT, reserved INTEGER"}},
    {"t_key_item_data",
     {"keyitem_id",
      "macro_id INTEGER, trigger_state1 INTEGER, trigger_state2 INTEGER, trigger_state3 INTEGER, "
      "trigger_state4 INTEGER, key_value INTEGER, key_name TEXT"}},
    {"t_macro_data",
     {"macro_id", "name TEXT, play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER"}},
    {"t_macrorecord",
     {"record_id",
      "macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, delay_time INTEGER"}},
    {"t_light_data",
     {"light_id",
      "profile INTEGER, name TEXT, type INTEGER, mode INTEGER, brightness INTEGER, speed INTEGER, "
      "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value INTEGER, "
      "config_func INTEGER, reserved INTEGER, status INTEGER"}},
    {"t_userlight_data",
     {"userlight_id", "profile INTEGER, name TEXT, speed INTEGER, brightness INTEGER, status INTEGER"}},
    {"t_userlightrgb_data",
     {"userlightrgb_id", "profile INTEGER, userlight_id INTEGER, key_code INTEGER, key_rgb INTEGER"}},
    {"t_customlight_data",
     {"customlight_id", "profile INTEGER, name TEXT, speed INTEGER, brightness INTEGER, status INTEGER"}},
    {"t_customrgb_data",
     {"customrgb_id",
      "customlight_id INTEGER, keycode INTEGER, rgbvalue INTEGER, light_mode INTEGER, "
      "colortype INTEGER, light_type INTEGER"}},
    {"t_musiclayer_data",
     {"layer_id",
      "profile INTEGER, name TEXT, deviceindex INTEGER, foremode INTEGER, fore_amplitude INTEGER, "
      "backmode INTEGER, backb_right INTEGER, light_right INTEGER, sel INTEGER"}},
    {"t_zephralayer_data",
     {"layer_id",
      "profile INTEGER, name TEXT, layer_mode INTEGER, layer_scale INTEGER, colorful INTEGER, "
      "colorvalue INTEGER, rect_x INTEGER, rect_y INTEGER, rect_width INTEGER, rect_height INTEGER"}},
    {"t_ledlayer_data",
     {"led_id", "profile INTEGER, type INTEGER, name TEXT, frame_size INTEGER, file_dir TEXT, first_file TEXT"}},
    {"t_ledframe_data",
     {"frame_id", "led_id INTEGER, name TEXT, delay_time INTEGER, frame_index INTEGER, file_name TEXT"}},
    {"t_tftscreen_data", {"tft_id", "profile INTEGER, frame_size INTEGER, file_name TEXT"}},
};

// index -> "table(column)"
const std::map<std::string, std::string> kIndexes = {
    {"profileindex", "t_profile_data(profile)"},
    {"keyindex", "t_key_macro_data(key_id)"},
    {"otheridindex", "t_key_otherdata(macro_value)"},
    {"magnetic_keyindex", "t_magnetic_key_data(macro_id)"},
    {"key_itemindex", "t_key_item_data(macro_id)"},
    {"macroidindex", "t_macro_data(macro_id)"},
    {"macrorecordindex", "t_macrorecord(record_id)"},
    {"lightindex", "t_light_data(light_id)"},
    {"userlightindex", "t_userlight_data(userlight_id)"},
    {"userlightrgbindex", "t_userlightrgb_data(userlightrgb_id)"},
    {"customlightindex", "t_customlight_data(customlight_id)"},
    {"customrgbindex", "t_customrgb_data(customrgb_id)"},
    {"musiclayerindex", "t_musiclayer_data(layer_id)"},
    {"zephralayerindex", "t_zephralayer_data(layer_id)"},
};

using StoreFile = StoreFixture;

TEST_F(StoreFile, NewFileHasExactlyTheSchemaAndNoRows) {
  EXPECT_FALSE(FileExists(DbPath()));
  Open();
  EXPECT_EQ(StoreOpenResult::Created, m_store.LastOpenResult());
  EXPECT_TRUE(m_store.IsOpened());
  EXPECT_EQ(ToUtf8(DbPath()), m_store.GetPath());
  RawDb raw = Raw();

  auto tables = raw.Column(
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
  ASSERT_EQ(kTables.size(), tables.size());
  for (const auto& name : tables) {
    auto it = kTables.find(name);
    ASSERT_NE(it, kTables.end()) << name;
    std::string sql = "SELECT name || ' ' || type || ' ' || pk FROM pragma_table_info('" + name + "') ORDER BY cid";
    auto columns = raw.Column(sql.c_str());
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(it->second.first + " INTEGER 1", columns[0]) << name;
    std::string rest;
    for (size_t i = 1; i < columns.size(); ++i) {
      std::string c = columns[i].substr(0, columns[i].rfind(' '));
      rest += (i > 1 ? ", " : "") + c;
    }
    EXPECT_EQ(it->second.second, rest) << name;
    std::string sqlText = "SELECT sql FROM sqlite_master WHERE name = '" + name + "'";
    EXPECT_NE(std::string::npos, raw.Column(sqlText.c_str())[0].find("AUTOINCREMENT")) << name;
    std::string rows = "SELECT count(*) FROM " + name;
    EXPECT_EQ(0, raw.Int(rows.c_str())) << name;
  }

  auto indexes = raw.Rows(
      "SELECT m.name, m.tbl_name || '(' || i.name || ')' FROM sqlite_master m, "
      "pragma_index_info(m.name) i WHERE m.type = 'index' ORDER BY m.name", 2);
  ASSERT_EQ(kIndexes.size(), indexes.size());
  for (const auto& row : indexes) {
    std::string name = row.substr(0, row.find('|'));
    ASSERT_TRUE(kIndexes.count(name)) << name;
    EXPECT_EQ(kIndexes.at(name), row.substr(row.find('|') + 1));
  }
}

TEST_F(StoreFile, DatabaseUsesWriteAheadLogging) {
  Open();
  ASSERT_GT(m_store.AddMacro(L"m"), 0);
  // While open, the log and its index sit beside the file.
  EXPECT_TRUE(FileExists(DbPath() + L"-wal"));
  RawDb raw = Raw();
  EXPECT_EQ(std::vector<std::string>{"wal"}, raw.Column("PRAGMA journal_mode"));
  EXPECT_EQ(1, raw.Int("SELECT count(*) FROM t_macro_data"));
}

TEST_F(StoreFile, ExistingFileIsUsedAsItIs) {
  {
    RawDb raw(DbPath(), 0x00010006);
    ASSERT_EQ(0, raw.Exec("CREATE TABLE t_profile_data(profile INTEGER PRIMARY KEY, name TEXT);"
                          "INSERT INTO t_profile_data VALUES (5, 'old');"));
  }
  Open();
  EXPECT_EQ(StoreOpenResult::Opened, m_store.LastOpenResult());
  CString name;
  EXPECT_TRUE(m_store.GetProfileName(5, name));
  EXPECT_EQ(CString(L"old"), name);
  // Statements that need what this file lacks fail; nothing is added to it.
  EXPECT_EQ(0, m_store.AddMacro(L"m"));
  KeyboardDataStore::RecordList<ProfileRecord> profiles;
  ASSERT_EQ(1, m_store.GetProfiles(profiles));  // the missing columns read as empty
  EXPECT_TRUE(profiles[0]->icon_image.IsEmpty());
  RawDb raw = Raw();
  EXPECT_EQ(std::vector<std::string>{"t_profile_data"}, raw.Column("SELECT name FROM sqlite_master"));
}

TEST_F(StoreFile, EmptyExistingFileGetsTheSchema) {
  WriteBytes(DbPath(), "");
  Open();
  EXPECT_GT(m_store.AddMacro(L"m"), 0);
  RawDb raw = Raw();
  EXPECT_EQ(18, raw.Int("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"));
}

TEST_F(StoreFile, ReopeningTheOpenFileKeepsTheConnection) {
  Open();
  ASSERT_GT(m_store.AddMacro(L"m"), 0);
  Open();
  EXPECT_EQ(StoreOpenResult::Created, m_store.LastOpenResult());
  KeyboardDataStore::RecordList<MacroRecord> macros;
  EXPECT_EQ(1, m_store.GetMacros(macros));
}

TEST_F(StoreFile, OpeningAnotherModelClosesTheFirstModelsFile) {
  Open(L"B");  // both files exist
  m_store.CloseDeviceDb();
  Open(L"A");
  Open(L"B");
  EXPECT_EQ(StoreOpenResult::Opened, m_store.LastOpenResult());
  ASSERT_GT(m_store.AddMacro(L"for B"), 0);
  m_store.CloseDeviceDb();
  EXPECT_EQ(0, RawDb(DbPath(L"A")).Int("SELECT count(*) FROM t_macro_data"));
  EXPECT_EQ(1, RawDb(DbPath(L"B")).Int("SELECT count(*) FROM t_macro_data"));
}

TEST_F(StoreFile, AFailedOpenLeavesNoConnectionBehind) {
  Open(L"A");
  // The second model's file cannot be made: its name is no file name.
  EXPECT_FALSE(m_store.OpenDeviceDb(Folder(), L"..\\evil"));
  EXPECT_EQ(StoreOpenResult::InvalidName, m_store.LastOpenResult());
  EXPECT_FALSE(m_store.IsOpened());
  EXPECT_EQ(0, m_store.AddMacro(L"lost"));
  EXPECT_EQ(0, RawDb(DbPath(L"A")).Int("SELECT count(*) FROM t_macro_data"));
}

// A store whose schema has a statement that fails, as a full disk or a damaged engine would.
class BrokenSchemaStore : public KeyboardDataStore {
protected:
  const std::vector<const char*>& Schema() const override {
    static const std::vector<const char*> statements = {
        "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT,"
        " play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER)",
        "CREATE TABLE broken(",
    };
    return statements;
  }
};

TEST_F(StoreFile, FailedSchemaCreationClosesAndRemovesTheNewFile) {
  Open(L"A");  // the real schema for model A
  EXPECT_GT(m_store.AddMacro(L"in A"), 0);
  m_store.CloseDeviceDb();

  BrokenSchemaStore broken;
  EXPECT_TRUE(broken.OpenDeviceDb(Folder(), L"A"));  // an existing file needs no schema
  EXPECT_FALSE(broken.OpenDeviceDb(Folder(), L"B"));
  EXPECT_EQ(StoreOpenResult::SchemaFailed, broken.LastOpenResult());
  EXPECT_FALSE(broken.IsOpened());
  EXPECT_EQ(0, broken.AddMacro(L"lost"));  // no connection is left to take it
  EXPECT_FALSE(FileExists(DbPath(L"B")));
  EXPECT_FALSE(FileExists(DbPath(L"B") + L"-wal"));
  broken.CloseDeviceDb();
  EXPECT_EQ(1, RawDb(DbPath(L"A")).Int("SELECT count(*) FROM t_macro_data"));
}

TEST_F(StoreFile, MissingDbFolderFailsWithoutAStore) {
  EXPECT_FALSE(m_store.OpenDeviceDb(Folder() + L"nowhere\\", L"K1"));
  EXPECT_EQ(StoreOpenResult::CannotCreate, m_store.LastOpenResult());
  EXPECT_FALSE(m_store.IsOpened());
}

TEST_F(StoreFile, DeleteRemovesTheFileAndItsCompanions) {
  Open();
  ASSERT_GT(m_store.AddMacro(L"m"), 0);
  ASSERT_TRUE(FileExists(DbPath() + L"-wal"));
  // The open connection to this file is closed by the delete itself.
  EXPECT_TRUE(m_store.DeleteDeviceDb(Folder(), L"K1"));
  EXPECT_FALSE(m_store.IsOpened());
  for (const wchar_t* suffix : {L"", L"-wal", L"-shm", L"-journal"})
    EXPECT_FALSE(FileExists(DbPath() + suffix)) << ToUtf8(suffix);
  // A stale log left by something else goes too.
  WriteBytes(DbPath() + L"-wal", "stale");
  EXPECT_TRUE(m_store.DeleteDeviceDb(Folder(), L"K1"));
  EXPECT_FALSE(FileExists(DbPath() + L"-wal"));
  // Factory reset: a new, empty database.
  Open();
  EXPECT_EQ(StoreOpenResult::Created, m_store.LastOpenResult());
  KeyboardDataStore::RecordList<MacroRecord> macros;
  EXPECT_EQ(0, m_store.GetMacros(macros));
}

TEST_F(StoreFile, DeletingAnotherModelKeepsTheOpenConnection) {
  Open(L"A");
  EXPECT_TRUE(m_store.DeleteDeviceDb(Folder(), L"B"));
  EXPECT_TRUE(m_store.IsOpened());
  EXPECT_GT(m_store.AddMacro(L"m"), 0);
}

// Files that cannot be used: the open fails with its reason, the file keeps every byte,
// and the store answers failure to every operation instead of crashing.
struct BadFile {
  const char* name;
  StoreOpenResult result;
  std::string (*make)(const std::string& good);
};

class StoreBadFile : public StoreFixture, public ::testing::WithParamInterface<BadFile> {};

TEST_P(StoreBadFile, OpenFailsAndLeavesTheFileAsItWas) {
  // A real database with rows, checkpointed into the main file.
  Open(L"Good");
  for (int i = 0; i < 50; ++i) m_store.AddMacro(L"macro with a fairly long name to fill pages");
  m_store.CloseDeviceDb();
  std::string good = ReadBytes(DbPath(L"Good"));
  ASSERT_GT(good.size(), 4096u);

  std::string bytes = GetParam().make(good);
  WriteBytes(DbPath(), bytes);
  EXPECT_FALSE(m_store.OpenDeviceDb(Folder(), L"K1"));
  EXPECT_EQ(GetParam().result, m_store.LastOpenResult());
  EXPECT_FALSE(m_store.IsOpened());
  EXPECT_EQ(bytes, ReadBytes(DbPath()));
  EXPECT_FALSE(FileExists(DbPath() + L"-wal"));
  EXPECT_EQ(0, m_store.AddMacro(L"m"));
  KeyboardDataStore::RecordList<MacroRecord> macros;
  EXPECT_EQ(0, m_store.GetMacros(macros));
  EXPECT_EQ(0, m_store.AddUserLightRgbs({UserLightRgbRecord{}}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoreBadFile,
    ::testing::Values(
        BadFile{"Text", StoreOpenResult::NotADatabase,
                [](const std::string&) { return std::string("profiles.txt: not a database at all\r\n"); }},
        BadFile{"Garbage", StoreOpenResult::NotADatabase,
                [](const std::string&) { return std::string(8192, '\x5a'); }},
        BadFile{"TruncatedHeader", StoreOpenResult::Corrupt,
                [](const std::string& g) { return g.substr(0, 60); }},
        BadFile{"TruncatedHalf", StoreOpenResult::Corrupt,
                [](const std::string& g) { return g.substr(0, g.size() / 2); }},
        BadFile{"DamagedPage", StoreOpenResult::Corrupt,
                [](const std::string& g) {
                  std::string d = g;
                  for (size_t i = 4096; i < 4096 + 200; ++i) d[i] = '\xff';  // page 2's header
                  return d;
                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoreFile, ReadOnlyFileIsRefusedAndLeftAlone) {
  Open();
  ASSERT_GT(m_store.AddMacro(L"m"), 0);
  m_store.CloseDeviceDb();
  std::string before = ReadBytes(DbPath());
  ASSERT_TRUE(SetFileAttributesW(DbPath(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(m_store.OpenDeviceDb(Folder(), L"K1"));
  EXPECT_EQ(StoreOpenResult::ReadOnly, m_store.LastOpenResult());
  EXPECT_FALSE(m_store.IsOpened());
  EXPECT_EQ(0, m_store.AddMacro(L"m2"));
  // Not deleted, not changed, still read-only.
  EXPECT_EQ(before, ReadBytes(DbPath()));
  EXPECT_NE(0u, GetFileAttributesW(DbPath()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(DbPath(), FILE_ATTRIBUTE_NORMAL);
  Open();
  KeyboardDataStore::RecordList<MacroRecord> macros;
  EXPECT_EQ(1, m_store.GetMacros(macros));
}

TEST_F(StoreFile, UnicodeFolderAndModelName) {
  TempFolder outer;
  CString folder = outer.Path() + L"\u00dcser \u952e\u76d8\\";
  ASSERT_TRUE(CreateDirectoryW(folder, nullptr));
  ASSERT_TRUE(CreateDirectoryW(folder + L"db", nullptr));
  KeyboardDataStore store;
  ASSERT_TRUE(store.OpenDeviceDb(folder, L"K\u00e9y 75"));
  EXPECT_GT(store.AddMacro(L"m"), 0);
  store.CloseDeviceDb();
  EXPECT_TRUE(FileExists(folder + L"db\\K\u00e9y 75_data_2.db"));
}

TEST_F(StoreFile, DbFilePathAndUserDataFolder) {
  EXPECT_EQ(CString(L"C:\\u\\db\\M65_data_2.db"), KeyboardDataStore::DbFilePath(L"C:\\u\\", L"M65"));
  EXPECT_EQ(CString(L"C:\\u\\db\\M65_data_2.db"), KeyboardDataStore::DbFilePath(L"C:\\u", L"M65"));
  CString def = GetUserDataFolder();
  EXPECT_EQ(CString(L" Files\\"), def.Right(7));
  SetUserDataFolder(Folder());
  EXPECT_EQ(Folder(), GetUserDataFolder());
  SetUserDataFolder(L"");
  EXPECT_EQ(def, GetUserDataFolder());
}

TEST_F(StoreFile, InstanceIsOneStoreAndKeepsTheModelId) {
  KeyboardDataStore& a = KeyboardDataStore::Instance();
  EXPECT_EQ(&a, &KeyboardDataStore::Instance());
  EXPECT_FALSE(a.IsOpened());
  a.SetModelId(102);
  EXPECT_EQ(102, a.GetModelId());
}

}  // namespace
