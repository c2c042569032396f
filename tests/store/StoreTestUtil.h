// Shared by the store tests: a temporary data folder with its "db" subfolder, a fresh
// store per test, and direct looks into a database file through the wrapper classes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "core/CString.h"
#include "store/KeyboardDataStore.h"
#include "store/SQLiteDB.h"
#include "support/Utf8.h"

namespace storetest {

// A folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
  TempFolder() {
    static std::atomic<int> serial{0};
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    m_path.Format(L"%squenby-store-%lu-%d\\", base, ::GetCurrentProcessId(), serial++);
    ::CreateDirectoryW(m_path, nullptr);
  }
  ~TempFolder() { RemoveTree(m_path); }
  const CString& Path() const { return m_path; }

  static void RemoveTree(const CString& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(folder + L"*", &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        CString name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        CString path = folder + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path + L"\\");
        } else {
          ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
          ::DeleteFileW(path);
        }
      } while (::FindNextFileW(find, &data));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(folder);
  }

private:
  CString m_path;
};

inline bool FileExists(const CString& path) {
  return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadBytes(const CString& path) {
  std::ifstream in(path.GetString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const CString& path, const std::string& bytes) {
  std::ofstream out(path.GetString(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A connection of its own to a database file, for looking at what the store wrote.
class RawDb {
public:
  explicit RawDb(const CString& path, int flags = 0x00010002) {
    EXPECT_TRUE(m_db.Open(ToUtf8(path).c_str(), "", flags)) << "cannot open " << ToUtf8(path);
  }
  SQLiteDB& Db() { return m_db; }
  int Exec(const char* sql) { return m_db.Exec(sql); }

  // Column 0 of every row, as text.
  std::vector<std::string> Column(const char* sql) {
    std::vector<std::string> out;
    SQLiteStatement st;
    EXPECT_EQ(0, m_db.Prepare(st, sql)) << sql << ": " << m_db.LastError();
    while (st.Step() == 100) {
      const char* text = st.ColumnText(0);
      out.push_back(text ? text : "<null>");
    }
    return out;
  }
  int Int(const char* sql) {
    SQLiteStatement st;
    EXPECT_EQ(0, m_db.Prepare(st, sql)) << sql << ": " << m_db.LastError();
    return st.Step() == 100 ? st.ColumnInt(0) : -1;
  }
  // Every row of a query, its columns joined with '|'.
  std::vector<std::string> Rows(const char* sql, int columns) {
    std::vector<std::string> out;
    SQLiteStatement st;
    EXPECT_EQ(0, m_db.Prepare(st, sql)) << sql << ": " << m_db.LastError();
    while (st.Step() == 100) {
      std::string row;
      for (int c = 0; c < columns; ++c) {
        const char* text = st.ColumnText(c);
        if (c) row += '|';
        row += text ? text : "<null>";
      }
      out.push_back(row);
    }
    return out;
  }

private:
  SQLiteDB m_db;
};

// A temporary data folder with its "db" subfolder and a store of the test's own.
class StoreFixture : public ::testing::Test {
protected:
  void SetUp() override { ::CreateDirectoryW(m_folder.Path() + L"db", nullptr); }
  void TearDown() override { m_store.CloseDeviceDb(); }

  const CString& Folder() const { return m_folder.Path(); }
  CString DbPath(const wchar_t* model = L"K1") const {
    return KeyboardDataStore::DbFilePath(m_folder.Path(), model);
  }
  void Open(const wchar_t* model = L"K1") {
    ASSERT_TRUE(m_store.OpenDeviceDb(Folder(), model)) << static_cast<int>(m_store.LastOpenResult());
  }
  // Closes the store's connection and opens the file directly.
  RawDb Raw(const wchar_t* model = L"K1") {
    m_store.CloseDeviceDb();
    return RawDb(DbPath(model));
  }

  TempFolder m_folder;
  KeyboardDataStore m_store;
};

}  // namespace storetest
