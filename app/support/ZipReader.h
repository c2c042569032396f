// Extraction of zip archives (the downloaded update packages) into a folder, over the
// unzip layer of minizip. Every output lands under the reader's base folder: stored
// names are cleaned of drives, leading separators and "..", and a name that would
// still leave the folder, or not fit the path limit, is skipped with a code.
#pragma once
#include <windows.h>
#include <climits>
#include <memory>
#include <vector>

// Result codes of the reader (0 = success).
enum ZipResult : int {
  ZipOk = 0,
  ZipCannotOpen = 0x200,      // the archive is unreadable or no zip; or the output file cannot be made
  ZipWriteFailed = 0x400,
  ZipNameRejected = 0x500,    // a name or output path too long, or one that would leave the base folder
  ZipBadLocalHeader = 0x700,  // the item's local header does not match the central directory
  ZipReadFailed = 0x800,      // the item's local header data cannot be read
  ZipEncrypted = 0x1000,      // no password is ever given
  ZipBadIndex = 0x10000,
  ZipBadData = 0x5000000      // the data does not decompress, ends early or fails its checksum
};

// The longest name or path the reader handles, in characters (bytes for stored names).
constexpr int kZipMaxPath = MAX_PATH - 1;

struct ZipItem {
  int index = 0;  // for GetItem(-1): the number of items
  wchar_t name[MAX_PATH] = {};
  DWORD attributes = 0;  // FILE_ATTRIBUTE_READONLY, _HIDDEN, _SYSTEM, _DIRECTORY, _ARCHIVE
  FILETIME accessTime{};
  FILETIME creationTime{};
  FILETIME writeTime{};
  long compressedSize = 0;
  long uncompressedSize = 0;
};

class ZipReader {
public:
  // Null (with ZipCannotOpen in `code`) when the file is no readable zip archive. The
  // base folder starts as the current folder.
  static std::unique_ptr<ZipReader> Open(const wchar_t* path, int* code = nullptr);
  ~ZipReader();
  ZipReader(const ZipReader&) = delete;
  ZipReader& operator=(const ZipReader&) = delete;

  // Adds a "\" when the folder ends with neither "\" nor "/". A folder too long for the
  // limit is refused (ZipNameRejected) and no item is written until one is accepted.
  int SetBaseDir(const wchar_t* folder);
  // Index -1 describes the archive: item.index = the number of items.
  int GetItem(int index, ZipItem& item);
  // Writes the item under `name`, relative to the base folder unless it begins with a
  // separator or a drive.
  int UnzipItem(int index, const wchar_t* name);
  int Close();

private:
  ZipReader() = default;
  bool GoToItem(int index);
  void CloseItemData();
  int DescribeCurrent(int index, ZipItem& item);
  int WriteFileItem(const ZipItem& item, const wchar_t* name);

  void* m_archive = nullptr;  // the layer's unzFile
  int m_current = -1;         // the item whose data is open
  ZipItem m_cached;
  int m_cachedIndex = -1;
  unsigned m_cachedFlags = 0;                  // general-purpose bits of the cached item
  unsigned long long m_cachedSize = 0;         // its full uncompressed size
  const char* m_password = nullptr;            // never set: encrypted items are skipped
  std::vector<char> m_buffer;                  // made on the first extraction
  wchar_t m_baseDir[MAX_PATH] = {};
  bool m_baseValid = false;
  int m_count = 0;
  int m_layerIndex = -1;       // the item the layer stands on; -1 = unknown
  int m_reachable = INT_MAX;   // the first index the layer failed to reach
};

// Unpacks every item into `targetFolder`; false only when the archive cannot be opened
// (or the folder is too long to hold anything). Items that fail are skipped.
bool ZipExtractAll(const wchar_t* archivePath, const wchar_t* targetFolder);

// Creates every level of `path` under `base` (or `path` alone when `base` is null),
// and `base` itself when missing. Failures are not reported.
void CreateDirectoryTree(const wchar_t* base, const wchar_t* path);

// The clock time of an MS-DOS date and time, as a FILETIME in the same (local) time.
FILETIME DosDateTimeToFileTime(WORD dosDate, WORD dosTime);
