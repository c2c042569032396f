#include "support/HttpTransfer.h"
#include <wininet.h>
#include <algorithm>
#include <string>
#include "support/Utf8.h"

namespace {

const char kUserAgent[] = "KVT2.0/PC 5.5.0000";
const char kHeaders[] = "Accept: */*\r\n\r\n";
// A fresh copy from the server, nothing written to the system's cache.
constexpr DWORD kUrlFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;

class InternetHandle {
public:
  explicit InternetHandle(HINTERNET h = nullptr) : h_(h) {}
  ~InternetHandle() {
    if (h_) InternetCloseHandle(h_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

private:
  HINTERNET h_;
};

HINTERNET OpenInternet() {
  DWORD state = 0;
  InternetGetConnectedState(&state, 0);
  DWORD access = (state & INTERNET_CONNECTION_PROXY) ? INTERNET_OPEN_TYPE_PRECONFIG
                                                     : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
  return InternetOpenA(kUserAgent, access, nullptr, nullptr, 0);
}

HINTERNET OpenUrl(HINTERNET net, const CString& url) {
  std::string u = ToUtf8(url);
  return InternetOpenUrlA(net, u.c_str(), kHeaders, static_cast<DWORD>(sizeof(kHeaders) - 1), kUrlFlags, 0);
}

// An error page must not pass for the file asked for.
bool StatusIsSuccess(HINTERNET request) {
  DWORD status = 0, size = sizeof(status);
  if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
    return false;
  return status >= 200 && status < 300;
}

bool ContentLength(HINTERNET request, DWORD& length) {
  DWORD size = sizeof(length);
  length = 0;
  return HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) != 0;
}

// One chunk: up to kChunkSize bytes, fewer only at the end of the body.
bool ReadChunk(HINTERNET request, char* buffer, DWORD& got) {
  got = 0;
  while (got < HttpTransfer::kChunkSize) {
    DWORD n = 0;
    if (!InternetReadFile(request, buffer + got, HttpTransfer::kChunkSize - got, &n)) return false;
    if (n == 0) break;
    got += n;
  }
  return true;
}

}  // namespace

HttpTransfer::~HttpTransfer() = default;

bool HttpTransfer::WriteChunk(HANDLE file, const void* data, DWORD size) {
  DWORD put = 0;
  return WriteFile(file, data, size, &put, nullptr) && put == size;
}

void HttpTransfer::PostProgress(HWND notify, int value) {
  if (value == m_lastProgress) return;
  m_lastProgress = value;
  if (notify) PostMessageW(notify, UM_DOWNLOAD_PROGRESS, 0, value);
}

int HttpTransfer::HttpGetText(const CString& url, CString& text) {
  m_run = true;
  InternetHandle net(OpenInternet());
  if (!net) return 0;
  InternetHandle request(OpenUrl(net.get(), url));
  if (!request || !StatusIsSuccess(request.get())) return -1;
  DWORD expected = 0;
  const bool known = ContentLength(request.get(), expected);

  std::string body;
  std::string buffer(kChunkSize, '\0');
  for (;;) {
    DWORD got = 0;
    if (!ReadChunk(request.get(), buffer.data(), got)) return -1;
    if (got == 0) break;
    if (body.size() + got > kMaxTextSize) return -1;
    body.append(buffer.data(), got);
    if (!m_run) break;
  }
  const bool cancelled = !m_run;
  if (!cancelled && known && body.size() != expected) return -1;  // the connection ended early
  text = FromUtf8(body.c_str());
  return cancelled ? -2 : 1;
}

int HttpTransfer::HttpDownloadFile(const CString& url, const CString& path, HWND notify) {
  m_run = true;
  PostProgress(notify, 0);
  InternetHandle net(OpenInternet());
  if (!net) return 0;
  PostProgress(notify, 2);
  InternetHandle request(OpenUrl(net.get(), url));
  if (!request) return -1;
  PostProgress(notify, 8);

  if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) DeleteFileW(path);
  if (!StatusIsSuccess(request.get())) return -1;
  HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  auto fail = [&] {
    CloseHandle(file);
    DeleteFileW(path);
    return -1;
  };

  DWORD length = 0;
  const bool known = ContentLength(request.get(), length);
  const DWORD units = length / kChunkSize;
  PostProgress(notify, 10);

  std::string buffer(kChunkSize, '\0');
  unsigned long long received = 0;
  DWORD sum = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadChunk(request.get(), buffer.data(), got)) return fail();
    if (got == 0) break;
    if (!WriteChunk(file, buffer.data(), got)) return fail();
    received += got;
    sum += 90;
    if (units) PostProgress(notify, static_cast<int>(std::min<DWORD>(10 + sum / units, 100)));
    if (!m_run) break;
  }
  const bool cancelled = !m_run;
  if (!cancelled && known && received != length) return fail();  // the connection ended early
  CloseHandle(file);
  PostProgress(notify, 100);
  return cancelled ? -2 : 1;
}
