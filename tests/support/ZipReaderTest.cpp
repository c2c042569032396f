#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <set>
#include "TempFolder.h"
#include "TestZipWriter.h"
#include "support/Utf8.h"
#include "support/ZipReader.h"

namespace {

// Every file and folder under `root`, relative, folders with a trailing "\".
std::set<std::wstring> ListTree(const std::wstring& root, const std::wstring& prefix = L"") {
  std::set<std::wstring> out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((root + L"\\" + prefix + L"*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out.insert(prefix + name + L"\\");
      auto inner = ListTree(root, prefix + name + L"\\");
      out.insert(inner.begin(), inner.end());
    } else {
      out.insert(prefix + name);
    }
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

std::string Names(const std::set<std::wstring>& tree) {
  std::string s;
  for (const auto& n : tree) s += ToUtf8(CString(n.c_str())) + " ";
  return s;
}

FILETIME ArchiveTimeUtc(WORD date, WORD time) {
  FILETIME local = DosDateTimeToFileTime(date, time), utc{};
  LocalFileTimeToFileTime(&local, &utc);
  return utc;
}

FILETIME UnixTime(uint32_t t) {
  ULARGE_INTEGER v;
  v.QuadPart = t * 10000000ULL + 116444736000000000ULL;
  return FILETIME{v.LowPart, v.HighPart};
}

bool operator==(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

FILETIME WriteTimeOf(const std::wstring& path) {
  FILETIME c{}, a{}, w{};
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  GetFileTime(h, &c, &a, &w);
  CloseHandle(h);
  return w;
}

// No drive, no leading separator, no part that Windows reads as a step up.
bool StaysInside(const std::wstring& name) {
  if (name.find(L':') != std::wstring::npos || (!name.empty() && (name[0] == L'\\' || name[0] == L'/'))) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = std::min(name.find_first_of(L"\\/", start), name.size());
    std::wstring part = name.substr(start, end - start);
    if (!part.empty() && part != L"." && part.find_first_not_of(L". ") == std::wstring::npos) return false;
    start = end + 1;
  }
  return true;
}

TestZipEntry Item(const std::string& name, const std::string& data = "", DWORD attributes = 0) {
  TestZipEntry e;
  e.name = name;
  e.data = data.empty() ? "data of " + name : data;
  e.externalAttributes = attributes;
  return e;
}

TestZipEntry Folder(const std::string& name) {
  TestZipEntry e;
  e.name = name;
  e.externalAttributes = FILE_ATTRIBUTE_DIRECTORY;
  return e;
}

class ZipExtract : public ::testing::Test {
protected:
  // The target sits three levels down, so a climb out of it would show in dir_.
  ZipExtract() {
    CreateDirectoryW(dir_.File(L"a").c_str(), nullptr);
    CreateDirectoryW(dir_.File(L"a\\b").c_str(), nullptr);
    target_ = dir_.File(L"a\\b\\target");
  }
  std::wstring WriteZip(const std::string& bytes, const wchar_t* name = L"in.zip") {
    std::wstring path = dir_.File(name);
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }
  std::wstring Zip(const std::vector<TestZipEntry>& entries) { return WriteZip(BuildTestZip(entries)); }
  std::set<std::wstring> Extracted() { return ListTree(target_); }
  // Everything outside the target: only the archives and the target's own parents.
  std::set<std::wstring> Outside() {
    std::set<std::wstring> out;
    for (const auto& n : ListTree(dir_.Path()))
      if (n.rfind(L"a\\b\\target\\", 0) != 0 && n != L"a\\" && n != L"a\\b\\" && n.find(L".zip") == std::wstring::npos)
        out.insert(n);
    return out;
  }

  TempFolder dir_;
  std::wstring target_;
};

TEST_F(ZipExtract, NestedFoldersWithContentsAndTimes) {
  TestZipEntry exe = Item("app/run.exe", std::string(70000, 'M') + "PE");
  TestZipEntry bin = Item("app/data/x.bin", std::string("\0\1\2\3", 4));
  bin.deflate = false;
  bin.dosDate = (44 << 9) | (6 << 5) | 15;
  std::wstring zip = Zip({Folder("app/"), exe, bin});
  ASSERT_TRUE(ZipExtractAll(zip.c_str(), target_.c_str()));
  EXPECT_EQ(Extracted(), (std::set<std::wstring>{L"app\\", L"app\\data\\", L"app\\data\\x.bin", L"app\\run.exe"}));
  EXPECT_EQ(ReadFileBytes(target_ + L"\\app\\run.exe"), exe.data);
  EXPECT_EQ(ReadFileBytes(target_ + L"\\app\\data\\x.bin"), bin.data);
  EXPECT_TRUE(WriteTimeOf(target_ + L"\\app\\run.exe") == ArchiveTimeUtc(exe.dosDate, exe.dosTime));
  EXPECT_TRUE(WriteTimeOf(target_ + L"\\app\\data\\x.bin") == ArchiveTimeUtc(bin.dosDate, bin.dosTime));
  EXPECT_TRUE(Outside().empty()) << Names(Outside());
}

TEST_F(ZipExtract, HostileNamesStayInsideTheTarget) {
  const char* names[] = {
      "C:\\evil.txt", "\\evil.txt",  "../evil.txt", "a/../../evil.txt", "..\\..\\..\\x.txt",
      "/abs/path.txt", "\\\\server\\share\\u.txt", "C:..\\v.txt", "sub/.. /../w.txt", "x:y.txt",
      "./dot.txt", ".. /up.txt", "sub/.../z.txt", "dir/..", "ads.txt:stream", "C:", "..",
      "a\\..\\..\\..\\..\\..\\..\\q.txt",
  };
  std::vector<TestZipEntry> entries;
  for (const char* n : names) entries.push_back(Item(n));
  entries.push_back(Folder("../"));
  entries.push_back(Folder("../../up/"));
  std::wstring zip = Zip(entries);
  ASSERT_TRUE(ZipExtractAll(zip.c_str(), target_.c_str()));
  EXPECT_EQ(Extracted(), (std::set<std::wstring>{L"abs\\", L"abs\\path.txt", L"dot.txt", L"evil.txt",
                                                 L"q.txt", L"server\\", L"server\\share\\",
                                                 L"server\\share\\u.txt", L"up\\", L"v.txt", L"w.txt",
                                                 L"x.txt", L"y.txt"}))
      << Names(Extracted());
  EXPECT_TRUE(Outside().empty()) << Names(Outside());

  auto reader = ZipReader::Open(zip.c_str());
  ASSERT_TRUE(reader);
  ZipItem item;
  EXPECT_EQ(reader->GetItem(0, item), ZipOk);
  EXPECT_STREQ(item.name, L"evil.txt");
  EXPECT_EQ(reader->GetItem(11, item), ZipNameRejected) << ".. followed by a space";
  EXPECT_EQ(reader->GetItem(14, item), ZipNameRejected) << "a stream name";
}

TEST_F(ZipExtract, EncryptedItemIsSkippedAndTheRestFollow) {
  TestZipEntry secret = Item("secret.txt");
  secret.flags = 1;
  std::wstring zip = Zip({Item("one.txt"), secret, Item("two.txt")});
  ASSERT_TRUE(ZipExtractAll(zip.c_str(), target_.c_str()));
  EXPECT_EQ(Extracted(), (std::set<std::wstring>{L"one.txt", L"two.txt"}));
  auto reader = ZipReader::Open(zip.c_str());
  reader->SetBaseDir(target_.c_str());
  EXPECT_EQ(reader->UnzipItem(1, L"secret.txt"), ZipEncrypted);
  EXPECT_FALSE(FileExists(target_ + L"\\secret.txt"));
}

TEST_F(ZipExtract, ArchivesThatCannotBeOpenedTouchNothing) {
  std::string valid = BuildTestZip({Item("a.txt"), Item("b/c.txt")});
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"truncated", valid.substr(0, valid.size() / 2)},
      {"cut inside the central directory", valid.substr(0, valid.size() - 30)},
      {"not a zip", "This is a text file, not an archive.\r\n"},
      {"empty", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::wstring zip = WriteZip(c.bytes, L"bad.zip");
    EXPECT_FALSE(ZipExtractAll(zip.c_str(), target_.c_str()));
    int code = 0;
    EXPECT_FALSE(ZipReader::Open(zip.c_str(), &code));
    EXPECT_EQ(code, ZipCannotOpen);
    EXPECT_FALSE(FileExists(target_));
  }
  EXPECT_FALSE(ZipExtractAll(dir_.File(L"missing.zip").c_str(), target_.c_str()));
  EXPECT_FALSE(ZipExtractAll(dir_.Path().c_str(), target_.c_str())) << "a folder";
}

TEST_F(ZipExtract, DamagedItemDataFailsAndLeavesNoFile) {
  TestZipEntry deflated = Item("deflated.bin", std::string(20000, 'x') + "tail");
  TestZipEntry stored = Item("stored.bin", "stored data that will be damaged");
  stored.deflate = false;
  TestZipEntry shortItem = Item("short.bin", std::string(1000, 'y'));
  shortItem.declaredSize = 5000;
  std::vector<size_t> offsets;
  std::string bytes = BuildTestZip({Item("ok1.txt"), deflated, stored, shortItem, Item("ok2.txt")}, &offsets);
  for (int i = 0; i < 6; ++i) bytes[offsets[1] + 4 + i] ^= 0x5A;
  bytes[offsets[2] + 3] ^= 0x01;
  std::wstring zip = WriteZip(bytes);

  auto reader = ZipReader::Open(zip.c_str());
  ASSERT_TRUE(reader);
  ASSERT_EQ(reader->SetBaseDir(target_.c_str()), ZipOk);
  EXPECT_EQ(reader->UnzipItem(1, L"deflated.bin"), ZipBadData);
  EXPECT_EQ(reader->UnzipItem(2, L"stored.bin"), ZipBadData) << "checksum mismatch";
  EXPECT_EQ(reader->UnzipItem(3, L"short.bin"), ZipBadData) << "data ends before the item";
  EXPECT_EQ(reader->UnzipItem(0, L"ok1.txt"), ZipOk);
  reader.reset();
  EXPECT_EQ(Extracted(), (std::set<std::wstring>{L"ok1.txt"}));

  ASSERT_TRUE(ZipExtractAll(zip.c_str(), target_.c_str()));
  EXPECT_EQ(Extracted(), (std::set<std::wstring>{L"ok1.txt", L"ok2.txt"}));
}

TEST_F(ZipExtract, TimesFromDosAndExtendedTimestamps) {
  TestZipEntry writeOnly = Item("w.txt");
  writeOnly.localExtra = ExtendedTimestamp(1, {1700000000});
  TestZipEntry all = Item("all.txt");
  all.localExtra = std::string("\x0a\x00\x04\x00wxyz", 8) + ExtendedTimestamp(7, {1600000000, 1600000100, 1600000200});
  TestZipEntry clipped = Item("clipped.txt");
  clipped.localExtra = std::string("UT\x05\x00\x07\x00\xe1\xf5\x05", 9);  // claims three times, holds one
  std::wstring zip = Zip({writeOnly, all, clipped});
  auto reader = ZipReader::Open(zip.c_str());
  ASSERT_TRUE(reader);
  const FILETIME dos = ArchiveTimeUtc(writeOnly.dosDate, writeOnly.dosTime);
  ZipItem item;
  ASSERT_EQ(reader->GetItem(0, item), ZipOk);
  EXPECT_TRUE(item.writeTime == UnixTime(1700000000));
  EXPECT_TRUE(item.accessTime == dos);
  EXPECT_TRUE(item.creationTime == dos);
  ASSERT_EQ(reader->GetItem(1, item), ZipOk);
  EXPECT_TRUE(item.writeTime == UnixTime(1600000000));
  EXPECT_TRUE(item.accessTime == UnixTime(1600000100));
  EXPECT_TRUE(item.creationTime == UnixTime(1600000200));
  ASSERT_EQ(reader->GetItem(2, item), ZipOk);
  EXPECT_TRUE(item.writeTime == UnixTime(0x05f5e100u));
  EXPECT_TRUE(item.accessTime == dos);
  reader.reset();
  ASSERT_TRUE(ZipExtractAll(zip.c_str(), target_.c_str()));
  EXPECT_TRUE(WriteTimeOf(target_ + L"\\w.txt") == UnixTime(1700000000));
}

TEST_F(ZipExtract, AttributesByHostSystem) {
  struct Case {
    BYTE host;
    DWORD external;
    DWORD attributes;
  } cases[] = {
      {0, 0x10, FILE_ATTRIBUTE_DIRECTORY},
      {0, 0x27, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY},
      {11, 0xC0, 0},
      {14, 0x21, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
      {3, 0x41ED0010, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE},  // 040755
      {3, 0x81A40000, FILE_ATTRIBUTE_ARCHIVE},                             // 0100644
      {3, 0x81240000, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},   // 0100444
      {3, 0, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
  };
  std::vector<TestZipEntry> entries;
  for (const auto& c : cases) {
    std::string name = std::to_string(entries.size());
    name.insert(0, 1, 'f');
    TestZipEntry e = Item(name);
    e.host = c.host;
    e.externalAttributes = c.external;
    entries.push_back(e);
  }
  auto reader = ZipReader::Open(Zip(entries).c_str());
  ASSERT_TRUE(reader);
  for (size_t i = 0; i < entries.size(); ++i) {
    ZipItem item;
    ASSERT_EQ(reader->GetItem(static_cast<int>(i), item), ZipOk);
    EXPECT_EQ(item.attributes, cases[i].attributes) << "case " << i;
  }
}

TEST_F(ZipExtract, ReadOnlyItemBecomesAReadOnlyFile) {
  TestZipEntry dos = Item("dos.txt", "", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  TestZipEntry unix = Item("unix.txt", "", 0x81240000);
  unix.host = 3;
  ASSERT_TRUE(ZipExtractAll(Zip({dos, unix}).c_str(), target_.c_str()));
  EXPECT_TRUE(GetFileAttributesW((target_ + L"\\dos.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(GetFileAttributesW((target_ + L"\\unix.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ReadFileBytes(target_ + L"\\unix.txt"), unix.data);
}

TEST_F(ZipExtract, OverlongNamesAndPathsAreSkippedNeverCut) {
  const int room = kZipMaxPath - static_cast<int>(target_.size()) - 1;  // characters after "target\"
  std::string fits(room, 'f'), tooLong(room + 1, 'g'), stored(300, 'n');
  std::wstring zip = Zip({Item(stored + ".txt"), Item(tooLong), Item(fits), Item("short.txt")});
  auto reader = ZipReader::Open(zip.c_str());
  ZipItem item;
  EXPECT_EQ(reader->GetItem(0, item), ZipNameRejected) << "a stored name over 259 bytes";
  ASSERT_EQ(reader->SetBaseDir(target_.c_str()), ZipOk);
  ASSERT_EQ(reader->GetItem(1, item), ZipOk);
  EXPECT_EQ(reader->UnzipItem(1, item.name), ZipNameRejected) << "an output path over 259 characters";
  reader.reset();

  ASSERT_TRUE(ZipExtractAll(zip.c_str(), target_.c_str()));
  std::wstring wideFits(fits.begin(), fits.end());
  EXPECT_EQ(Extracted(), (std::set<std::wstring>{wideFits, L"short.txt"}));
  EXPECT_TRUE(Outside().empty()) << Names(Outside());

  std::wstring longFolder = dir_.Path() + L"\\" + std::wstring(300, L'd');
  auto another = ZipReader::Open(zip.c_str());
  EXPECT_EQ(another->SetBaseDir(longFolder.c_str()), ZipNameRejected);
  EXPECT_EQ(another->UnzipItem(3, L"short.txt"), ZipNameRejected) << "no base folder, nothing written";
  EXPECT_FALSE(ZipExtractAll(zip.c_str(), longFolder.c_str()));
}

TEST_F(ZipExtract, ReaderIndexesAndCache) {
  std::wstring zip = Zip({Item("a.txt"), Item("b.txt"), Item("c.txt")});
  auto reader = ZipReader::Open(zip.c_str());
  ZipItem item;
  ASSERT_EQ(reader->GetItem(-1, item), ZipOk);
  EXPECT_EQ(item.index, 3);
  EXPECT_EQ(reader->GetItem(3, item), ZipBadIndex);
  EXPECT_EQ(reader->GetItem(-2, item), ZipBadIndex);
  EXPECT_EQ(reader->UnzipItem(3, L"x"), ZipBadIndex);
  // Backwards and forwards through the layer.
  for (int i : {2, 0, 1, 2, 1}) {
    ASSERT_EQ(reader->GetItem(i, item), ZipOk);
    EXPECT_EQ(item.index, i);
    EXPECT_EQ(item.name[0], L"abc"[i]);
    EXPECT_EQ(item.uncompressedSize, 13);
  }
  ASSERT_EQ(reader->SetBaseDir((target_ + L"/").c_str()), ZipOk);
  EXPECT_EQ(reader->UnzipItem(0, L"renamed.txt"), ZipOk);
  EXPECT_EQ(ReadFileBytes(target_ + L"\\renamed.txt"), "data of a.txt");
  EXPECT_EQ(reader->Close(), ZipOk);
}

TEST(ZipHelpers, DosDateAndDirectoryTree) {
  FILETIME ft = DosDateTimeToFileTime((45 << 9) | (3 << 5) | 17, (23 << 11) | (59 << 5) | 29);
  SYSTEMTIME st;
  ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
  EXPECT_EQ(st.wYear, 2025);
  EXPECT_EQ(st.wMonth, 3);
  EXPECT_EQ(st.wDay, 17);
  EXPECT_EQ(st.wHour, 23);
  EXPECT_EQ(st.wMinute, 59);
  EXPECT_EQ(st.wSecond, 58);

  TempFolder dir;
  std::wstring base = dir.File(L"base\\");
  CreateDirectoryTree(base.c_str(), L"one/two\\three");
  EXPECT_EQ(ListTree(dir.Path()),
            (std::set<std::wstring>{L"base\\", L"base\\one\\", L"base\\one\\two\\", L"base\\one\\two\\three\\"}));
  CreateDirectoryTree(nullptr, (dir.Path() + L"\\abs\\x").c_str());
  EXPECT_TRUE(FileExists(dir.File(L"abs\\x")));
}

// Random byte changes of a valid archive: extraction answers, never crashes or hangs,
// and never writes outside its target.
TEST_F(ZipExtract, MutatedArchivesNeverEscapeOrCrash) {
  TestZipEntry stored = Item("pkg/readme.txt", "read me");
  stored.deflate = false;
  TestZipEntry timed = Item("pkg/bin/tool.exe", std::string(3000, 'T'));
  timed.localExtra = ExtendedTimestamp(3, {1700000000, 1700000001});
  TestZipEntry unix = Item("pkg/unix.sh", "#!/bin/sh\n", 0x81ED0000);
  unix.host = 3;
  const std::string base = BuildTestZip({Folder("pkg/"), stored, timed, unix, Item("../up.txt")});
  std::mt19937 rng(4242);
  std::wstring zip = dir_.File(L"fuzz.zip");
  for (int round = 0; round < 300; ++round) {
    std::string bytes = base;
    int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
      size_t at = rng() % bytes.size();
      switch (rng() % 4) {
        case 0: bytes[at] = static_cast<char>(rng()); break;
        case 1: bytes[at] ^= static_cast<char>(1 << (rng() % 8)); break;
        case 2: bytes.erase(at, 1 + rng() % 16); break;
        default: bytes.insert(at, std::string(1 + rng() % 4, static_cast<char>(rng()))); break;
      }
    }
    SCOPED_TRACE(round);
    ASSERT_TRUE(WriteFileBytes(zip, bytes));
    ZipExtractAll(zip.c_str(), target_.c_str());
    if (auto reader = ZipReader::Open(zip.c_str())) {
      ZipItem item;
      reader->GetItem(-1, item);
      for (int i = 0; i < std::min(item.index, 64); ++i) {
        ZipItem one;
        if (reader->GetItem(i, one) == ZipOk) {
          EXPECT_TRUE(StaysInside(one.name)) << ToUtf8(CString(one.name));
        }
      }
    }
    ASSERT_TRUE(Outside().empty()) << Names(Outside());
  }
}

}  // namespace
