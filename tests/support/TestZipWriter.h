// Builds zip archives in memory for the extraction tests and benchmarks: stored or
// deflated items with any name bytes, host, attributes, flags and local extra field.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

struct TestZipEntry {
  std::string name;  // stored bytes, as they go into the archive
  std::string data;
  bool deflate = true;
  WORD dosDate = (45 << 9) | (1 << 5) | 1;  // 2025-01-01
  WORD dosTime = (12 << 11) | (30 << 5) | 5;  // 12:30:10
  BYTE host = 0;                            // high byte of "version made by": 0 MS-DOS, 3 Unix
  DWORD externalAttributes = 0;
  WORD flags = 0;  // general-purpose bits; bit 0 marks an encrypted item
  std::string localExtra;
  // Written into the headers in place of the real size, to fake a damaged item.
  int64_t declaredSize = -1;
};

// Offsets of each item's data in the archive come back in `dataOffsets` (may be null).
std::string BuildTestZip(const std::vector<TestZipEntry>& entries, std::vector<size_t>* dataOffsets = nullptr);

// A raw deflate stream of `data` (what a zip item holds).
std::string DeflateRaw(const std::string& data, int level = 6);

// An extended-timestamp extra record ("UT") with the given flags and times in order.
std::string ExtendedTimestamp(BYTE flags, const std::vector<uint32_t>& times);
