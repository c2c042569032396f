// A SQLite file layer over the platform's own that measures the wall time the database
// spends in its file's writes and syncs (the waiting on the disk a change costs).
// Installed as the default for the whole process; the store opens its files through it.
#pragma once
#include <cstdint>

namespace FileWaitVfs {

struct Totals {
  double writeUs = 0;  // xWrite and xTruncate
  double syncUs = 0;   // xSync (flushes to the disk)
  int64_t bytesWritten = 0;
  int syncs = 0;
};

// Registers the layer as SQLite's default once; false when SQLite has no file layer.
bool Install();
Totals Read();
void Reset();

}  // namespace FileWaitVfs
