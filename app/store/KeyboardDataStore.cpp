// The store's file: opening with checks, schema creation, closing and deletion.
#include "store/KeyboardDataStore.h"
#include <windows.h>
#include "store/StoreSchema.h"
#include "store/StoreSql.h"

using namespace StoreSql;

namespace {

constexpr int kOpenReadWrite = 0x00000002;
constexpr int kOpenCreate = 0x00000004;
constexpr int kOpenFullMutex = 0x00010000;
constexpr int kNotADatabase = 26;

// Journal files the engine keeps beside a database; they belong to it.
const wchar_t* const kCompanionSuffixes[] = {L"-wal", L"-shm", L"-journal"};

// A model name is one file-name part: no folder separators, nothing Windows refuses.
bool IsValidModelName(const CString& model) {
  return !model.IsEmpty() && model.FindOneOf(L"\\/:*?\"<>|") < 0;
}

// True when the file is gone (or never was).
bool RemoveFile(const CString& path) {
  if (::DeleteFileW(path)) return true;
  DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Removes a database's companions first: a left-over write-ahead log must never meet a
// new database of the same name. The database goes only when they are all gone.
bool RemoveDbFiles(const CString& path) {
  for (const wchar_t* suffix : kCompanionSuffixes)
    if (!RemoveFile(path + suffix)) return false;
  return RemoveFile(path);
}

// Reads only, so a file that is not a database, or a damaged one, stays untouched.
StoreOpenResult CheckIntegrity(SQLiteDB& db) {
  SQLiteStatement check;
  int rc = db.Prepare(check, "PRAGMA quick_check", -1);
  if (rc == 0) rc = check.Step();
  if (rc == kNotADatabase) return StoreOpenResult::NotADatabase;
  if (rc != kRow || FromUtf8(check.ColumnText(0)) != L"ok") return StoreOpenResult::Corrupt;
  return StoreOpenResult::Opened;
}

}  // namespace

KeyboardDataStore& KeyboardDataStore::Instance() {
  static KeyboardDataStore store;
  return store;
}

KeyboardDataStore::~KeyboardDataStore() {
  Guard guard(m_lock);
  CloseLocked();
}

CString KeyboardDataStore::DbFilePath(const CString& folder, const CString& model) {
  CString path = folder;
  if (!path.IsEmpty() && path.Right(1) != L"\\" && path.Right(1) != L"/") path += L"\\";
  CString name;
  name.Format(L"db\\%s_data_2.db", model.GetString());
  return path + name;
}

bool KeyboardDataStore::OpenDeviceDb(const CString& folder, const CString& model) {
  Guard guard(m_lock);
  CString widePath = DbFilePath(folder, model);
  std::string path = ToUtf8(widePath);
  if (m_db.IsOpen() && path == m_path) {
    m_opened = true;
    return true;
  }
  // Never leave another model's file open: its rows must not meet this model's.
  CloseLocked();
  m_path = path;
  if (!IsValidModelName(model)) return Fail(StoreOpenResult::InvalidName);

  DWORD attributes = ::GetFileAttributesW(widePath);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(StoreOpenResult::CannotOpen);
    // A write-protected file is the user's choice: it is neither opened for writing nor changed.
    if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(StoreOpenResult::ReadOnly);
    return OpenExisting();
  }
  if (!m_db.Open(m_path.c_str(), m_key, kOpenReadWrite | kOpenCreate | kOpenFullMutex)) {
    Fail(StoreOpenResult::CannotCreate);
    RemoveDbFiles(widePath);
    return false;
  }
  if (!CreateSchema()) {
    // Half a schema in a file of our own making helps nobody: it goes.
    Fail(StoreOpenResult::SchemaFailed);
    RemoveDbFiles(widePath);
    return false;
  }
  m_opened = true;
  m_lastResult = StoreOpenResult::Created;
  return true;
}

bool KeyboardDataStore::OpenExisting() {
  if (!m_db.Open(m_path.c_str(), m_key, kOpenReadWrite | kOpenFullMutex))
    return Fail(StoreOpenResult::CannotOpen);
  if (m_db.IsReadOnly()) return Fail(StoreOpenResult::ReadOnly);

  StoreOpenResult check = CheckIntegrity(m_db);
  if (check != StoreOpenResult::Opened) return Fail(check);

  // A database without a single table (an empty file, or one whose creation was cut
  // short) has nothing to keep and gets the schema.
  if (Count(m_db, "SELECT count(*) FROM sqlite_master", {}) == 0) {
    if (!CreateSchema()) return Fail(StoreOpenResult::SchemaFailed);
  } else {
    UseWriteAheadLog();
  }
  m_opened = true;
  m_lastResult = StoreOpenResult::Opened;
  return true;
}

bool KeyboardDataStore::CreateSchema() {
  UseWriteAheadLog();
  return Atomically(m_db, [this] {
    for (const char* statement : Schema())
      if (m_db.Exec(statement) != 0) return false;
    return true;
  });
}

const std::vector<const char*>& KeyboardDataStore::Schema() const { return SchemaStatements(); }

void KeyboardDataStore::UseWriteAheadLog() {
  CString mode;
  ReadRow(m_db, "PRAGMA journal_mode = WAL", {}, [&](const Row& row) { mode = row.Text(0); });
  // Where the log cannot be used, full synchronisation keeps the rollback journal safe.
  m_db.Exec(mode.CompareNoCase(L"wal") == 0 ? "PRAGMA synchronous = NORMAL"
                                            : "PRAGMA synchronous = FULL");
}

void KeyboardDataStore::CloseLocked() {
  m_db.Close();
  m_opened = false;
}

bool KeyboardDataStore::Fail(StoreOpenResult result) {
  CloseLocked();
  m_lastResult = result;
  return false;
}

void KeyboardDataStore::CloseDeviceDb() {
  Guard guard(m_lock);
  CloseLocked();
}

bool KeyboardDataStore::DeleteDeviceDb(const CString& folder, const CString& model) {
  Guard guard(m_lock);
  if (!IsValidModelName(model)) return false;
  CString widePath = DbFilePath(folder, model);
  if (m_db.IsOpen() && ToUtf8(widePath) == m_path) {
    CheckpointLocked();
    CloseLocked();
  }
  return RemoveDbFiles(widePath);
}

bool KeyboardDataStore::ResetDeviceDb(const CString& folder, const CString& model) {
  Guard guard(m_lock);
  if (!IsValidModelName(model)) return false;
  if (!DeleteDeviceDb(folder, model)) {
    // The old file (or what is left of it) stays the model's database.
    OpenDeviceDb(folder, model);
    return false;
  }
  return OpenDeviceDb(folder, model);
}

void KeyboardDataStore::CheckpointLocked() {
  // The companions are deleted before the file: should the process end between the two,
  // the file must not be missing changes that only the deleted log held.
  if (m_db.IsOpen()) m_db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

bool KeyboardDataStore::RunInTransaction(const std::function<bool()>& body) {
  Guard guard(m_lock);
  return Atomically(m_db, body);
}

bool KeyboardDataStore::IsOpened() const {
  Guard guard(m_lock);
  return m_opened;
}

StoreOpenResult KeyboardDataStore::LastOpenResult() const {
  Guard guard(m_lock);
  return m_lastResult;
}

std::string KeyboardDataStore::GetPath() const {
  Guard guard(m_lock);
  return m_path;
}

int KeyboardDataStore::GetModelId() const {
  Guard guard(m_lock);
  return m_modelId;
}

void KeyboardDataStore::SetModelId(int modelId) {
  Guard guard(m_lock);
  m_modelId = modelId;
}
