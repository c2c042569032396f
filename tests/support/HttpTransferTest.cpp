#include <winsock2.h>
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <string>
#include <thread>
#include <vector>
#include "LoopbackHttpServer.h"
#include "TempFolder.h"
#include "support/HttpTransfer.h"
#include "support/Utf8.h"

namespace {

std::string Body(size_t size) {
  std::string body(size, '\0');
  for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
  return body;
}

// A message-only window on the test thread that collects the posted progress values.
class ProgressWindow {
public:
  ProgressWindow() {
    hwnd_ = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  ~ProgressWindow() { DestroyWindow(hwnd_); }
  HWND get() const { return hwnd_; }
  std::vector<int> Take() {
    std::vector<int> values;
    MSG msg;
    while (PeekMessageW(&msg, hwnd_, UM_DOWNLOAD_PROGRESS, UM_DOWNLOAD_PROGRESS, PM_REMOVE)) {
      EXPECT_EQ(msg.wParam, 0u);
      values.push_back(static_cast<int>(msg.lParam));
    }
    return values;
  }

private:
  HWND hwnd_;
};

// Answers each path with a fixed status and body.
LoopbackHttpServer::Handler Fixed(int status, std::string body, bool withLength = true) {
  return [=](SOCKET s, const LoopbackHttpServer::Request&) {
    LoopbackHttpServer::SendAll(s, LoopbackHttpServer::Response(status, body, withLength));
  };
}

TEST(HttpTransfer, FetchesTextAsUtf8WithTheRequestTheServerExpects) {
  LoopbackHttpServer server(Fixed(200, "1.0.10 \xE7\x89\x88"));
  ASSERT_TRUE(server.Started());
  HttpTransfer t;
  CString text;
  EXPECT_EQ(t.HttpGetText(server.Url("/software-upgrade/version").c_str(), text), 1);
  EXPECT_EQ(text, L"1.0.10 \u7248");
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].path, "/software-upgrade/version");
  EXPECT_NE(requests[0].head.find("User-Agent: KVT2.0/PC 5.5.0000"), std::string::npos) << requests[0].head;
  EXPECT_NE(requests[0].head.find("Accept: */*"), std::string::npos);
}

TEST(HttpTransfer, DownloadPostsTheProgressSequence) {
  const std::string big = Body(25000), small = Body(5000);
  LoopbackHttpServer server([&](SOCKET s, const LoopbackHttpServer::Request& r) {
    LoopbackHttpServer::SendAll(s, LoopbackHttpServer::Response(200, r.path == "/big" ? big : small));
  });
  TempFolder dir;
  ProgressWindow window;
  HttpTransfer t;
  std::wstring path = dir.File(L"package.zip");
  ASSERT_TRUE(WriteFileBytes(path, "old package"));
  EXPECT_EQ(t.HttpDownloadFile(server.Url("/big").c_str(), path.c_str(), window.get()), 1);
  EXPECT_EQ(window.Take(), (std::vector<int>{2, 8, 10, 55, 100}));
  EXPECT_EQ(ReadFileBytes(path), big);
  // The next download on the same object starts from the 100 left behind.
  EXPECT_EQ(t.HttpDownloadFile(server.Url("/small").c_str(), path.c_str(), window.get()), 1);
  EXPECT_EQ(window.Take(), (std::vector<int>{0, 2, 8, 10, 100}));
  EXPECT_EQ(ReadFileBytes(path), small);
}

TEST(HttpTransfer, DownloadWithoutContentLengthReadsToTheEnd) {
  const std::string body = Body(30000);
  LoopbackHttpServer server(Fixed(200, body, false));
  TempFolder dir;
  ProgressWindow window;
  HttpTransfer t;
  std::wstring path = dir.File(L"x.bin");
  EXPECT_EQ(t.HttpDownloadFile(server.Url("/x").c_str(), path.c_str(), window.get()), 1);
  EXPECT_EQ(window.Take(), (std::vector<int>{2, 8, 10, 100}));
  EXPECT_EQ(ReadFileBytes(path), body);
  CString text;
  EXPECT_EQ(t.HttpGetText(server.Url("/x").c_str(), text), 1);
  EXPECT_EQ(text.GetLength(), 30000);
}

TEST(HttpTransfer, EndlessTextBodyFailsInsteadOfFillingMemory) {
  LoopbackHttpServer server([](SOCKET s, const LoopbackHttpServer::Request&) {
    std::string block(1 << 20, '7');
    LoopbackHttpServer::SendAll(s, LoopbackHttpServer::Head(200, ""));
    for (size_t sent = 0; sent <= HttpTransfer::kMaxTextSize; sent += block.size())
      if (!LoopbackHttpServer::SendAll(s, block)) break;
  });
  HttpTransfer t;
  CString text(L"unchanged");
  EXPECT_EQ(t.HttpGetText(server.Url("/version").c_str(), text), -1);
  EXPECT_EQ(text, L"unchanged");
}

