// Lighting modes per profile and zone, and the per-key colours of the custom sets.
#include "store/KeyboardDataStore.h"
#include "store/StoreSql.h"

using namespace StoreSql;

namespace {

const char* const kInsertUserRgb =
    "INSERT INTO t_userlightrgb_data(profile, userlight_id, key_code, key_rgb) VALUES (?, ?, ?, ?);";
const char* const kDeleteUserRgbs =
    "DELETE FROM t_userlightrgb_data WHERE profile = ? AND userlight_id = ?";

// Column i of "SELECT *" fills field i.
void Fill(const Row& row, LightRecord& r) {
  r.light_id = row.Int(0);
  r.profile = row.Int(1);
  r.name = row.Text(2);
  r.type = row.Int(3);
  r.mode = row.Int(4);
  r.brightness = row.Int(5);
  r.speed = row.Int(6);
  r.direction = row.Int(7);
  r.colorful = row.Int(8);
  r.colorindex = row.Int(9);
  r.color_value = row.Int(10);
  r.config_func = row.Int(11);
  r.reserved = row.Int(12);
  r.status = row.Int(13);
}

Args UserRgbArgs(const UserLightRgbRecord& r) {
  return {r.profile, r.userlight_id, r.key_code, r.key_rgb};
}

}  // namespace

int KeyboardDataStore::GetLightCount(int profile) {
  Guard guard(m_lock);
  return Count(m_db, "select count(*) FROM t_light_data WHERE profile = ?", {profile});
}

int KeyboardDataStore::AddLight(const LightRecord& r) {
  Guard guard(m_lock);
  return Insert(m_db,
                "INSERT INTO t_light_data(profile, name, type, mode,\t\tbrightness, speed, direction,"
                " colorful, colorindex, color_value,\t\tconfig_func, reserved, status)\t\t"
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                {r.profile, Text(r.name), r.type, r.mode, r.brightness, r.speed, r.direction,
                 r.colorful, r.colorindex, r.color_value, r.config_func, r.reserved, r.status});
}

bool KeyboardDataStore::UpdateLight(int, int type, int mode, const LightRecord& r) {
  Guard guard(m_lock);
  return Write(m_db,
               "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?,\t\tcolorful = ?,"
               " colorindex = ?, color_value = ?,\t\tconfig_func = ?, reserved = ?"
               " WHERE profile = ? AND type = ? AND mode = ?",
               {r.brightness, r.speed, r.direction, r.colorful, r.colorindex, r.color_value,
                r.config_func, r.reserved, r.profile, type, mode});
}

bool KeyboardDataStore::SetActiveLightMode(int profile, int type, int mode) {
  Guard guard(m_lock);
  return Atomically(m_db, [&] {
    return Write(m_db, "UPDATE t_light_data SET status = ? WHERE profile = ? AND type = ?",
                 {0, profile, type}) &&
           Write(m_db,
                 "UPDATE t_light_data SET status = ? WHERE profile = ? AND type = ? AND mode = ?",
                 {1, profile, type, mode}) &&
           m_db.Changes() > 0;
  });
}

int KeyboardDataStore::GetActiveLightMode(int profile, int type) {
  Guard guard(m_lock);
  return Count(m_db,
               "SELECT mode FROM t_light_data WHERE profile = ? AND type = ? and status = ?"
               " ORDER BY light_id",
               {profile, type, 1});
}

bool KeyboardDataStore::GetLight(int profile, int type, int mode, LightRecord& record) {
  Guard guard(m_lock);
  return ReadRow(m_db,
                 "SELECT * FROM t_light_data WHERE profile = ? AND type = ? AND mode = ?"
                 " ORDER BY light_id",
                 {profile, type, mode}, [&](const Row& row) { Fill(row, record); });
}

int KeyboardDataStore::GetLights(int profile, int type, RecordList<LightRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db, "SELECT * FROM t_light_data WHERE profile = ? AND type = ? ORDER BY light_id",
                  {profile, type}, list, Fill);
}

int KeyboardDataStore::AddUserLightRgbs(std::vector<UserLightRgbRecord> records) {
  Guard guard(m_lock);
  return WriteAll(m_db, kInsertUserRgb, records, UserRgbArgs);
}

bool KeyboardDataStore::DeleteUserLightRgbs(int profile, int userlightId) {
  Guard guard(m_lock);
  return Write(m_db, kDeleteUserRgbs, {profile, userlightId});
}

int KeyboardDataStore::ReplaceUserLightRgbs(int profile, int userlightId,
                                            std::vector<UserLightRgbRecord> records) {
  Guard guard(m_lock);
  // The rows belong to the set being replaced, whatever the records say.
  return ReplaceAll(m_db, kDeleteUserRgbs, {profile, userlightId}, kInsertUserRgb, records,
                    [&](const UserLightRgbRecord& r) -> Args {
                      return {profile, userlightId, r.key_code, r.key_rgb};
                    });
}

int KeyboardDataStore::GetUserLightRgbs(int profile, int userlightId,
                                        RecordList<UserLightRgbRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db,
                  "SELECT * FROM t_userlightrgb_data WHERE profile = ? AND userlight_id = ?"
                  " ORDER BY userlightrgb_id",
                  {profile, userlightId}, list, [](const Row& row, UserLightRgbRecord& r) {
                    r.userlightrgb_id = row.Int(0);
                    r.profile = row.Int(1);
                    r.userlight_id = row.Int(2);
                    r.key_code = row.Int(3);
                    r.key_rgb = row.Int(4);
                  });
}
