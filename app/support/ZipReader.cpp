#include "support/ZipReader.h"
#include <unzip.h>
#include <iowin32.h>  // after unzip.h, which brings the macros it uses
#include <algorithm>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD kCopyBufferSize = 0x4000;
constexpr int kWrongPassword = -106;  // the layer's code for a bad password
constexpr int kMinCentralRecord = 46;  // bytes of the smallest central directory record

unzFile Archive(void* p) { return static_cast<unzFile>(p); }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsAbsolute(const wchar_t* name) {
  return IsSeparator(name[0]) || (name[0] && name[1] == L':');
}

// Strips what could lead out of the base folder, repeating until nothing applies: a
// drive, a leading separator, a leading "..\", and everything up to a "\..\" inside.
std::wstring CleanName(std::wstring n) {
  for (;;) {
    if (n.size() >= 2 && n[1] == L':') {
      n.erase(0, 2);
    } else if (!n.empty() && IsSeparator(n[0])) {
      n.erase(0, 1);
    } else if (n.size() >= 3 && n[0] == L'.' && n[1] == L'.' && IsSeparator(n[2])) {
      n.erase(0, 3);
    } else {
      size_t cut = std::wstring::npos;
      for (size_t i = 0; i + 3 < n.size() && cut == std::wstring::npos; ++i)
        if (IsSeparator(n[i]) && n[i + 1] == L'.' && n[i + 2] == L'.' && IsSeparator(n[i + 3])) cut = i + 4;
      if (cut == std::wstring::npos) return n;
      n.erase(0, cut);
    }
  }
}

// What the cleaning cannot express: a part made only of dots and spaces (Windows reads
// "..", "... " and the like as a step up), a stream or drive colon, a NUL.
bool IsSafeName(const std::wstring& n) {
  if (n.find_first_of(std::wstring(L":\0", 2)) != std::wstring::npos) return false;
  size_t start = 0;
  while (start <= n.size()) {
    size_t end = n.find_first_of(L"\\/", start);
    if (end == std::wstring::npos) end = n.size();
    std::wstring part = n.substr(start, end - start);
    if (!part.empty() && part != L"." && part.find_first_not_of(L". ") == std::wstring::npos) return false;
    start = end + 1;
  }
  return true;
}

// True when `path` resolves to `base` or something below it.
bool InsideBase(const wchar_t* base, const std::wstring& path) {
  wchar_t fullBase[MAX_PATH * 2], fullPath[MAX_PATH * 2];
  DWORD nb = GetFullPathNameW(base, MAX_PATH * 2, fullBase, nullptr);
  DWORD np = GetFullPathNameW(path.c_str(), MAX_PATH * 2, fullPath, nullptr);
  if (nb == 0 || np == 0 || nb >= MAX_PATH * 2 || np >= MAX_PATH * 2) return false;
  std::wstring b(fullBase, nb), p(fullPath, np);
  if (!IsSeparator(b.back())) b += L'\\';
  if (!IsSeparator(p.back())) p += L'\\';
  return p.size() >= b.size() && _wcsnicmp(p.c_str(), b.c_str(), b.size()) == 0;
}

