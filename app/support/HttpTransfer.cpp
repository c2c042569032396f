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
  ~InternetHandle() { Close(); }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  InternetHandle& operator=(InternetHandle&& other) noexcept {
    if (this != &other) {
      Close();
      h_ = other.h_;
      other.h_ = nullptr;
    }
    return *this;
  }
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

private:
  void Close() {
    if (h_) InternetCloseHandle(h_);
    h_ = nullptr;
  }
  HINTERNET h_;
};

HINTERNET OpenInternet(DWORD timeoutMs) {
  DWORD state = 0;
  InternetGetConnectedState(&state, 0);
  DWORD access = (state & INTERNET_CONNECTION_PROXY) ? INTERNET_OPEN_TYPE_PRECONFIG
                                                     : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
  HINTERNET net = InternetOpenA(kUserAgent, access, nullptr, nullptr, 0);
  if (net) InternetSetOptionA(net, INTERNET_OPTION_CONNECT_TIMEOUT, &timeoutMs, sizeof(timeoutMs));
  return net;
}

// The GET of a URL, made in steps so that the request carries its own time limits (set
// on the session they do not reach the connection everywhere): without them a server
// that stops answering holds the worker, and a closing program, for minutes.
struct UrlRequest {
  InternetHandle connection;
  InternetHandle request;
};

bool OpenUrl(HINTERNET net, const CString& url, DWORD timeoutMs, UrlRequest& out) {
  std::string u = ToUtf8(url);
  char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
  std::string path(u.size() + 1, '\0');
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof(host);
  parts.lpszUrlPath = path.data();
  parts.dwUrlPathLength = DWORD(path.size());
  parts.dwExtraInfoLength = 1;  // the query stays in the path
  if (!InternetCrackUrlA(u.c_str(), DWORD(u.size()), 0, &parts)) return false;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return false;
  std::string target(parts.lpszUrlPath, parts.dwUrlPathLength);
  if (parts.lpszExtraInfo) target.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (target.empty()) target = "/";

  out.connection = InternetHandle(
      InternetConnectA(net, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!out.connection) return false;
  const DWORD flags = kUrlFlags | (parts.nScheme == INTERNET_SCHEME_HTTPS ? INTERNET_FLAG_SECURE : 0);
  out.request =
      InternetHandle(HttpOpenRequestA(out.connection.get(), "GET", target.c_str(), nullptr, nullptr, nullptr, flags, 0));
  if (!out.request) return false;
  for (DWORD option : {INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionA(out.request.get(), option, &timeoutMs, sizeof(timeoutMs));
  return HttpSendRequestA(out.request.get(), kHeaders, DWORD(sizeof(kHeaders) - 1), nullptr, 0) != 0;
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

}  // namespace

HttpTransfer::~HttpTransfer() = default;

bool HttpTransfer::WriteChunk(HANDLE file, const void* data, DWORD size) {
  DWORD put = 0;
  return WriteFile(file, data, size, &put, nullptr) && put == size;
}

bool HttpTransfer::Begin() {
  m_run = true;
  // A stop between the test above and the set is seen here.
  if (m_stopped) m_run = false;
  return m_run;
}

// One chunk: up to kChunkSize bytes, fewer at the end of the body or when the transfer
// is cancelled while the bytes trickle in.
bool HttpTransfer::ReadChunk(void* request, char* buffer, DWORD& got) {
  got = 0;
  while (got < kChunkSize && m_run) {
    // Asks only for what has arrived, so that a stop is seen between trickling bytes.
    DWORD available = 0;
    if (!InternetQueryDataAvailable(static_cast<HINTERNET>(request), &available, 0, 0)) return false;
    if (available == 0) break;
    DWORD n = 0;
    const DWORD wanted = std::min<DWORD>(available, kChunkSize - got);
    if (!InternetReadFile(static_cast<HINTERNET>(request), buffer + got, wanted, &n)) return false;
    if (n == 0) break;
    got += n;
  }
  return true;
}

void HttpTransfer::PostProgress(HWND notify, int value) {
  if (value == m_lastProgress) return;
  m_lastProgress = value;
  if (notify) PostMessageW(notify, UM_DOWNLOAD_PROGRESS, 0, value);
}

int HttpTransfer::HttpGetText(const CString& url, CString& text) {
  if (!Begin()) return -2;
  InternetHandle net(OpenInternet(m_timeoutMs));
  if (!net) return 0;
  UrlRequest get;
  const bool opened = OpenUrl(net.get(), url, m_timeoutMs, get);
  if (m_stopped) return -2;
  if (!opened || !StatusIsSuccess(get.request.get())) return -1;
  const InternetHandle& request = get.request;
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
  if (!Begin()) return -2;  // stopped: the file at `path` is left as it is
  PostProgress(notify, 0);
  InternetHandle net(OpenInternet(m_timeoutMs));
  if (!net) return 0;
  PostProgress(notify, 2);
  UrlRequest get;
  const bool opened = OpenUrl(net.get(), url, m_timeoutMs, get);
  if (m_stopped) return -2;
  if (!opened) return -1;
  const InternetHandle& request = get.request;
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
