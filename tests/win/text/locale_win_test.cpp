// The user's locale facts as read from Windows, checked against what Windows itself
// formats with them.
#include <windows.h>

#include <gtest/gtest.h>

#include "shared/base/str_win.h"
#include "shared/text/locale_win.h"

using namespace qm;

namespace {

LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi;
  return t;
}

SYSTEMTIME ToSystemTime(const LocalDateTime& t) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wDayOfWeek = static_cast<WORD>(t.DayOfWeek());
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  return st;
}

Str WindowsShortTime(const LocalDateTime& t) {
  SYSTEMTIME st = ToSystemTime(t);
  wchar_t buf[128] = {};
  GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, buf, 128);
  return FromW(buf);
}

Str WindowsShortDate(const LocalDateTime& t) {
  SYSTEMTIME st = ToSystemTime(t);
  wchar_t buf[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 128);
  return FromW(buf);
}

}  // namespace

TEST(UserLocale, FactsAreComplete) {
  LocaleFacts f = UserLocale();
  EXPECT_FALSE(f.shortTimeFormat.empty());
  EXPECT_EQ(f.shortTimeFormat.find(u's'), Str::npos) << ToUtf8(f.shortTimeFormat);
  EXPECT_NE(f.shortDateFormat.find(u'd'), Str::npos);
  EXPECT_NE(f.shortDateFormat.find(u'M'), Str::npos);
  EXPECT_NE(f.shortDateFormat.find(u'y'), Str::npos);
  EXPECT_GE(f.firstWeekday, 0);
  EXPECT_LE(f.firstWeekday, 6);
  EXPECT_EQ(f.dateOrder, DateOrderFromPattern(f.shortDateFormat));
  for (const Str& s : f.monthNames) EXPECT_FALSE(s.empty());
  for (const Str& s : f.monthAbbrevs) EXPECT_FALSE(s.empty());
  for (const Str& s : f.dayNames) EXPECT_FALSE(s.empty());
  for (const Str& s : f.dayAbbrevs) EXPECT_FALSE(s.empty());
  EXPECT_FALSE(f.decimalSeparator.empty());
}

TEST(UserLocale, FormatsTimesAndDatesLikeWindows) {
  LocaleFacts f = UserLocale();
  for (const LocalDateTime& t : {At(2026, 12, 7, 9, 5), At(2026, 1, 31, 0, 0), At(2027, 3, 1, 12, 30),
                                 At(2026, 6, 14, 23, 59)}) {
    EXPECT_EQ(FormatShortTime(f, t), WindowsShortTime(t));
    EXPECT_EQ(FormatShortDate(f, t), WindowsShortDate(t));
  }
}

TEST(UserLocale, UnitedStatesEnglishGivesTheUnitedStatesFacts) {
  if (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) != LANG_ENGLISH ||
      SUBLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) != SUBLANG_ENGLISH_US) {
    GTEST_SKIP() << "user locale is not English (United States)";
  }
  LocaleFacts f = UserLocale();
  const LocaleFacts& us = UnitedStatesLocale();
  EXPECT_EQ(f.shortTimeFormat, us.shortTimeFormat);
  EXPECT_EQ(f.shortDateFormat, us.shortDateFormat);
  EXPECT_EQ(f.dateOrder, DateOrder::MonthDayYear);
  EXPECT_EQ(f.firstWeekday, 0);  // Windows says 6 (counting from Monday)
  EXPECT_EQ(f.amDesignator, u"AM");
  EXPECT_EQ(f.pmDesignator, u"PM");
  EXPECT_EQ(f.monthNames, us.monthNames);
  EXPECT_EQ(f.monthAbbrevs, us.monthAbbrevs);
  EXPECT_EQ(f.dayNames, us.dayNames);  // Sunday first after the conversion
  EXPECT_EQ(f.dayAbbrevs, us.dayAbbrevs);
  EXPECT_EQ(f.decimalSeparator, u".");
  EXPECT_EQ(f.thousandSeparator, u",");
}

TEST(UserLocale, GermanGivesTheGermanNamesAndAMondayWeek) {
  if (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) != LANG_GERMAN) {
    GTEST_SKIP() << "user locale is not German";
  }
  LocaleFacts f = UserLocale();
  const LocaleFacts& de = GermanLocale();
  EXPECT_EQ(f.shortTimeFormat, u"HH:mm");
  EXPECT_EQ(f.dateOrder, DateOrder::DayMonthYear);
  EXPECT_EQ(f.firstWeekday, 1);  // Windows says 0 (counting from Monday)
  EXPECT_EQ(f.monthNames, de.monthNames);
  EXPECT_EQ(f.monthAbbrevs[2], u"M\u00e4r");
  EXPECT_EQ(f.dayNames, de.dayNames);  // Sonntag first after the conversion
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(StartsWith(f.dayAbbrevs[i], de.dayAbbrevs[i])) << i;
  EXPECT_EQ(f.decimalSeparator, u",");
  EXPECT_EQ(FormatShortTime(f, At(2026, 12, 7, 21, 5)), u"21:05");
}
