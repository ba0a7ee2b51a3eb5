#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shared/base/datetime.h"
#include "shared/base/program.h"

using namespace qm;

namespace {
LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
  return t;
}
}  // namespace

TEST(OleDate, KnownValues) {
  EXPECT_DOUBLE_EQ(ToOleDate(At(1899, 12, 30)), 0.0);
  EXPECT_DOUBLE_EQ(ToOleDate(At(1900, 1, 1)), 2.0);
  EXPECT_DOUBLE_EQ(ToOleDate(At(2026, 12, 7, 12)), 46363.5);
  EXPECT_DOUBLE_EQ(ToOleDate(At(1899, 12, 29, 6)), -1.25);
}

TEST(OleDate, RoundTripsToTheSecondAcrossLeapDaysAndMidnight) {
  const LocalDateTime samples[] = {At(2024, 2, 29, 23, 59, 59), At(2000, 3, 1, 0, 0, 1),
                                   At(2026, 12, 31, 12, 30, 45), At(1899, 12, 29, 6, 0, 0)};
  for (const auto& t : samples) EXPECT_EQ(FromOleDate(ToOleDate(t)), t);
}

// A journal row's date as a damaged or hand-edited file may hold it (found by fuzzing
// printf with dates from the journal: the day count overflowed).
TEST(OleDate, NumbersOutsideTheCalendarReadAsItsEndsAndNoNumberAsDayZero) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FromOleDate(8.9752e+130), At(9999, 12, 31, 23, 59, 59));
  EXPECT_EQ(FromOleDate(inf), At(9999, 12, 31, 23, 59, 59));
  EXPECT_EQ(FromOleDate(2958466.0), At(9999, 12, 31, 23, 59, 59));
  EXPECT_EQ(FromOleDate(-1e300), At(100, 1, 1, 23, 59, 59));
  EXPECT_EQ(FromOleDate(-inf), At(100, 1, 1, 23, 59, 59));
  EXPECT_EQ(FromOleDate(std::nan("")), At(1899, 12, 30));
  // The last and first days themselves are read as they are.
  EXPECT_EQ(FromOleDate(2958465.5), At(9999, 12, 31, 12));
  EXPECT_EQ(FromOleDate(-657434.0), At(100, 1, 1));
}

TEST(Calendar, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(At(2026, 12, 6).DayOfWeek(), 0);  // a Sunday
  EXPECT_EQ(At(2026, 12, 7).DayOfWeek(), 1);
  EXPECT_EQ(At(2000, 1, 1).DayOfWeek(), 6);
}

TEST(ProgramName, TakesFileNameWithoutExtension) {
  SetProgramNameFromPath(u"C:\\Program Files\\Tarnhold\\QuillmarkBck.exe");
  EXPECT_EQ(ProgramName(), u"QuillmarkBck");
  SetProgramNameFromPath(u"/usr/bin/tool");
  EXPECT_EQ(ProgramName(), u"tool");
}
