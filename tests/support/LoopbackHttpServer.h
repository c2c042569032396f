// A small HTTP server on 127.0.0.1 for transfer tests: each connection's request is
// read and handed to the test's handler on the server thread, which writes whatever
// response (or misbehaviour) the test wants over the socket.
#pragma once
#include <winsock2.h>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
  struct Request {
    std::string method;
    std::string path;
    std::string head;  // request line and headers as received
  };
  using Handler = std::function<void(SOCKET client, const Request& request)>;

  explicit LoopbackHttpServer(Handler handler);
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  bool Started() const { return listener_ != INVALID_SOCKET; }
  std::wstring Url(const std::string& path) const;
  std::vector<Request> Requests();

  static bool SendAll(SOCKET s, const std::string& data);
  // A whole response; `withLength` false leaves Content-Length out (the body ends at close).
  static std::string Response(int status, const std::string& body, bool withLength = true);
  static std::string Head(int status, const std::string& extraHeaders);
  // Waits until the client closes its side (or `ms` pass); true when it did.
  static bool WaitForClientClose(SOCKET s, int ms);
  // A port on 127.0.0.1 where nothing listens.
  static int UnusedPort();

private:
  void Run();
  void Serve(SOCKET client);

  Handler handler_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<Request> requests_;
  std::thread thread_;
};