DWORD AttributesOf(const unz_file_info64& info) {
  const unsigned host = info.version >> 8;
  const unsigned long ext = info.external_fa;
  if (host == 0 || host == 7 || host == 11 || host == 14)  // MS-DOS, Macintosh, NTFS, VFAT
    return ext & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                  FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
  DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;  // Unix and the rest: the mode in the high word
  if (ext & 0x40000000) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if (!(ext & 0x00800000)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

FILETIME FromUnixTime(unsigned long seconds) {
  ULARGE_INTEGER t;
  t.QuadPart = seconds * 10000000ULL + 116444736000000000ULL;
  FILETIME ft;
  ft.dwLowDateTime = t.LowPart;
  ft.dwHighDateTime = t.HighPart;
  return ft;
}

// The extended-timestamp record ("UT") of a local extra field: a flags byte, then the
// write, access and creation times that the flags say are present.
void ApplyExtendedTimes(const std::vector<unsigned char>& extra, ZipItem& item) {
  const size_t n = extra.size();
  if (n < 5) return;
  for (size_t i = 0; i + 4 <= n;) {
    unsigned id = extra[i] | (extra[i + 1] << 8);
    size_t length = extra[i + 2] | (extra[i + 3] << 8);
    size_t data = i + 4;
    if (id == 0x5455) {
      size_t end = std::min(data + length, n);
      if (data >= end) return;
      unsigned flags = extra[data];
      size_t at = data + 1;
      FILETIME* times[3] = {&item.writeTime, &item.accessTime, &item.creationTime};
      for (int k = 0; k < 3; ++k) {
        if (!(flags & (1u << k))) continue;
        if (at + 4 > end) return;
        unsigned long t = extra[at] | (extra[at + 1] << 8) | (extra[at + 2] << 16) |
                          (static_cast<unsigned long>(extra[at + 3]) << 24);
        *times[k] = FromUnixTime(t);
        at += 4;
      }
      return;
    }
    i = data + length;
  }
}

}  // namespace

FILETIME DosDateTimeToFileTime(WORD dosDate, WORD dosTime) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>((dosDate >> 9) + 1980);
  st.wMonth = (dosDate >> 5) & 0x0F;
  st.wDay = dosDate & 0x1F;
  st.wHour = dosTime >> 11;
  st.wMinute = (dosTime >> 5) & 0x3F;
  st.wSecond = static_cast<WORD>((dosTime & 0x1F) * 2);
  FILETIME ft{};
  if (!SystemTimeToFileTime(&st, &ft)) ft = FILETIME{};
  return ft;
}

