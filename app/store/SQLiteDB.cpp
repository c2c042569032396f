#include "store/SQLiteDB.h"
#include <sqlite3.h>
#include <cstring>

SQLiteDB::~SQLiteDB() {
  if (m_db) {
    sqlite3_interrupt(m_db);
    sqlite3_close(m_db);
  }
}

bool SQLiteDB::Open(const char* path, const std::string& key, int flags) {
  if (m_db) {
    sqlite3_interrupt(m_db);
    // A connection that cannot be closed (a statement of it still lives) is kept rather
    // than leaked; the caller learns that nothing new was opened.
    if (sqlite3_close(m_db) != SQLITE_OK) return false;
    m_db = nullptr;
  }
  if (!path || !key.empty()) return false;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path, &db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  m_db = db;
  // Another program reading the file (a user's database tool) may hold it briefly.
  sqlite3_busy_timeout(m_db, 2000);
  return true;
}

bool SQLiteDB::Close() {
  if (!m_db) return true;
  if (sqlite3_close(m_db) != SQLITE_OK) return false;
  m_db = nullptr;
  return true;
}

int SQLiteDB::Exec(const char* sql, int (*callback)(void*, int, char**, char**), void* arg) {
  if (!m_db || !sql) return kMisuse;
  return sqlite3_exec(m_db, sql, callback, arg, nullptr);
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
  statement.Finalize();
  if (!m_db || !sql) return kMisuse;
  if (length < 0) length = static_cast<int>(std::strlen(sql)) + 1;
  return sqlite3_prepare_v2(m_db, sql, length, &statement.m_stmt, nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const {
  return m_db ? sqlite3_last_insert_rowid(m_db) : -1;
}

int SQLiteDB::Changes() const { return m_db ? sqlite3_changes(m_db) : 0; }

bool SQLiteDB::InTransaction() const { return m_db && sqlite3_get_autocommit(m_db) == 0; }

bool SQLiteDB::IsReadOnly() const { return m_db && sqlite3_db_readonly(m_db, "main") == 1; }

const char* SQLiteDB::LastError() const { return m_db ? sqlite3_errmsg(m_db) : ""; }

// ---- SQLiteStatement ---------------------------------------------------------------

SQLiteStatement::~SQLiteStatement() { Finalize(); }

void SQLiteStatement::Finalize() {
  // The engine frees the statement whatever it answers (a non-zero answer only repeats
  // the last step's error), so the handle is never kept dangling.
  if (m_stmt) sqlite3_finalize(m_stmt);
  m_stmt = nullptr;
}

int SQLiteStatement::BindInt(int index, int value) {
  return m_stmt ? sqlite3_bind_int(m_stmt, index, value) : SQLiteDB::kMisuse;
}

int SQLiteStatement::BindText(int index, const char* text, int length) {
  return m_stmt ? sqlite3_bind_text(m_stmt, index, text, length, SQLITE_STATIC) : SQLiteDB::kMisuse;
}

int SQLiteStatement::Step() { return m_stmt ? sqlite3_step(m_stmt) : SQLiteDB::kMisuse; }

int SQLiteStatement::Reset() { return m_stmt ? sqlite3_reset(m_stmt) : SQLiteDB::kMisuse; }

int SQLiteStatement::ColumnInt(int column) const {
  return m_stmt ? sqlite3_column_int(m_stmt, column) : 0;
}

const char* SQLiteStatement::ColumnText(int column) const {
  return m_stmt ? reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)) : nullptr;
}

// ---- SQLiteAutoTransaction ---------------------------------------------------------

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* db) : m_db(db) {
  if (!m_db) return;
  if (m_db->IsOpen()) m_started = m_db->Exec("BEGIN") == 0;
  m_active = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  if (m_active && m_db) End();
  m_active = false;
}

bool SQLiteAutoTransaction::Begin() {
  if (!m_db || m_active) return false;
  m_active = true;
  if (!m_db->IsOpen()) return false;
  m_started = m_db->Exec("BEGIN") == 0;
  return m_started;
}

bool SQLiteAutoTransaction::End() {
  if (!m_db) return false;
  m_active = false;
  if (!m_db->IsOpen()) return false;
  bool ok = m_db->Exec("END") == 0;
  if (!ok && m_db->InTransaction()) m_db->Exec("ROLLBACK");
  return ok;
}

bool SQLiteAutoTransaction::Rollback() {
  if (!m_db) return false;
  m_active = false;
  if (!m_db->IsOpen() || !m_db->InTransaction()) return false;
  return m_db->Exec("ROLLBACK") == 0;
}
