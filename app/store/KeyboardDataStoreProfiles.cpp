// Profiles, their configuration values and the companion rows of a new profile.
#include "store/KeyboardDataStore.h"
#include "store/StoreSchema.h"
#include "store/StoreSql.h"

using namespace StoreSql;

int KeyboardDataStore::AddProfile(const ProfileRecord& record) {
  Guard guard(m_lock);
  int id = 0;
  // The music page finds a profile's layer by the profile's id, which holds only while
  // every profile gets its layer: a profile without its companions is not made at all.
  bool ok = Atomically(m_db, [&] {
    id = Insert(m_db,
                "INSERT INTO t_profile_data(name, status, app, icon_image, bkg_image, type) "
                "VALUES (?, ?, ?, ?, ?, ?);",
                {Text(record.name), 0, Text(record.app), Text(record.icon_image),
                 Text(record.bkg_image), 0});
    return id > 0 && AddMusicLayer(id, L"Profile") > 0 && AddCustomLight(id, L"Profile") > 0;
  });
  return ok ? id : 0;
}

bool KeyboardDataStore::DeleteProfile(int profile) {
  Guard guard(m_lock);
  return Write(m_db, "DELETE FROM t_profile_data WHERE profile = ?", {profile});
}

bool KeyboardDataStore::RenameProfile(int profile, const CString& name) {
  Guard guard(m_lock);
  return Write(m_db, "UPDATE t_profile_data SET name = ? WHERE profile = ?", {Text(name), profile});
}

bool KeyboardDataStore::GetProfileName(int profile, CString& name) {
  Guard guard(m_lock);
  name.Empty();
  return ReadRow(m_db, "SELECT name FROM t_profile_data WHERE profile = ?", {profile},
                 [&](const Row& row) { name = row.Text(0); });
}

int KeyboardDataStore::GetProfiles(RecordList<ProfileRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db, "SELECT * FROM t_profile_data ORDER BY profile", {}, list,
                  [](const Row& row, ProfileRecord& r) {
                    r.profile = row.Int(0);
                    r.name = row.Text(1);
                    r.status = row.Int(2);
                    r.app = row.Text(3);
                    r.icon_image = row.Text(4);
                    r.bkg_image = row.Text(5);
                    r.type = row.Int(6);
                  });
}

bool KeyboardDataStore::SetActiveProfile(int profile) {
  Guard guard(m_lock);
  return Atomically(m_db, [&] {
    return Write(m_db, "UPDATE t_profile_data SET status = ?", {0}) &&
           Write(m_db, "UPDATE t_profile_data SET status = ? WHERE profile = ?", {1, profile}) &&
           m_db.Changes() > 0;
  });
}

int KeyboardDataStore::GetActiveProfile() {
  Guard guard(m_lock);
  return Count(m_db, "SELECT profile FROM t_profile_data WHERE status = ?", {1});
}

bool KeyboardDataStore::SetConfigValue(int profile, const CString& key, const CString& value) {
  Guard guard(m_lock);
  return Write(m_db, "UPDATE t_config_data SET value = ? WHERE profile = ? and key = ?",
               {Text(value), profile, Text(key)});
}

bool KeyboardDataStore::GetConfigValue(int profile, const CString& key, CString& value) {
  Guard guard(m_lock);
  value.Empty();
  return ReadRow(m_db, "SELECT value FROM t_config_data WHERE profile = ? and key = ?",
                 {profile, Text(key)}, [&](const Row& row) { value = row.Text(0); });
}

bool KeyboardDataStore::InsertDefaultConfig(int profile) {
  Guard guard(m_lock);
  const auto& rows = DefaultConfigRows();
  int written = WriteAll(m_db, "INSERT INTO t_config_data(profile, key, value) VALUES (?, ?, ?);",
                         rows, [profile](const DefaultConfigRow& row) -> Args {
                           return {profile, Text(row.key), Text(row.value)};
                         });
  return written == static_cast<int>(rows.size());
}

int KeyboardDataStore::AddMusicLayer(int profile, const CString& name) {
  Guard guard(m_lock);
  return Insert(m_db,
                "INSERT INTO t_musiclayer_data(profile, name, deviceindex, foremode, fore_amplitude,"
                " backmode, backb_right, light_right, sel) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?);",
                {profile, Text(name), 0, 4, 300, 0, 100, 100, 0});
}

int KeyboardDataStore::AddCustomLight(int profile, const CString& name) {
  Guard guard(m_lock);
  return Insert(m_db,
                "INSERT INTO t_customlight_data(profile, name, speed, brightness) VALUES (?, ?, ?, ?);",
                {profile, Text(name), 15, 15});
}
