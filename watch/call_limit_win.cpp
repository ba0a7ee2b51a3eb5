#include "watch/call_limit_win.h"

#include <objbase.h>

#include <chrono>

namespace qm {

namespace {
// How often a piece of work past its limit has its next call cancelled.
constexpr long kRecancelMs = 50;
}  // namespace

CallTimeLimit::CallTimeLimit(DWORD limitMs) : threadId_(GetCurrentThreadId()), limitMs_(limitMs) {
  // Cancellation costs a little on every call, which the reporter's few calls can afford.
  enabled_ = SUCCEEDED(CoEnableCallCancellation(nullptr));
  watchdog_ = std::thread([this] { Watch(); });
}

CallTimeLimit::~CallTimeLimit() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  watchdog_.join();
  if (enabled_) CoDisableCallCancellation(nullptr);
}

void CallTimeLimit::Begin() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (depth_++ > 0) return;
    ++serial_;
  }
  changed_.notify_all();
}

void CallTimeLimit::End() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    --depth_;
  }
  changed_.notify_all();
}

void CallTimeLimit::Watch() {
  // The cancel object lives in COM; the watchdog joins the process's free-threaded
  // apartment so that it may ask for it.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    if (depth_ == 0) {
      changed_.wait(lock);
      continue;
    }
    const unsigned serial = serial_;
    const auto over = [&] { return stop_ || depth_ == 0 || serial_ != serial; };
    if (changed_.wait_for(lock, std::chrono::milliseconds(limitMs_), over)) continue;
    // The same piece of work after the limit: cancel the call it waits for now, and any
    // call it goes on to make, until it ends.
    while (!over()) {
      lock.unlock();
      CoCancelCall(threadId_, 0);
      lock.lock();
      changed_.wait_for(lock, std::chrono::milliseconds(kRecancelMs), over);
    }
  }
  lock.unlock();
  if (com) CoUninitialize();
}

bool IsGoneError(HRESULT hr) {
  static const HRESULT kGone[] = {
      RPC_E_DISCONNECTED, RPC_E_SERVER_DIED, RPC_E_SERVER_DIED_DNE, CO_E_OBJNOTCONNECTED,
      HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), HRESULT_FROM_WIN32(RPC_S_CALL_FAILED),
      HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE)};
  for (HRESULT gone : kGone) {
    if (hr == gone) return true;
  }
  return false;
}

}  // namespace qm
