#include "LoopbackHttpServer.h"
#include <ws2tcpip.h>

namespace {

struct WinsockUser {
  WinsockUser() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockUser() { WSACleanup(); }
};

const char* ReasonOf(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(Handler handler) : handler_(std::move(handler)) {
  static WinsockUser winsock;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  int len = sizeof(addr);
  if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
      listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
}

std::wstring LoopbackHttpServer::Url(const std::string& path) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + std::wstring(path.begin(), path.end());
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackHttpServer::Run() {
  while (!stop_) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(listener_, &set);
    timeval wait{0, 50 * 1000};
    if (select(0, &set, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    Serve(client);
    shutdown(client, SD_SEND);
    closesocket(client);
  }
}

void LoopbackHttpServer::Serve(SOCKET client) {
  DWORD timeout = 5000;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  std::string head;
  char buffer[1024];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    int n = recv(client, buffer, sizeof(buffer), 0);
    if (n <= 0) return;
    head.append(buffer, n);
  }
  Request request;
  request.head = head;
  size_t sp1 = head.find(' ');
  size_t sp2 = head.find(' ', sp1 + 1);
  if (sp1 != std::string::npos && sp2 != std::string::npos) {
    request.method = head.substr(0, sp1);
    request.path = head.substr(sp1 + 1, sp2 - sp1 - 1);
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
  }
  handler_(client, request);
}

bool LoopbackHttpServer::SendAll(SOCKET s, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    int n = send(s, data.data() + sent, static_cast<int>(data.size() - sent), 0);
    if (n <= 0) return false;
    sent += n;
  }
  return true;
}

std::string LoopbackHttpServer::Head(int status, const std::string& extraHeaders) {
  return "HTTP/1.1 " + std::to_string(status) + " " + ReasonOf(status) +
         "\r\nConnection: close\r\nContent-Type: application/octet-stream\r\n" + extraHeaders + "\r\n";
}

std::string LoopbackHttpServer::Response(int status, const std::string& body, bool withLength) {
  std::string extra = withLength ? "Content-Length: " + std::to_string(body.size()) + "\r\n" : std::string();
  return Head(status, extra) + body;
}

bool LoopbackHttpServer::WaitForClientClose(SOCKET s, int ms) {
  DWORD timeout = static_cast<DWORD>(ms);
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  char buffer[256];
  for (;;) {
    int n = recv(s, buffer, sizeof(buffer), 0);
    if (n == 0) return true;
    if (n < 0) return WSAGetLastError() != WSAETIMEDOUT;
  }
}

int LoopbackHttpServer::UnusedPort() {
  static WinsockUser winsock;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof(addr);
  bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  closesocket(s);
  return ntohs(addr.sin_port);
}
