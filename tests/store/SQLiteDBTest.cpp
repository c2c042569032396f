#include <gtest/gtest.h>
#include "StoreTestUtil.h"

using storetest::FileExists;
using storetest::TempFolder;

namespace {

constexpr int kReadWriteCreate = 0x00010006;
constexpr int kMisuse = 21;

class SQLiteWrapper : public ::testing::Test {
protected:
  std::string Path(const wchar_t* name) { return ToUtf8(m_folder.Path() + name); }
  void OpenNew(SQLiteDB& db, const wchar_t* name = L"w.db") {
    ASSERT_TRUE(db.Open(Path(name).c_str(), "", kReadWriteCreate));
  }
  int Count(SQLiteDB& db, const char* sql) {
    SQLiteStatement st;
    EXPECT_EQ(0, db.Prepare(st, sql));
    return st.Step() == 100 ? st.ColumnInt(0) : -1;
  }
  TempFolder m_folder;
};

TEST_F(SQLiteWrapper, ObjectsWithoutHandlesAnswerMisuse) {
  SQLiteDB db;
  SQLiteStatement st;
  EXPECT_FALSE(db.IsOpen());
  EXPECT_TRUE(db.Close());
  EXPECT_EQ(kMisuse, db.Exec("SELECT 1"));
  EXPECT_EQ(kMisuse, db.Prepare(st, "SELECT 1"));
  EXPECT_EQ(-1, db.LastInsertRowId());
  EXPECT_EQ(kMisuse, st.BindInt(1, 5));
  EXPECT_EQ(kMisuse, st.BindText(1, "x", 1));
  EXPECT_EQ(kMisuse, st.Step());
  EXPECT_EQ(0, st.ColumnInt(0));
  EXPECT_EQ(nullptr, st.ColumnText(0));
}

TEST_F(SQLiteWrapper, OpenRefusesNullPathKeyAndMissingFileWithoutCreate) {
  SQLiteDB db;
  EXPECT_FALSE(db.Open(nullptr, "", kReadWriteCreate));
  EXPECT_FALSE(db.Open(Path(L"k.db").c_str(), "secret", kReadWriteCreate));
  EXPECT_FALSE(db.Open(Path(L"missing.db").c_str(), "", 0x00010002));
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(FileExists(m_folder.Path() + L"k.db"));
  EXPECT_FALSE(FileExists(m_folder.Path() + L"missing.db"));
}

TEST_F(SQLiteWrapper, ReopenReplacesTheConnection) {
  SQLiteDB db;
  OpenNew(db, L"a.db");
  ASSERT_EQ(0, db.Exec("CREATE TABLE a(x)"));
  OpenNew(db, L"b.db");
  EXPECT_EQ(0, Count(db, "SELECT count(*) FROM sqlite_master"));
  EXPECT_TRUE(db.Close());
  EXPECT_FALSE(db.IsOpen());
}

TEST_F(SQLiteWrapper, CloseFailsWhileAStatementLivesAndKeepsTheConnection) {
  SQLiteDB db;
  OpenNew(db);
  {
    SQLiteStatement st;
    ASSERT_EQ(0, db.Prepare(st, "SELECT 1"));
    EXPECT_FALSE(db.Close());
    EXPECT_TRUE(db.IsOpen());
  }
  EXPECT_TRUE(db.Close());
}

TEST_F(SQLiteWrapper, PrepareBindStepAndColumns) {
  SQLiteDB db;
  OpenNew(db);
  ASSERT_EQ(0, db.Exec("CREATE TABLE t(id INTEGER PRIMARY KEY AUTOINCREMENT, n INTEGER, s TEXT)"));
  SQLiteStatement st;
  // Explicit lengths and the measured length (-1) both prepare the whole text.
  const char* insert = "INSERT INTO t(n, s) VALUES (?, ?)";
  ASSERT_EQ(0, db.Prepare(st, insert, static_cast<int>(strlen(insert))));
  std::string text = "h\xc3\xa9llo";
  EXPECT_EQ(0, st.BindInt(1, 42));
  EXPECT_EQ(0, st.BindText(2, text.c_str(), static_cast<int>(text.size())));
  EXPECT_EQ(101, st.Step());
  EXPECT_EQ(1, db.LastInsertRowId());
  EXPECT_EQ(1, db.Changes());
  ASSERT_EQ(0, db.Prepare(st, "INSERT INTO t(n, s) VALUES (NULL, NULL)", -1));
  EXPECT_EQ(101, st.Step());

  ASSERT_EQ(0, db.Prepare(st, "SELECT n, s FROM t ORDER BY id", -1));
  ASSERT_EQ(100, st.Step());
  EXPECT_EQ(42, st.ColumnInt(0));
  EXPECT_EQ(text, st.ColumnText(1));
  ASSERT_EQ(100, st.Step());
  EXPECT_EQ(0, st.ColumnInt(0));
  EXPECT_EQ(nullptr, st.ColumnText(1));
  EXPECT_EQ(101, st.Step());
}

TEST_F(SQLiteWrapper, FailedPrepareLeavesAnEmptyStatement) {
  SQLiteDB db;
  OpenNew(db);
  SQLiteStatement st;
  ASSERT_EQ(0, db.Prepare(st, "SELECT 1"));
  EXPECT_NE(0, db.Prepare(st, "SELEKT nonsense"));
  EXPECT_FALSE(st.IsPrepared());
  EXPECT_EQ(kMisuse, st.BindInt(1, 1));
  EXPECT_EQ(kMisuse, st.BindText(1, "a", 1));
  EXPECT_EQ(kMisuse, st.Step());
  EXPECT_EQ(0, st.ColumnInt(0));
  EXPECT_EQ(nullptr, st.ColumnText(0));
  EXPECT_NE(0, db.Exec("SELEKT"));
  EXPECT_EQ(kMisuse, db.Exec(nullptr));
  EXPECT_EQ(kMisuse, db.Prepare(st, nullptr));
}

TEST_F(SQLiteWrapper, TransactionCommitsOnEndAndOnDestruction) {
  SQLiteDB db;
  OpenNew(db);
  ASSERT_EQ(0, db.Exec("CREATE TABLE t(x)"));
  {
    SQLiteAutoTransaction tx(&db);
    EXPECT_TRUE(tx.IsActive());
    EXPECT_TRUE(tx.Started());
    EXPECT_TRUE(db.InTransaction());
    EXPECT_FALSE(tx.Begin());  // already active
    db.Exec("INSERT INTO t VALUES (1)");
    EXPECT_TRUE(tx.End());
    EXPECT_FALSE(tx.IsActive());
    EXPECT_FALSE(db.InTransaction());
    // A later transaction of the connection is not ended by this object's destructor.
    ASSERT_EQ(0, db.Exec("BEGIN"));
  }
  EXPECT_TRUE(db.InTransaction());
  ASSERT_EQ(0, db.Exec("ROLLBACK"));
  {
    SQLiteAutoTransaction tx(&db);
    db.Exec("INSERT INTO t VALUES (2)");
  }
  EXPECT_FALSE(db.InTransaction());
  EXPECT_EQ(2, Count(db, "SELECT count(*) FROM t"));
}

TEST_F(SQLiteWrapper, RollbackDiscardsTheChanges) {
  SQLiteDB db;
  OpenNew(db);
  ASSERT_EQ(0, db.Exec("CREATE TABLE t(x)"));
  SQLiteAutoTransaction tx(&db);
  db.Exec("INSERT INTO t VALUES (1)");
  EXPECT_TRUE(tx.Rollback());
  EXPECT_FALSE(tx.IsActive());
  EXPECT_EQ(0, Count(db, "SELECT count(*) FROM t"));
}

TEST_F(SQLiteWrapper, TransactionOnNullOrClosedConnection) {
  SQLiteAutoTransaction none(nullptr);
  EXPECT_FALSE(none.IsActive());
  EXPECT_FALSE(none.Begin());
  EXPECT_FALSE(none.End());

  SQLiteDB closed;
  SQLiteAutoTransaction tx(&closed);
  EXPECT_TRUE(tx.IsActive());
  EXPECT_FALSE(tx.Started());
  EXPECT_FALSE(tx.End());
  EXPECT_FALSE(tx.IsActive());
  EXPECT_FALSE(tx.Begin());  // marks active, runs nothing
  EXPECT_TRUE(tx.IsActive());
}

TEST_F(SQLiteWrapper, FailedCommitRollsBackInsteadOfLeavingTheTransactionOpen) {
  SQLiteDB db;
  OpenNew(db);
  ASSERT_EQ(0, db.Exec("CREATE TABLE p(id INTEGER PRIMARY KEY);"
                       "CREATE TABLE c(p INTEGER REFERENCES p(id) DEFERRABLE INITIALLY DEFERRED);"
                       "PRAGMA foreign_keys = ON;"));
  SQLiteAutoTransaction tx(&db);
  ASSERT_EQ(0, db.Exec("INSERT INTO c VALUES (7)"));  // checked only at commit
  EXPECT_FALSE(tx.End());
  EXPECT_FALSE(db.InTransaction());
  EXPECT_EQ(0, Count(db, "SELECT count(*) FROM c"));
}

}  // namespace
