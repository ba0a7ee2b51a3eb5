#include "shared/base/datetime.h"

#include <cmath>
#include <ctime>

namespace qm {

namespace {
constexpr int64_t kOleEpochDays = -25569;  // 1899-12-30 relative to 1970-01-01
}

int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int LocalDateTime::DayOfWeek() const {
  int64_t days = DaysFromCivil(year, month, day);  // 1970-01-01 was a Thursday
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

bool LocalDateTime::operator==(const LocalDateTime& o) const {
  return year == o.year && month == o.month && day == o.day && hour == o.hour &&
         minute == o.minute && second == o.second;
}

LocalDateTime SystemClock::Now() const {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &now);
#else
  localtime_r(&now, &tm);
#endif
  LocalDateTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec;
  return t;
}

double ToOleDate(const LocalDateTime& t) {
  const int64_t days = DaysFromCivil(t.year, t.month, t.day) - kOleEpochDays;
  const double frac = (t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
  // OLE dates before the epoch keep a positive time fraction: -1.25 is 1899-12-29 06:00.
  return days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
}

LocalDateTime FromOleDate(double d) {
  // OLE Automation dates run from 1 January 100 to 31 December 9999, each day's last
  // second included. A stored number outside them (a damaged or hand-edited journal row)
  // reads as the nearest end, and one that is no number at all as day 0, like an empty
  // field: no calendar arithmetic ever sees a day count it cannot hold.
  constexpr double kFirstOleDate = -657434.0 - 86399.0 / 86400.0;
  constexpr double kLastOleDate = 2958465.0 + 86399.0 / 86400.0;
  if (std::isnan(d)) d = 0;
  d = d < kFirstOleDate ? kFirstOleDate : d > kLastOleDate ? kLastOleDate : d;
  double whole = std::trunc(d);
  double frac = std::fabs(d - whole);
  int64_t secs = std::llround(frac * 86400.0);
  int64_t days = static_cast<int64_t>(whole);
  if (secs >= 86400) {  // rounding reached midnight of the next day
    secs -= 86400;
    days += d >= 0 ? 1 : -1;
  }
  LocalDateTime t;
  CivilFromDays(days + kOleEpochDays, t.year, t.month, t.day);
  t.hour = static_cast<int>(secs / 3600);
  t.minute = static_cast<int>(secs / 60 % 60);
  t.second = static_cast<int>(secs % 60);
  return t;
}

}  // namespace qm
