#include "store/FileWaitVfs.h"
#include <windows.h>
#include <sqlite3.h>
#include <atomic>

namespace FileWaitVfs {
namespace {

// Microseconds, summed as integers so that threads may add at once.
std::atomic<int64_t> g_writeUs{0}, g_syncUs{0}, g_bytes{0};
std::atomic<int> g_syncs{0};
sqlite3_vfs* g_real = nullptr;
sqlite3_vfs g_vfs;
sqlite3_io_methods g_methods;

int64_t NowUs() {
  LARGE_INTEGER f, t;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&t);
  return t.QuadPart * 1000000 / f.QuadPart;
}

// Our file: the platform's file follows it in the same block.
struct File {
  sqlite3_file base;
  sqlite3_file* real;
};
sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }

int Close(sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); }
int ReadAt(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
  return Real(f)->pMethods->xRead(Real(f), buffer, amount, offset);
}
int WriteAt(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
  const int64_t t0 = NowUs();
  const int rc = Real(f)->pMethods->xWrite(Real(f), buffer, amount, offset);
  g_writeUs += NowUs() - t0;
  g_bytes += amount;
  return rc;
}
int Truncate(sqlite3_file* f, sqlite3_int64 size) {
  const int64_t t0 = NowUs();
  const int rc = Real(f)->pMethods->xTruncate(Real(f), size);
  g_writeUs += NowUs() - t0;
  return rc;
}
int Sync(sqlite3_file* f, int flags) {
  const int64_t t0 = NowUs();
  const int rc = Real(f)->pMethods->xSync(Real(f), flags);
  g_syncUs += NowUs() - t0;
  ++g_syncs;
  return rc;
}
int FileSize(sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); }
int Lock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
int Unlock(sqlite3_file* f, int level) { return Real(f)->pMethods->xUnlock(Real(f), level); }
int CheckReservedLock(sqlite3_file* f, int* out) { return Real(f)->pMethods->xCheckReservedLock(Real(f), out); }
int FileControl(sqlite3_file* f, int op, void* arg) { return Real(f)->pMethods->xFileControl(Real(f), op, arg); }
int SectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int DeviceCharacteristics(sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); }
int ShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out) {
  return Real(f)->pMethods->xShmMap(Real(f), page, size, extend, out);
}
int ShmLock(sqlite3_file* f, int offset, int n, int flags) {
  return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags);
}
void ShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
int ShmUnmap(sqlite3_file* f, int deleteFlag) { return Real(f)->pMethods->xShmUnmap(Real(f), deleteFlag); }
int Fetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
  return Real(f)->pMethods->xFetch(Real(f), offset, amount, out);
}
int Unfetch(sqlite3_file* f, sqlite3_int64 offset, void* page) {
  return Real(f)->pMethods->xUnfetch(Real(f), offset, page);
}

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
  File* file = reinterpret_cast<File*>(f);
  file->real = reinterpret_cast<sqlite3_file*>(file + 1);
  const int rc = g_real->xOpen(g_real, name, file->real, flags, outFlags);
  // SQLite closes only files whose methods are set.
  file->base.pMethods = rc == SQLITE_OK && file->real->pMethods ? &g_methods : nullptr;
  return rc;
}
}  // namespace

bool Install() {
  if (g_real) return true;
  g_real = sqlite3_vfs_find(nullptr);
  if (!g_real) return false;
  g_vfs = *g_real;  // every other call goes to the platform's layer unchanged
  g_vfs.pNext = nullptr;
  g_vfs.zName = "filewait";
  g_vfs.szOsFile = static_cast<int>(sizeof(File)) + g_real->szOsFile;
  g_vfs.xOpen = Open;
  g_methods = {3,        Close,       ReadAt,          WriteAt,   Truncate,           Sync,     FileSize,
               Lock,     Unlock,      CheckReservedLock, FileControl, SectorSize, DeviceCharacteristics,
               ShmMap,   ShmLock,     ShmBarrier,      ShmUnmap,  Fetch,              Unfetch};
  return sqlite3_vfs_register(&g_vfs, 1) == SQLITE_OK;
}

Totals Read() {
  Totals t;
  t.writeUs = static_cast<double>(g_writeUs.load());
  t.syncUs = static_cast<double>(g_syncUs.load());
  t.bytesWritten = g_bytes.load();
  t.syncs = g_syncs.load();
  return t;
}

void Reset() {
  g_writeUs = 0;
  g_syncUs = 0;
  g_bytes = 0;
  g_syncs = 0;
}

}  // namespace FileWaitVfs
