// A tiny HTTP server on the loopback address for the tests of the update check: it
// answers every GET with the status and body it was told, or holds the connection without
// answering (a server that hangs). Runs on a thread of the test process; one request at a
// time, HTTP/1.0, the connection closed after each answer.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "shared/base/str.h"

namespace qm::e2e {

class LocalHttpServer {
 public:
  LocalHttpServer() = default;
  ~LocalHttpServer();  // stops and lets go of every connection
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  // Listens on 127.0.0.1 at a port the system picks; false when that failed.
  bool Start();
  void Stop();
  // "http://127.0.0.1:<port>" + path.
  Str Url(const std::string& path) const;

  // What the next requests get.
  void Serve(int status, const std::string& body);
  // Accepts requests but never answers them (until Serve or Stop).
  void Hang();

  int RequestCount() const;
  std::string LastRequestLine() const;

 private:
  void Run();
  void Answer(uintptr_t client);

  mutable std::mutex mutex_;
  int status_ = 404;
  std::string body_;
  bool hang_ = false;
  int requests_ = 0;
  std::string lastRequestLine_;

  uintptr_t listener_ = ~uintptr_t(0);
  int port_ = 0;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace qm::e2e
