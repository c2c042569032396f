// Key assignments: one row per profile, Fn layer and key.
#include "store/KeyboardDataStore.h"
#include "store/StoreSql.h"

using namespace StoreSql;

namespace {

const char* const kInsertKey =
    "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc,"
    " macro_type, macro_value, macro_value2, macro_value3, macro_desc)  \t\t"
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);";

const char* const kUpdateKey =
    "UPDATE t_key_macro_data SET macro_type = ?, macro_value = ?, macro_value2 = ?,"
    " macro_value3 = ?, macro_desc = ? WHERE profile = ? AND fn_layer = ? AND key_code = ?;";

Args InsertArgs(const KeyMacroRecord& r) {
  return {r.profile,    r.fn_layer,    r.key_code,     r.layout_value, Text(r.layout_desc),
          r.macro_type, r.macro_value, r.macro_value2, r.macro_value3, Text(r.macro_desc)};
}

Args UpdateArgs(const KeyMacroRecord& r) {
  return {r.macro_type,       r.macro_value, r.macro_value2, r.macro_value3,
          Text(r.macro_desc), r.profile,     r.fn_layer,     r.key_code};
}

// Column i of "SELECT *" fills field i.
void Fill(const Row& row, KeyMacroRecord& r) {
  r.key_id = row.Int(0);
  r.profile = row.Int(1);
  r.fn_layer = row.Int(2);
  r.key_code = row.Int(3);
  r.layout_value = row.Int(4);
  r.layout_desc = row.Text(5);
  r.macro_type = row.Int(6);
  r.macro_value = row.Int(7);
  r.macro_value2 = row.Int(8);
  r.macro_value3 = row.Int(9);
  r.macro_desc = row.Text(10);
}

}  // namespace

int KeyboardDataStore::GetKeyMacroCount(int profile) {
  Guard guard(m_lock);
  return Count(m_db, "select count(*) FROM t_key_macro_data WHERE profile = ?", {profile});
}

int KeyboardDataStore::ReplaceKeyMacro(const KeyMacroRecord& record) {
  if (record.key_code == 0) return 0;
  Guard guard(m_lock);
  int id = 0;
  // One transaction: a failed insert keeps the key's old assignment.
  bool ok = Atomically(m_db, [&] {
    if (!Write(m_db, "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
               {record.profile, record.fn_layer, record.key_code}))
      return false;
    if (record.macro_value == 0 && record.macro_value2 == 0) return true;  // no assignment
    id = Insert(m_db, kInsertKey, InsertArgs(record));
    return id > 0;
  });
  return ok ? id : 0;
}

bool KeyboardDataStore::AssignKeyMacro(const KeyMacroRecord& record) {
  if (record.key_code == 0) return false;
  Guard guard(m_lock);
  return Atomically(m_db, [&] {
    if (!Write(m_db, kUpdateKey, UpdateArgs(record))) return false;
    // An update that met no row: the key has none yet (a profile made without default
    // rows, a key the layout did not list), and the assignment must not be lost.
    return m_db.Changes() > 0 || Insert(m_db, kInsertKey, InsertArgs(record)) > 0;
  });
}

int KeyboardDataStore::InsertKeyMacros(std::vector<KeyMacroRecord> records) {
  Guard guard(m_lock);
  return WriteAll(m_db, kInsertKey, records, InsertArgs);
}

void KeyboardDataStore::UpdateKeyMacro(const KeyMacroRecord& record) {
  Guard guard(m_lock);
  Write(m_db, kUpdateKey, UpdateArgs(record));
}

int KeyboardDataStore::UpdateKeyMacros(std::vector<KeyMacroRecord> records) {
  Guard guard(m_lock);
  return WriteAll(m_db, kUpdateKey, records, UpdateArgs);
}

bool KeyboardDataStore::GetKeyMacro(int profile, int fnLayer, int keyCode, KeyMacroRecord& record) {
  Guard guard(m_lock);
  return ReadRow(m_db,
                 "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?"
                 " ORDER BY key_id",
                 {profile, fnLayer, keyCode}, [&](const Row& row) { Fill(row, record); });
}

int KeyboardDataStore::GetLayerKeyMacros(int profile, int fnLayer, RecordList<KeyMacroRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db,
                  "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? ORDER BY key_id",
                  {profile, fnLayer}, list, Fill);
}

int KeyboardDataStore::GetProfileKeyMacros(int profile, RecordList<KeyMacroRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db, "SELECT * FROM t_key_macro_data WHERE profile = ? ORDER BY key_id",
                  {profile}, list, Fill);
}

int KeyboardDataStore::GetAllKeyMacros(RecordList<KeyMacroRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db, "SELECT * FROM t_key_macro_data ORDER BY key_id", {}, list, Fill);
}
