// Milliseconds on the system's performance counter: for measuring how long something
// took (never a time of day; the start of the count means nothing).
#pragma once

#include <windows.h>

namespace qm {

inline double MonotonicMs() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace qm
