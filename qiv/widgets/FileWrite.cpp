#include "widgets/FileWrite.h"
#include <shlobj.h>
#include <algorithm>

namespace {
// Closes a file handle when it goes out of scope.
class FileHandle {
public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (valid()) ::CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  bool Close() {
    bool ok = valid() && ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

private:
  HANDLE h_;
};

bool WriteAll(HANDLE file, const void* data, size_t size) {
  auto* p = static_cast<const BYTE*>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(file, p, chunk, &written, nullptr) || written != chunk) return false;
    p += chunk;
    size -= chunk;
  }
  return true;
}
}  // namespace

CString FolderOfFile(const CString& path) {
  const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
  return slash > 0 ? path.Left(slash) : CString();
}

bool EnsureFolder(const CString& folder) {
  if (folder.IsEmpty()) return false;
  DWORD attributes = ::GetFileAttributesW(folder);
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  // The shell call wants a full path without doubled separators.
  wchar_t full[MAX_PATH * 2];
  DWORD n = ::GetFullPathNameW(folder, MAX_PATH * 2, full, nullptr);
  if (n == 0 || n >= MAX_PATH * 2) return false;
  ::SHCreateDirectoryExW(nullptr, full, nullptr);
  attributes = ::GetFileAttributesW(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteFileReplacing(const CString& path, const void* data, size_t size) {
  if (path.IsEmpty() || (size > 0 && !data)) return false;
  CString folder = FolderOfFile(path);
  if (folder.IsEmpty()) folder = L".";
  wchar_t temp[MAX_PATH * 2] = {};
  if (folder.GetLength() > MAX_PATH - 14 || !::GetTempFileNameW(folder, L"qiv", 0, temp)) return false;
  FileHandle file(::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  bool ok = file.valid() && WriteAll(file.get(), data, size) && ::FlushFileBuffers(file.get());
  ok = file.Close() && ok;
  if (ok) ok = ::MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) ::DeleteFileW(temp);
  return ok;
}

bool ReadWholeFile(const CString& path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  FileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > 0x40000000ULL)
    return false;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 0x10000000));
    if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) {
      bytes.clear();
      return false;
    }
    done += got;
  }
  return true;
}
