// A thin object face on the SQLite C interface: one connection, one prepared statement,
// and a transaction bracket. Every call hands back the engine's result code unchanged;
// an object without a handle answers SQLITE_MISUSE (21) instead of calling the engine.
#pragma once
#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

class SQLiteStatement;

class SQLiteDB {
public:
  static constexpr int kMisuse = 21;

  SQLiteDB() = default;
  virtual ~SQLiteDB();
  SQLiteDB(const SQLiteDB&) = delete;
  SQLiteDB& operator=(const SQLiteDB&) = delete;

  // Closes a held connection first. `key` must be empty: the store never encrypts, and
  // the engine is built without an encryption extension.
  bool Open(const char* path, const std::string& key, int flags);
  // True also when nothing was open; false (connection kept) while statements still live.
  bool Close();
  bool IsOpen() const { return m_db != nullptr; }

  int Exec(const char* sql, int (*callback)(void*, int, char**, char**) = nullptr, void* arg = nullptr);
  // A negative length measures the text (its NUL counted).
  int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
  int64_t LastInsertRowId() const;

  // Rows changed by the last finished INSERT, UPDATE or DELETE; 0 without a connection.
  int Changes() const;
  // True while an explicit transaction is open on the connection.
  bool InTransaction() const;
  // True when the engine could only open the main database for reading.
  bool IsReadOnly() const;
  // The engine's text for the last failure of this connection ("" without one).
  const char* LastError() const;

private:
  sqlite3* m_db = nullptr;
};

class SQLiteStatement {
public:
  SQLiteStatement() = default;
  virtual ~SQLiteStatement();
  SQLiteStatement(const SQLiteStatement&) = delete;
  SQLiteStatement& operator=(const SQLiteStatement&) = delete;

  // Text is bound without copying: keep it alive until the last step.
  int BindInt(int index, int value);
  int BindText(int index, const char* text, int length);
  int Step();
  // Rewinds a stepped statement so it can run again with new bindings.
  int Reset();
  int ColumnInt(int column) const;
  // Null for an SQL NULL; valid until the next step or finalize.
  const char* ColumnText(int column) const;
  bool IsPrepared() const { return m_stmt != nullptr; }

private:
  friend class SQLiteDB;
  void Finalize();
  sqlite3_stmt* m_stmt = nullptr;
};

// BEGIN on construction, END on End() or destruction. Rollback() abandons the changes;
// a failed END rolls back too, so the connection never stays inside a half-done
// transaction that a later close would silently throw away.
class SQLiteAutoTransaction {
public:
  explicit SQLiteAutoTransaction(SQLiteDB* db);
  virtual ~SQLiteAutoTransaction();
  SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
  SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

  bool Begin();
  bool End();
  bool Rollback();
  bool IsActive() const { return m_active; }
  // True when the BEGIN run by the constructor or Begin() succeeded.
  bool Started() const { return m_started; }

private:
  SQLiteDB* m_db = nullptr;
  bool m_active = false;
  bool m_started = false;
};