TEST(HttpTransfer, ErrorStatusesFailAndLeaveNoFile) {
  for (int status : {404, 500}) {
    SCOPED_TRACE(status);
    LoopbackHttpServer server(Fixed(status, "<html>error page</html>"));
    TempFolder dir;
    HttpTransfer t;
    CString text(L"unchanged");
    EXPECT_EQ(t.HttpGetText(server.Url("/version").c_str(), text), -1);
    EXPECT_EQ(text, L"unchanged");
    std::wstring path = dir.File(L"p.zip");
    ASSERT_TRUE(WriteFileBytes(path, "earlier"));
    EXPECT_EQ(t.HttpDownloadFile(server.Url("/p.zip").c_str(), path.c_str(), nullptr), -1);
    EXPECT_FALSE(FileExists(path));
  }
}

TEST(HttpTransfer, ServerClosingMidBodyFails) {
  const std::string body = Body(50000);
  LoopbackHttpServer server([&](SOCKET s, const LoopbackHttpServer::Request&) {
    LoopbackHttpServer::SendAll(s, LoopbackHttpServer::Head(200, "Content-Length: 50000\r\n") + body.substr(0, 20000));
  });
  TempFolder dir;
  HttpTransfer t;
  CString text(L"unchanged");
  EXPECT_EQ(t.HttpGetText(server.Url("/v").c_str(), text), -1);
  EXPECT_EQ(text, L"unchanged");
  std::wstring path = dir.File(L"cut.zip");
  EXPECT_EQ(t.HttpDownloadFile(server.Url("/cut.zip").c_str(), path.c_str(), nullptr), -1);
  EXPECT_FALSE(FileExists(path)) << "a partial package must not stay behind";
}

TEST(HttpTransfer, UnreachableServerFailsWithoutTouchingTheFile) {
  TempFolder dir;
  HttpTransfer t;
  std::wstring url = L"http://127.0.0.1:" + std::to_wstring(LoopbackHttpServer::UnusedPort()) + L"/v";
  CString text(L"unchanged");
  EXPECT_EQ(t.HttpGetText(url.c_str(), text), -1);
  EXPECT_EQ(text, L"unchanged");
  std::wstring path = dir.File(L"keep.zip");
  ASSERT_TRUE(WriteFileBytes(path, "earlier"));
  ProgressWindow window;
  EXPECT_EQ(t.HttpDownloadFile(url.c_str(), path.c_str(), window.get()), -1);
  EXPECT_EQ(window.Take(), (std::vector<int>{2}));
  EXPECT_EQ(ReadFileBytes(path), "earlier");
}

// The server sends one chunk, then cancels from its own thread, then one more chunk,
// and holds the connection until the client lets go.
LoopbackHttpServer::Handler CancelAfterFirstChunk(HttpTransfer& t, const std::string& body) {
  return [&t, body](SOCKET s, const LoopbackHttpServer::Request&) {
    const size_t chunk = HttpTransfer::kChunkSize;
    LoopbackHttpServer::SendAll(s, LoopbackHttpServer::Head(200, "Content-Length: " + std::to_string(body.size()) + "\r\n") +
                                       body.substr(0, chunk));
    Sleep(200);
    t.Cancel();
    LoopbackHttpServer::SendAll(s, body.substr(chunk, chunk));
    LoopbackHttpServer::WaitForClientClose(s, 5000);
  };
}

TEST(HttpTransfer, CancelledTransfersKeepWhatArrived) {
  const std::string body = Body(100000);
  HttpTransfer t;
  LoopbackHttpServer server(CancelAfterFirstChunk(t, body));
  CString text;
  EXPECT_EQ(t.HttpGetText(server.Url("/v").c_str(), text), -2);
  std::string got = ToUtf8(text);
  EXPECT_GE(got.size(), HttpTransfer::kChunkSize);
  EXPECT_LE(got.size(), 2 * HttpTransfer::kChunkSize);
  EXPECT_EQ(got, body.substr(0, got.size()));

  TempFolder dir;
  ProgressWindow window;
  std::wstring path = dir.File(L"part.zip");
  EXPECT_EQ(t.HttpDownloadFile(server.Url("/part.zip").c_str(), path.c_str(), window.get()), -2);
  std::vector<int> progress = window.Take();
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100) << "a cancelled download still ends at 100";
  std::string part = ReadFileBytes(path);
  EXPECT_GE(part.size(), HttpTransfer::kChunkSize);
  EXPECT_LT(part.size(), body.size());
  EXPECT_EQ(part, body.substr(0, part.size()));
}

// A disk that refuses the second chunk.
class FailingWrites : public HttpTransfer {
protected:
  bool WriteChunk(HANDLE file, const void* data, DWORD size) override {
    return ++writes_ < 2 && HttpTransfer::WriteChunk(file, data, size);
  }

private:
  int writes_ = 0;
};

