// Bounded waiting for the end-to-end tests: a condition is polled until it holds or the
// bound has passed. The bound only keeps a broken program from hanging the test run; no
// test asserts how long anything took.
#pragma once

#include <windows.h>

#include <functional>

namespace qm::e2e {

constexpr DWORD kDefaultBoundMs = 30000;

inline bool WaitUntil(const std::function<bool()>& condition, DWORD boundMs = kDefaultBoundMs,
                      DWORD stepMs = 20) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= boundMs) return condition();
    Sleep(stepMs);
  }
}

}  // namespace qm::e2e
