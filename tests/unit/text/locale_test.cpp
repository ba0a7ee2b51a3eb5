// Short date and time in the Windows picture syntax, with the pinned locales.
#include <gtest/gtest.h>

#include "shared/text/locale.h"

using namespace qm;

namespace {

LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
  return t;
}

LocaleFacts WithPictures(const LocaleFacts& base, StrView time, StrView date) {
  LocaleFacts f = base;
  f.shortTimeFormat = Str(time);
  f.shortDateFormat = Str(date);
  return f;
}

}  // namespace

TEST(PinnedLocales, UnitedStatesAndGermanFacts) {
  const LocaleFacts& us = UnitedStatesLocale();
  EXPECT_EQ(us.shortTimeFormat, u"h:mm tt");
  EXPECT_EQ(us.shortDateFormat, u"M/d/yyyy");
  EXPECT_EQ(us.dateOrder, DateOrder::MonthDayYear);
  EXPECT_EQ(us.firstWeekday, 0);
  EXPECT_EQ(us.monthNames[0], u"January");
  EXPECT_EQ(us.dayAbbrevs[0], u"Sun");
  const LocaleFacts& de = GermanLocale();
  EXPECT_EQ(de.shortTimeFormat, u"HH:mm");
  EXPECT_EQ(de.shortDateFormat, u"dd.MM.yyyy");
  EXPECT_EQ(de.dateOrder, DateOrder::DayMonthYear);
  EXPECT_EQ(de.firstWeekday, 1);
  const Str months[] = {u"Jan", u"Feb", u"M\u00e4r", u"Apr", u"Mai", u"Jun",
                        u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(de.monthAbbrevs[i], months[i]);
  const Str days[] = {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(de.dayAbbrevs[i], days[i]);
  EXPECT_EQ(de.dayNames[0], u"Sonntag");
  EXPECT_EQ(de.monthNames[2], u"M\u00e4rz");
  // Every name is present in both.
  for (const LocaleFacts* f : {&us, &de}) {
    for (const Str& s : f->monthNames) EXPECT_FALSE(s.empty());
    for (const Str& s : f->dayNames) EXPECT_FALSE(s.empty());
  }
}

TEST(ShortTime, TwelveAndTwentyFourHourClocks) {
  const LocaleFacts& us = UnitedStatesLocale();
  const LocaleFacts& de = GermanLocale();
  EXPECT_EQ(FormatShortTime(us, At(2026, 12, 7, 9, 5)), u"9:05 AM");
  EXPECT_EQ(FormatShortTime(us, At(2026, 12, 7, 0, 0)), u"12:00 AM");
  EXPECT_EQ(FormatShortTime(us, At(2026, 12, 7, 12, 30)), u"12:30 PM");
  EXPECT_EQ(FormatShortTime(us, At(2026, 12, 7, 23, 59)), u"11:59 PM");
  EXPECT_EQ(FormatShortTime(de, At(2026, 12, 7, 9, 5)), u"09:05");
  EXPECT_EQ(FormatShortTime(de, At(2026, 12, 7, 0, 0)), u"00:00");
  EXPECT_EQ(FormatShortTime(de, At(2026, 12, 7, 23, 59)), u"23:59");
}

TEST(ShortTime, PictureFields) {
  LocalDateTime t = At(2026, 12, 7, 14, 7, 9);
  const LocaleFacts& us = UnitedStatesLocale();
  EXPECT_EQ(FormatShortTime(WithPictures(us, u"hh:mm:ss t", u""), t), u"02:07:09 P");
  EXPECT_EQ(FormatShortTime(WithPictures(us, u"H 'h' mm", u""), t), u"14 h 07");
  EXPECT_EQ(FormatShortTime(WithPictures(us, u"tt h.mm", u""), t), u"PM 2.07");
  EXPECT_EQ(FormatShortTime(WithPictures(us, u"HH''mm", u""), t), u"14'07");
  // A locale without designators leaves no dangling blank.
  EXPECT_EQ(FormatShortTime(WithPictures(GermanLocale(), u"h:mm tt", u""), t), u"2:07");
}

TEST(ShortDate, MonthFirstAndDayFirst) {
  LocalDateTime t = At(2026, 3, 5);
  EXPECT_EQ(FormatShortDate(UnitedStatesLocale(), t), u"3/5/2026");
  EXPECT_EQ(FormatShortDate(GermanLocale(), t), u"05.03.2026");
  EXPECT_EQ(FormatShortDate(UnitedStatesLocale(), At(2026, 12, 31)), u"12/31/2026");
}

TEST(ShortDate, PictureFields) {
  LocalDateTime t = At(2026, 3, 5);  // a Thursday
  EXPECT_EQ(FormatShortDate(WithPictures(UnitedStatesLocale(), u"", u"dddd, MMMM d, yyyy"), t),
            u"Thursday, March 5, 2026");
  EXPECT_EQ(FormatShortDate(WithPictures(GermanLocale(), u"", u"ddd d. MMM yy"), t), u"Do 5. M\u00e4r 26");
  EXPECT_EQ(FormatShortDate(WithPictures(UnitedStatesLocale(), u"", u"yyyy-MM-dd"), t), u"2026-03-05");
  EXPECT_EQ(FormatShortDate(WithPictures(UnitedStatesLocale(), u"", u"'Day' d/M/y gg"), At(2009, 3, 5)),
            u"Day 5/3/9 ");
}

TEST(TimePictures, SecondsAreRemovedWithTheirSeparator) {
  EXPECT_EQ(RemoveSecondsFromTimeFormat(u"h:mm:ss tt"), u"h:mm tt");
  EXPECT_EQ(RemoveSecondsFromTimeFormat(u"HH:mm:ss"), u"HH:mm");
  EXPECT_EQ(RemoveSecondsFromTimeFormat(u"H.mm.ss"), u"H.mm");
  EXPECT_EQ(RemoveSecondsFromTimeFormat(u"tt hh:mm:ss"), u"tt hh:mm");
  EXPECT_EQ(RemoveSecondsFromTimeFormat(u"HH:mm"), u"HH:mm");
  EXPECT_EQ(RemoveSecondsFromTimeFormat(u"ss:mm"), u"mm");
  EXPECT_EQ(RemoveSecondsFromTimeFormat(u"H' h 'mm':'ss"), u"H' h 'mm");
  EXPECT_EQ(RemoveSecondsFromTimeFormat(u"'s'H:mm:ss"), u"'s'H:mm");  // quoted s is text
}

TEST(DatePictures, OrderOfTheFields) {
  EXPECT_EQ(DateOrderFromPattern(u"M/d/yyyy"), DateOrder::MonthDayYear);
  EXPECT_EQ(DateOrderFromPattern(u"dd.MM.yyyy"), DateOrder::DayMonthYear);
  EXPECT_EQ(DateOrderFromPattern(u"yyyy-MM-dd"), DateOrder::YearMonthDay);
  EXPECT_EQ(DateOrderFromPattern(u"dddd, d. MMMM yyyy"), DateOrder::DayMonthYear);
  EXPECT_EQ(DateOrderFromPattern(u"'d' M/d"), DateOrder::MonthDayYear);
  EXPECT_EQ(DateOrderFromPattern(u""), DateOrder::MonthDayYear);
}

TEST(ProgramLocaleSetting, StartsAsUnitedStatesAndCanBeReplaced) {
  EXPECT_EQ(ProgramLocale().shortDateFormat, u"M/d/yyyy");
  SetProgramLocale(GermanLocale());
  EXPECT_EQ(ProgramLocale().monthNames[0], u"Januar");
  SetProgramLocale(UnitedStatesLocale());
  EXPECT_EQ(ProgramLocale().monthNames[0], u"January");
}