TEST(HttpTransfer, FailedWriteEndsTheDownloadAndRemovesThePartialFile) {
  LoopbackHttpServer server(Fixed(200, Body(40000)));
  TempFolder dir;
  FailingWrites t;
  std::wstring path = dir.File(L"w.zip");
  EXPECT_EQ(t.HttpDownloadFile(server.Url("/w.zip").c_str(), path.c_str(), nullptr), -1);
  EXPECT_FALSE(FileExists(path));
}

TEST(HttpTransfer, TargetThatCannotBeCreatedFails) {
  LoopbackHttpServer server(Fixed(200, "x"));
  TempFolder dir;
  HttpTransfer t;
  EXPECT_EQ(t.HttpDownloadFile(server.Url("/x").c_str(), dir.File(L"no\\folder\\x.zip").c_str(), nullptr), -1);
}

// A stop that comes before a transfer starts is kept: nothing is fetched, the target file
// is not touched, and a later transfer stops too.
TEST(HttpTransfer, StopBeforeATransferIsNotLost) {
  LoopbackHttpServer server(Fixed(200, "1.2.4"));
  ASSERT_TRUE(server.Started());
  TempFolder dir;
  HttpTransfer t;
  t.Stop();
  CString text(L"unchanged");
  EXPECT_EQ(t.HttpGetText(server.Url("/version").c_str(), text), -2);
  EXPECT_EQ(text, L"unchanged");
  std::wstring path = dir.File(L"keep.zip");
  ASSERT_TRUE(WriteFileBytes(path, "earlier"));
  EXPECT_EQ(t.HttpDownloadFile(server.Url("/p.zip").c_str(), path.c_str(), nullptr), -2);
  EXPECT_EQ(ReadFileBytes(path), "earlier");
  EXPECT_EQ(t.HttpGetText(server.Url("/version").c_str(), text), -2);
  EXPECT_TRUE(server.Requests().empty());

  // A plain cancel only ends the transfer running at the time.
  HttpTransfer once;
  once.Cancel();
  EXPECT_EQ(once.HttpGetText(server.Url("/version").c_str(), text), 1);
  EXPECT_EQ(text, L"1.2.4");
}

// The server sends a byte every 50 ms for ten seconds; the transfer is stopped from another
// thread after a moment. It ended only once the chunk of 10,240 bytes was full, or the
// body complete.
TEST(HttpTransfer, StopEndsATricklingTransferWithoutWaitingForItsChunk) {
  std::atomic<bool> letGo{false};
  std::atomic<int> sent{0};
  LoopbackHttpServer server([&](SOCKET s, const LoopbackHttpServer::Request&) {
    LoopbackHttpServer::SendAll(s, LoopbackHttpServer::Head(200, "Content-Length: 200\r\n"));
    for (int i = 0; i < 200 && !letGo; ++i) {
      if (!LoopbackHttpServer::SendAll(s, "v")) return;
      ++sent;
      Sleep(50);
    }
  });
  for (bool download : {false, true}) {
    TempFolder dir;
    HttpTransfer t;
    sent = 0;
    // Stop once the body is flowing (a loaded machine may take long to connect), then give
    // the client time to read what arrived; the whole trickle would last ten seconds.
    std::thread stopper([&] {
      for (int i = 0; i < 1000 && sent < 3; ++i) Sleep(10);
      Sleep(200);
      t.Stop();
    });
    const DWORD start = GetTickCount();
    CString text;
    int result = download ? t.HttpDownloadFile(server.Url("/p.zip").c_str(), dir.File(L"p.zip").c_str(), nullptr)
                          : t.HttpGetText(server.Url("/version").c_str(), text);
    const DWORD took = GetTickCount() - start;
    stopper.join();
    EXPECT_EQ(result, -2) << download;
    EXPECT_LT(took, 8000u) << download;
    if (!download) {
      EXPECT_FALSE(text.IsEmpty());
    }
  }
  letGo = true;
}

// A server that takes the request and never answers (or stops halfway) fails the transfer
// once the time limit has passed, instead of holding it for good.
TEST(HttpTransfer, SilentServerFailsAfterTheTimeLimit) {
  LoopbackHttpServer server([&](SOCKET s, const LoopbackHttpServer::Request& request) {
    if (request.path == "/half") {
      LoopbackHttpServer::SendAll(s, LoopbackHttpServer::Head(200, "Content-Length: 100\r\n") + "abc");
    }
    LoopbackHttpServer::WaitForClientClose(s, 6000);  // then silence
  });
  for (const char* path : {"/silent", "/half"}) {
    HttpTransfer t;
    t.SetTimeout(500);
    const DWORD start = GetTickCount();
    CString text(L"unchanged");
    EXPECT_EQ(t.HttpGetText(server.Url(path).c_str(), text), -1) << path;
    EXPECT_LT(GetTickCount() - start, 4000u) << path;
    EXPECT_EQ(text, L"unchanged") << path;
  }
}

}  // namespace
