// The system's local clock in the portable form, for the Win32 parts that read it
// directly (the trace's stamps, the tests that date journal rows).
#pragma once

#include <windows.h>

#include "shared/base/datetime.h"

namespace qm {

inline LocalDateTime FromSystemTime(const SYSTEMTIME& st) {
  LocalDateTime t;
  t.year = st.wYear;
  t.month = st.wMonth;
  t.day = st.wDay;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  return t;
}

// GetLocalTime, to the second.
inline LocalDateTime LocalNow() {
  SYSTEMTIME st = {};
  GetLocalTime(&st);
  return FromSystemTime(st);
}

}  // namespace qm
