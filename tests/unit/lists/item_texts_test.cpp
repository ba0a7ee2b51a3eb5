#include <gtest/gtest.h>

#include "app/item_texts.h"

using namespace qm;

namespace {
LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
  return t;
}
const LocaleFacts& US() { return UnitedStatesLocale(); }
const LocaleFacts& DE() { return GermanLocale(); }
const StringSource& Texts() { return BuiltInStrings(); }

std::optional<Str> LastUsedTip(LocalDateTime used, LocalDateTime now, const LocaleFacts& loc = US()) {
  InfoTipRequest r;
  r.view = ListView::LastUsed;
  r.path = u"c:\\work";
  r.used = used;
  r.now = now;
  return FolderInfoTip(r, loc, Texts());
}
// 2026-12-06 is a Sunday, 2026-12-08 a Tuesday.
}  // namespace

TEST(DayBoundaries, CountMidnightsHoursAndMinutesOfTheClock) {
  EXPECT_EQ(DayBoundariesBetween(At(2026, 12, 7, 23, 59), At(2026, 12, 8, 0, 1)), 1);
  EXPECT_EQ(HourBoundariesBetween(At(2026, 12, 7, 23, 59), At(2026, 12, 8, 0, 1)), 1);
  EXPECT_EQ(MinuteBoundariesBetween(At(2026, 12, 7, 23, 59, 59), At(2026, 12, 8, 0, 1, 0)), 2);
  EXPECT_EQ(DayBoundariesBetween(At(2026, 12, 31, 12), At(2027, 1, 1, 12)), 1);
  EXPECT_EQ(DayBoundariesBetween(At(2024, 2, 28), At(2024, 3, 1)), 2);
}

TEST(DayGroups, YesterdayLateSeenJustAfterMidnight) {
  const LocalDateTime used = At(2026, 12, 7, 23, 55), now = At(2026, 12, 8, 0, 5);
  EXPECT_EQ(DayGroupOf(used, now, 0), DayGroup::Yesterday);
  EXPECT_EQ(DayGroupKey(DayGroupOf(used, now, 0)), u"y");
  EXPECT_EQ(UsedTextForDate(used, now, US(), Texts()), u"Yesterday, 11:55 PM");
  EXPECT_EQ(UsedTextForDate(used, now, DE(), Texts()), u"Yesterday, 23:55");
  EXPECT_EQ(LastUsedTip(used, now), Str(u"Last used: 10 min before"));
}

TEST(DayGroups, TodayAndAUseFromTheFutureCountAsToday) {
  const LocalDateTime now = At(2026, 12, 8, 15, 0);
  EXPECT_EQ(UsedTextForDate(At(2026, 12, 8, 0, 0), now, US(), Texts()), u"Today, 12:00 AM");
  EXPECT_EQ(DayGroupKey(DayGroupOf(At(2026, 12, 8, 0, 0), now, 0)), u"t");
  EXPECT_EQ(DayGroupOf(At(2026, 12, 9, 8, 0), now, 0), DayGroup::Today);
}

TEST(DayGroups, WeekBeginsOnTheLocalesFirstWeekday) {
  const LocalDateTime sunday = At(2026, 12, 6, 9, 30), tuesday = At(2026, 12, 8, 10, 0);
  // Week from Sunday (United States): this week, weekday and time.
  EXPECT_EQ(DayGroupKey(DayGroupOf(sunday, tuesday, 0)), u"w");
  EXPECT_EQ(UsedTextForDate(sunday, tuesday, US(), Texts()), u"Sun, 9:30 AM");
  // Week from Monday (German): last week or earlier, date without time.
  EXPECT_EQ(DayGroupKey(DayGroupOf(sunday, tuesday, 1)), u"o");
  EXPECT_EQ(UsedTextForDate(sunday, tuesday, DE(), Texts()), u"6. Dez.");
  // The tip counts weeks from Sunday whatever the locale says.
  EXPECT_EQ(LastUsedTip(sunday, tuesday, US()), Str(u"Last used: Sunday (2 days before)"));
  LocaleFacts usMonday = US();
  usMonday.firstWeekday = 1;
  EXPECT_EQ(UsedTextForDate(sunday, tuesday, usMonday, Texts()), u"Dec 6");
  EXPECT_EQ(LastUsedTip(sunday, tuesday, usMonday), Str(u"Last used: Sunday (2 days before)"));
}

TEST(DayGroups, OlderDatesByDateOrder) {
  const LocalDateTime used = At(2026, 11, 3, 14, 0), now = At(2026, 12, 8, 10, 0);
  EXPECT_EQ(UsedTextForDate(used, now, US(), Texts()), u"Nov 3");
  EXPECT_EQ(UsedTextForDate(used, now, DE(), Texts()), u"3. Nov.");
  LocaleFacts ymd = US();
  ymd.dateOrder = DateOrder::YearMonthDay;  // not day-first: month style
  EXPECT_EQ(UsedTextForDate(used, now, ymd, Texts()), u"Nov 3");
}

