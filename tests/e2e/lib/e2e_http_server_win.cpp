#include "tests/e2e/lib/e2e_http_server_win.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <vector>

namespace qm::e2e {

namespace {

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

bool Stopping(std::mutex& m, const bool& flag) {
  std::lock_guard<std::mutex> lock(m);
  return flag;
}

}  // namespace

LocalHttpServer::~LocalHttpServer() { Stop(); }

bool LocalHttpServer::Start() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  int len = sizeof(addr);
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 || listen(s, 8) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    closesocket(s);
    return false;
  }
  listener_ = static_cast<uintptr_t>(s);
  port_ = ntohs(addr.sin_port);
  stopping_ = false;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void LocalHttpServer::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  if (thread_.joinable()) thread_.join();
  if (listener_ != ~uintptr_t(0)) {
    closesocket(static_cast<SOCKET>(listener_));
    listener_ = ~uintptr_t(0);
    WSACleanup();
  }
}

Str LocalHttpServer::Url(const std::string& path) const {
  return FromUtf8("http://127.0.0.1:" + std::to_string(port_) + path);
}

void LocalHttpServer::Serve(int status, const std::string& body) {
  std::lock_guard<std::mutex> lock(mutex_);
  status_ = status;
  body_ = body;
  hang_ = false;
}

void LocalHttpServer::Hang() {
  std::lock_guard<std::mutex> lock(mutex_);
  hang_ = true;
}

int LocalHttpServer::RequestCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string LocalHttpServer::LastRequestLine() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastRequestLine_;
}

void LocalHttpServer::Run() {
  SOCKET listener = static_cast<SOCKET>(listener_);
  while (!Stopping(mutex_, stopping_)) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(listener, &set);
    timeval wait = {0, 100000};
    if (select(0, &set, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    Answer(static_cast<uintptr_t>(client));
    closesocket(client);
  }
}

void LocalHttpServer::Answer(uintptr_t clientHandle) {
  SOCKET client = static_cast<SOCKET>(clientHandle);
  // The request head, up to its empty line (bounded).
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(client, &set);
    timeval wait = {5, 0};
    if (select(0, &set, nullptr, nullptr, &wait) <= 0) break;
    int n = recv(client, buffer, sizeof(buffer), 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
  }
  int status = 0;
  std::string body;
  bool hang = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++requests_;
    lastRequestLine_ = request.substr(0, request.find("\r\n"));
    status = status_;
    body = body_;
    hang = hang_;
  }
  if (hang) {
    // Holds the connection, answering nothing, until told otherwise.
    for (;;) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_ || !hang_) return;
      }
      Sleep(50);
    }
  }
  std::string head = "HTTP/1.0 " + std::to_string(status) + " " + Reason(status) +
                     "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
                     "\r\nConnection: close\r\n\r\n";
  std::string reply = head + body;
  size_t sent = 0;
  while (sent < reply.size()) {
    int n = send(client, reply.data() + sent, static_cast<int>(std::min<size_t>(reply.size() - sent, 65536)), 0);
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
  shutdown(client, SD_SEND);
}

}  // namespace qm::e2e
