// Local calendar time, the injectable clock, and OLE Automation dates (days since
// 30 December 1899, local time, the time of day as the fraction): the form in which
// the journal stores and compares its dates.
#pragma once

#include <cstdint>

namespace qm {

struct LocalDateTime {
  int year = 1899;
  int month = 12;   // 1..12
  int day = 30;     // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int DayOfWeek() const;  // 0 = Sunday .. 6 = Saturday
  bool operator==(const LocalDateTime& o) const;
  bool operator!=(const LocalDateTime& o) const { return !(*this == o); }
};

// The time source of the portable code. Programs use SystemClock; tests pin the time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;  // local time, to the second
};

class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDateTime t) : t_(t) {}
  LocalDateTime Now() const override { return t_; }
  void Set(LocalDateTime t) { t_ = t; }
 private:
  LocalDateTime t_;
};

// Days from 1970-01-01 for a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

// OLE Automation date <-> local date and time. Negative values (before 1899-12-30)
// follow OLE's rule: the integer part counts days back, the fraction is the time.
double ToOleDate(const LocalDateTime& t);
LocalDateTime FromOleDate(double d);  // rounded to the nearest second

}  // namespace qm
