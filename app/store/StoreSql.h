// Statement helpers shared by the profile store's operations: prepare, bind in order,
// step, and read rows into records. Callers hold the store lock.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "core/CString.h"
#include "store/SQLiteDB.h"
#include "support/Utf8.h"

namespace StoreSql {

// A bound parameter: an int or UTF-8 text (kept alive by the caller's argument list,
// since text is bound without copying).
struct Value {
  Value(int number) : number(number) {}
  Value(std::string utf8) : isText(true), text(std::move(utf8)) {}
  bool isText = false;
  int number = 0;
  std::string text;
};
using Args = std::vector<Value>;

inline Value Text(const CString& text) { return ToUtf8(text); }

// Engine codes that mean a statement ran: OK, ROW, DONE.
inline bool Succeeded(int code) { return code == 0 || code == 100 || code == 101; }
constexpr int kRow = 100;

// One result row.
class Row {
public:
  explicit Row(const SQLiteStatement& statement) : m_statement(statement) {}
  int Int(int column) const { return m_statement.ColumnInt(column); }
  CString Text(int column) const { return FromUtf8(m_statement.ColumnText(column)); }

private:
  const SQLiteStatement& m_statement;
};

inline bool Bind(SQLiteStatement& statement, const Args& args) {
  int index = 1;
  for (const Value& v : args) {
    int rc = v.isText ? statement.BindText(index, v.text.c_str(), static_cast<int>(v.text.size()))
                      : statement.BindInt(index, v.number);
    if (rc != 0) return false;
    ++index;
  }
  return true;
}

// Prepares `sql` on `statement` and binds `args`; false when either fails.
inline bool Prepare(SQLiteDB& db, SQLiteStatement& statement, const char* sql, const Args& args) {
  return db.Prepare(statement, sql, -1) == 0 && Bind(statement, args);
}

// Runs a writing statement once.
inline bool Write(SQLiteDB& db, const char* sql, const Args& args) {
  SQLiteStatement statement;
  if (!Prepare(db, statement, sql, args)) return false;
  return Succeeded(statement.Step());
}

// Runs an insert; the new row id, 0 on failure.
inline int Insert(SQLiteDB& db, const char* sql, const Args& args) {
  if (!Write(db, sql, args)) return 0;
  return static_cast<int>(db.LastInsertRowId());
}

// Column 0 of the first row, 0 when no row came.
inline int Count(SQLiteDB& db, const char* sql, const Args& args) {
  SQLiteStatement statement;
  if (!Prepare(db, statement, sql, args) || statement.Step() != kRow) return 0;
  return statement.ColumnInt(0);
}

// Hands the first row to `fill`; false (nothing filled) when no row came.
template <class Fill>
bool ReadRow(SQLiteDB& db, const char* sql, const Args& args, Fill fill) {
  SQLiteStatement statement;
  if (!Prepare(db, statement, sql, args) || statement.Step() != kRow) return false;
  fill(Row(statement));
  return true;
}

// Replaces `list` with one new record per row, filled by `fill`; answers the count.
template <class T, class Fill>
int ReadList(SQLiteDB& db, const char* sql, const Args& args, std::vector<std::unique_ptr<T>>& list,
             Fill fill) {
  list.clear();
  SQLiteStatement statement;
  if (!Prepare(db, statement, sql, args)) return 0;
  while (statement.Step() == kRow) {
    auto record = std::make_unique<T>();
    fill(Row(statement), *record);
    list.push_back(std::move(record));
  }
  return static_cast<int>(list.size());
}

// Runs `sql` once per record with the values `bind` gives for it, on one prepared
// statement. Answers the rows written, or -1 at the first failure (the caller rolls back).
template <class T, class BindRecord>
int WriteEach(SQLiteDB& db, const char* sql, const std::vector<T>& records, BindRecord bind) {
  if (records.empty()) return db.IsOpen() ? 0 : -1;
  SQLiteStatement statement;
  if (db.Prepare(statement, sql, -1) != 0) return -1;
  int written = 0;
  for (const T& record : records) {
    Args args = bind(record);
    if (statement.Reset() != 0 || !Bind(statement, args) || !Succeeded(statement.Step())) return -1;
    ++written;
  }
  return written;
}

// Runs `body` inside a transaction that is committed when it answers true and rolled
// back otherwise. Inside an open transaction the body simply joins it.
template <class Body>
bool Atomically(SQLiteDB& db, Body body) {
  if (!db.IsOpen()) return false;
  if (db.InTransaction()) return body();
  SQLiteAutoTransaction transaction(&db);
  if (!transaction.Started()) return false;
  if (!body()) {
    transaction.Rollback();
    return false;
  }
  return transaction.End();
}

// A bulk writer: `sql` once per record, all in one transaction that is rolled back at
// the first failure. Answers the rows written (0 when rolled back).
template <class T, class BindRecord>
int WriteAll(SQLiteDB& db, const char* sql, const std::vector<T>& records, BindRecord bind) {
  int written = 0;
  bool ok = Atomically(db, [&] {
    written = WriteEach(db, sql, records, bind);
    return written >= 0;
  });
  return ok ? written : 0;
}

// A replacement: `deleteSql` once, then `insertSql` once per record, in one transaction
// that is rolled back at the first failure. Answers the rows written (0 when rolled back).
template <class T, class BindRecord>
int ReplaceAll(SQLiteDB& db, const char* deleteSql, const Args& deleteArgs, const char* insertSql,
               const std::vector<T>& records, BindRecord bind) {
  int written = 0;
  bool ok = Atomically(db, [&] {
    if (!Write(db, deleteSql, deleteArgs)) return false;
    written = WriteEach(db, insertSql, records, bind);
    return written >= 0;
  });
  return ok ? written : 0;
}

}  // namespace StoreSql
