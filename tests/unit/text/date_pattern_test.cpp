// Date and time patterns, with names from pinned locales, and the week of the year.
#include <gtest/gtest.h>

#include "shared/text/format_pattern.h"

using namespace qm;

namespace {

LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
  return t;
}

Str Us(const Value& v, StrView pattern) { return FormatWithPattern(v, pattern, UnitedStatesLocale()); }
Str De(const Value& v, StrView pattern) { return FormatWithPattern(v, pattern, GermanLocale()); }

const LocalDateTime kMonday = At(2026, 12, 7, 9, 5, 3);  // Monday, 7 December 2026

}  // namespace

TEST(DatePattern, DayMonthYearFields) {
  EXPECT_EQ(Us(kMonday, u"dd.mm.yyyy"), u"07.12.2026");
  EXPECT_EQ(Us(kMonday, u"d.m.yy"), u"7.12.26");
  EXPECT_EQ(Us(At(2027, 3, 1), u"dd.mm.yyyy"), u"01.03.2027");
  EXPECT_EQ(Us(kMonday, u"yyyy-mm-dd"), u"2026-12-07");
  EXPECT_EQ(Us(kMonday, u"DD.MM.YYYY"), u"07.12.2026");  // letters in any case
  EXPECT_EQ(Us(kMonday, u"y"), u"341");                  // day of the year
  EXPECT_EQ(Us(kMonday, u"q"), u"4");
  EXPECT_EQ(Us(At(2026, 3, 31), u"q"), u"1");
}

TEST(DatePattern, NamesComeFromTheLocale) {
  EXPECT_EQ(Us(kMonday, u"ddd"), u"Mon");
  EXPECT_EQ(Us(kMonday, u"dddd"), u"Monday");
  EXPECT_EQ(De(kMonday, u"ddd"), u"Mo");
  EXPECT_EQ(De(kMonday, u"dddd"), u"Montag");
  EXPECT_EQ(Us(kMonday, u"ddd, "), u"Mon, ");
  EXPECT_EQ(Us(kMonday, u"mmm d"), u"Dec 7");
  EXPECT_EQ(De(kMonday, u"d. mmm."), u"7. Dez.");
  EXPECT_EQ(De(At(2026, 3, 15), u"d. mmm."), u"15. M\u00e4r.");
  EXPECT_EQ(De(At(2026, 3, 15), u"d. mmmm yyyy"), u"15. M\u00e4rz 2026");
  EXPECT_EQ(Us(At(2026, 1, 4), u"dddd, mmmm d"), u"Sunday, January 4");
  EXPECT_EQ(De(At(2026, 1, 10), u"dddd"), u"Samstag");
}

TEST(DatePattern, TimeFieldsAndMinutesAfterHours) {
  EXPECT_EQ(Us(kMonday, u"hh:mm"), u"09:05");
  EXPECT_EQ(Us(kMonday, u"h:mm"), u"9:05");
  EXPECT_EQ(Us(kMonday, u"hh:mm:ss"), u"09:05:03");
  EXPECT_EQ(Us(kMonday, u"mm:ss"), u"05:03");  // m before seconds is minutes too
  EXPECT_EQ(Us(kMonday, u"nn"), u"05");
  EXPECT_EQ(Us(kMonday, u"mm"), u"12");  // alone it is the month
  EXPECT_EQ(Us(At(2026, 12, 7, 21, 5), u"hh:mm"), u"21:05");
  EXPECT_EQ(Us(At(2026, 12, 7, 21, 5), u"h:mm AM/PM"), u"9:05 PM");
  EXPECT_EQ(Us(At(2026, 12, 7, 0, 30), u"h:mm am/pm"), u"12:30 am");
  EXPECT_EQ(Us(At(2026, 12, 7, 12, 0), u"h a/p"), u"12 p");
  EXPECT_EQ(Us(At(2026, 12, 7, 12, 0), u"h A/P"), u"12 P");
  EXPECT_EQ(Us(At(2026, 12, 7, 13, 0), u"h AMPM"), u"1 PM");
}