TEST(UsedCounts, OneTimeAndMany) {
  EXPECT_EQ(UsedTextForCount(1, Texts()), u"1 time");
  EXPECT_EQ(UsedTextForCount(12, Texts()), u"12 times");
  EXPECT_EQ(UsedTextForCount(0, Texts()), u"0 times");
}

TEST(InfoTips, MinutesUntil89ThenHours) {
  const LocalDateTime used = At(2026, 12, 8, 10, 0);
  EXPECT_EQ(LastUsedTip(used, At(2026, 12, 8, 11, 29)), Str(u"Last used: 89 min before"));
  EXPECT_EQ(LastUsedTip(used, At(2026, 12, 8, 11, 30)), Str(u"Last used: 1 hour before (at 10:00 AM)"));
  EXPECT_EQ(LastUsedTip(used, At(2026, 12, 8, 15, 0)), Str(u"Last used: 5 hours before (at 10:00 AM)"));
  EXPECT_EQ(LastUsedTip(used, At(2026, 12, 9, 9, 59), DE()),
            Str(u"Last used: 23 hours before (at 10:00)"));
}

TEST(InfoTips, NoTipInTheSameMinute) {
  EXPECT_FALSE(LastUsedTip(At(2026, 12, 8, 10, 0, 5), At(2026, 12, 8, 10, 0, 50)).has_value());
  EXPECT_FALSE(LastUsedTip(At(2026, 12, 8, 10, 5), At(2026, 12, 8, 10, 0)).has_value());
}

TEST(InfoTips, YesterdaySameWeekAndOlder) {
  // 24 hours or more but one midnight: weekday and time.
  EXPECT_EQ(LastUsedTip(At(2026, 12, 7, 0, 10), At(2026, 12, 8, 1, 0)),
            Str(u"Last used: Monday at 12:10 AM"));
  // Several days back, other week: days and short date.
  EXPECT_EQ(LastUsedTip(At(2026, 11, 3, 14, 0), At(2026, 12, 8, 10, 0)),
            Str(u"Last used: 35 days before (11/3/2026)"));
  EXPECT_EQ(LastUsedTip(At(2026, 11, 3, 14, 0), At(2026, 12, 8, 10, 0), DE()),
            Str(u"Last used: 35 days before (03.11.2026)"));
  EXPECT_EQ(LastUsedTip(At(2026, 12, 9, 8, 0), At(2026, 12, 12, 8, 0), DE()),
            Str(u"Last used: Mittwoch (3 days before)"));
}

TEST(InfoTips, PathFirstInLargeIconsOrWithoutPathColumn) {
  InfoTipRequest r;
  r.view = ListView::LastUsed;
  r.path = u"c:\\work";
  r.used = At(2026, 12, 8, 10, 0);
  r.now = At(2026, 12, 8, 10, 30);
  r.pathColumnShown = false;
  EXPECT_EQ(FolderInfoTip(r, US(), Texts()), Str(u"c:\\work\r\rLast used: 30 min before"));
  r.pathColumnShown = true;
  r.largeIcons = true;
  EXPECT_EQ(FolderInfoTip(r, US(), Texts()), Str(u"c:\\work\r\rLast used: 30 min before"));
}

TEST(InfoTips, FrequentlyUsedCountsOnlyInLargeIcons) {
  InfoTipRequest r;
  r.view = ListView::FrequentlyUsed;
  r.path = u"c:\\work";
  r.usageCount = 1;
  r.largeIcons = true;
  EXPECT_EQ(FolderInfoTip(r, US(), Texts()), Str(u"c:\\work\r\rUsed: Once"));
  r.usageCount = 3;
  EXPECT_EQ(FolderInfoTip(r, US(), Texts()), Str(u"c:\\work\r\rUsed: 3 times"));
  r.largeIcons = false;
  EXPECT_FALSE(FolderInfoTip(r, US(), Texts()).has_value());
  r.pathColumnShown = false;
  EXPECT_EQ(FolderInfoTip(r, US(), Texts()), Str(u"c:\\work"));
}

TEST(InfoTips, FavoritesShowThePathWhereTheColumnIsMissing) {
  InfoTipRequest r;
  r.view = ListView::Favorites;
  r.path = u"\\\\server\\share";
  EXPECT_FALSE(FolderInfoTip(r, US(), Texts()).has_value());
  r.largeIcons = true;
  EXPECT_EQ(FolderInfoTip(r, US(), Texts()), Str(u"\\\\server\\share"));
  r.largeIcons = false;
  r.pathColumnShown = false;
  EXPECT_EQ(FolderInfoTip(r, US(), Texts()), Str(u"\\\\server\\share"));
}
