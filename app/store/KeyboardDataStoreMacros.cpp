// Macros and their recorded steps; they belong to the model's database, not to a profile.
#include "store/KeyboardDataStore.h"
#include "store/StoreSql.h"

using namespace StoreSql;

namespace {

const char* const kInsertStep =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time)\t\t"
    "VALUES (?, ?, ?, ?, ?, ?);";
const char* const kDeleteSteps = "DELETE FROM t_macrorecord WHERE macro_id = ?";

Args StepArgs(const MacroStepRecord& r, int macroId) {
  return {macroId, r.type, r.record_index, Text(r.desc), r.value, r.delay_time};
}

void Fill(const Row& row, MacroRecord& r) {
  r.macro_id = row.Int(0);
  r.name = row.Text(1);
  r.play_type = row.Int(2);
  r.play_times = row.Int(3);
  r.delay_type = row.Int(4);
  r.delay_time = row.Int(5);
}

}  // namespace

int KeyboardDataStore::AddMacro(const CString& name) {
  Guard guard(m_lock);
  return Insert(m_db,
                "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time)"
                " VALUES (?, ?, ?, ?, ?);",
                {Text(name), 0, 1, 1, 0});
}

bool KeyboardDataStore::RenameMacro(int macroId, const CString& name) {
  Guard guard(m_lock);
  return Write(m_db, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?", {Text(name), macroId});
}

bool KeyboardDataStore::DeleteMacro(int macroId) {
  Guard guard(m_lock);
  return Atomically(m_db, [&] {
    return Write(m_db, "DELETE FROM t_macro_data WHERE macro_id = ?", {macroId}) &&
           Write(m_db, kDeleteSteps, {macroId});
  });
}

bool KeyboardDataStore::GetMacro(int macroId, MacroRecord& record) {
  Guard guard(m_lock);
  return ReadRow(m_db, "SELECT * FROM t_macro_data WHERE macro_id = ?", {macroId},
                 [&](const Row& row) { Fill(row, record); });
}

bool KeyboardDataStore::UpdateMacro(int macroId, MacroRecord record) {
  Guard guard(m_lock);
  return Write(m_db,
               "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = ?,"
               "delay_time = ? WHERE macro_id = ?",
               {Text(record.name), record.play_type, record.play_times, record.delay_type,
                record.delay_time, macroId});
}

int KeyboardDataStore::GetMacros(RecordList<MacroRecord>& list) {
  Guard guard(m_lock);
  // The keyboard's macro memory and every key's macro assignment use this order.
  return ReadList(m_db, "SELECT * FROM t_macro_data ORDER BY macro_id", {}, list, Fill);
}

int KeyboardDataStore::AddMacroSteps(std::vector<MacroStepRecord> records) {
  Guard guard(m_lock);
  return WriteAll(m_db, kInsertStep, records,
                  [](const MacroStepRecord& r) { return StepArgs(r, r.macro_id); });
}

int KeyboardDataStore::ReplaceMacroSteps(int macroId, std::vector<MacroStepRecord> records) {
  Guard guard(m_lock);
  // The steps belong to the macro being replaced, whatever the records say.
  return ReplaceAll(m_db, kDeleteSteps, {macroId}, kInsertStep, records,
                    [macroId](const MacroStepRecord& r) { return StepArgs(r, macroId); });
}

int KeyboardDataStore::GetMacroSteps(int macroId, RecordList<MacroStepRecord>& list) {
  Guard guard(m_lock);
  return ReadList(m_db,
                  "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC, record_id ASC",
                  {macroId}, list, [](const Row& row, MacroStepRecord& r) {
                    r.record_id = row.Int(0);
                    r.macro_id = row.Int(1);
                    r.type = row.Int(2);
                    r.record_index = row.Int(3);
                    r.desc = row.Text(4);
                    r.value = row.Int(5);
                    r.delay_time = row.Int(6);
                  });
}

bool KeyboardDataStore::DeleteMacroSteps(int macroId) {
  Guard guard(m_lock);
  return Write(m_db, kDeleteSteps, {macroId});
}

int KeyboardDataStore::GetMacroStepCount(int macroId) {
  Guard guard(m_lock);
  return Count(m_db, "select count(*) FROM t_macrorecord WHERE macro_id = ?", {macroId});
}

int KeyboardDataStore::GetAllMacroStepCount() {
  Guard guard(m_lock);
  return Count(m_db, "select count(*) FROM t_macrorecord", {});
}
