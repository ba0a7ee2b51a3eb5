// A time limit for the outgoing COM calls of the reporter's thread. Explorer answers them
// on its own window threads; when one of those is busy or hung, the call is cancelled
// after the limit instead of keeping the reporter waiting, and the look that made it is
// simply taken again later.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace qm {

class CallTimeLimit {
 public:
  // Made on the thread whose calls it limits: enables call cancellation there and starts
  // the watchdog thread that cancels what runs too long.
  explicit CallTimeLimit(DWORD limitMs);
  ~CallTimeLimit();
  CallTimeLimit(const CallTimeLimit&) = delete;
  CallTimeLimit& operator=(const CallTimeLimit&) = delete;

  // Holds a piece of work with outgoing calls (a call, or the few calls that read one
  // window) under the limit. Once the limit has passed, the call running then and every
  // later call of the piece are cancelled: they return RPC_E_CALL_CANCELED.
  class Scope {
   public:
    explicit Scope(CallTimeLimit& limit) : limit_(limit) { limit_.Begin(); }
    ~Scope() { limit_.End(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    CallTimeLimit& limit_;
  };

  // Runs one call, or a small piece of work, under the limit.
  template <typename Work>
  auto operator()(Work&& work) -> decltype(work()) {
    Scope scope(*this);
    return work();
  }

 private:
  void Begin();
  void End();
  void Watch();

  const DWORD threadId_;
  const DWORD limitMs_;
  bool enabled_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  int depth_ = 0;        // scopes inside a scope count with the outermost one
  unsigned serial_ = 0;  // tells one outermost scope from the next
  bool stop_ = false;
  std::thread watchdog_;
};

// True for the results of calls on an object whose process ended or restarted.
bool IsGoneError(HRESULT hr);

}  // namespace qm