TEST(DatePattern, LocaleShortFormsAndGeneralDate) {
  EXPECT_EQ(Us(kMonday, u"ddddd"), u"12/7/2026");
  EXPECT_EQ(De(kMonday, u"ddddd"), u"07.12.2026");
  EXPECT_EQ(Us(kMonday, u"ttttt"), u"9:05 AM");
  EXPECT_EQ(De(kMonday, u"ttttt"), u"09:05");
  EXPECT_EQ(Us(kMonday, u"c"), u"12/7/2026 9:05 AM");
  EXPECT_EQ(Us(At(2026, 12, 7), u"c"), u"12/7/2026");
}

TEST(DatePattern, LiteralsAndNumbersAsDates) {
  EXPECT_EQ(Us(kMonday, u"\"day\" d"), u"day 7");
  EXPECT_EQ(Us(kMonday, u"\\d d"), u"d 7");
  EXPECT_EQ(Us(kMonday, u"d/m"), u"7/12");
  EXPECT_EQ(Us(46363, u"dd.mm.yyyy"), u"07.12.2026");  // an OLE date number
  EXPECT_EQ(Us(46363.5, u"hh:mm"), u"12:00");
  // A number that cannot be a date keeps its plain form.
  EXPECT_EQ(Us(99999999, u"dd.mm.yyyy"), u"99999999");
  EXPECT_EQ(Us(u"text", u"dd.mm.yyyy"), u"text");
}

TEST(WeekOfYear, SundayStartsAWeekAndWeekOneHoldsTheFirstOfJanuary) {
  EXPECT_EQ(WeekOfYear(At(2026, 1, 1)), 1);    // Thursday
  EXPECT_EQ(WeekOfYear(At(2026, 1, 3)), 1);    // Saturday
  EXPECT_EQ(WeekOfYear(At(2026, 1, 4)), 2);    // Sunday begins week 2
  EXPECT_EQ(WeekOfYear(At(2026, 12, 5)), 49);  // Saturday
  EXPECT_EQ(WeekOfYear(At(2026, 12, 6)), 50);  // Sunday
  EXPECT_EQ(WeekOfYear(At(2026, 12, 7)), 50);
  EXPECT_EQ(WeekOfYear(At(2022, 1, 1)), 1);    // a Saturday is a whole week 1
  EXPECT_EQ(WeekOfYear(At(2022, 1, 2)), 2);
  EXPECT_EQ(WeekOfYear(At(2023, 1, 1)), 1);    // a Sunday
  EXPECT_EQ(WeekOfYear(At(2023, 1, 8)), 2);
  EXPECT_EQ(WeekOfYear(At(2000, 12, 31)), 54); // leap year starting on Saturday
}

TEST(WeekOfYear, NewYearSplitsTheCalendarWeek) {
  // Thursday 31 December 2026 and Friday 1 January 2027 stand in the same Sunday week
  // but carry different numbers: 53 and 1.
  EXPECT_EQ(Us(At(2026, 12, 31), u"ww"), u"53");
  EXPECT_EQ(Us(At(2027, 1, 1), u"ww"), u"1");
  EXPECT_EQ(Us(At(2027, 1, 2), u"ww"), u"1");
  EXPECT_EQ(Us(At(2027, 1, 3), u"ww"), u"2");
  EXPECT_EQ(Us(At(2026, 12, 27), u"ww"), u"53");  // Sunday
  EXPECT_EQ(Us(At(2026, 12, 26), u"ww"), u"52");  // Saturday
  // The German locale's Monday start does not change the week numbers.
  EXPECT_EQ(De(At(2026, 12, 27), u"ww"), u"53");
  EXPECT_EQ(Us(kMonday, u"w"), u"2");             // Sunday = 1
  EXPECT_EQ(Us(At(2026, 12, 6), u"w"), u"1");
}