void CreateDirectoryTree(const wchar_t* base, const wchar_t* path) {
  const std::wstring b = base ? base : L"";
  if (!b.empty() && GetFileAttributesW(b.c_str()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(b.c_str(), nullptr);
  if (!path || !path[0]) return;
  const std::wstring p = path;
  auto make = [&](size_t length) {
    std::wstring dir = b + p.substr(0, length);
    if (GetFileAttributesW(dir.c_str()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(dir.c_str(), nullptr);
  };
  for (size_t i = 1; i < p.size(); ++i)  // outermost first
    if (IsSeparator(p[i]) && !IsSeparator(p[i - 1])) make(i);
  make(p.size());
}

std::unique_ptr<ZipReader> ZipReader::Open(const wchar_t* path, int* code) {
  if (code) *code = ZipCannotOpen;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!path || !GetFileAttributesExW(path, GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return nullptr;
  zlib_filefunc64_def files;
  fill_win32_filefunc64W(&files);
  unzFile archive = unzOpen2_64(path, &files);
  if (!archive) return nullptr;
  unz_global_info64 info{};
  // Each item needs a central record, so a count the file cannot hold is a damaged archive.
  unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  if (unzGetGlobalInfo64(archive, &info) != UNZ_OK || info.number_entry > size / kMinCentralRecord ||
      info.number_entry > INT_MAX) {
    unzClose(archive);
    return nullptr;
  }
  std::unique_ptr<ZipReader> reader(new ZipReader());
  reader->m_archive = archive;
  reader->m_count = static_cast<int>(info.number_entry);
  wchar_t current[MAX_PATH];
  DWORD n = GetCurrentDirectoryW(MAX_PATH, current);
  if (n > 0 && n < MAX_PATH) reader->SetBaseDir(current);
  if (code) *code = ZipOk;
  return reader;
}

ZipReader::~ZipReader() { Close(); }

int ZipReader::Close() {
  CloseItemData();
  if (m_archive) unzClose(Archive(m_archive));
  m_archive = nullptr;
  m_buffer.clear();
  m_buffer.shrink_to_fit();
  m_count = 0;
  m_cachedIndex = -1;
  m_layerIndex = -1;
  return ZipOk;
}

void ZipReader::CloseItemData() {
  if (m_current >= 0 && m_archive) unzCloseCurrentFile(Archive(m_archive));
  m_current = -1;
}

int ZipReader::SetBaseDir(const wchar_t* folder) {
  m_baseValid = false;
  m_baseDir[0] = 0;
  size_t n = folder ? wcslen(folder) : 0;
  bool needsSeparator = n == 0 || !IsSeparator(folder[n - 1]);
  if (n == 0 || n + (needsSeparator ? 1 : 0) > static_cast<size_t>(kZipMaxPath)) return ZipNameRejected;
  wcscpy(m_baseDir, folder);
  if (needsSeparator) wcscat(m_baseDir, L"\\");
  m_baseValid = true;
  return ZipOk;
}

bool ZipReader::GoToItem(int index) {
  unzFile archive = Archive(m_archive);
  if (!archive || index >= m_reachable) return false;
  if (m_layerIndex < 0 || index < m_layerIndex) {
    if (unzGoToFirstFile(archive) != UNZ_OK) {
      m_reachable = 0;
      m_layerIndex = -1;
      return false;
    }
    m_layerIndex = 0;
  }
  while (m_layerIndex < index) {
    if (unzGoToNextFile(archive) != UNZ_OK) {
      m_reachable = m_layerIndex + 1;
      m_layerIndex = -1;
      return false;
    }
    ++m_layerIndex;
  }
  return true;
}

int ZipReader::GetItem(int index, ZipItem& item) {
  if (index < -1 || index >= m_count) return ZipBadIndex;
  CloseItemData();
  if (index == -1) {
    item = ZipItem{};
    item.index = m_count;
    return ZipOk;
  }
  if (index == m_cachedIndex) {
    item = m_cached;
    return ZipOk;
  }
  if (!GoToItem(index)) return ZipBadLocalHeader;
  return DescribeCurrent(index, item);
}

int ZipReader::DescribeCurrent(int index, ZipItem& item) {
  unzFile archive = Archive(m_archive);
  unz_file_info64 info{};
  char stored[MAX_PATH + 1] = {};
  if (unzGetCurrentFileInfo64(archive, &info, stored, sizeof(stored), nullptr, 0, nullptr, 0) != UNZ_OK)
    return ZipBadLocalHeader;
  // A longer name would be cut off in the buffer, and might then name another file.
  if (info.size_filename > static_cast<uLong>(kZipMaxPath)) return ZipNameRejected;

  int method = 0, level = 0;
  if (unzOpenCurrentFile2(archive, &method, &level, 1) != UNZ_OK) return ZipBadLocalHeader;
  int extraSize = unzGetLocalExtrafield(archive, nullptr, 0);
  std::vector<unsigned char> extra(std::max(extraSize, 0));
  bool extraRead = extraSize >= 0 &&
                   (extra.empty() || unzGetLocalExtrafield(archive, extra.data(), static_cast<unsigned>(extra.size())) == extraSize);
  unzCloseCurrentFile(archive);
  if (!extraRead) return ZipReadFailed;

  ZipItem d;
  d.index = index;
  wchar_t wide[MAX_PATH] = {};
  int n = MultiByteToWideChar(CP_ACP, 0, stored, static_cast<int>(info.size_filename), wide, MAX_PATH - 1);
  std::wstring name = CleanName(std::wstring(wide, std::max(n, 0)));
  if (!IsSafeName(name) || static_cast<int>(name.size()) > kZipMaxPath) return ZipNameRejected;
  wcscpy(d.name, name.c_str());
  d.attributes = AttributesOf(info);
  d.compressedSize = static_cast<long>(info.compressed_size);
  d.uncompressedSize = static_cast<long>(info.uncompressed_size);
  FILETIME local = DosDateTimeToFileTime(HIWORD(info.dosDate), LOWORD(info.dosDate));
  FILETIME utc{};
  if (!LocalFileTimeToFileTime(&local, &utc)) utc = FILETIME{};
  d.accessTime = d.creationTime = d.writeTime = utc;
  ApplyExtendedTimes(extra, d);

  m_cached = d;
  m_cachedIndex = index;
  m_cachedFlags = info.flag;
  m_cachedSize = info.uncompressed_size;
  item = d;
  return ZipOk;
}

int ZipReader::UnzipItem(int index, const wchar_t* name) {
  CloseItemData();
  if (index < 0 || index >= m_count) return ZipBadIndex;
  ZipItem item;
  int code = GetItem(index, item);
  if (code != ZipOk) return code;
  if (!GoToItem(index)) return ZipBadLocalHeader;
  if (!name) return ZipNameRejected;
  const bool absolute = IsAbsolute(name);
  if (!absolute && !m_baseValid) return ZipNameRejected;

  if (item.attributes & FILE_ATTRIBUTE_DIRECTORY) {
    std::wstring full = (absolute ? L"" : std::wstring(m_baseDir)) + name;
    if (static_cast<int>(full.size()) > kZipMaxPath || (!absolute && !InsideBase(m_baseDir, full)))
      return ZipNameRejected;
    CreateDirectoryTree(absolute ? nullptr : m_baseDir, name);
    return ZipOk;
  }
  return WriteFileItem(item, name);
}

int ZipReader::WriteFileItem(const ZipItem& item, const wchar_t* name) {
  unzFile archive = Archive(m_archive);
  const std::wstring n = name;
  const size_t split = n.find_last_of(L"\\/");
  const std::wstring folder = split == std::wstring::npos ? L"" : n.substr(0, split + 1);
  const std::wstring file = split == std::wstring::npos ? n : n.substr(split + 1);
  const bool absolute = IsAbsolute(folder.c_str());
  const std::wstring full = (absolute ? L"" : std::wstring(m_baseDir)) + folder + file;
  if (static_cast<int>(full.size()) > kZipMaxPath || (!absolute && !InsideBase(m_baseDir, full)))
    return ZipNameRejected;
  if (file.empty()) return ZipCannotOpen;
  // Skipped before anything is written: without a password the data is noise.
  if (m_cachedFlags & 1) return ZipEncrypted;

  if (unzOpenCurrentFile3(archive, nullptr, nullptr, 0, m_password) != UNZ_OK) return ZipBadData;
  m_current = item.index;
  CreateDirectoryTree(absolute ? nullptr : m_baseDir, folder.c_str());
  DWORD attributes = item.attributes & ~FILE_ATTRIBUTE_DIRECTORY;
  HANDLE out = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) {
    CloseItemData();
    return ZipCannotOpen;
  }
  if (m_buffer.empty()) m_buffer.resize(kCopyBufferSize);

  int result = ZipOk;
  unsigned long long total = 0;
  for (;;) {
    int got = unzReadCurrentFile(archive, m_buffer.data(), kCopyBufferSize);
    if (got > 0) {
      DWORD put = 0;
      if (!WriteFile(out, m_buffer.data(), static_cast<DWORD>(got), &put, nullptr) || put != static_cast<DWORD>(got)) {
        result = ZipWriteFailed;
        break;
      }
      total += got;
    } else {
      // The layer answers 0 also when the compressed data runs out early.
      if (got < 0) result = got == kWrongPassword ? ZipEncrypted : ZipBadData;
      else if (total != m_cachedSize) result = ZipBadData;
      break;
    }
  }
  int closed = unzCloseCurrentFile(archive);
  m_current = -1;
  if (result == ZipOk && closed == UNZ_CRCERROR) result = ZipBadData;
  if (result == ZipOk) SetFileTime(out, &item.creationTime, &item.accessTime, &item.writeTime);
  CloseHandle(out);
  if (result != ZipOk) {  // a damaged file must not pass for the item
    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(full.c_str());
  }
  return result;
}

bool ZipExtractAll(const wchar_t* archivePath, const wchar_t* targetFolder) {
  std::unique_ptr<ZipReader> reader = ZipReader::Open(archivePath);
  if (!reader) return false;
  if (reader->SetBaseDir(targetFolder) != ZipOk) return false;
  ZipItem archive;
  reader->GetItem(-1, archive);
  for (int i = 0; i < archive.index; ++i) {
    ZipItem item;
    if (reader->GetItem(i, item) == ZipOk) reader->UnzipItem(i, item.name);
  }
  reader->Close();
  return true;
}
